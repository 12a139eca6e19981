// Recovery copies: while a document has unsaved changes its editor writes the document's
// file bytes now and then into the user's state folder, so that a crash or a power cut costs
// no more than the minutes since the last copy. Every running editor writes a copy of its
// own (named after its start and its process) and holds a lock on it while it runs; a copy
// whose lock nobody holds was left by an editor that ended without removing it, and is
// offered at the next start.
//
// A copy is a container of this program's own around the document's unchanged file bytes:
// the magic "RecoveryCopy1" with its zero byte, the path of the file it belongs to (int32
// length and bytes, empty for an untitled document), the document (two uint32 halves of its
// length, low first, and its bytes), and an FNV-1a check sum of all of that (two uint32
// halves). It is read back whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The folder the copies of `program` live in, ending with "/": $XDG_STATE_HOME/<program>/
// when that variable holds an absolute path, otherwise ~/.local/state/<program>/.
std::string RecoveryFolder(const std::string& program);

// The settings of the copies in "Settei.ini".
inline constexpr char kRecoverySection[] = "Recovery";
inline constexpr char kAutoSaveMinutesKey[] = "AutoSaveMinutes";
inline constexpr int kDefaultAutoSaveMinutes = 2;
inline constexpr int kLongestAutoSaveMinutes = 24 * 60;
// The minutes between two copies, read like any integer of the settings file: 0 turns the
// copies off; a missing key, a value that is no number and a negative one give the default;
// more than a day is a day.
int RecoveryIntervalMinutes(const std::string& settings_path);

// The question asked at start when a copy was left over.
inline constexpr char kRecoveryQuestion[] = "前回の作業が保存されていません。復元しますか？";
// The message when a left-over copy cannot be read back; it stays where it is.
std::string RecoveryDamagedMessage(const std::string& copy_path);

struct RecoveredDocument {
  std::string original_path;  // "" for an untitled document
  std::string bytes;          // the document's file bytes
};

enum class RecoveryReadResult : int32_t {
  kOk = 0,
  kCannotOpen = 1,
  kDamaged = 2,  // not a copy, cut short, or its check sum does not match
};

// The container around a document, and reading one back.
std::string RecoveryCopyBytes(std::string_view document, const std::string& original_path);
RecoveryReadResult ParseRecoveryCopy(std::string_view bytes, RecoveredDocument* document);

class RecoveryCopy {
 public:
  // The copy this editor writes into `folder` (which ends with "/"); nothing is written yet.
  explicit RecoveryCopy(std::string folder);
  // A clean exit: the copy is removed.
  ~RecoveryCopy();
  RecoveryCopy(const RecoveryCopy&) = delete;
  RecoveryCopy& operator=(const RecoveryCopy&) = delete;

  // Writes this editor's copy with the atomic save (creating the folder, for its owner only,
  // when it is missing). False with `error` when it cannot be written; an older copy stays.
  bool Write(std::string_view document, const std::string& original_path,
             std::string* error = nullptr);
  // Deletes this editor's copy (after a save, new and open, and on a clean exit); the next
  // Write makes it again.
  void Remove();
  // Makes a left-over copy this editor's own after its document was restored from it: the
  // next Write replaces it, Remove deletes it. False when a running editor holds it or the
  // path is no recovery copy.
  bool Adopt(const std::string& path);

  const std::string& Path() const { return path_; }
  bool Exists() const;

  // The copies in `folder` that no running editor holds, the newest first.
  static std::vector<std::string> FindLeftOver(const std::string& folder);
  static RecoveryReadResult Read(const std::string& path, RecoveredDocument* document);
  // Deletes a left-over copy the author declined. False when a running editor holds it.
  static bool Discard(const std::string& path);

 private:
  bool Lock();

  std::string folder_;
  std::string path_;
  int lock_ = -1;  // the open lock file while this editor holds its copy
};
