#include "foundation/prompter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/ask_file_path.h"
#include "foundation/file_io.h"
#include "foundation/settings_file.h"
#include "tests/support/temp_folder.h"

namespace {

class AskFilePathTest : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = Prompter::Install(&prompter_); }
  void TearDown() override { Prompter::Install(previous_); }
  ScriptedPrompter prompter_;
  Prompter* previous_ = nullptr;
  TempFolder folder_;
};

TEST_F(AskFilePathTest, ChosenPathRemembersItsFolderCancelTouchesNothing) {
  const std::string settings = folder_.File("Settei.ini");
  const std::vector<FileFilter> filters = {{"Tessaly(*.tsy)", "*.tsy"}};
  std::string path = "stale";
  EXPECT_EQ(AskFilePath(nullptr, path, "FileOut", settings, filters, FileDialogKind::kSave), 1);
  EXPECT_EQ(path, "");
  EXPECT_FALSE(FileExists(settings));

  const std::string out = folder_.File("out");
  std::filesystem::create_directory(out);
  prompter_.QueuePath(out + "/anim.tsy");
  EXPECT_EQ(AskFilePath(nullptr, path, "FileOut", settings, filters, FileDialogKind::kSave), 0);
  EXPECT_EQ(path, out + "/anim.tsy");
  EXPECT_EQ(SettingsFile::ReadString(settings, "FileOut", "LoadFileDir", ""), out);

  AskFilePath(nullptr, path, "FileOut", settings, filters, FileDialogKind::kOpen);
  ASSERT_EQ(prompter_.AskedQuestions().size(), 3u);
  const auto& last = prompter_.AskedQuestions().back();
  EXPECT_EQ(last.kind, ScriptedPrompter::Asked::Kind::kOpenFile);
  EXPECT_EQ(last.request.start_folder, out);
  EXPECT_EQ(prompter_.AskedQuestions()[1].request.default_suffix, "tsy");
}

TEST_F(AskFilePathTest, ANameInAFolderThatDoesNotExistKeepsTheRememberedFolder) {
  const std::string settings = folder_.File("Settei.ini");
  const std::vector<FileFilter> filters = {{"Course(*.cus)", "*.cus"}};
  std::string path;
  prompter_.QueuePath(folder_.File("course.cus"));
  ASSERT_EQ(AskFilePath(nullptr, path, "Save", settings, filters, FileDialogKind::kSave), 0);
  // The save that follows such an answer fails; the next dialog starts where the last good
  // one did.
  for (const std::string& typed : {folder_.File("gone/course.cus"), std::string("/no/such/x.cus"),
                                   folder_.File("course.cus/inside.cus")}) {
    prompter_.QueuePath(typed);
    ASSERT_EQ(AskFilePath(nullptr, path, "Save", settings, filters, FileDialogKind::kSave), 0);
    EXPECT_EQ(path, typed);
    EXPECT_EQ(SettingsFile::ReadString(settings, "Save", "LoadFileDir", ""), folder_.Path())
        << typed;
  }
}

TEST(ScriptedPrompterTest, AnswersFromItsQueueThenWithTheHarmlessAnswer) {
  ScriptedPrompter prompter;
  prompter.QueueAnswer(PromptAnswer::kYes);
  EXPECT_EQ(prompter.Message(nullptr, "Message", "保存しますか?", PromptIcon::kQuestion,
                             PromptButtons::kYesNoCancel),
            PromptAnswer::kYes);
  EXPECT_EQ(prompter.Message(nullptr, "Message", "again", PromptIcon::kQuestion,
                             PromptButtons::kYesNoCancel),
            PromptAnswer::kCancel);
  EXPECT_EQ(prompter.Message(nullptr, "Error", "x", PromptIcon::kError, PromptButtons::kOk),
            PromptAnswer::kOk);
  EXPECT_EQ(prompter.MessageTexts(), (std::vector<std::string>{"保存しますか?", "again", "x"}));
  PromptColour colour;
  std::array<uint32_t, 16> custom{};
  prompter.QueueColour(true, {1, 2, 3});
  EXPECT_TRUE(prompter.ChooseColour(nullptr, colour, custom));
  EXPECT_EQ(colour.blue, 3);
  EXPECT_FALSE(prompter.ChooseColour(nullptr, colour, custom));
}

}  // namespace
