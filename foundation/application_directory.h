// The program's own directory and where its settings file lives.
#pragma once

#include <cstddef>
#include <string>

// The folder of the running program, ending with "/". 0 on success, 1 when it cannot be
// read or does not fit in `capacity` bytes with its NUL.
int ApplicationDirectory(char* buffer, size_t capacity);
std::string ApplicationDirectoryPath();

// "Settei.ini" in `folder` (which ends with "/") when that folder can be written, otherwise
// in $XDG_CONFIG_HOME/<program>/ (default ~/.config/<program>/), created when missing.
std::string SettingsPathIn(const std::string& folder, const std::string& program);
