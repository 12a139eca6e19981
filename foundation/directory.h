// Plain path-string operations on NUL-terminated byte texts. Paths split at both "/" and
// "\" (paths written on Windows still split) and are joined with "/".
#pragma once

#include <cstddef>
#include <string>

class Directory1 {
 public:
  static void AppendFileName(char* path, size_t capacity, const char* name);
  static void FileNamePart(char* out, size_t capacity, const char* path);
  static void DirectoryPart(char* out, size_t capacity, const char* path);
  static void CutFileName(char* path);
  static void CutExtension(char* path);
  // 1 when the path has no "." at all, else the text after the last "." (at most 4
  // characters) into `out` (5 bytes) and 0.
  static int Extension(const char* path, char* out);
  static int HasDrive(const char* path);

  // The same rules on strings, without capacity limits.
  static std::string Join(const std::string& folder, const std::string& name);
  static std::string FileName(const std::string& path);
  static std::string Folder(const std::string& path);
  static std::string WithoutExtension(const std::string& path);
  // The text after the last "." of the file name in lower case ("bmp" for "C:\\A.BMP"), ""
  // when the name has none: what the batch modes tell file kinds by.
  static std::string LowerExtension(const std::string& path);
};
