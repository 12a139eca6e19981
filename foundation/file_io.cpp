#include "foundation/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// Writes and syncs one temporary file. On failure the temporary file is removed.
bool WriteTemporary(const std::string& temporary, std::string_view bytes, std::string* error) {
  int fd = Injected(FileOperation::kOpen)
               ? -1
               : ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    SetError(error, "cannot create", temporary);
    return false;
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
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  const bool ok = std::ferror(file) == 0;
  if (!ok) SetError(error, "cannot read", path);
  std::fclose(file);
  return ok;
}

bool AtomicWriteFile(const std::string& path, std::string_view bytes, std::string* error) {
  FileToWrite file{path, std::string(bytes)};
  return AtomicWriteFiles(&file, 1, error);
}

bool AtomicWriteFiles(const FileToWrite* files, size_t count, std::string* error) {
  std::vector<std::string> temporaries;
  for (size_t i = 0; i < count; ++i) {
    const std::string temporary = TemporaryPathFor(files[i].path);
    if (!WriteTemporary(temporary, files[i].bytes, error)) {
      for (const std::string& t : temporaries) ::unlink(t.c_str());
      return false;
    }
    temporaries.push_back(temporary);
  }
  for (size_t i = 0; i < count; ++i) {
    if (Injected(FileOperation::kRename) ||
        ::rename(temporaries[i].c_str(), files[i].path.c_str()) != 0) {
      SetError(error, "cannot replace", files[i].path);
      for (size_t j = i; j < count; ++j) ::unlink(temporaries[j].c_str());
      return false;
    }
    SyncFolderOf(files[i].path);
  }
  return true;
}

void SetFileFaultHookForTesting(FileFaultHook hook) { fault_hook = hook; }

bool FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
