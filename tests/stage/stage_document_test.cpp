#include "stage/stage_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/settings_file.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/stage_file.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;
using stage_test::PatBytes;
using stage_test::StraightLine;

// Records what the document asked of the windows, in order.
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

class StageDocumentTest : public ObjectsTest {
 protected:
  StageDocumentTest() {
    context_.stage = &stage_;
    context_.windows = &windows_;
    context_.settings_path = folder_.File("Settei.ini");
  }
  StageDocument Document() { return StageDocument(context_); }
  // A modified stage on a road of four lines.
  void Modify() {
    LoadRoad(4);
    ASSERT_TRUE(stage_.AddWire(1, kLeftSide, {-15, 0, 20}));
    ASSERT_TRUE(stage_.Modified());
  }
  // A stage file of a road with one wire, in mode 1, the split view opening with the
  // perspective view.
  std::string SavedStage(const std::string& name) {
    Stage other;
    const std::string pat = folder_.Write("other.pat", stage_test::StraightPat(6));
    EXPECT_EQ(LoadPartitionFile(other, pat), 0);
    other.SelectPartition(2);
    EXPECT_TRUE(other.AddWire(2, kRightSide, {15, 0, 30}));
    ToolStateBlock tools;
    tools.words[ToolStateBlock::kMode1] = 1;
    ViewSection views;
    views.first_pane_kind = kPerspectiveViewKind;
    const std::string path = folder_.File(name);
    EXPECT_TRUE(StageFile::Save(path, other, tools, views));
    other.Reset();
    return path;
  }

  RecordingWindows windows_;
  StageCommandContext context_;
};

TEST_F(StageDocumentTest, SaveAsksForANameOnceThenSavesToTheCurrentFile) {
  StageDocument document = Document();
  EXPECT_EQ(document.TitleName(), "無題");
  Modify();
  const std::string path = folder_.File("road.ste");
  prompter_.QueuePath(path);
  windows_.tools.words[ToolStateBlock::kPointMoveX] = 1;
  ASSERT_EQ(document.Save(), 0);
  EXPECT_EQ(document.Path(), path);
  EXPECT_EQ(document.TitleName(), "road.ste");
  EXPECT_FALSE(stage_.Modified());
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  EXPECT_EQ(prompter_.AskedQuestions()[0].kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_EQ(prompter_.AskedQuestions()[0].request.filters[0], (FileFilter{"(*.ste)", "*.ste"}));
  EXPECT_EQ(SettingsFile::ReadString(context_.settings_path, "FileSave", "LoadFileDir", ""),
            folder_.Path());
  EXPECT_EQ(TempFolder::Read(path), StageFile::Image(stage_, windows_.tools, windows_.views));

  // The second save goes to the same file without a question and carries the live tools.
  ASSERT_TRUE(stage_.AddWire(1, kLeftSide, {-25, 0, 20}));
  windows_.tools.words[ToolStateBlock::kPointMoveY] = 1;
  ASSERT_EQ(document.Save(), 0);
  EXPECT_EQ(prompter_.AskedQuestions().size(), 1u);
  Stage reread;
  ToolStateBlock tools;
  ViewSection views;
  ASSERT_EQ(StageFile::Load(path, reread, &tools, &views), StageFileResult::kOk);
  EXPECT_EQ(reread.GetTerrain().WireCount(1, kLeftSide), 2);
  EXPECT_EQ(tools, windows_.tools);
  reread.Reset();

  // Save as with its dialog cancelled keeps the file and the modified flag.
  ASSERT_TRUE(stage_.AddWire(1, kLeftSide, {-35, 0, 20}));
  prompter_.QueuePath("");
  EXPECT_EQ(document.SaveAs(), 1);
  EXPECT_TRUE(stage_.Modified());
  EXPECT_EQ(document.Path(), path);
}

TEST_F(StageDocumentTest, AFailedSaveKeepsTheFileNameAndTheModifiedFlag) {
  StageDocument document = Document();
  Modify();
  ASSERT_EQ(document.SaveTo(folder_.File("road.ste")), 0);
  ASSERT_TRUE(stage_.AddWire(1, kLeftSide, {-25, 0, 20}));
  EXPECT_EQ(document.SaveTo(folder_.File("missing/elsewhere.ste")), 1);
  EXPECT_TRUE(stage_.Modified());
  EXPECT_EQ(document.TitleName(), "road.ste");
  ASSERT_FALSE(prompter_.MessageTexts().empty());
  EXPECT_EQ(prompter_.MessageTexts().back().rfind("ファイルのオープンに失敗\n", 0), 0u);
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Error");

  // A write that fails part way leaves the old file as it was.
  const std::string old = folder_.Write("old.ste", "old");
  SetFileFaultHookForTesting(
      [](FileOperation operation) { return operation == FileOperation::kWrite; });
  EXPECT_EQ(document.SaveTo(old), 1);
  SetFileFaultHookForTesting(nullptr);
  EXPECT_EQ(TempFolder::Read(old), "old");
  EXPECT_TRUE(stage_.Modified());
  EXPECT_EQ(document.TitleName(), "road.ste");
}

TEST_F(StageDocumentTest, TheQuestionBeforeACommandDecidesWhetherItRuns) {
  struct Case {
    const char* name;
    bool modified;
    bool has_file;
    std::vector<PromptAnswer> answers;
    const char* save_path;  // answer of a save dialog, "" for a cancelled one
    int result;
    bool saved;
  };
  const Case cases[] = {
      {"unmodified: no question", false, false, {}, nullptr, 0, false},
      {"cancel stops", true, true, {PromptAnswer::kCancel}, nullptr, 1, false},
      {"no goes on without saving", true, true, {PromptAnswer::kNo}, nullptr, 0, false},
      {"yes saves to the current file", true, true, {PromptAnswer::kYes}, nullptr, 0, true},
      {"yes asks for a name when there is none",
       true,
       false,
       {PromptAnswer::kYes},
       "new.ste",
       0,
       true},
      {"a cancelled name stops", true, false, {PromptAnswer::kYes}, "", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stage_.Reset();
    StageDocument document = Document();
    if (c.modified) Modify();
    if (c.has_file) {
      ASSERT_EQ(document.SaveTo(folder_.File("current.ste")), 0);
      ASSERT_TRUE(stage_.AddWire(1, kRightSide, {15, 0, 20}));
    }
    prompter_.ClearRecord();
    for (PromptAnswer answer : c.answers) prompter_.QueueAnswer(answer);
    if (c.save_path != nullptr) {
      prompter_.QueuePath(*c.save_path ? folder_.File(c.save_path) : "");
    }
    EXPECT_EQ(document.AskToSave(), c.result);
    EXPECT_EQ(!stage_.Modified(), c.saved || !c.modified);
    EXPECT_EQ(prompter_.MessageTexts().size(), c.modified ? 1u : 0u);
    if (c.modified) {
      EXPECT_EQ(prompter_.MessageTexts()[0], "データが変更されています。セーブしますか？");
    }
  }
}

TEST_F(StageDocumentTest, OpeningAGoodFileHandsTheWindowsItsStateInOrder) {
  StageDocument document = Document();
  const std::string path = SavedStage("saved.ste");
  prompter_.QueuePath(path);
  ASSERT_EQ(document.Open(), 0);
  EXPECT_EQ(prompter_.AskedQuestions().back().request.filters[0].second, "*.ste");
  EXPECT_EQ(document.TitleName(), "saved.ste");
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 5);
  EXPECT_EQ(stage_.SelectedPartition(), 2);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_EQ(windows_.applied_tools.words[ToolStateBlock::kMode1], 1);
  EXPECT_EQ(windows_.applied_views.first_pane_kind, kPerspectiveViewKind);
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "hide", "tools", "show",
                                                      "views", "redraw", "enable po3"}));
  // The stage read is the stage written.
  EXPECT_EQ(StageFile::Image(stage_, windows_.applied_tools, windows_.applied_views),
            TempFolder::Read(path));
}

TEST_F(StageDocumentTest, ARefusedFileChangesNothing) {
  StageDocument document = Document();
  Modify();
  ASSERT_EQ(document.SaveTo(folder_.File("mine.ste")), 0);
  std::string bytes = TempFolder::Read(SavedStage("other.ste"));
  const struct {
    const char* name;
    std::string bytes;  // "" for a file that does not exist
    const char* message;
  } cases[] = {
      {"not.ste", "Something else entirely", "このファイルはTarnhollowのファイルでない"},
      {"road.pat", stage_test::StraightPat(2), "このファイルはTarnhollowのファイルでない"},
      {"old.ste", std::string("Tarnhollow\0Version1.0\0", 22),
       "このファイルはバージョンが異なります"},
      {"short.ste", bytes.substr(0, bytes.size() - 9), "ファイルが破壊されている"},
      {"absent.ste", "", "ファイルのオープンに失敗"},
  };
  for (const auto& c : cases) {
    prompter_.ClearRecord();
    windows_.calls.clear();
    const std::string path =
        c.bytes.empty() ? folder_.File(c.name) : folder_.Write(c.name, c.bytes);
    EXPECT_EQ(document.OpenAt(path), 1) << c.name;
    EXPECT_EQ(prompter_.MessageTexts(),
              std::vector<std::string>{std::string(c.message) + "\n" + folder_.File(c.name)});
    EXPECT_TRUE(windows_.calls.empty());
    EXPECT_EQ(document.TitleName(), "mine.ste");
    EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 3);
  }
  // Open with its dialog: cancelled at the question, or at the dialog.
  ASSERT_TRUE(stage_.AddWire(1, kRightSide, {15, 0, 20}));
  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_EQ(document.Open(), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath("");
  EXPECT_EQ(document.Open(), 1);
  EXPECT_TRUE(stage_.Modified());
}

TEST_F(StageDocumentTest, NewAndPartitionFilesGiveUntitledStages) {
  StageDocument document = Document();
  ASSERT_EQ(document.OpenAt(SavedStage("saved.ste")), 0);
  ASSERT_TRUE(stage_.AddWire(1, kRightSide, {15, 0, 20}));
  windows_.calls.clear();
  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_EQ(document.New(), 1);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 5);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  ASSERT_EQ(document.New(), 0);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_EQ(document.TitleName(), "無題");
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "disable po3", "redraw"}));

  windows_.calls.clear();
  const std::string pat = folder_.Write("road.pat", stage_test::StraightPat(5));
  prompter_.QueuePath(pat);
  ASSERT_EQ(document.OpenPartitionFile(), 0);
  EXPECT_EQ(prompter_.AskedQuestions().back().request.filters[0], (FileFilter{"(*.pat)", "*.pat"}));
  EXPECT_EQ(SettingsFile::ReadString(context_.settings_path, "PatationFileOpen", "LoadFileDir", ""),
            folder_.Path());
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 4);
  EXPECT_EQ(stage_.SelectedPartition(), 0);
  EXPECT_EQ(document.TitleName(), "無題");
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "redraw", "enable po3"}));

  // A file of another kind leaves an empty stage, with no road to put objects on.
  windows_.calls.clear();
  EXPECT_EQ(document.OpenPartitionFileAt(folder_.Write("bad.pat", "PATV9.9 nothing")), 1);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
  EXPECT_EQ(prompter_.MessageTexts().back(),
            "ファイルの種類が違います\n" + folder_.File("bad.pat"));
  EXPECT_EQ(windows_.calls, (std::vector<std::string>{"reset views", "disable po3", "redraw"}));
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Error");
  EXPECT_EQ(PictureBankHighColor1::Count(), 0);
  EXPECT_EQ(document.OpenPartitionFileAt(folder_.File("missing.pat")), 1);
  EXPECT_EQ(prompter_.MessageTexts().back(),
            "ファイルのオープンに失敗\n" + folder_.File("missing.pat"));

  // A file that ends before its line count keeps the partitions that are whole and says how
  // many lines were read.
  const std::string cut =
      folder_.Write("cut.pat", PatBytes(10, {StraightLine(0), StraightLine(1), StraightLine(2)}));
  ASSERT_EQ(document.OpenPartitionFileAt(cut), 0);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 2);
  EXPECT_EQ(prompter_.MessageTexts().back(),
            "ファイルが途中で終わっています。10本のラインのうち3本を読み込みました。");
  EXPECT_EQ(prompter_.MessageTexts().back(), PartitionEndsEarlyMessage(3, 10));

  // A cancelled dialog leaves the stage as it was.
  ASSERT_TRUE(stage_.AddWire(1, kRightSide, {15, 0, 20}));
  const std::string before = StageFile::Image(stage_, windows_.tools, windows_.views);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  prompter_.QueuePath("");
  EXPECT_EQ(document.OpenPartitionFile(), 1);
  EXPECT_EQ(StageFile::Image(stage_, windows_.tools, windows_.views), before);
}

}  // namespace
