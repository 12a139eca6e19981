// Undo and redo in the stage editor's main window: the "編集" menu, one step per user action
// (buttons, menu commands, dialogs, drags in every view that edits), the modified flag and
// the title following the history, and the file commands that start a fresh history.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <functional>

#include "converter/po3_file.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/gui/text_window.h"
#include "stage/gui/create_bitmap_object_dialog.h"
#include "stage/gui/mode_window.h"
#include "stage/gui/object_value_dialog.h"
#include "stage/gui/stage_tool_window.h"
#include "stage/gui/stage_view_area.h"
#include "stage/gui/stage_view_window.h"
#include "stage/gui/stage_work_window.h"
#include "stage/tool_buttons.h"
#include "tests/stage/gui/mainwin_fixture.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using mainwin_test::Editor;
using mainwin_test::WhenDialogOpens;
using W = StageMainWindow1;

const QKeySequence kUndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys(Qt::CTRL | Qt::Key_Y);
const QKeySequence kRedoKeysToo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);

std::string Text(const Editor& e, int id) { return e.window->ActionById(id)->text().toStdString(); }
bool Enabled(const Editor& e, int id) { return e.window->ActionById(id)->isEnabled(); }
bool Press(Editor& e, const QKeySequence& keys) { return PressShortcut(e.window.get(), keys); }

// Presses a button as the author would: its mode and the tool whose work window holds it
// first.
void PressButton(Editor& e, int id) {
  const ToolButtonEntry* entry = FindToolButton(id);
  ASSERT_NE(entry, nullptr) << id;
  e.window->Command(ModeOfPanel(entry->panel) == 0 ? kMode0Button : kMode1Button);
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    if (WorkPanelOfTool(ToolButtonAt(i).id) == entry->panel) e.window->Command(ToolButtonAt(i).id);
  }
  e.window->Command(id);
}

// A road of 8 lines, a wire on each side of partition 2, the square object from the menu.
void PrepareStage(Editor& e) {
  e.OpenRoad(8);
  e.stage().SelectPartition(2);
  PressButton(e, kLeftAddButton);
  PressButton(e, kRightAddButton);
  e.prompter.QueuePath(e.folder.Write("box.po3", Po3File::Bytes(objects_test::Square())));
  e.window->Command(W::kObjectFileCommand);
  ASSERT_EQ(e.stage().ObjectCount(), 1);
}

// The "編集" menu: every action button, menu command and dialog OK that changes the stage is
// one step named in the menu; undo gives back the stage as it was before, redo as it was
// after; each entry is disabled when there is nothing to take back or make again.
TEST(UndoStepTest, EveryEditingActionIsOneStepNamedInTheMenu) {
  Editor e;
  const QList<QAction*> menus = e.window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集(&E)"));
  QAction* undo = e.window->ActionById(W::kUndoCommand);
  QAction* redo = e.window->ActionById(W::kRedoCommand);
  EXPECT_EQ(menus[1]->menu()->actions(), (QList<QAction*>{undo, redo}));
  EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{kUndoKeys});
  EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{kRedoKeysToo, kRedoKeys}));
  EXPECT_EQ(Text(e, W::kUndoCommand), "元に戻す");
  EXPECT_FALSE(undo->isEnabled());
  PrepareStage(e);
  Stage& stage = e.stage();
  const std::string grass = e.folder.Write("grass.bmp", stage_test::BmpBytes(16, 16, 30, 160, 40));
  auto object = [&stage] { ASSERT_TRUE(stage.SelectObject(stage.FirstObject())); };
  const struct {
    const char* label;
    int id;
    std::function<void()> prepare;
  } cases[] = {
      {"ワイヤーのコピー", kCopyBeforePartitionButton, [&] { stage.SelectPartition(3); }},
      {"点の接着", kGluePointButton,
       [&] {
         ASSERT_TRUE(stage.SelectPoint({3, kLeftSide, 0, kEndA}));
         ASSERT_TRUE(stage.SelectGlueTarget({2, kLeftSide, 0, kEndB}));
       }},
      {"点の接着解除", kUngluePointButton, [] {}},
      {"テクスチャーの設定", kNewTextureButton,
       [&] {
         ASSERT_TRUE(stage.AddPicked({2, kRoadFaceSide, -1}));
         ASSERT_TRUE(stage.AddPicked({3, kLeftSide, 0}));
         e.prompter.QueuePath(grass);
       }},
      {"テクスチャーの回転", kRotateTextureButton, [] {}},
      {"オブジェクトの接着", kGlueButton, object},
      {"数値の設定", kObjectValueButton,
       [&] {
         object();
         WhenDialogOpens<ObjectValueDialog>([](ObjectValueDialog* dialog) {
           dialog->Field(0)->setText(QStringLiteral("-12.5"));
           dialog->OkButton()->click();
         });
       }},
      {"オブジェクト座標のリセット", kResetMoveButton, object},
      {"オブジェクトの削除", kDeleteObjectButton, object},  // with its glue
      {"背景オブジェクトの作成", kCreateBackgroundObjectButton,
       [&] {
         WhenDialogOpens<CreateBitmapObjectDialog>([&](CreateBitmapObjectDialog* dialog) {
           dialog->SelectSlot(0);
           e.prompter.QueuePath(grass);
           dialog->NewTexture();
           dialog->Control(1128)->click();
         });
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    c.prepare();
    const std::string before = StageModelImage(stage);
    const size_t steps = e.window->History().UndoCount();
    PressButton(e, c.id);
    const std::string after = StageModelImage(stage);
    ASSERT_TRUE(after != before) << "the action changed nothing";
    EXPECT_EQ(e.window->History().UndoCount(), steps + 1);
    EXPECT_EQ(Text(e, W::kUndoCommand), std::string("元に戻す: ") + c.label);
    EXPECT_FALSE(redo->isEnabled());
    ASSERT_TRUE(Press(e, kUndoKeys));
    EXPECT_TRUE(StageModelImage(stage) == before);
    EXPECT_EQ(Text(e, W::kRedoCommand), std::string("やり直し: ") + c.label);
    ASSERT_TRUE(Press(e, kRedoKeys));
    EXPECT_TRUE(StageModelImage(stage) == after);
  }
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
  while (Press(e, kUndoKeys)) {
  }
  EXPECT_EQ(stage.ObjectCount(), 0) << "the object from the menu was the first step";
  EXPECT_FALSE(undo->isEnabled());
  ASSERT_TRUE(Press(e, kRedoKeysToo));
  PressButton(e, kRightAddButton);
  EXPECT_FALSE(redo->isEnabled()) << "a new edit drops what could be redone";
}

// A drag from press to release in each view that edits is one step; Ctrl+Z puts the point
// or the object back, selects it again and the work window shows where it is again. Ctrl+Z
// while the button is still down waits for the release.
TEST(UndoDragTest, CtrlZAfterADragInEachViewPutsTheThingBack) {
  Editor e;
  PrepareStage(e);
  Stage& stage = e.stage();
  const struct {
    const char* label;
    int view_button;
    int tool;
    ToolPanel work;
  } cases[] = {
      {"点の移動", kMode0TopViewButton, kPointMoveButton, ToolPanel::kMode0Work2},
      {"点の移動", kMode0SideViewButton, kPointMoveButton, ToolPanel::kMode0Work2},
      {"点の移動", kMode0FrontViewButton, kPointMoveButton, ToolPanel::kMode0Work2},
      {"点の移動", kMode0PartitionViewButton, kPointMoveButton, ToolPanel::kMode0Work2},
      {"オブジェクトの移動", kMode1TopViewButton, kMoveObjectButton, ToolPanel::kMode1Work0},
      {"オブジェクトの回転", kMode1SideViewButton, kRotateObjectButton, ToolPanel::kMode1Work1},
      {"オブジェクトの拡大縮小", kMode1FrontViewButton, kZoomObjectButton, ToolPanel::kMode1Work2},
      {"オブジェクト座標の移動", kMode1TopViewButton, kObjectCoordinatesButton,
       ToolPanel::kMode1Work4},
  };
  const PointRef point{2, kLeftSide, 0, kEndA};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.view_button));
    const bool mode1 = c.view_button >= kMode1TopViewButton;
    for (int id : {mode1 ? int(kMode1Button) : int(kMode0Button), c.view_button, c.tool}) {
      e.window->Command(id);
    }
    ASSERT_TRUE(stage.SelectPoint(point));
    ASSERT_TRUE(stage.SelectObject(stage.FirstObject()));
    e.window->StageChangedByView(ViewChange::kSelection);
    TextWindow1* x = e.window->Modes()->ToolWindow(mode1)->WorkWindow(c.work)->CoordinateWindow(0);
    const QString shown = x != nullptr ? x->Text() : QString();
    const std::string before = StageModelImage(stage);

    auto* view = static_cast<StageViewWindow*>(e.window->Views()->View(e.window->Views()->Shown()));
    ASSERT_TRUE(view->isVisible());
    const QPoint middle(view->width() / 2, view->height() / 2 - view->BarHeight());
    view->PressAt(kLeftButtonBit, middle, false);
    view->MoveTo(middle + QPoint(30, 0));
    view->MoveTo(view->DragReference() + QPoint(15, -12));
    const std::string moving = StageModelImage(stage);
    ASSERT_TRUE(Enabled(e, W::kUndoCommand));
    Press(e, kUndoKeys);
    EXPECT_TRUE(StageModelImage(stage) == moving) << "the drag is not cut in two";
    view->ReleaseButton(kLeftButtonBit);
    const std::string after = StageModelImage(stage);
    ASSERT_TRUE(after != before);
    EXPECT_EQ(Text(e, W::kUndoCommand), std::string("元に戻す: ") + c.label);

    // The author selects elsewhere; the undo shows the changed thing again.
    stage.SelectPoint(PointRef());
    stage.SelectObject(-1);
    e.window->StageChangedByView(ViewChange::kSelection);
    ASSERT_TRUE(Press(e, kUndoKeys));
    EXPECT_TRUE(StageModelImage(stage) == before);
    EXPECT_EQ(stage.SelectedObject(), stage.FirstObject());
    EXPECT_EQ(stage.SelectedPoint(), point);
    EXPECT_EQ(x != nullptr ? x->Text() : QString(), shown);
    ASSERT_TRUE(Press(e, kRedoKeys));
    EXPECT_TRUE(StageModelImage(stage) == after);
  }
}

// The modified flag, the title's "*" and the question before closing follow the history:
// back at what the file holds there is nothing to save. New, open and a partition file start
// a fresh history and end the recovery copy.
TEST(UndoSavedStateTest, TheModifiedFlagFollowsTheHistory) {
  Editor e;
  e.OpenRoad(6);
  const std::string file = e.folder.File("road.ste");
  e.prompter.QueuePath(file);
  e.window->Command(W::kSaveAsCommand);
  EXPECT_EQ(e.window->windowTitle(), QStringLiteral("road.ste[*] - TarnhollowVersion1.1"));
  PressButton(e, kLeftAddButton);
  EXPECT_TRUE(e.window->isWindowModified());
  e.window->Command(W::kUndoCommand);
  EXPECT_FALSE(e.window->isWindowModified());
  e.window->Command(W::kRedoCommand);
  e.window->Command(W::kSaveCommand);  // the file holds the later stage now
  e.window->Command(W::kUndoCommand);
  EXPECT_TRUE(e.window->isWindowModified());
  e.window->Command(W::kRedoCommand);
  EXPECT_FALSE(e.window->isWindowModified());
  // Saved when a command asked first, and the command then cancelled.
  PressButton(e, kRightAddButton);
  e.prompter.QueueAnswer(PromptAnswer::kYes);
  e.prompter.QueuePath("");
  e.window->Command(W::kOpenCommand);
  e.window->Command(W::kUndoCommand);
  e.window->Command(W::kRedoCommand);
  EXPECT_FALSE(e.window->isWindowModified());

  const std::function<void()> fresh_starts[] = {
      [&] { e.window->Command(W::kNewCommand); },
      [&] {
        e.prompter.QueuePath(file);
        e.window->Command(W::kOpenCommand);
      },
      [&] {
        e.prompter.QueuePath(e.Road(5));
        e.window->Command(W::kPartitionFileCommand);
      },
      [&] { e.window->OpenFile(file); },
  };
  for (const auto& start : fresh_starts) {
    if (e.stage().GetTerrain().PartitionCount() == 0) e.OpenRoad(6);
    PressButton(e, kLeftAddButton);
    e.window->Recovery()->Tick();
    ASSERT_TRUE(e.window->Recovery()->CopyExists());
    e.prompter.QueueAnswer(PromptAnswer::kNo);
    start();
    EXPECT_FALSE(Enabled(e, W::kUndoCommand));
    EXPECT_FALSE(Enabled(e, W::kRedoCommand));
    EXPECT_FALSE(e.window->isWindowModified());
    EXPECT_FALSE(e.window->Recovery()->CopyExists());
  }
  e.prompter.ClearRecord();
  EXPECT_TRUE(e.window->close());
  EXPECT_TRUE(e.prompter.MessageTexts().empty()) << "nothing to save";
}

}  // namespace
