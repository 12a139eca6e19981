#include <string>
#include <vector>

#include "foundation/settings_file.h"
#include "fuzz/inputs/fuzz_inputs.h"

namespace {

struct SettingsKey {
  const char* section;
  const char* key;
};

// Sections and keys the programs use, and a few that differ only in case from them.
constexpr SettingsKey kKeys[] = {
    {"LoadFileDir", "Dir"},      {"LoadFileDir", "PatDir"},   {"loadfiledir", "dir2"},
    {"MainWindow", "Left"},      {"MainWindow", "Top"},       {"MainWindow", "ShowCmd"},
    {"Settei", "ColorBits"},     {"Tessaly", "Delay"},        {"", ""},
};
constexpr const char* kMissing = "\x01missing";

}  // namespace

std::string ExerciseSettingsFile(std::string_view bytes) {
  const std::string path = ScratchFile(bytes, ".ini");
  std::vector<std::string> before;
  for (const SettingsKey& k : kKeys) {
    before.push_back(SettingsFile::ReadString(path, k.section, k.key, kMissing));
    SettingsFile::ParseInt(before.back());
  }
  SettingsFile::ReadInt(path, kKeys[3].section, kKeys[3].key, -1);
  // Every write goes to the first key; the others must keep their values.
  const std::string value = "/home/author/courses";
  if (!SettingsFile::WriteString(path, kKeys[0].section, kKeys[0].key, value)) {
    return "a settings write failed";
  }
  if (SettingsFile::ReadString(path, kKeys[0].section, kKeys[0].key, kMissing) != value) {
    return "a written setting does not read back";
  }
  for (size_t i = 1; i < before.size(); ++i) {
    if (SettingsFile::ReadString(path, kKeys[i].section, kKeys[i].key, kMissing) != before[i]) {
      return std::string("writing one setting changed another: [") + kKeys[i].section + "] " +
             kKeys[i].key;
    }
  }
  return "";
}
