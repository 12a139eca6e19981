// The program's own directory, where its shipped data files are and where its settings file
// lives.
#pragma once

#include <cstddef>
#include <string>

// The folder under <prefix>/share/ that an installed suite keeps its data files in.
inline constexpr char kSuiteDataFolderName[] = "courseloom";

// The folder of the running program, ending with "/". 0 on success, 1 when it cannot be
// read or does not fit in `capacity` bytes with its NUL.
int ApplicationDirectory(char* buffer, size_t capacity);
std::string ApplicationDirectoryPath();

// Where a data file shipped with the programs (templates and their pictures, help pages,
// sounds, textures) is found: `name` (a relative path such as "Help/tessaly.html") beside
// the running program, as in the build tree, else in ../share/courseloom/ relative to it, as
// in an installed prefix. When neither holds it, the path beside the program, so a message
// names a place the file was looked for.
std::string DataFilePath(const std::string& name);
// The same look-up from the program folder `program_folder` (ending with "/").
std::string DataFilePathFrom(const std::string& program_folder, const std::string& name);

// "<program_folder>../share/courseloom/" without the "..", ending with "/".
std::string InstalledDataFolder(const std::string& program_folder);
// True when `folder` is the bin folder of an installed prefix: the prefix has the suite's
// share folder. Nothing the programs write belongs in such a folder.
bool IsInstalledProgramFolder(const std::string& folder);

// The folder offered for the user's own files when nothing is remembered: `program_folder`
// itself, unless the program is installed; then the home folder ($HOME, ending with "/").
std::string DocumentFolderFor(const std::string& program_folder);

// "Settei.ini" in `folder` (which ends with "/") when that folder can be written and is not
// an installed program folder, otherwise in $XDG_CONFIG_HOME/<program>/ (default
// ~/.config/<program>/), created when missing.
std::string SettingsPathIn(const std::string& folder, const std::string& program);
