// Recovery copies of the stage editor: written while the stage has unsaved changes, gone
// after a save, new, open and a clean exit, offered at the next start, and the work back
// after the editor was killed.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "foundation/file_io.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/recovery_copy.h"
#include "stage/gui/tarnhollow_program.h"
#include "stage/stage_file.h"
#include "stage/tool_buttons.h"
#include "tests/stage/gui/mainwin_fixture.h"
#include "tests/support/recovery_child_process.h"

namespace {

using mainwin_test::Editor;
using W = StageMainWindow1;

// Puts a file a crashed editor left into `folder`; its path.
std::string Leave(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(AtomicWriteFile(folder + name, bytes));
  return folder + name;
}

// A stage file's bytes of a road of 6 lines with one wire on the left of partition 0.
std::string StageWithAWire() {
  Editor e;
  e.OpenRoad(6);
  e.window->Command(kWireEditButton);
  e.window->Command(kLeftAddButton);
  return StageFile::Image(e.stage(), e.window->ToolState(), e.window->CurrentViews());
}

TEST(StageRecoveryTest, TheCopyHoldsUnsavedWorkOnly) {
  Editor e("[Recovery]\nAutoSaveMinutes=5\n");
  RecoveryKeeper& keeper = *e.window->Recovery();
  EXPECT_EQ(keeper.Timer()->interval(), 5 * 60 * 1000);
  e.OpenRoad(6);
  keeper.Tick();
  EXPECT_FALSE(keeper.CopyExists()) << "nothing unsaved";

  e.window->Command(kWireEditButton);
  e.window->Command(kLeftAddButton);
  keeper.Tick();
  ASSERT_TRUE(keeper.CopyExists());
  EXPECT_EQ(keeper.CopyPath().rfind(e.StateFolder(), 0), 0u);
  RecoveredDocument copy;
  ASSERT_EQ(RecoveryCopy::Read(keeper.CopyPath(), &copy), RecoveryReadResult::kOk);
  EXPECT_EQ(copy.original_path, "");
  EXPECT_EQ(copy.bytes,
            StageFile::Image(e.stage(), e.window->ToolState(), e.window->CurrentViews()));

  const std::string file = e.folder.File("road.ste");
  e.prompter.QueuePath(file);
  e.window->Command(W::kSaveAsCommand);
  EXPECT_FALSE(keeper.CopyExists()) << "saved";
  EXPECT_EQ(TempFolder::Read(file), copy.bytes) << "the copy held what a save writes";

  e.window->Command(kRightAddButton);
  keeper.Tick();
  ASSERT_EQ(RecoveryCopy::Read(keeper.CopyPath(), &copy), RecoveryReadResult::kOk);
  EXPECT_EQ(copy.original_path, file);
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(e.StateFolder()).empty()) << "held while it runs";
  const std::string path = keeper.CopyPath();
  e.window.reset();
  EXPECT_FALSE(std::filesystem::exists(path));
}

// At start a left-over copy is offered: Yes brings the work back as a modified stage of its
// file (a file named on the command line is then not opened), No deletes the copy, Cancel
// keeps it for the next start. A copy that is no stage file, or a damaged one (told about
// first, being newer), stays where it is.
TEST(StageRecoveryTest, ALeftOverCopyIsOfferedAtStart) {
  const std::string work = StageWithAWire();
  const struct {
    const char* name;
    PromptAnswer answer;
    bool good_stage;
    const char* original;
    bool restored;
    bool copy_stays;
  } cases[] = {
      {"yes", PromptAnswer::kYes, true, "/work/road.ste", true, true},
      {"yes, untitled", PromptAnswer::kYes, true, "", true, true},
      {"no", PromptAnswer::kNo, true, "/work/road.ste", false, false},
      {"cancel", PromptAnswer::kCancel, true, "/work/road.ste", false, true},
      {"yes to a copy of no stage", PromptAnswer::kYes, false, "", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor e;
    e.window->hide();
    const std::string pat = e.Road(9);
    const std::string copy =
        Leave(e.StateFolder(), "1-2-0.recovery",
              RecoveryCopyBytes(c.good_stage ? work : std::string("no stage"), c.original));
    std::string cut = RecoveryCopyBytes(work, "");
    cut.pop_back();
    const std::string damaged = Leave(e.StateFolder(), "2-2-0.recovery", cut);
    std::filesystem::last_write_time(
        copy, std::filesystem::last_write_time(damaged) - std::chrono::seconds(10));
    e.prompter.QueueAnswer(PromptAnswer::kOk);
    e.prompter.QueueAnswer(c.answer);
    ASSERT_TRUE(StartStageEditor(*e.window, pat));
    std::vector<std::string> told = {RecoveryDamagedMessage(damaged), kRecoveryQuestion};
    if (!c.good_stage) told.push_back(e.prompter.MessageTexts().back());
    EXPECT_EQ(e.prompter.MessageTexts(), told);
    EXPECT_EQ(e.prompter.AskedQuestions()[0].caption, "Error");
    EXPECT_EQ(e.prompter.AskedQuestions()[1].buttons, PromptButtons::kYesNoCancel);
    EXPECT_EQ(e.prompter.AskedQuestions().back().caption, c.good_stage ? "Message" : "Error");
    const Terrain& terrain = e.stage().GetTerrain();
    EXPECT_EQ(terrain.PartitionCount(), c.restored ? 5 : 8) << "9 lines: the file named at start";
    EXPECT_EQ(e.window->isWindowModified(), c.restored);
    if (c.restored) {
      EXPECT_EQ(terrain.WireCount(0, kLeftSide), 1);
      EXPECT_EQ(e.window->Document().Path(), c.original);
      EXPECT_EQ(e.window->windowTitle().section('[', 0, 0).toStdString(),
                c.original[0] != '\0' ? "road.ste" : "無題");
      EXPECT_FALSE(e.window->History().CanUndo());
      EXPECT_EQ(e.window->Recovery()->CopyPath(), copy) << "adopted";
    }
    EXPECT_EQ(std::filesystem::exists(copy), c.copy_stays);
    EXPECT_TRUE(std::filesystem::exists(damaged));
    e.window.reset();
    EXPECT_EQ(std::filesystem::exists(copy), c.copy_stays && !c.restored) << "a clean exit";
  }
}

// The editor with unsaved work is killed once its copy is written; started again, it asks
// through the real message box, and Yes brings the work back.
TEST(StageRecoveryTest, AKilledEditorsWorkComesBackAfterARestart) {
  constexpr char kChildVariable[] = "TARNHOLLOW_RECOVERY_TEST_FOLDER";
  if (const char* folder = recovery_test::ChildFolder(kChildVariable)) {
    // The child: the editor as the program starts it, a road opened, two wires added, then
    // the event loop until the parent kills it. A copy every 50 ms.
    EnsureTestApplication();
    QtPrompter prompter;
    Prompter::Install(&prompter);
    StageMainWindow1 window(mainwin_test::PathsIn(folder));
    ASSERT_TRUE(StartStageEditor(window, std::string(folder) + "/road.pat"));
    window.Command(kWireEditButton);
    window.Command(kLeftAddButton);
    window.Command(kRightAddButton);
    window.Recovery()->Timer()->setInterval(50);
    QTimer::singleShot(60 * 1000, [] { std::_Exit(3); });  // should the parent be gone
    QApplication::exec();
    return;
  }

  TempFolder folder;
  folder.Write("road.pat", stage_test::StraightPat(7));
  const StagePaths paths = mainwin_test::PathsIn(folder.Path());
  {
    recovery_test::CrashingChild child(kChildVariable, folder.Path());
    ASSERT_TRUE(child.Started());
    ASSERT_TRUE(child.WaitForCopy(paths.recovery_folder, 30)) << "no copy from the editor";
    ASSERT_TRUE(child.Kill());
  }
  ASSERT_EQ(RecoveryCopy::FindLeftOver(paths.recovery_folder).size(), 1u);

  EnsureTestApplication();
  QtPrompter prompter;
  Prompter* previous = Prompter::Install(&prompter);
  std::string question;
  mainwin_test::WhenDialogOpens<QMessageBox>([&question](QMessageBox* box) {
    question = box->text().toStdString();
    box->button(QMessageBox::Yes)->click();
  });
  {
    StageMainWindow1 window(paths);
    ASSERT_TRUE(StartStageEditor(window, ""));
    EXPECT_EQ(question, kRecoveryQuestion);
    const Terrain& terrain = window.GetStage().GetTerrain();
    EXPECT_EQ(terrain.PartitionCount(), 6);
    EXPECT_EQ(terrain.WireCount(0, kLeftSide), 1);
    EXPECT_EQ(terrain.WireCount(0, kRightSide), 1);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(window.Document().Path(), "");
    EXPECT_TRUE(RecoveryCopy::FindLeftOver(paths.recovery_folder).empty()) << "this editor's";
  }
  Prompter::Install(previous);
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(paths.recovery_folder).empty());
}

}  // namespace
