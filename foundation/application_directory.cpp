#include "foundation/application_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

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

std::string SettingsPathIn(const std::string& folder, const std::string& program) {
  if (!folder.empty() && ::access(folder.c_str(), W_OK) == 0) return folder + "Settei.ini";
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
