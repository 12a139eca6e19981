// Recovery copies of the course designer: written while the course has unsaved changes,
// gone after a save and a clean exit, offered at the next start, and the work back after
// the designer was killed.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "course/course_file.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/merrowlindale_program.h"
#include "foundation/file_io.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/recovery_copy.h"
#include "tests/course/gui/undo_designer_fixture.h"
#include "tests/support/recovery_child_process.h"

namespace {

using undo_test::Designer;
using W = CourseDesignerWindow1;

TEST(DesignerRecoveryTest, TheCopyHoldsUnsavedWorkOnly) {
  Designer d("[Recovery]\nAutoSaveMinutes=3\n");
  RecoveryKeeper& keeper = *d.window->Recovery();
  EXPECT_EQ(keeper.Timer()->interval(), 3 * 60 * 1000);
  const std::string file = d.OpenSample();
  keeper.Tick();
  EXPECT_FALSE(keeper.CopyExists()) << "nothing unsaved";

  d.window->ToolBar()->Press(103);
  keeper.Tick();
  ASSERT_TRUE(keeper.CopyExists());
  EXPECT_EQ(keeper.CopyPath().rfind(d.StateFolder(), 0), 0u);
  RecoveredDocument copy;
  ASSERT_EQ(RecoveryCopy::Read(keeper.CopyPath(), &copy), RecoveryReadResult::kOk);
  EXPECT_EQ(copy.original_path, file);
  EXPECT_EQ(copy.bytes, CourseFileBytes(d.window->Course()));
  EXPECT_NE(copy.bytes, TempFolder::Read(file)) << "never over the author's own file";

  d.window->Command(W::kSaveCommand);
  EXPECT_FALSE(keeper.CopyExists()) << "saved";
  d.window->ToolBar()->Press(103);
  keeper.Tick();
  ASSERT_TRUE(keeper.CopyExists());
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(d.StateFolder()).empty()) << "held while it runs";
  const std::string path = keeper.CopyPath();
  d.prompter.QueueAnswer(PromptAnswer::kNo);
  EXPECT_TRUE(d.window->close());
  d.window.reset();
  EXPECT_FALSE(std::filesystem::exists(path)) << "a clean exit";
}

// At start a left-over copy is offered: Yes brings the course back as a changed course of its
// file (a file named on the command line is then not opened), No deletes the copy, Cancel
// keeps it; a copy of no course file is refused and stays.
TEST(DesignerRecoveryTest, ALeftOverCopyIsOfferedAtStart) {
  const struct {
    const char* name;
    PromptAnswer answer;
    bool good_course;
    const char* original;
    bool restored;
    bool copy_stays;
  } cases[] = {
      {"yes", PromptAnswer::kYes, true, "/work/ring.cus", true, true},
      {"yes, untitled", PromptAnswer::kYes, true, "", true, true},
      {"no", PromptAnswer::kNo, true, "/work/ring.cus", false, false},
      {"cancel", PromptAnswer::kCancel, true, "/work/ring.cus", false, true},
      {"yes to a copy of no course", PromptAnswer::kYes, false, "", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Designer d;
    const std::string sample = d.SampleFile();
    // The work: the sample without its last point.
    CourseData1 work;
    ASSERT_EQ(LoadCourseFile(work, sample), kCourseFileOk);
    work.DeletePoint(work.PointCount() - 1);
    std::filesystem::create_directories(d.StateFolder());
    const std::string copy = d.StateFolder() + "1-2-0.recovery";
    ASSERT_TRUE(AtomicWriteFile(
        copy, RecoveryCopyBytes(c.good_course ? CourseFileBytes(work) : "no course", c.original)));
    d.prompter.QueueAnswer(c.answer);
    ASSERT_TRUE(StartCourseDesigner(*d.window, sample));
    ASSERT_GE(d.prompter.AskedQuestions().size(), 1u);
    EXPECT_EQ(d.prompter.AskedQuestions()[0].text, kRecoveryQuestion);
    EXPECT_EQ(d.prompter.AskedQuestions()[0].buttons, PromptButtons::kYesNoCancel);
    if (c.restored) {
      EXPECT_EQ(d.window->Course().PointCount(), work.PointCount());
      EXPECT_TRUE(d.window->isWindowModified());
      EXPECT_EQ(d.window->CurrentFile(), c.original);
      EXPECT_EQ(d.window->windowTitle().section('[', 0, 0).toStdString(),
                c.original[0] != '\0' ? "ring.cus" : "無題");
      EXPECT_EQ(d.window->Recovery()->CopyPath(), copy) << "adopted";
      EXPECT_FALSE(d.window->ActionById(W::kUndoCommand)->isEnabled());
    } else {
      EXPECT_EQ(d.window->CurrentFile(), sample) << "the file named at start";
      EXPECT_FALSE(d.window->isWindowModified());
    }
    if (!c.good_course) {
      ASSERT_EQ(d.prompter.AskedQuestions().size(), 2u);
      EXPECT_EQ(d.prompter.AskedQuestions()[1].caption, "Error");
    }
    EXPECT_EQ(std::filesystem::exists(copy), c.copy_stays);
  }
}

// The designer with unsaved work is killed once its copy is written; started again, it asks
// through the real message box, and Yes brings the work back.
TEST(DesignerRecoveryTest, AKilledDesignersWorkComesBackAfterARestart) {
  constexpr char kChildVariable[] = "MERROWLINDALE_RECOVERY_TEST_FOLDER";
  if (const char* folder = recovery_test::ChildFolder(kChildVariable)) {
    // The child: the designer as the program starts it on a course file, the loop opened
    // and the last point deleted, then the event loop until the parent kills it.
    EnsureTestApplication();
    QtPrompter prompter;
    Prompter::Install(&prompter);
    CourseDesignerWindow1 window(undo_test::PathsIn(folder));
    ASSERT_TRUE(StartCourseDesigner(window, std::string(folder) + "/sample.cus"));
    window.ToolBar()->Press(103);
    window.Course().DeletePoint(window.Course().PointCount() - 1);
    window.Recovery()->Timer()->setInterval(50);
    QTimer::singleShot(60 * 1000, [] { std::_Exit(3); });  // should the parent be gone
    QApplication::exec();
    return;
  }

  Designer first;
  const std::string sample = first.SampleFile();
  const std::string folder = first.folder.Path();
  const std::string state = undo_test::PathsIn(folder).recovery_folder;
  first.window.reset();
  {
    recovery_test::CrashingChild child(kChildVariable, folder);
    ASSERT_TRUE(child.Started());
    ASSERT_NE(child.WaitForCopy(state, 30), "") << "no copy from the designer";
    ASSERT_TRUE(child.Kill());
  }
  ASSERT_EQ(RecoveryCopy::FindLeftOver(state).size(), 1u);

  QtPrompter prompter;
  Prompter* previous = Prompter::Install(&prompter);
  std::string question;
  auto answer = [&question](QMessageBox* box) {
    question = box->text().toStdString();
    box->button(QMessageBox::Yes)->click();
  };
  std::function<void(int)> when_open = [&](int tries) {
    QTimer::singleShot(5, [&, tries] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        answer(box);
      } else if (tries > 0) {
        when_open(tries - 1);
      }
    });
  };
  when_open(400);
  {
    CourseDesignerWindow1 window(undo_test::PathsIn(folder));
    ASSERT_TRUE(StartCourseDesigner(window, ""));
    EXPECT_EQ(question, kRecoveryQuestion);
    CourseData1 saved;
    ASSERT_EQ(LoadCourseFile(saved, sample), kCourseFileOk);
    EXPECT_EQ(window.Course().PointCount(), saved.PointCount() - 1);
    EXPECT_EQ(window.Course().Loop(), 0);
    EXPECT_FALSE(window.ToolBar()->LoopOn());
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_EQ(window.CurrentFile(), sample);
  }
  Prompter::Install(previous);
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(state).empty());
}

}  // namespace
