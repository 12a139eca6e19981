// The settings file "Settei.ini" with the semantics of private-profile files: "[section]"
// lines, "key=value" lines, sections and keys compared without regard to case, every other
// line kept as it is, the file and the section created by the first write.
#pragma once

#include <string>
#include <utility>
#include <vector>

class SettingsFile {
 public:
  // The value of the key, or `fallback` when the file, the section or the key is missing.
  // Surrounding blanks are trimmed and one pair of matching quotes removed.
  static std::string ReadString(const std::string& path, const std::string& section,
                                const std::string& key, const std::string& fallback);
  // The value as an integer: `fallback` when missing; otherwise the leading decimal number
  // (with an optional sign, or 0x hexadecimal), 0 when the value does not start with one.
  static int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                     int fallback);
  // Sets the key (replacing its value, or adding it at the end of the section, or adding the
  // section at the end of the file). Saved atomically; false when the file cannot be written.
  static bool WriteString(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& value);
  static bool WriteInt(const std::string& path, const std::string& section, const std::string& key,
                       int value);
  // Sets several keys of one section in one save: each atomic save ends with a flush to the
  // disk, which on a busy disk costs a noticeable moment, so keys written together (a window
  // placement, the custom colours) are saved once.
  static bool WriteStrings(const std::string& path, const std::string& section,
                           const std::vector<std::pair<std::string, std::string>>& values);

  // The value parsing used by ReadInt, for texts from elsewhere.
  static int ParseInt(const std::string& text);
};
