#include "foundation/application_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

bool IsDirectory(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::string ApplicationDirectoryPath() {
  char module_path[4096];
  const ssize_t n = ::readlink("/proc/self/exe", module_path, sizeof module_path - 1);
  if (n <= 0) return {};
  module_path[n] = '\0';
  std::string path(module_path);
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

int ApplicationDirectory(char* buffer, size_t capacity) {
  const std::string folder = ApplicationDirectoryPath();
  if (folder.empty() || folder.size() + 1 > capacity) return 1;
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return 0;
}

std::string InstalledDataFolder(const std::string& program_folder) {
  // /proc/self/exe holds no symbolic links, so removing ".." by hand names the same folder.
  const std::filesystem::path shared =
      std::filesystem::path(WithSlash(program_folder)) / ".." / "share" / kSuiteDataFolderName / "";
  return shared.lexically_normal().string();
}

bool IsInstalledProgramFolder(const std::string& folder) {
  return !folder.empty() && IsDirectory(InstalledDataFolder(folder));
}

std::string DataFilePathFrom(const std::string& program_folder, const std::string& name) {
  const std::string beside = WithSlash(program_folder) + name;
  if (program_folder.empty() || Exists(beside)) return beside;
  const std::string installed = InstalledDataFolder(program_folder) + name;
  return Exists(installed) ? installed : beside;
}

std::string DataFilePath(const std::string& name) {
  return DataFilePathFrom(ApplicationDirectoryPath(), name);
}

std::string DocumentFolderFor(const std::string& program_folder) {
  if (!IsInstalledProgramFolder(program_folder)) return program_folder;
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? WithSlash(home) : program_folder;
}

std::string SettingsPathIn(const std::string& folder, const std::string& program) {
  if (!folder.empty() && !IsInstalledProgramFolder(folder) && ::access(folder.c_str(), W_OK) == 0) {
    return folder + "Settei.ini";
  }
  std::string config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] != '\0') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr) {
    config = std::string(home) + "/.config";
  } else {
    config = "/tmp";
  }
  const std::string settings_folder = config + "/" + program + "/";
  std::error_code ignored;
  std::filesystem::create_directories(settings_folder, ignored);
  return settings_folder + "Settei.ini";
}
