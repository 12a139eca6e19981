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

// Puts a copy a crashed editor left into `folder`: the container around `document`.
std::string LeaveCopy(const std::string& folder, const std::string& name,
                      const std::string& document, const std::string& original) {
  std::filesystem::create_directories(folder);
  const std::string path = folder + name;
  EXPECT_TRUE(AtomicWriteFile(path, RecoveryCopyBytes(document, original)));
  return path;
}

// A stage file's bytes of a road of 6 lines with one wire on the left of partition 0.
std::string StageWithAWire() {
  Editor e;
  e.OpenRoad(6);
  e.window->Command(kWireEditButton);
  e.window->Command(kLeftAddButton);
  return StageFile::Image(e.stage(), e.window->ToolState(), e.window->CurrentViews());
}

TEST(StageRecoveryTest, CopiesComeEveryAutoSaveMinutes) {
  const struct {
    const char* settings;
    int interval_ms;  // 0: no copies
  } cases[] = {
      {"", 2 * 60 * 1000},
      {"[Recovery]\nAutoSaveMinutes=5\n", 5 * 60 * 1000},
      {"[Recovery]\nAutoSaveMinutes=0\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    Editor e(c.settings);
    QTimer* timer = e.window->findChild<QTimer*>(QStringLiteral("RecoveryTimer"));
    EXPECT_EQ(e.window->Recovery()->Enabled(), c.interval_ms != 0);
    if (c.interval_ms == 0) {
      EXPECT_EQ(timer, nullptr);
      continue;
    }
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), c.interval_ms);
    EXPECT_TRUE(timer->isActive());
  }
}

TEST(StageRecoveryTest, TheCopyHoldsUnsavedWorkOnly) {
  Editor e;
  RecoveryKeeper& keeper = *e.window->Recovery();
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
  ASSERT_TRUE(keeper.CopyExists());
  ASSERT_EQ(RecoveryCopy::Read(keeper.CopyPath(), &copy), RecoveryReadResult::kOk);
  EXPECT_EQ(copy.original_path, file);
  e.window->Command(W::kUndoCommand);
  keeper.Tick();
  EXPECT_FALSE(keeper.CopyExists()) << "undone back to the saved stage";
  e.window->Command(W::kRedoCommand);
  keeper.Tick();
  ASSERT_TRUE(keeper.CopyExists());
  // While this editor runs nobody else takes its copy; a clean exit removes it.
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(e.StateFolder()).empty());
  const std::string path = keeper.CopyPath();
  e.window.reset();
  EXPECT_FALSE(std::filesystem::exists(path));
}

// At start a left-over copy is offered: Yes brings the work back as a modified stage of its
// file (a file named on the command line is then not opened), No deletes the copy, Cancel
// keeps it for the next start. A copy that is no stage file stays where it is.
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
    const std::string copy = LeaveCopy(e.StateFolder(), "1-2-0.recovery",
                                       c.good_stage ? work : std::string("no stage"), c.original);
    e.prompter.QueueAnswer(c.answer);
    ASSERT_TRUE(StartStageEditor(*e.window, pat));
    ASSERT_GE(e.prompter.AskedQuestions().size(), 1u);
    const ScriptedPrompter::Asked& asked = e.prompter.AskedQuestions()[0];
    EXPECT_EQ(asked.text, kRecoveryQuestion);
    EXPECT_EQ(asked.buttons, PromptButtons::kYesNoCancel);
    const Terrain& terrain = e.stage().GetTerrain();
    if (c.restored) {
      EXPECT_EQ(terrain.PartitionCount(), 5) << "the file named at start is not opened";
      EXPECT_EQ(terrain.WireCount(0, kLeftSide), 1);
      EXPECT_TRUE(e.window->isWindowModified());
      EXPECT_EQ(e.window->Document().Path(), c.original);
      EXPECT_EQ(e.window->windowTitle().section('[', 0, 0).toStdString(),
                c.original[0] != '\0' ? "road.ste" : "無題");
      EXPECT_FALSE(e.window->History().CanUndo());
      EXPECT_EQ(e.window->Recovery()->CopyPath(), copy) << "adopted";
    } else {
      EXPECT_EQ(terrain.PartitionCount(), 8) << "the file named at start";
      EXPECT_FALSE(e.window->isWindowModified());
    }
    if (!c.good_stage) {
      ASSERT_EQ(e.prompter.MessageTexts().size(), 2u);
      EXPECT_EQ(e.prompter.AskedQuestions()[1].caption, "Error");
    }
    EXPECT_EQ(std::filesystem::exists(copy), c.copy_stays);
    if (c.restored) {
      e.window.reset();
      EXPECT_FALSE(std::filesystem::exists(copy)) << "a clean exit after the restore";
    }
  }
}

TEST(StageRecoveryTest, ADamagedCopyIsReportedAndLeftAlone) {
  Editor e;
  const std::string good = LeaveCopy(e.StateFolder(), "1-1-0.recovery", StageWithAWire(), "");
  std::string cut = RecoveryCopyBytes("some stage", "");
  cut.resize(cut.size() - 3);
  const std::string damaged = e.StateFolder() + "2-1-0.recovery";
  ASSERT_TRUE(AtomicWriteFile(damaged, cut));
  // The damaged one is the newer: it is told about first, then the good one is asked for.
  std::filesystem::last_write_time(
      good, std::filesystem::last_write_time(damaged) - std::chrono::seconds(10));
  e.prompter.QueueAnswer(PromptAnswer::kOk);
  e.prompter.QueueAnswer(PromptAnswer::kNo);
  EXPECT_FALSE(e.window->RecoverLeftOverWork());
  EXPECT_EQ(e.prompter.MessageTexts(),
            (std::vector<std::string>{RecoveryDamagedMessage(damaged), kRecoveryQuestion}));
  EXPECT_EQ(e.prompter.AskedQuestions()[0].caption, "Error");
  EXPECT_TRUE(std::filesystem::exists(damaged));
  EXPECT_FALSE(std::filesystem::exists(good)) << "declined";
}

// The editor with unsaved work is killed once its copy is written; started again, it asks
// through the real message box, and Yes brings the work back.
TEST(StageRecoveryTest, AKilledEditorsWorkComesBackAfterARestart) {
  constexpr char kChildVariable[] = "TARNHOLLOW_RECOVERY_TEST_FOLDER";
  auto paths_in = [](const std::string& folder) {
    StagePaths paths;
    paths.settings = folder + "/Settei.ini";
    paths.bitmap_template =
        std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/BitmapObject.bof";
    paths.back_template = std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/BackObject.bof";
    paths.help_page = folder + "/none.html";
    paths.recovery_folder = folder + "/state/tarnhollow/";
    return paths;
  };
  if (const char* folder = recovery_test::ChildFolder(kChildVariable)) {
    // The child: the editor as the program starts it, a road opened, two wires added, then
    // the event loop until the parent kills it. A copy every 50 ms.
    EnsureTestApplication();
    QtPrompter prompter;
    Prompter::Install(&prompter);
    StageMainWindow1 window(paths_in(folder));
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
  const StagePaths paths = paths_in(folder.Path());
  {
    recovery_test::CrashingChild child(kChildVariable, folder.Path());
    ASSERT_TRUE(child.Started());
    ASSERT_NE(child.WaitForCopy(paths.recovery_folder, 30), "") << "no copy from the editor";
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
