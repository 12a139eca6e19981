#include "foundation/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

FileFaultHook fault_hook = nullptr;

bool Injected(FileOperation operation) {
  if (fault_hook != nullptr && fault_hook(operation)) {
    errno = EIO;
    return true;
  }
  return false;
}

void SetError(std::string* error, const std::string& what, const std::string& path) {
  if (error != nullptr) *error = what + " " + path + ": " + std::strerror(errno);
}

std::string TemporaryPathFor(const std::string& path) {
  return path + ".tmp" + std::to_string(static_cast<long>(getpid()));
}

std::string BackupPathFor(const std::string& path) {
  return path + ".old" + std::to_string(static_cast<long>(getpid()));
}

// The file a save must replace: a symbolic link is followed, so the save updates the file it
// points to and the link stays. A path that is not a link, or a dangling link, is used as is.
std::string SaveTargetOf(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

// Writes and syncs one temporary file. It takes the permissions of the file it will replace,
// so a save keeps them; a new file gets the usual 0666 less the umask. On failure the
// temporary file is removed.
bool WriteTemporary(const std::string& temporary, const std::string& target, std::string_view bytes,
                    std::string* error) {
  int fd = Injected(FileOperation::kOpen)
               ? -1
               : ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    SetError(error, "cannot create", temporary);
    return false;
  }
  struct stat old_file;
  if (::stat(target.c_str(), &old_file) == 0 && S_ISREG(old_file.st_mode)) {
    ::fchmod(fd, old_file.st_mode & 07777);
  }
  size_t written = 0;
  bool ok = true;
  while (written < bytes.size()) {
    const ssize_t n = Injected(FileOperation::kWrite)
                          ? -1
                          : ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetError(error, "cannot write", temporary);
      ok = false;
      break;
    }
    written += static_cast<size_t>(n);
  }
  if (ok && (Injected(FileOperation::kFsync) || ::fsync(fd) != 0)) {
    SetError(error, "cannot flush", temporary);
    ok = false;
  }
  if (Injected(FileOperation::kClose)) {
    ::close(fd);
    if (ok) SetError(error, "cannot close", temporary);
    ok = false;
  } else if (::close(fd) != 0 && ok) {
    SetError(error, "cannot close", temporary);
    ok = false;
  }
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    SetError(error, "cannot open", path);
    return false;
  }
  auto refuse_too_large = [&] {
    std::fclose(file);
    bytes.clear();
    if (error != nullptr) *error = "too large to be a file of this suite: " + path;
    return false;
  };
  struct stat info;
  if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode)) {
    if (static_cast<unsigned long long>(info.st_size) > kMaxReadableFileSize) {
      return refuse_too_large();
    }
    bytes.reserve(static_cast<size_t>(info.st_size));
  }
  char buffer[65536];
  size_t n;
  bool ok = true;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    // Files that are not regular (pipes, devices) have no size to check beforehand.
    if (bytes.size() + n > kMaxReadableFileSize) return refuse_too_large();
    bytes.append(buffer, n);
  }
  if (std::ferror(file) != 0) {
    SetError(error, "cannot read", path);
    ok = false;
  }
  std::fclose(file);
  return ok;
}

bool AtomicWriteFile(const std::string& path, std::string_view bytes, std::string* error) {
  FileToWrite file{path, std::string(bytes)};
  return AtomicWriteFiles(&file, 1, error);
}

bool AtomicWriteFiles(const FileToWrite* files, size_t count, std::string* error) {
  std::vector<std::string> targets;
  std::vector<std::string> temporaries;
  for (size_t i = 0; i < count; ++i) targets.push_back(SaveTargetOf(files[i].path));
  for (size_t i = 0; i < count; ++i) {
    const std::string temporary = TemporaryPathFor(targets[i]);
    if (!WriteTemporary(temporary, targets[i], files[i].bytes, error)) {
      for (const std::string& t : temporaries) ::unlink(t.c_str());
      return false;
    }
    temporaries.push_back(temporary);
  }
  // With several files, each old file keeps a second name until all are replaced, so a
  // rename that fails half-way can put the earlier ones back and the files stay a set.
  std::vector<std::string> backups(count);
  std::vector<bool> existed(count, true);
  if (count > 1) {
    for (size_t i = 0; i < count; ++i) {
      existed[i] = ::access(targets[i].c_str(), F_OK) == 0;
      if (!existed[i]) continue;
      const std::string backup = BackupPathFor(targets[i]);
      ::unlink(backup.c_str());
      if (::link(targets[i].c_str(), backup.c_str()) == 0) backups[i] = backup;
    }
  }
  auto drop_backups = [&backups] {
    for (const std::string& backup : backups) {
      if (!backup.empty()) ::unlink(backup.c_str());
    }
  };
  for (size_t i = 0; i < count; ++i) {
    if (Injected(FileOperation::kRename) ||
        ::rename(temporaries[i].c_str(), targets[i].c_str()) != 0) {
      SetError(error, "cannot replace", files[i].path);
      for (size_t j = i; j < count; ++j) ::unlink(temporaries[j].c_str());
      // Put back what was already replaced; a file that did not exist before goes again.
      for (size_t j = 0; j < i; ++j) {
        if (!backups[j].empty()) {
          if (::rename(backups[j].c_str(), targets[j].c_str()) == 0) backups[j].clear();
        } else if (!existed[j]) {
          ::unlink(targets[j].c_str());
        }
        SyncFolderOf(targets[j]);
      }
      drop_backups();
      return false;
    }
    SyncFolderOf(targets[i]);
  }
  drop_backups();
  return true;
}

void SetFileFaultHookForTesting(FileFaultHook hook) { fault_hook = hook; }

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string SystemReasonOf(const std::string& error) {
  const size_t colon = error.rfind(": ");
  return colon == std::string::npos ? error : error.substr(colon + 2);
}

std::string OpenFailureReason(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::strerror(errno);
  std::fclose(file);
  return "";
}
