#include "foundation/settings_file.h"

#include <strings.h>

#include <cstdlib>
#include <vector>

#include "foundation/file_io.h"

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// "[name]" lines give the section name; other lines give "".
bool SectionName(const std::string& line, std::string& name) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return false;
  const size_t close = trimmed.find(']');
  if (close == std::string::npos) return false;
  name = Trim(trimmed.substr(1, close - 1));
  return true;
}

bool KeyOf(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  return true;
}

bool Lookup(const std::string& path, const std::string& section, const std::string& key,
            std::string& value) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  bool in_section = false;
  for (const std::string& line : SplitLines(bytes)) {
    std::string name;
    if (SectionName(line, name)) {
      in_section = SameText(name, section);
      continue;
    }
    std::string line_key;
    if (in_section && KeyOf(line, line_key, value) && SameText(line_key, key)) return true;
  }
  return false;
}

}  // namespace

std::string SettingsFile::ReadString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& fallback) {
  std::string value;
  if (!Lookup(path, section, key, value)) return fallback;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

int SettingsFile::ParseInt(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X')) {
    return static_cast<int>(std::strtoul(trimmed.c_str() + 2, nullptr, 16));
  }
  const long long value = std::strtoll(trimmed.c_str(), nullptr, 10);
  return static_cast<int>(static_cast<uint32_t>(value));
}

int SettingsFile::ReadInt(const std::string& path, const std::string& section,
                          const std::string& key, int fallback) {
  std::string value;
  if (!Lookup(path, section, key, value)) return fallback;
  return ParseInt(value);
}

namespace {

// Sets one key in the lines of a settings file, as WriteString describes.
void SetKey(std::vector<std::string>& lines, const std::string& section, const std::string& key,
            const std::string& value) {
  const std::string new_line = key + "=" + value;
  bool in_section = false;
  int section_line = -1;
  int last_in_section = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionName(lines[i], name)) {
      if (in_section) break;
      in_section = SameText(name, section);
      if (in_section) {
        section_line = static_cast<int>(i);
        last_in_section = static_cast<int>(i);
      }
      continue;
    }
    if (!in_section) continue;
    std::string line_key, line_value;
    if (KeyOf(lines[i], line_key, line_value) && SameText(line_key, key)) {
      lines[i] = new_line;
      return;
    }
    if (!Trim(lines[i]).empty()) last_in_section = static_cast<int>(i);
  }
  if (section_line >= 0) {
    lines.insert(lines.begin() + last_in_section + 1, new_line);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(new_line);
  }
}

}  // namespace

bool SettingsFile::WriteString(const std::string& path, const std::string& section,
                               const std::string& key, const std::string& value) {
  return WriteStrings(path, section, {{key, value}});
}

bool SettingsFile::WriteStrings(const std::string& path, const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& values) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  std::vector<std::string> lines = SplitLines(bytes);
  for (const auto& [key, value] : values) SetKey(lines, section, key, value);
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return AtomicWriteFile(path, out);
}

bool SettingsFile::WriteInt(const std::string& path, const std::string& section,
                            const std::string& key, int value) {
  return WriteString(path, section, key, std::to_string(value));
}
