#include "foundation/recovery_copy.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/file_io.h"
#include "foundation/settings_file.h"

namespace {

constexpr char kMagic[] = "RecoveryCopy1";  // written with its zero byte
constexpr char kCopyExtension[] = ".recovery";
constexpr char kLockExtension[] = ".lock";
// Longer paths are not kept (the document is: it comes back untitled).
constexpr int32_t kLongestPath = 4096;

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char c : bytes) hash = (hash ^ static_cast<uint8_t>(c)) * 0x100000001B3ull;
  return hash;
}

std::string LockPath(const std::string& copy) { return copy + kLockExtension; }

bool IsCopyPath(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const size_t length = std::strlen(kCopyExtension);
  return name.size() > length && name.compare(name.size() - length, length, kCopyExtension) == 0;
}

// Opens and locks the lock file of a copy without waiting; -1 when a running editor holds
// it (or it cannot be made).
int TakeLock(const std::string& copy) {
  const int fd = ::open(LockPath(copy).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// True when a running editor holds the lock of a copy. Nobody holds a lock file that does
// not exist.
bool HeldByRunningEditor(const std::string& copy) {
  const int fd = ::open(LockPath(copy).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

// Deletes a copy and its lock file, then lets the lock go (in this order, so nobody finds
// a copy without its lock held).
void DeleteCopy(const std::string& copy, int lock) {
  ::unlink(copy.c_str());
  ::unlink(LockPath(copy).c_str());
  if (lock >= 0) ::close(lock);
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return "/tmp";
}

}  // namespace

std::string RecoveryFolder(const std::string& program) {
  // Relative values are not to be used, as for every XDG base folder.
  if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
    return std::string(state) + "/" + program + "/";
  }
  return HomeFolder() + "/.local/state/" + program + "/";
}

int RecoveryIntervalMinutes(const std::string& settings_path) {
  const std::string text =
      SettingsFile::ReadString(settings_path, kRecoverySection, kAutoSaveMinutesKey, "");
  const size_t digit = text.find_first_not_of("+-");
  if (digit == std::string::npos || digit > 1 || !std::isdigit(static_cast<uint8_t>(text[digit]))) {
    return kDefaultAutoSaveMinutes;
  }
  const int minutes = SettingsFile::ParseInt(text);
  if (minutes < 0) return kDefaultAutoSaveMinutes;
  return std::min(minutes, kLongestAutoSaveMinutes);
}

std::string RecoveryDamagedMessage(const std::string& copy_path) {
  return copy_path +
         "\n前回の作業の復元用コピーが壊れているため、読み込めません。"
         "コピーはそのまま残してあります。";
}

std::string RecoveryCopyBytes(std::string_view document, const std::string& original_path) {
  std::string_view path = original_path;
  if (path.size() > static_cast<size_t>(kLongestPath)) path = {};
  ByteWriter out;
  out.Bytes(kMagic, sizeof kMagic);
  out.I32(static_cast<int32_t>(path.size()));
  out.Text(path);
  const uint64_t length = document.size();
  out.U32(static_cast<uint32_t>(length));
  out.U32(static_cast<uint32_t>(length >> 32));
  out.Text(document);
  const uint64_t sum = Fnv1a(out.Data());
  out.U32(static_cast<uint32_t>(sum));
  out.U32(static_cast<uint32_t>(sum >> 32));
  return out.Take();
}

RecoveryReadResult ParseRecoveryCopy(std::string_view bytes, RecoveredDocument* document) {
  constexpr RecoveryReadResult kDamaged = RecoveryReadResult::kDamaged;
  ByteReader in(bytes);
  char magic[sizeof kMagic];
  if (!in.Bytes(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
    return kDamaged;
  }
  const int32_t path_length = in.I32();
  if (path_length > kLongestPath || !in.CanRead(path_length, 1)) return kDamaged;
  const std::string_view path = in.View(static_cast<size_t>(path_length));
  const uint64_t low = in.U32();
  const uint64_t length = low | (static_cast<uint64_t>(in.U32()) << 32);
  if (!in.Ok() || length > in.Remaining()) return kDamaged;
  const std::string_view body = in.View(static_cast<size_t>(length));
  const size_t summed = in.Position();
  const uint64_t sum_low = in.U32();
  const uint64_t sum = sum_low | (static_cast<uint64_t>(in.U32()) << 32);
  if (!in.Ok() || !in.AtEnd() || sum != Fnv1a(bytes.substr(0, summed))) return kDamaged;
  document->original_path.assign(path);
  document->bytes.assign(body);
  return RecoveryReadResult::kOk;
}

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) {
  static std::atomic<int> made{0};
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const long long milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  path_ = folder_ + std::to_string(milliseconds) + "-" + std::to_string(::getpid()) + "-" +
          std::to_string(made++) + kCopyExtension;
}

RecoveryCopy::~RecoveryCopy() { Remove(); }

bool RecoveryCopy::Lock() {
  if (lock_ >= 0) return true;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  ::chmod(folder_.c_str(), 0700);
  lock_ = TakeLock(path_);
  return lock_ >= 0;
}

bool RecoveryCopy::Write(std::string_view document, const std::string& original_path,
                         std::string* error) {
  if (!Lock()) {
    if (error != nullptr) *error = "cannot create " + LockPath(path_) + ": " + std::strerror(errno);
    return false;
  }
  return AtomicWriteFile(path_, RecoveryCopyBytes(document, original_path), error);
}

void RecoveryCopy::Remove() {
  if (lock_ < 0) return;
  DeleteCopy(path_, lock_);
  lock_ = -1;
}

bool RecoveryCopy::Adopt(const std::string& path) {
  if (!IsCopyPath(path)) return false;
  if (path == path_) return lock_ >= 0;
  const int lock = TakeLock(path);
  if (lock < 0) return false;
  Remove();
  path_ = path;
  folder_ = std::filesystem::path(path).parent_path().string() + "/";
  lock_ = lock;
  return true;
}

bool RecoveryCopy::Exists() const { return FileExists(path_); }

std::vector<std::string> RecoveryCopy::FindLeftOver(const std::string& folder) {
  struct Found {
    std::string path;
    std::filesystem::file_time_type time;
  };
  std::vector<Found> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string path = entry.path().string();
    std::error_code ignored;
    if (!entry.is_regular_file(ignored) || !IsCopyPath(path) || HeldByRunningEditor(path)) {
      continue;
    }
    found.push_back({path, entry.last_write_time(ignored)});
  }
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.time > b.time; });
  std::vector<std::string> paths;
  for (const Found& copy : found) paths.push_back(copy.path);
  return paths;
}

RecoveryReadResult RecoveryCopy::Read(const std::string& path, RecoveredDocument* document) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return RecoveryReadResult::kCannotOpen;
  return ParseRecoveryCopy(bytes, document);
}

bool RecoveryCopy::Discard(const std::string& path) {
  if (!IsCopyPath(path)) return false;
  const int lock = TakeLock(path);
  if (lock < 0) return false;
  DeleteCopy(path, lock);
  return true;
}
