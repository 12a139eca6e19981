// Undo and redo in the course designer's main window: the "編集" menu, a step for every click
// and drag that changed the course in every view and for the loop button, the changed flag
// and the title following the history, and new and open starting a fresh history.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <cmath>

#include "course/course_file.h"
#include "course/course_history.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/expand_view.h"
#include "course/gui/parallel_view.h"
#include "course/gui/point_view.h"
#include "course/gui/view_arrangement.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/recovery_copy.h"
#include "tests/course/gui/undo_designer_fixture.h"

namespace {

using undo_test::Designer;
using W = CourseDesignerWindow1;

const QKeySequence kUndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys(Qt::CTRL | Qt::Key_Y);
const QKeySequence kRedoKeysToo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

// Point 3 of the sample circuit, (850, 25, 0), lies apart from the others in every view.
constexpr int32_t kPoint = 3;

QPoint Rounded(double x, double y) {
  return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

// Where the mark of kPoint is in a view (the point, its edge, its roll marker).
QPoint MarkOf(Designer& d, int32_t view) {
  CourseData1& course = d.window->Course();
  double x = 0.0;
  double y = 0.0;
  switch (view) {
    case kTopView:
    case kSideView:
    case kFrontView: {
      const CourseVector p = course.PointPosition(kPoint);
      static_cast<ParallelView1*>(d.window->View(view))->Control().ToScreen(p.x, p.y, p.z, &x, &y);
      break;
    }
    case kPointView:
      static_cast<PointView1*>(d.window->View(view))->Control().RollMarker(course, &x, &y);
      break;
    default: {
      auto* developed = static_cast<ExpandView1*>(d.window->View(view));
      double distance = 0.0;
      double across = 0.0;
      developed->Control().PointMark(course, developed->Development(), kPoint,
                                     CourseData1::kLeftSide, &distance, &across);
      developed->Control().ToScreen(distance, across, &x, &y);
      break;
    }
  }
  return Rounded(x, y);
}

std::string MenuText(Designer& d, int id) { return d.window->ActionById(id)->text().toStdString(); }
bool Press(Designer& d, const QKeySequence& keys) { return PressShortcut(d.window.get(), keys); }

void Click(QWidget* view, QPoint at, Qt::MouseButton button) {
  SendMouse(view, QEvent::MouseButtonPress, at, button, button);
  SendMouse(view, QEvent::MouseButtonRelease, at, button);
}

TEST(DesignerUndoMenuTest, ClicksAndTheLoopButtonAreStepsNamedInTheMenu) {
  Designer d;
  QAction* undo = d.window->ActionById(W::kUndoCommand);
  QAction* redo = d.window->ActionById(W::kRedoCommand);
  EXPECT_EQ(d.window->menuBar()->actions()[1]->menu()->actions(), (QList<QAction*>{undo, redo}));
  EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{kUndoKeys});
  EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{kRedoKeysToo, kRedoKeys}));
  d.OpenSample();
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す");
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  ASSERT_EQ(d.window->Course().Loop(), 1);
  d.window->ToolBar()->Press(103);
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: ループの切り替え");
  EXPECT_TRUE(undo->isEnabled());
  ASSERT_TRUE(Press(d, kUndoKeys));
  EXPECT_EQ(d.window->Course().Loop(), 1);
  EXPECT_EQ(d.window->ToolBar()->Button(103)->State(), CourseToolBar1::kDown) << "it follows";
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(MenuText(d, W::kRedoCommand), "やり直し: ループの切り替え");
  ASSERT_TRUE(Press(d, kRedoKeysToo));
  EXPECT_FALSE(d.window->ToolBar()->LoopOn());
  EXPECT_FALSE(Press(d, kRedoKeys)) << "nothing more to redo";

  // A click on empty ground adds a point, a right click on it deletes it: a step each.
  QWidget* top = d.window->View(kTopView);
  const int32_t points = d.window->Course().PointCount();
  const QPoint empty(top->width() / 2, top->height() / 2);
  Click(top, empty, Qt::LeftButton);
  const int32_t added = d.window->Course().SelectedPoint();
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: 制御点の追加");
  Click(top, empty, Qt::RightButton);
  ASSERT_EQ(d.window->Course().PointCount(), points);
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: 制御点の削除");
  d.window->Command(W::kUndoCommand);
  EXPECT_EQ(d.window->Course().PointCount(), points + 1);
  EXPECT_EQ(d.window->Course().SelectedPoint(), added) << "the deleted point, selected again";
}

// A drag from press to release in each view is one step; Ctrl+Z puts the course back as it
// was and selects the point again, Ctrl+Y makes the change again. Ctrl+Z while the button is
// still down waits for the release.
TEST(DesignerUndoDragTest, CtrlZAfterADragInEachViewPutsThePointBack) {
  Designer d;
  d.OpenSample();
  CourseData1& course = d.window->Course();
  const struct {
    const char* label;
    int32_t view_button;
    int32_t view;
    int32_t tool;
    QPoint step;
  } cases[] = {
      {"制御点の移動", kGridButton, kTopView, kEditTool, QPoint(6, 4)},
      {"制御点の移動", kGridButton, kSideView, kEditTool, QPoint(-5, 3)},
      {"制御点の移動", kGridButton, kFrontView, kEditTool, QPoint(4, -6)},
      {"ロールの変更", kGridButton, kPointView, kEditTool, QPoint(0, 7)},
      {"幅の変更", kWidthViewButton, kDevelopedTopView, kEditTool, QPoint(-6, 0)},
      {"制御点の移動", kHeightButton, kDevelopedSideView, kEditTool, QPoint(0, -5)},
      {"サンプル数の変更", kGridButton, kTopView, kSampleTool, QPoint(0, 5)},
      {"コース幅の変更", kGridButton, kSideView, kWidthTool, QPoint(0, 8)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " in view " + std::to_string(c.view));
    d.window->ToolBar()->Press(c.view_button);
    d.window->ToolBar()->Press(c.tool);
    course.Select(kPoint, 0);
    d.window->RedrawAll();
    QWidget* view = d.window->View(c.view);
    ASSERT_TRUE(view->isVisible());
    const std::string before = CourseModelImage(course);
    const QPoint at = MarkOf(d, c.view);
    SendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at + c.step, Qt::NoButton, Qt::LeftButton);
    const std::string moving = CourseModelImage(course);
    d.window->Command(W::kUndoCommand);
    EXPECT_TRUE(CourseModelImage(course) == moving) << "the drag is not cut in two";
    SendMouse(view, QEvent::MouseMove, at + 2 * c.step, Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, at + 2 * c.step, Qt::LeftButton);
    const std::string after = CourseModelImage(course);
    ASSERT_TRUE(after != before);
    ASSERT_EQ(course.SelectedPoint(), kPoint);
    EXPECT_EQ(MenuText(d, W::kUndoCommand), std::string("元に戻す: ") + c.label);
    EXPECT_TRUE(d.window->isWindowModified());

    course.Select(0, 0);  // the author looks elsewhere before undoing
    ASSERT_TRUE(Press(d, kUndoKeys));
    EXPECT_TRUE(CourseModelImage(course) == before);
    EXPECT_EQ(course.SelectedPoint(), kPoint);
    EXPECT_FALSE(d.window->isWindowModified()) << "back to the file opened";
    ASSERT_TRUE(Press(d, kRedoKeys));
    EXPECT_TRUE(CourseModelImage(course) == after);
    ASSERT_TRUE(Press(d, kUndoKeys));
  }
}

// The changed flag, the title's "*" and the question follow the history; saving moves the
// state the file holds. A recovery copy (every "AutoSaveMinutes") holds only unsaved work;
// a save, new and open end it, new and open start a fresh history.
TEST(DesignerUndoSavedStateTest, TheChangedFlagAndTheRecoveryCopyFollowTheHistory) {
  Designer d("[Recovery]\nAutoSaveMinutes=3\n");
  RecoveryKeeper& keeper = *d.window->Recovery();
  EXPECT_EQ(keeper.Timer()->interval(), 3 * 60 * 1000);
  const std::string file = d.OpenSample();
  d.window->ToolBar()->Press(103);
  EXPECT_TRUE(d.window->isWindowModified());
  keeper.Tick();
  RecoveredDocument copy;
  ASSERT_EQ(RecoveryCopy::Read(keeper.CopyPath(), &copy), RecoveryReadResult::kOk);
  EXPECT_EQ(copy.bytes, CourseFileBytes(d.window->Course()));
  EXPECT_EQ(copy.original_path, file);
  d.window->Command(W::kUndoCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  EXPECT_FALSE(d.window->Course().IsChanged());
  EXPECT_EQ(d.window->windowTitle(), QStringLiteral("sample.cus[*] - MerrowlindaleV1.1"));
  keeper.Tick();
  EXPECT_FALSE(keeper.CopyExists()) << "nothing unsaved";
  d.window->Command(W::kRedoCommand);
  keeper.Tick();
  d.window->Command(W::kSaveCommand);
  EXPECT_FALSE(keeper.CopyExists()) << "saved";
  EXPECT_FALSE(d.window->isWindowModified());
  d.window->Command(W::kUndoCommand);
  EXPECT_TRUE(d.window->isWindowModified()) << "the file now holds the later course";
  d.window->Command(W::kRedoCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  d.prompter.ClearRecord();
  d.window->Command(W::kNewCommand);
  EXPECT_TRUE(d.prompter.MessageTexts().empty()) << "nothing to save";

  for (int command : {W::kNewCommand, W::kOpenCommand}) {
    d.window->ToolBar()->Press(103);
    d.window->Recovery()->Tick();
    ASSERT_TRUE(d.window->Recovery()->CopyExists());
    d.prompter.QueueAnswer(PromptAnswer::kNo);
    if (command == W::kOpenCommand) d.prompter.QueuePath(file);
    d.window->Command(command);
    EXPECT_FALSE(d.window->ActionById(W::kUndoCommand)->isEnabled()) << command;
    EXPECT_FALSE(d.window->ActionById(W::kRedoCommand)->isEnabled());
    EXPECT_FALSE(d.window->isWindowModified());
    EXPECT_FALSE(d.window->Recovery()->CopyExists());
  }
}

}  // namespace
