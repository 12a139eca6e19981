#include "foundation/application_directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Makes the files (paths relative to `root`, "/" at the end for a folder) of one layout.
void MakeLayout(const std::string& root, const std::vector<std::string>& entries) {
  for (const std::string& entry : entries) {
    const fs::path path = fs::path(root) / entry;
    if (entry.back() == '/') {
      fs::create_directories(path);
    } else {
      fs::create_directories(path.parent_path());
      std::FILE* file = std::fopen(path.c_str(), "wb");
      ASSERT_NE(file, nullptr) << path;
      std::fclose(file);
    }
  }
}

struct LookupCase {
  const char* what;
  std::vector<std::string> layout;  // under the temporary root; programs live in bin/
  const char* name;
  const char* expected;  // relative to the root
};

TEST(DataFilePathTest, FindsDataBesideTheProgramElseInTheInstalledShareFolder) {
  const std::vector<LookupCase> cases = {
      {"build tree: beside the program",
       {"bin/Help/tessaly.html"},
       "Help/tessaly.html",
       "bin/Help/tessaly.html"},
      {"installed prefix: share folder",
       {"bin/", "share/courseloom/BitmapObject.bof"},
       "BitmapObject.bof",
       "share/courseloom/BitmapObject.bof"},
      {"both: the copy beside the program wins",
       {"bin/SetButton.wav", "share/courseloom/SetButton.wav"},
       "SetButton.wav",
       "bin/SetButton.wav"},
      {"a folder is found like a file",
       {"bin/", "share/courseloom/template_textures/"},
       "template_textures",
       "share/courseloom/template_textures"},
      {"another suite's share folder is not ours",
       {"bin/", "share/other/Texture.bmp"},
       "Texture.bmp",
       "bin/Texture.bmp"},
      {"missing everywhere: named beside the program",
       {"bin/", "share/courseloom/"},
       "BackObject.bof",
       "bin/BackObject.bof"},
  };
  for (const LookupCase& c : cases) {
    TempFolder root;
    MakeLayout(root.Path(), c.layout);
    const std::string program_folder = root.File("bin/");
    EXPECT_EQ(DataFilePathFrom(program_folder, c.name), root.File(c.expected)) << c.what;
    // The folder may also come without its "/".
    EXPECT_EQ(DataFilePathFrom(root.File("bin"), c.name), root.File(c.expected)) << c.what;
  }
}

TEST(DataFilePathTest, RunningProgramLooksBesideItself) {
  // The test program lives in the build tree, where nothing is installed.
  EXPECT_EQ(DataFilePath("no-such-data.bin"), ApplicationDirectoryPath() + "no-such-data.bin");
  EXPECT_EQ(DataFilePathFrom("", "Help/x.html"), "Help/x.html");
}

TEST(DataFilePathTest, InstalledDataFolderIsTheSiblingShareFolderWithoutDots) {
  struct Case {
    const char* program_folder;
    const char* expected;
  };
  for (const Case& c : std::vector<Case>{
           {"/usr/bin/", "/usr/share/courseloom/"},
           {"/opt/tools/bin", "/opt/tools/share/courseloom/"},
           {"/home/me/.local/bin/", "/home/me/.local/share/courseloom/"},
           {"/", "/share/courseloom/"},
       }) {
    EXPECT_EQ(InstalledDataFolder(c.program_folder), c.expected) << c.program_folder;
  }
}

TEST(SettingsPathTest,
     InstalledProgramsKeepSettingsInTheConfigFolderEvenWhenTheirFolderIsWritable) {
  TempFolder root;
  MakeLayout(root.Path(), {"build/bin/", "prefix/bin/", "prefix/share/courseloom/"});
  ::setenv("XDG_CONFIG_HOME", root.File("config").c_str(), 1);
  EXPECT_FALSE(IsInstalledProgramFolder(root.File("build/bin/")));
  EXPECT_TRUE(IsInstalledProgramFolder(root.File("prefix/bin/")));
  EXPECT_FALSE(IsInstalledProgramFolder(""));
  // A writable build folder keeps them beside the program; an installed bin folder never
  // does (a program run by the superuser would leave the file in /usr/bin).
  EXPECT_EQ(SettingsPathIn(root.File("build/bin/"), "polyconv"), root.File("build/bin/Settei.ini"));
  EXPECT_EQ(SettingsPathIn(root.File("prefix/bin/"), "polyconv"),
            root.File("config/polyconv/Settei.ini"));
  EXPECT_TRUE(fs::is_directory(root.File("config/polyconv")));
  EXPECT_FALSE(fs::exists(root.File("prefix/bin/Settei.ini")));
  ::unsetenv("XDG_CONFIG_HOME");
}

TEST(DocumentFolderTest, InstalledProgramsOfferTheHomeFolderForTheUsersFiles) {
  TempFolder root;
  MakeLayout(root.Path(), {"build/bin/", "prefix/bin/", "prefix/share/courseloom/", "home/"});
  const char* saved_home = std::getenv("HOME");
  const std::string previous_home = saved_home != nullptr ? saved_home : "";
  ::setenv("HOME", root.File("home").c_str(), 1);
  EXPECT_EQ(DocumentFolderFor(root.File("build/bin/")), root.File("build/bin/"));
  EXPECT_EQ(DocumentFolderFor(root.File("prefix/bin/")), root.File("home/"));
  ::unsetenv("HOME");
  EXPECT_EQ(DocumentFolderFor(root.File("prefix/bin/")), root.File("prefix/bin/"));
  if (saved_home != nullptr) ::setenv("HOME", previous_home.c_str(), 1);
}

}  // namespace
