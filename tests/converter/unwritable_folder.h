// A folder that exists but takes no new files, for the tests of refused output folders. A
// folder without write permission does that for ordinary users; the superuser writes there
// anyway, so a folder of the kernel's own file system stands in. "" when neither works.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

inline bool TakesNewFiles(const std::string& folder) {
  const std::string probe = folder + "/.probe";
  std::FILE* file = std::fopen(probe.c_str(), "wb");
  if (file == nullptr) return false;
  std::fclose(file);
  std::remove(probe.c_str());
  return true;
}

inline std::string UnwritableFolder(const TempFolder& folder) {
  const std::string locked = folder.File("locked");
  std::filesystem::create_directory(locked);
  ::chmod(locked.c_str(), 0555);
  if (!TakesNewFiles(locked)) return locked;
  std::error_code error;
  if (std::filesystem::is_directory("/sys/kernel", error) && !TakesNewFiles("/sys/kernel")) {
    return "/sys/kernel";
  }
  return "";
}
