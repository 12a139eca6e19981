#include "stage/stage_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/settings_file.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::StageTest;

// Records what the commands asked of the windows, in order.
class RecordingWindows : public StageWindowHooks {
 public:
  ToolStateBlock CurrentToolState() override { return tools; }
  ViewSection CurrentViews() override { return views; }
  void ResetViews() override { calls.push_back("reset views"); }
  void HideModeWindows() override { calls.push_back("hide"); }
  void ApplyToolState(const ToolStateBlock& block) override {
    calls.push_back("tools");
    applied_tools = block;
  }
  void ShowModeWindows() override { calls.push_back("show"); }
  void ApplyViews(const ViewSection& section) override {
    calls.push_back("views");
    applied_views = section;
  }
  void RedrawViews() override { calls.push_back("redraw"); }
  void EnableObjectFileCommand(bool enabled) override {
    calls.push_back(enabled ? "enable po3" : "disable po3");
  }

  ToolStateBlock tools = ToolStateBlock::Initial();
  ViewSection views;
  ToolStateBlock applied_tools;
  ViewSection applied_views;
  std::vector<std::string> calls;
};

class StageCommandsTest : public StageTest {
 protected:
  void SetUp() override {
    StageTest::SetUp();
    previous_ = Prompter::Install(&prompter_);
    context_.stage = &stage_;
    context_.windows = &windows_;
    context_.settings_path = folder_.File("Settei.ini");
  }
  void TearDown() override {
    Prompter::Install(previous_);
    stage_.Reset();
    StageTest::TearDown();
  }
  // A modified stage of three partitions with a textured road face.
  void MakeModifiedStage() {
    ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("road.pat", stage_test::StraightPat(4))),
              kPartitionLoaded);
    stage_.SetFacePictureFromFile({1, kRoadFaceSide, -1}, Picture("road.bmp"));
    ASSERT_TRUE(stage_.Modified());
  }
  std::string Image() const { return StageFile::Image(stage_, windows_.tools, windows_.views); }

  ScriptedPrompter prompter_;
  Prompter* previous_ = nullptr;
  Stage stage_;
  RecordingWindows windows_;
  StageCommandContext context_;
};

TEST_F(StageCommandsTest, SaveAsksForANameAndClearsTheModifiedFlag) {
  MakeModifiedStage();
  windows_.tools.words[30] = 1;
  const std::string path = folder_.File("saved.ste");
  prompter_.QueuePath(path);
  ASSERT_EQ(SaveStageCommand(context_), 0);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_EQ(TempFolder::Read(path), Image());
  const auto& asked = prompter_.AskedQuestions();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_EQ(asked[0].request.filters[0], (FileFilter{"(*.ste)", "*.ste"}));
  EXPECT_EQ(SettingsFile::ReadString(context_.settings_path, "FileSave", "LoadFileDir", ""),
            folder_.Path());

  stage_.SetModified();
  EXPECT_EQ(SaveStageCommand(context_), 1);  // cancelled dialog
  EXPECT_TRUE(stage_.Modified());
}

TEST_F(StageCommandsTest, AFailedSaveSaysSoAndKeepsEverything) {
  MakeModifiedStage();
  const std::string path = folder_.Write("old.ste", "old");
  prompter_.QueuePath(path);
  SetFileFaultHookForTesting(
      [](FileOperation operation) { return operation == FileOperation::kWrite; });
  EXPECT_EQ(SaveStageCommand(context_), 1);
  SetFileFaultHookForTesting(nullptr);
  EXPECT_TRUE(stage_.Modified());
  EXPECT_EQ(TempFolder::Read(path), "old");
  ASSERT_EQ(prompter_.MessageTexts().size(), 1u);
  EXPECT_EQ(prompter_.MessageTexts()[0], "ファイルのオープンに失敗");
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Error");
}

TEST_F(StageCommandsTest, AskingToSaveFollowsTheAnswer) {
  EXPECT_EQ(AskToSaveStage(context_), 0);  // not modified: no question
  EXPECT_TRUE(prompter_.AskedQuestions().empty());
  MakeModifiedStage();

  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_EQ(AskToSaveStage(context_), 1);
  const auto& question = prompter_.AskedQuestions().back();
  EXPECT_EQ(question.text, "データが変更されています。セーブしますか？");
  EXPECT_EQ(question.caption, "Message");
  EXPECT_EQ(question.buttons, PromptButtons::kYesNoCancel);

  prompter_.QueueAnswer(PromptAnswer::kNo);
  EXPECT_EQ(AskToSaveStage(context_), 0);
  EXPECT_TRUE(stage_.Modified());

  prompter_.QueueAnswer(PromptAnswer::kYes);  // then the save dialog is cancelled
  EXPECT_EQ(AskToSaveStage(context_), 1);

  prompter_.QueueAnswer(PromptAnswer::kYes);
  prompter_.QueuePath(folder_.File("yes.ste"));
  EXPECT_EQ(AskToSaveStage(context_), 0);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_TRUE(FileExists(folder_.File("yes.ste")));
}

TEST_F(StageCommandsTest, OpeningAStageReplacesItAndInformsTheWindowsInOrder) {
  MakeModifiedStage();
  stage_.SelectPartition(2);
  windows_.tools.words[1] = 1;
  windows_.views.first_pane_kind = kPerspectiveViewKind;
  const std::string path = folder_.File("open.ste");
  ASSERT_TRUE(StageFile::Save(path, stage_, windows_.tools, windows_.views));
  const std::string saved = TempFolder::Read(path);
  stage_.Reset();
  stage_.SetModified();

  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(path);
  ASSERT_EQ(OpenStageCommand(context_), 0);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 3);
  EXPECT_EQ(stage_.SelectedPartition(), 2);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_EQ(windows_.applied_tools, windows_.tools);
  EXPECT_EQ(windows_.applied_views.first_pane_kind, kPerspectiveViewKind);
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "hide", "tools", "show",
                                                      "views", "redraw", "enable po3"}));
  EXPECT_EQ(Image(), saved);
  EXPECT_EQ(prompter_.AskedQuestions().back().request.filters[0].second, "*.ste");
}

TEST_F(StageCommandsTest, ARefusedStageFileLeavesTheStageUntouched) {
  MakeModifiedStage();
  const std::string before = Image();
  std::string bytes = before;
  std::memcpy(bytes.data() + 11, "Version1.0", 10);
  const std::string old_version = folder_.Write("old.ste", bytes);
  const std::string cut = folder_.Write("cut.ste", before.substr(0, before.size() - 5));

  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(old_version);
  EXPECT_EQ(OpenStageCommand(context_), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(cut);
  EXPECT_EQ(OpenStageCommand(context_), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(folder_.File("absent.ste"));
  EXPECT_EQ(OpenStageCommand(context_), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(folder_.Write("road.pat", stage_test::StraightPat(2)));
  EXPECT_EQ(OpenStageCommand(context_), 1);

  EXPECT_EQ(
      prompter_.MessageTexts(),
      (std::vector<std::string>{
          "データが変更されています。セーブしますか？", "このファイルはバージョンが異なります",
          "データが変更されています。セーブしますか？", "ファイルが破壊されている",
          "データが変更されています。セーブしますか？", "ファイルのオープンに失敗",
          "データが変更されています。セーブしますか？",
          "このファイルはTarnhollowのファイルでない"}));
  EXPECT_EQ(Image(), before);
  EXPECT_TRUE(stage_.Modified());
  EXPECT_TRUE(windows_.calls.empty());

  // A cancel at the question or in the dialog ends the command before anything happens.
  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_EQ(OpenStageCommand(context_), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  EXPECT_EQ(OpenStageCommand(context_), 1);
  EXPECT_EQ(Image(), before);
}

TEST_F(StageCommandsTest, OpeningAPartitionFileBuildsANewStage) {
  prompter_.QueuePath(folder_.Write("road.pat", stage_test::StraightPat(5)));
  ASSERT_EQ(OpenPartitionFileCommand(context_), 0);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 4);
  EXPECT_EQ(stage_.SelectedPartition(), 0);
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "redraw", "enable po3"}));
  EXPECT_EQ(prompter_.AskedQuestions()[0].request.filters[0], (FileFilter{"(*.pat)", "*.pat"}));
  EXPECT_NE(SettingsFile::ReadString(context_.settings_path, "PatationFileOpen", "LoadFileDir", ""),
            "");
}

TEST_F(StageCommandsTest, APartitionFileThatFailsLeavesAnEmptyStage) {
  MakeModifiedStage();
  const std::string before = Image();
  prompter_.QueueAnswer(PromptAnswer::kNo);
  EXPECT_EQ(OpenPartitionFileCommand(context_), 1);  // dialog cancelled
  EXPECT_EQ(Image(), before);

  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath(folder_.Write("wrong.pat", "not a partition file"));
  EXPECT_EQ(OpenPartitionFileCommand(context_), 0);
  EXPECT_EQ(prompter_.MessageTexts().back(), "ファイルの種類が違います");
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Error");
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
  EXPECT_EQ(Bank::Count(), 0);

  prompter_.QueuePath(folder_.File("missing.pat"));
  EXPECT_EQ(OpenPartitionFileCommand(context_), 0);
  EXPECT_EQ(prompter_.MessageTexts().back(), "ファイルのオープンに失敗");
}

TEST_F(StageCommandsTest, APartitionFileThatEndsEarlyLoadsWhatIsWholeAndSaysHowMuch) {
  const std::vector<stage_test::PatLine> lines = {
      stage_test::StraightLine(0), stage_test::StraightLine(1), stage_test::StraightLine(2)};
  prompter_.QueuePath(folder_.Write("cut.pat", stage_test::PatBytes(10, lines)));
  ASSERT_EQ(OpenPartitionFileCommand(context_), 0);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 2);
  EXPECT_EQ(prompter_.MessageTexts().back(), PartitionEndsEarlyMessage(3, 10));
  EXPECT_EQ(prompter_.MessageTexts().back(),
            "ファイルが途中で終わっています。10本のラインのうち3本を読み込みました。");
}

TEST_F(StageCommandsTest, NewStageResetsAfterAskingToSave) {
  MakeModifiedStage();
  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_EQ(NewStageCommand(context_), 1);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 3);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  EXPECT_EQ(NewStageCommand(context_), 0);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "disable po3", "redraw"}));
}

}  // namespace
