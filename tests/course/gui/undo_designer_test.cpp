// Undo and redo in the course designer's main window: the "編集" menu, a step for every click
// and drag that changed the course in every view and for the loop button, the changed flag
// and the title following the history, and new and open starting a fresh history.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <cmath>
#include <functional>

#include "course/course_file.h"
#include "course/course_history.h"
#include "course/gui/course_designer_window.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/expand_view.h"
#include "course/gui/parallel_view.h"
#include "course/gui/point_view.h"
#include "course/gui/view_arrangement.h"
#include "course/sample_circuit.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/recovery_keeper.h"
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

// Press at `at`, two moves of `step`, release.
void DragIn(QWidget* view, QPoint at, QPoint step, Qt::MouseButton button = Qt::LeftButton) {
  SendMouse(view, QEvent::MouseButtonPress, at, button, button);
  SendMouse(view, QEvent::MouseMove, at + step, Qt::NoButton, button);
  SendMouse(view, QEvent::MouseMove, at + 2 * step, Qt::NoButton, button);
  SendMouse(view, QEvent::MouseButtonRelease, at + 2 * step, button);
}

std::string MenuText(Designer& d, int id) { return d.window->ActionById(id)->text().toStdString(); }

TEST(DesignerUndoMenuTest, EntriesNameTheStepAndAreDisabledWithoutOne) {
  Designer d;
  QMenu* edit = d.window->menuBar()->actions()[1]->menu();
  QAction* undo = d.window->ActionById(W::kUndoCommand);
  QAction* redo = d.window->ActionById(W::kRedoCommand);
  EXPECT_EQ(edit->actions(), (QList<QAction*>{undo, redo}));
  EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{kUndoKeys});
  EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{kRedoKeysToo, kRedoKeys}));
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す");
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
  d.OpenSample();
  EXPECT_FALSE(undo->isEnabled());

  ASSERT_EQ(d.window->Course().Loop(), 1);
  d.window->ToolBar()->Press(103);
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: ループの切り替え");
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
  ASSERT_TRUE(PressShortcut(d.window.get(), kUndoKeys));
  EXPECT_EQ(d.window->Course().Loop(), 1);
  EXPECT_TRUE(d.window->ToolBar()->LoopOn()) << "the loop button follows";
  EXPECT_EQ(d.window->ToolBar()->Button(103)->State(), CourseToolBar1::kDown);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_EQ(MenuText(d, W::kRedoCommand), "やり直し: ループの切り替え");
  ASSERT_TRUE(PressShortcut(d.window.get(), kRedoKeysToo));
  EXPECT_FALSE(d.window->ToolBar()->LoopOn());
  EXPECT_FALSE(PressShortcut(d.window.get(), kRedoKeys)) << "nothing more to redo";

  // A click on empty ground adds a point, a right click on it deletes it: a step each.
  auto* top = static_cast<ParallelView1*>(d.window->View(kTopView));
  const int32_t points = d.window->Course().PointCount();
  const QPoint empty(top->width() / 2, top->height() / 2);
  SendMouse(top, QEvent::MouseButtonPress, empty, Qt::LeftButton, Qt::LeftButton);
  SendMouse(top, QEvent::MouseButtonRelease, empty, Qt::LeftButton);
  ASSERT_EQ(d.window->Course().PointCount(), points + 1);
  const int32_t added = d.window->Course().SelectedPoint();
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: 制御点の追加");
  SendMouse(top, QEvent::MouseButtonPress, empty, Qt::RightButton, Qt::RightButton);
  SendMouse(top, QEvent::MouseButtonRelease, empty, Qt::RightButton);
  ASSERT_EQ(d.window->Course().PointCount(), points);
  EXPECT_EQ(MenuText(d, W::kUndoCommand), "元に戻す: 制御点の削除");
  d.window->Command(W::kUndoCommand);
  EXPECT_EQ(d.window->Course().PointCount(), points + 1);
  EXPECT_EQ(d.window->Course().SelectedPoint(), added) << "the deleted point, selected again";
}

// A drag from press to release in each view is one step; Ctrl+Z puts the course back as it
// was and selects the point again, Ctrl+Y makes the change again.
TEST(DesignerUndoDragTest, CtrlZAfterADragInEachViewPutsThePointBack) {
  Designer d;
  d.OpenSample();
  CourseData1& course = d.window->Course();
  struct Case {
    const char* label;
    int32_t view_button;
    int32_t view;
    int32_t tool;
    QPoint step;
  };
  const Case cases[] = {
      {"制御点の移動", kGridButton, kTopView, kEditTool, QPoint(6, 4)},
      {"制御点の移動", kGridButton, kSideView, kEditTool, QPoint(-5, 3)},
      {"制御点の移動", kGridButton, kFrontView, kEditTool, QPoint(4, -6)},
      {"ロールの変更", kGridButton, kPointView, kEditTool, QPoint(0, 7)},
      {"幅の変更", kWidthViewButton, kDevelopedTopView, kEditTool, QPoint(-6, 0)},
      {"制御点の移動", kHeightButton, kDevelopedSideView, kEditTool, QPoint(0, -5)},
      {"サンプル数の変更", kGridButton, kTopView, kSampleTool, QPoint(0, 5)},
      {"コース幅の変更", kGridButton, kSideView, kWidthTool, QPoint(0, 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " in view " + std::to_string(c.view));
    d.window->ToolBar()->Press(c.view_button);
    d.window->ToolBar()->Press(c.tool);
    course.Select(kPoint, 0);
    d.window->RedrawAll();
    QWidget* view = d.window->View(c.view);
    ASSERT_TRUE(view->isVisible());
    const std::string before = CourseModelImage(course);
    DragIn(view, MarkOf(d, c.view), c.step);
    const std::string after = CourseModelImage(course);
    ASSERT_NE(after, before);
    ASSERT_EQ(course.SelectedPoint(), kPoint);
    EXPECT_EQ(MenuText(d, W::kUndoCommand), std::string("元に戻す: ") + c.label);
    EXPECT_TRUE(d.window->isWindowModified());

    course.Select(0, 0);  // the author looks elsewhere before undoing
    ASSERT_TRUE(PressShortcut(d.window.get(), kUndoKeys));
    EXPECT_EQ(CourseModelImage(course), before);
    EXPECT_EQ(course.SelectedPoint(), kPoint);
    EXPECT_FALSE(d.window->isWindowModified()) << "back to the file opened";
    ASSERT_TRUE(PressShortcut(d.window.get(), kRedoKeys));
    EXPECT_EQ(CourseModelImage(course), after);
    ASSERT_TRUE(PressShortcut(d.window.get(), kUndoKeys));
  }
}

TEST(DesignerUndoDragTest, CtrlZDuringADragWaitsForTheRelease) {
  Designer d;
  d.OpenSample();
  QWidget* top = d.window->View(kTopView);
  const QPoint at = MarkOf(d, kTopView);
  const std::string before = CourseModelImage(d.window->Course());
  SendMouse(top, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  SendMouse(top, QEvent::MouseMove, at + QPoint(5, 0), Qt::NoButton, Qt::LeftButton);
  const std::string moved = CourseModelImage(d.window->Course());
  ASSERT_NE(moved, before);
  d.window->Command(W::kUndoCommand);
  EXPECT_EQ(CourseModelImage(d.window->Course()), moved) << "the drag is not cut in two";
  SendMouse(top, QEvent::MouseMove, at + QPoint(9, 0), Qt::NoButton, Qt::LeftButton);
  SendMouse(top, QEvent::MouseButtonRelease, at + QPoint(9, 0), Qt::LeftButton);
  EXPECT_EQ(d.window->History().UndoCount(), 1u);
  ASSERT_TRUE(PressShortcut(d.window.get(), kUndoKeys));
  EXPECT_EQ(CourseModelImage(d.window->Course()), before);
}

// The changed flag, the title's "*" and the question follow the history; saving moves the
// state the file holds; new and open start a fresh history and end the recovery copy.
TEST(DesignerUndoSavedStateTest, TheChangedFlagFollowsTheHistory) {
  Designer d;
  const std::string file = d.OpenSample();
  const QString clean = QStringLiteral("sample.cus[*] - MerrowlindaleV1.1");
  d.window->ToolBar()->Press(103);
  EXPECT_TRUE(d.window->isWindowModified());
  d.window->Command(W::kUndoCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  EXPECT_FALSE(d.window->Course().IsChanged());
  EXPECT_EQ(d.window->windowTitle(), clean);
  d.window->Command(W::kRedoCommand);
  d.window->Command(W::kSaveCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  d.window->Command(W::kUndoCommand);
  EXPECT_TRUE(d.window->isWindowModified()) << "the file now holds the later course";
  d.window->Command(W::kRedoCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  d.prompter.ClearRecord();
  d.window->Command(W::kNewCommand);
  EXPECT_TRUE(d.prompter.MessageTexts().empty()) << "nothing to save";

  const struct {
    const char* name;
    std::function<void()> command;
  } cases[] = {
      {"new",
       [&] {
         d.prompter.QueueAnswer(PromptAnswer::kNo);
         d.window->Command(W::kNewCommand);
       }},
      {"open",
       [&] {
         d.prompter.QueueAnswer(PromptAnswer::kNo);
         d.prompter.QueuePath(file);
         d.window->Command(W::kOpenCommand);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    d.window->ToolBar()->Press(103);
    d.window->Recovery()->Tick();
    ASSERT_TRUE(d.window->Recovery()->CopyExists());
    c.command();
    EXPECT_FALSE(d.window->ActionById(W::kUndoCommand)->isEnabled());
    EXPECT_FALSE(d.window->ActionById(W::kRedoCommand)->isEnabled());
    EXPECT_FALSE(d.window->isWindowModified());
    EXPECT_FALSE(d.window->Recovery()->CopyExists());
  }
}

}  // namespace
