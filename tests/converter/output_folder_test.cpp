#include "converter/output_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "converter/cob_conversion.h"
#include "tests/converter/unwritable_folder.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(OutputFolderTest, MakesWhatIsMissingAndTellsWhyItCannot) {
  TempFolder folder;
  folder.Write("file", "x");
  const struct {
    std::string output;
    bool ok;
    std::string directory;                     // when ok
    std::vector<std::string> created;          // when ok
    std::string message_start, named, reason;  // when refused
  } cases[] = {
      {folder.File("out.po3"), true, folder.Path() + "/", {}, "", "", ""},
      {folder.File("new/deeper/out.po3"),
       true,
       folder.File("new/deeper/"),
       {folder.File("new"), folder.File("new/deeper")},
       "",
       "",
       ""},
      {folder.File("file/out.po3"),
       false,
       "",
       {},
       kCannotCreateDirectory,
       folder.File("file"),
       std::strerror(ENOTDIR)},
      {folder.File("file/sub/out.po3"),
       false,
       "",
       {},
       kCannotCreateDirectory,
       folder.File("file/sub"),
       std::strerror(ENOTDIR)},
  };
  for (const auto& c : cases) {
    OutputFolder output;
    std::string error;
    EXPECT_EQ(output.Prepare(c.output, &error), c.ok) << c.output;
    if (c.ok) {
      EXPECT_EQ(output.Directory(), c.directory);
      EXPECT_EQ(output.Created(), c.created);
      EXPECT_TRUE(fs::is_directory(c.directory));
      output.RemoveCreated();
      for (const std::string& made : c.created) EXPECT_FALSE(fs::exists(made)) << made;
    } else {
      EXPECT_EQ(error.rfind(c.message_start, 0), 0u) << error;
      EXPECT_NE(error.find(c.named), std::string::npos) << error;
      EXPECT_NE(error.find(c.reason), std::string::npos) << error;
      EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
  }
}

TEST(OutputFolderTest, AFolderThatTakesNoFilesIsToldAsAFileThatCannotBeWritten) {
  TempFolder folder;
  const std::string locked = UnwritableFolder(folder);
  if (locked.empty()) GTEST_SKIP() << "no folder here refuses new files";
  const std::string output = locked + "/out.po3";
  OutputFolder prepared;
  std::string error;
  EXPECT_FALSE(prepared.Prepare(output, &error));
  EXPECT_EQ(error.find(kCannotCreateDirectory), std::string::npos) << error;
  EXPECT_NE(error.find("書き込めません"), std::string::npos) << error;
  EXPECT_NE(error.find(output), std::string::npos) << error;
  EXPECT_NE(error.find(':', error.find(output) + output.size()), std::string::npos) << error;
  // A folder made beneath it is impossible too, and nothing stays behind.
  EXPECT_FALSE(prepared.Prepare(locked + "/new/out.po3", &error));
  EXPECT_FALSE(fs::exists(locked + "/new"));
}

TEST(OutputFolderTest, RemovingKeepsFoldersThatGotFiles) {
  TempFolder folder;
  OutputFolder output;
  std::string error;
  ASSERT_TRUE(output.Prepare(folder.File("a/b/c/out.po3"), &error)) << error;
  std::ofstream(folder.File("a/b/keep.txt")) << "x";
  output.RemoveCreated();
  EXPECT_FALSE(fs::exists(folder.File("a/b/c")));
  EXPECT_TRUE(fs::exists(folder.File("a/b/keep.txt")));
  EXPECT_TRUE(output.Created().empty());
}

}  // namespace
