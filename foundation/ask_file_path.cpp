#include "foundation/ask_file_path.h"

#include <filesystem>
#include <system_error>

#include "foundation/directory.h"
#include "foundation/settings_file.h"

int AskFilePath(PromptOwner owner, std::string& path, const std::string& section,
                const std::string& settings_path, const std::vector<FileFilter>& filters,
                FileDialogKind kind, const std::string& title) {
  path.clear();
  FileDialogRequest request;
  request.title = title;
  request.filters = filters;
  request.start_folder = SettingsFile::ReadString(settings_path, section, "LoadFileDir", "");
  if (kind == FileDialogKind::kSave && !filters.empty()) {
    const std::string& pattern = filters.front().second;
    if (pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0 &&
        pattern.find_first_of(";*", 2) == std::string::npos) {
      request.default_suffix = pattern.substr(2);
    }
  }
  const std::string chosen = kind == FileDialogKind::kOpen
                                 ? Prompter::Current().OpenFile(owner, request)
                                 : Prompter::Current().SaveFile(owner, request);
  if (chosen.empty()) return 1;
  path = chosen;
  RememberDialogFolder(settings_path, section, chosen);
  return 0;
}

void RememberDialogFolder(const std::string& settings_path, const std::string& section,
                          const std::string& chosen) {
  const std::string folder = Directory1::Folder(chosen);
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) return;
  SettingsFile::WriteString(settings_path, section, "LoadFileDir", folder);
}
