// Whole-file reading and the atomic save every writer of the suite uses: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and replace the target by a
// rename, so a failed save leaves the old file as it was and no temporary file behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// No file the suite reads comes near this size; anything larger is refused before it is read
// into memory.
constexpr unsigned long long kMaxReadableFileSize = 1ULL << 30;

// Reads a whole file. Returns false when it cannot be opened or read or is larger than
// kMaxReadableFileSize; `error` says why.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// The system's reason at the end of an `error` from the functions here ("cannot create
// PATH: No space left on device" gives "No space left on device"); the whole text when it
// has none.
std::string SystemReasonOf(const std::string& error);

// Writes `bytes` to `path` atomically. Returns false on any failure; `error` says why.
// A symbolic link is followed (the file it points to is replaced, the link stays) and the
// replaced file's permissions are kept.
bool AtomicWriteFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Writes several files as one save: every temporary file is written and synced first, then
// all are renamed into place. When any step fails, every file is left as it was before (a
// rename failing half-way puts the files already replaced back from hard-linked copies;
// only on a file system without hard links can such a failure leave a mix).
struct FileToWrite {
  std::string path;
  std::string bytes;
};
bool AtomicWriteFiles(const FileToWrite* files, size_t count, std::string* error = nullptr);

// Fault injection for tests of the save paths: the hook is asked before each system call
// of a save and makes it fail when it returns true.
enum class FileOperation { kOpen, kWrite, kFsync, kClose, kRename };
using FileFaultHook = bool (*)(FileOperation operation);
void SetFileFaultHookForTesting(FileFaultHook hook);

bool FileExists(const std::string& path);

// The system's reason why `path` cannot be opened for reading ("No such file or directory"),
// "" when it can: the words a message adds to a refused input.
std::string OpenFailureReason(const std::string& path);
