#include "foundation/settings_file.h"

#include <gtest/gtest.h>

#include "foundation/application_directory.h"
#include "foundation/file_io.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(SettingsFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  TempFolder folder;
  const std::string path = folder.File("Settei.ini");
  EXPECT_EQ(SettingsFile::ReadString(path, "FileOut", "LoadFileDir", "none"), "none");
  EXPECT_EQ(SettingsFile::ReadInt(path, "MainWindow", "Top", 10), 10);
  folder.Write("Settei.ini", "[Other]\r\nTop=3\r\n");
  EXPECT_EQ(SettingsFile::ReadInt(path, "MainWindow", "Top", 10), 10);
}

TEST(SettingsFileTest, WritesCreateTheFileAndSectionAndKeepOtherLines) {
  TempFolder folder;
  const std::string path = folder.File("Settei.ini");
  ASSERT_TRUE(SettingsFile::WriteString(path, "FileOut", "LoadFileDir", "/home/me/out"));
  EXPECT_EQ(TempFolder::Read(path), "[FileOut]\r\nLoadFileDir=/home/me/out\r\n");

  folder.Write("Settei.ini",
               "; comment kept\r\n[MainWindow]\r\nTop=5\r\n\r\n[FileOut]\r\nloadfiledir=old\r\n");
  ASSERT_TRUE(SettingsFile::WriteInt(path, "mainwindow", "Left", 7));
  ASSERT_TRUE(SettingsFile::WriteString(path, "FILEOUT", "LoadFileDir", "new"));
  EXPECT_EQ(TempFolder::Read(path),
            "; comment kept\r\n[MainWindow]\r\nTop=5\r\nLeft=7\r\n\r\n[FileOut]\r\n"
            "LoadFileDir=new\r\n");
  EXPECT_EQ(SettingsFile::ReadString(path, "fileout", "LOADFILEDIR", ""), "new");
  EXPECT_EQ(SettingsFile::ReadInt(path, "MainWindow", "left", 0), 7);
}

TEST(SettingsFileTest, SeveralKeysGoInOneSaveWithTheSameRules) {
  TempFolder folder;
  const std::string path =
      folder.Write("Settei.ini", "[Main]\r\ntop=5\r\n\r\n[Other]\r\nTop=9\r\n");
  static int renames = 0;
  renames = 0;
  SetFileFaultHookForTesting([](FileOperation operation) {
    if (operation == FileOperation::kRename) ++renames;
    return false;
  });
  const bool written =
      SettingsFile::WriteStrings(path, "MAIN", {{"Top", "1"}, {"Left", "2"}, {"Right", "3"}});
  SetFileFaultHookForTesting(nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(renames, 1);
  EXPECT_EQ(TempFolder::Read(path),
            "[Main]\r\nTop=1\r\nLeft=2\r\nRight=3\r\n\r\n[Other]\r\nTop=9\r\n");
  ASSERT_TRUE(SettingsFile::WriteStrings(folder.File("new.ini"), "S", {{"a", "x"}, {"b", "y"}}));
  EXPECT_EQ(TempFolder::Read(folder.File("new.ini")), "[S]\r\na=x\r\nb=y\r\n");
}

TEST(SettingsFileTest, IntegersParseLikeTheProfileFunctions) {
  EXPECT_EQ(SettingsFile::ParseInt("  42  "), 42);
  EXPECT_EQ(SettingsFile::ParseInt("-3"), -3);
  EXPECT_EQ(SettingsFile::ParseInt("12abc"), 12);
  EXPECT_EQ(SettingsFile::ParseInt("abc"), 0);
  EXPECT_EQ(SettingsFile::ParseInt("0x1F"), 31);
  EXPECT_EQ(SettingsFile::ParseInt("16777215"), 16777215);
  TempFolder folder;
  folder.Write("Settei.ini", "[S]\nName = \"quoted value\" \nN=\n");
  EXPECT_EQ(SettingsFile::ReadString(folder.File("Settei.ini"), "S", "Name", ""), "quoted value");
  // A present but empty value is 0, not the default.
  EXPECT_EQ(SettingsFile::ReadInt(folder.File("Settei.ini"), "S", "N", 9), 0);
}

TEST(SettingsFileTest, UnwritableFileReportsFailure) {
  TempFolder folder;
  EXPECT_FALSE(SettingsFile::WriteString(folder.File("missing/Settei.ini"), "S", "K", "V"));
}

TEST(ApplicationDirectoryTest, IsTheFolderOfTheRunningProgramEndingWithSlash) {
  const std::string folder = ApplicationDirectoryPath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  char buffer[4096];
  ASSERT_EQ(ApplicationDirectory(buffer, sizeof buffer), 0);
  EXPECT_EQ(folder, buffer);
  EXPECT_EQ(ApplicationDirectory(buffer, folder.size()), 1);
  EXPECT_EQ(ApplicationDirectory(buffer, folder.size() + 1), 0);
}

TEST(ApplicationDirectoryTest, SettingsGoToTheConfigFolderWhenTheProgramFolderIsReadOnly) {
  TempFolder folder;
  EXPECT_EQ(SettingsPathIn(folder.Path() + "/", "tessaly"), folder.Path() + "/Settei.ini");
  ::setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
  EXPECT_EQ(SettingsPathIn("/nonexistent/folder/", "tessaly"),
            folder.File("config") + "/tessaly/Settei.ini");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
