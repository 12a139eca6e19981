// The file dialog that remembers its folder: the section's "LoadFileDir" in the settings file
// is the start folder, and is replaced by the chosen file's folder when a path was chosen.
#pragma once

#include <string>
#include <vector>

#include "foundation/prompter.h"

enum class FileDialogKind { kOpen = 1, kSave = 2 };

// 0 when a path was chosen (in `path`), 1 when the dialog was cancelled (settings untouched).
int AskFilePath(PromptOwner owner, std::string& path, const std::string& section,
                const std::string& settings_path, const std::vector<FileFilter>& filters,
                FileDialogKind kind, const std::string& title = "");

// Writes the folder of `chosen` as the section's "LoadFileDir", unless that folder does not
// exist: a name typed into a save dialog may point anywhere, and the next dialog must not start
// in a folder the save could not create.
void RememberDialogFolder(const std::string& settings_path, const std::string& section,
                          const std::string& chosen);
