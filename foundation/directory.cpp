#include "foundation/directory.h"

#include <cctype>
#include <cstring>

#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "Directory1";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Position of the last separator, or npos.
size_t LastSeparator(const char* path) {
  size_t last = std::string::npos;
  for (size_t i = 0; path[i] != '\0'; ++i) {
    if (IsSeparator(path[i])) last = i;
  }
  return last;
}

}  // namespace

void Directory1::AppendFileName(char* path, size_t capacity, const char* name) {
  const size_t path_length = std::strlen(path);
  const size_t name_length = std::strlen(name);
  SUITE_CHECK(path_length + name_length + 2 <= capacity, kTag,
              "ファイル名を付け足すファイルパスが足りません");
  path[path_length] = '/';
  std::memcpy(path + path_length + 1, name, name_length + 1);
}

void Directory1::FileNamePart(char* out, size_t capacity, const char* path) {
  const size_t last = LastSeparator(path);
  const char* name = last == std::string::npos ? path : path + last + 1;
  const size_t length = std::strlen(name);
  SUITE_CHECK(length + 1 <= capacity, kTag, "格納するバッファサイズが小さい");
  std::memmove(out, name, length + 1);
}

void Directory1::DirectoryPart(char* out, size_t capacity, const char* path) {
  const size_t last = LastSeparator(path);
  const size_t length = last == std::string::npos ? 0 : last;
  SUITE_CHECK(length + 1 <= capacity, kTag, "格納するバッファサイズが小さい");
  std::memmove(out, path, length);
  out[length] = '\0';
}

void Directory1::CutFileName(char* path) {
  const size_t last = LastSeparator(path);
  path[last == std::string::npos ? 0 : last] = '\0';
}

void Directory1::CutExtension(char* path) {
  const char* dot = std::strrchr(path, '.');
  if (dot == nullptr) return;
  const size_t last = LastSeparator(path);
  const size_t dot_position = static_cast<size_t>(dot - path);
  if (last == std::string::npos || dot_position > last) path[dot_position] = '\0';
}

int Directory1::Extension(const char* path, char* out) {
  const char* dot = std::strrchr(path, '.');
  if (dot == nullptr) return 1;
  const size_t length = std::strlen(dot + 1);
  SUITE_CHECK(length <= 4, kTag, "バッファが小さすぎます");
  std::memcpy(out, dot + 1, length + 1);
  return 0;
}

int Directory1::HasDrive(const char* path) { return path[0] != '\0' && path[1] == ':' ? 1 : 0; }

std::string Directory1::Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsSeparator(folder.back())) return folder + name;
  return folder + "/" + name;
}

std::string Directory1::FileName(const std::string& path) {
  const size_t last = LastSeparator(path.c_str());
  return last == std::string::npos ? path : path.substr(last + 1);
}

std::string Directory1::Folder(const std::string& path) {
  const size_t last = LastSeparator(path.c_str());
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string Directory1::LowerExtension(const std::string& path) {
  const std::string name = FileName(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "";
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

std::string Directory1::WithoutExtension(const std::string& path) {
  std::string copy = path;
  CutExtension(copy.data());
  copy.resize(std::strlen(copy.c_str()));
  return copy;
}
