// Whole-file reading and the atomic save every writer of the suite uses: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and replace the target by a
// rename, so a failed save leaves the old file as it was and no temporary file behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reads a whole file. Returns false when it cannot be opened or read; `error` says why.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to `path` atomically. Returns false on any failure; `error` says why.
bool AtomicWriteFile(const std::string& path, std::string_view bytes,
                     std::string* error = nullptr);

// Writes several files as one save: every temporary file is written and synced first, then
// all are renamed into place. When a step fails before the renames nothing is replaced.
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
