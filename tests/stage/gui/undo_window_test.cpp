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
#include "stage/stage_history.h"
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

std::string MenuText(const Editor& e, int id) {
  return e.window->ActionById(id)->text().toStdString();
}

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
  Stage& stage = e.stage();
  stage.SelectPartition(2);
  PressButton(e, kLeftAddButton);
  PressButton(e, kRightAddButton);
  e.prompter.QueuePath(e.folder.Write("box.po3", Po3File::Bytes(objects_test::Square())));
  e.window->Command(W::kObjectFileCommand);
  ASSERT_EQ(stage.ObjectCount(), 1);
}

// A drag of the left button in `view`: press in the middle, a move that starts the drag, one
// step of `step` pixels, release.
void Drag(StageViewWindow* view, QPoint step) {
  const QPoint middle(view->width() / 2, (view->height() - view->BarHeight()) / 2);
  view->PressAt(kLeftButtonBit, middle, false);
  view->MoveTo(middle + QPoint(30, 0));
  view->MoveTo(view->DragReference() + step);
  view->ReleaseButton(kLeftButtonBit);
}

TEST(UndoMenuTest, EntriesNameTheStepTheyTakeAndAreDisabledWithoutOne) {
  Editor e;
  const QList<QAction*> menus = e.window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集(&E)"));
  QAction* undo = e.window->ActionById(W::kUndoCommand);
  QAction* redo = e.window->ActionById(W::kRedoCommand);
  EXPECT_EQ(menus[1]->menu()->actions(), (QList<QAction*>{undo, redo}));
  EXPECT_EQ(undo->shortcuts(), QList<QKeySequence>{kUndoKeys});
  EXPECT_EQ(redo->shortcuts(), (QList<QKeySequence>{kRedoKeysToo, kRedoKeys}));

  struct State {
    const char* undo_text;
    bool undo_enabled;
    const char* redo_text;
    bool redo_enabled;
  };
  auto expect = [&](const State& state, const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(MenuText(e, W::kUndoCommand), state.undo_text);
    EXPECT_EQ(undo->isEnabled(), state.undo_enabled);
    EXPECT_EQ(MenuText(e, W::kRedoCommand), state.redo_text);
    EXPECT_EQ(redo->isEnabled(), state.redo_enabled);
  };
  expect({"元に戻す", false, "やり直し", false}, "at start");
  e.OpenRoad(6);
  expect({"元に戻す", false, "やり直し", false}, "a road opened");
  PressButton(e, kLeftAddButton);
  PressButton(e, kRightAddButton);
  expect({"元に戻す: ワイヤーの追加", true, "やり直し", false}, "two wires added");
  PressButton(e, kLeftDeleteButton);
  expect({"元に戻す: ワイヤーの削除", true, "やり直し", false}, "one deleted");
  EXPECT_FALSE(PressShortcut(e.window.get(), kRedoKeys)) << "nothing to redo";
  ASSERT_TRUE(PressShortcut(e.window.get(), kUndoKeys));
  expect({"元に戻す: ワイヤーの追加", true, "やり直し: ワイヤーの削除", true}, "one undone");
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kLeftSide), 1);
  ASSERT_TRUE(PressShortcut(e.window.get(), kUndoKeys));
  ASSERT_TRUE(PressShortcut(e.window.get(), kUndoKeys));
  expect({"元に戻す", false, "やり直し: ワイヤーの追加", true}, "all undone");
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kRightSide), 0);
  EXPECT_FALSE(PressShortcut(e.window.get(), kUndoKeys));
  ASSERT_TRUE(PressShortcut(e.window.get(), kRedoKeysToo));
  ASSERT_TRUE(PressShortcut(e.window.get(), kRedoKeys));
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kRightSide), 1);
  expect({"元に戻す: ワイヤーの追加", true, "やり直し: ワイヤーの削除", true}, "two redone");
  // A new edit drops what could be redone.
  PressButton(e, kRightAddButton);
  expect({"元に戻す: ワイヤーの追加", true, "やり直し", false}, "a new edit");
}

// Every action button, menu command and dialog OK that changes the stage is one step with its
// name; undo gives back the stage as it was before, redo as it was after.
TEST(UndoStepTest, EveryEditingActionIsOneStep) {
  Editor e;
  PrepareStage(e);
  Stage& stage = e.stage();
  const std::string grass = e.folder.Write("grass.bmp", stage_test::BmpBytes(16, 16, 30, 160, 40));
  auto select_object = [&stage] { ASSERT_TRUE(stage.SelectObject(stage.FirstObject())); };
  struct Case {
    const char* label;
    int id;
    std::function<void()> prepare;
  };
  const std::vector<Case> cases = {
      {"ワイヤーの追加", kLeftAddButton, [&] { stage.SelectPartition(3); }},
      {"ワイヤーの削除", kLeftDeleteButton, [] {}},
      {"ワイヤーのコピー", kCopyBeforePartitionButton, [&] { stage.SelectPartition(3); }},
      {"ワイヤーのコピー", kCopyBeforeWorldButton, [&] { stage.SelectPartition(4); }},
      {"点の接着", kGluePointButton,
       [&] {
         stage.SelectPartition(3);
         ASSERT_TRUE(stage.SelectPoint({3, kLeftSide, 0, kEndA}));
         ASSERT_TRUE(stage.SelectGlueTarget({4, kLeftSide, 0, kEndB}));
       }},
      {"点の接着解除", kUngluePointButton, [] {}},
      {"テクスチャーの設定", kNewTextureButton,
       [&] {
         ASSERT_TRUE(stage.AddPicked({2, kRoadFaceSide, -1}));
         ASSERT_TRUE(stage.AddPicked({3, kLeftSide, 0}));
         e.prompter.QueuePath(grass);
       }},
      {"テクスチャーの反転", kInvertTextureButton, [] {}},
      {"テクスチャーの回転", kRotateTextureButton, [] {}},
      {"オブジェクトのコピー", kCopyObjectButton, select_object},
      {"オブジェクトの接着", kGlueButton,
       [&] {
         select_object();
         stage.SelectPartition(2);
       }},
      {"オブジェクトの削除", kDeleteObjectButton, select_object},
      {"数値の設定", kObjectValueButton,
       [&] {
         select_object();
         WhenDialogOpens<ObjectValueDialog>([](ObjectValueDialog* dialog) {
           dialog->Field(0)->setText(QStringLiteral("-12.5"));
           dialog->OkButton()->click();
         });
       }},
      {"オブジェクト座標のリセット", kResetMoveButton, select_object},
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    c.prepare();
    const std::string before = StageModelImage(stage);
    const size_t steps = e.window->History().UndoCount();
    PressButton(e, c.id);
    const std::string after = StageModelImage(stage);
    ASSERT_NE(after, before) << "the action changed nothing";
    EXPECT_EQ(e.window->History().UndoCount(), steps + 1);
    EXPECT_EQ(MenuText(e, W::kUndoCommand), std::string("元に戻す: ") + c.label);
    e.window->Command(W::kUndoCommand);
    EXPECT_EQ(StageModelImage(stage), before);
    EXPECT_EQ(MenuText(e, W::kRedoCommand), std::string("やり直し: ") + c.label);
    e.window->Command(W::kRedoCommand);
    EXPECT_EQ(StageModelImage(stage), after);
  }
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
  // The object from the menu, the first step, goes back too: IDs are positions after a step.
  while (e.window->History().CanUndo()) e.window->Command(W::kUndoCommand);
  EXPECT_EQ(stage.ObjectCount(), 0);
  EXPECT_EQ(MenuText(e, W::kRedoCommand), "やり直し: ワイヤーの追加");
}

// A drag from press to release in each view that edits is one step; Ctrl+Z puts the point
// or the object back, selects it again and the work window shows where it is again.
TEST(UndoDragTest, CtrlZAfterADragInEachViewPutsTheThingBack) {
  Editor e;
  PrepareStage(e);
  Stage& stage = e.stage();
  struct Case {
    const char* label;
    int view_button;
    int tool;
    ToolPanel work;
    bool object;
  };
  const Case cases[] = {
      {"点の移動", kMode0TopViewButton, kPointMoveButton, ToolPanel::kMode0Work2, false},
      {"点の移動", kMode0SideViewButton, kPointMoveButton, ToolPanel::kMode0Work2, false},
      {"点の移動", kMode0FrontViewButton, kPointMoveButton, ToolPanel::kMode0Work2, false},
      {"点の移動", kMode0PartitionViewButton, kPointMoveButton, ToolPanel::kMode0Work2, false},
      {"オブジェクトの移動", kMode1TopViewButton, kMoveObjectButton, ToolPanel::kMode1Work0, true},
      {"オブジェクトの回転", kMode1SideViewButton, kRotateObjectButton, ToolPanel::kMode1Work1,
       true},
      {"オブジェクトの拡大縮小", kMode1FrontViewButton, kZoomObjectButton, ToolPanel::kMode1Work2,
       true},
      {"オブジェクト座標の移動", kMode1TopViewButton, kObjectCoordinatesButton,
       ToolPanel::kMode1Work4, false},
  };
  const PointRef point{2, kLeftSide, 0, kEndA};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.view_button));
    const bool mode1 = c.view_button >= kMode1TopViewButton;
    e.window->Command(mode1 ? kMode1Button : kMode0Button);
    e.window->Command(c.view_button);
    e.window->Command(c.tool);
    stage.SelectPartition(2);
    ASSERT_TRUE(stage.SelectPoint(point));
    ASSERT_TRUE(stage.SelectObject(stage.FirstObject()));
    e.window->StageChangedByView(ViewChange::kSelection);
    StageWorkWindow1* work = e.window->Modes()->ToolWindow(mode1 ? 1 : 0)->WorkWindow(c.work);
    const QString shown = work->CoordinateWindow(0) ? work->CoordinateWindow(0)->Text() : "";
    const std::string before = StageModelImage(stage);

    const int32_t shown_kind = e.window->Views()->Shown();
    auto* view = static_cast<StageViewWindow*>(e.window->Views()->View(shown_kind));
    ASSERT_TRUE(view->isVisible());
    Drag(view, QPoint(15, -12));
    const std::string after = StageModelImage(stage);
    ASSERT_NE(after, before);
    EXPECT_EQ(MenuText(e, W::kUndoCommand), std::string("元に戻す: ") + c.label);

    // The selection moves on before the undo; the undo shows the changed thing again.
    stage.SelectPoint(PointRef());
    stage.SelectObject(-1);
    e.window->StageChangedByView(ViewChange::kSelection);
    ASSERT_TRUE(PressShortcut(e.window.get(), kUndoKeys));
    EXPECT_EQ(StageModelImage(stage), before);
    if (c.object) {
      EXPECT_EQ(stage.SelectedObject(), stage.FirstObject());
    } else if (!mode1) {
      EXPECT_EQ(stage.SelectedPoint(), point);
    }
    if (work->CoordinateWindow(0) != nullptr) {
      EXPECT_EQ(work->CoordinateWindow(0)->Text(), shown);
    }
    ASSERT_TRUE(PressShortcut(e.window.get(), kRedoKeys));
    EXPECT_EQ(StageModelImage(stage), after);
  }
}

TEST(UndoDragTest, CtrlZDuringADragWaitsForTheRelease) {
  Editor e;
  PrepareStage(e);
  e.window->Command(kPointMoveButton);
  ASSERT_TRUE(e.stage().SelectPoint({2, kLeftSide, 0, kEndA}));
  const std::string before = StageModelImage(e.stage());
  const size_t steps = e.window->History().UndoCount();
  auto* top = static_cast<StageViewWindow*>(e.window->Views()->View(kTopViewKind));
  const QPoint middle(top->width() / 2, top->height() / 2);
  top->PressAt(kLeftButtonBit, middle, false);
  top->MoveTo(middle + QPoint(30, 0));
  top->MoveTo(top->DragReference() + QPoint(20, 0));
  ASSERT_TRUE(top->Dragging());
  const std::string moved = StageModelImage(e.stage());
  ASSERT_NE(moved, before);
  PressShortcut(e.window.get(), kUndoKeys);
  EXPECT_EQ(StageModelImage(e.stage()), moved) << "the drag is not cut in two";
  top->MoveTo(top->DragReference() + QPoint(20, 0));
  top->ReleaseButton(kLeftButtonBit);
  EXPECT_EQ(e.window->History().UndoCount(), steps + 1);
  ASSERT_TRUE(PressShortcut(e.window.get(), kUndoKeys));
  EXPECT_EQ(StageModelImage(e.stage()), before);
}

// The modified flag, the title's "*" and the question before closing follow the history:
// back at what the file holds there is nothing to save.
TEST(UndoSavedStateTest, UndoingBackToTheSavedStageClearsTheModifiedFlag) {
  Editor e;
  e.OpenRoad(6);
  const std::string file = e.folder.File("road.ste");
  e.prompter.QueuePath(file);
  e.window->Command(W::kSaveAsCommand);
  ASSERT_FALSE(e.window->isWindowModified());
  EXPECT_EQ(e.window->windowTitle(), QStringLiteral("road.ste[*] - TarnhollowVersion1.1"));

  PressButton(e, kLeftAddButton);
  EXPECT_TRUE(e.window->isWindowModified());
  e.window->Command(W::kUndoCommand);
  EXPECT_FALSE(e.window->isWindowModified());
  EXPECT_FALSE(e.stage().Modified());
  e.window->Command(W::kRedoCommand);
  EXPECT_TRUE(e.window->isWindowModified());

  // Saved at the later state: the earlier one now differs from the file.
  e.window->Command(W::kSaveCommand);
  EXPECT_FALSE(e.window->isWindowModified());
  e.window->Command(W::kUndoCommand);
  EXPECT_TRUE(e.window->isWindowModified());
  e.window->Command(W::kRedoCommand);
  EXPECT_FALSE(e.window->isWindowModified());

  // Saved when a command asked first, then the command was cancelled: still the saved state.
  PressButton(e, kRightAddButton);
  e.prompter.QueueAnswer(PromptAnswer::kYes);
  e.prompter.QueuePath("");  // the open dialog is cancelled
  e.window->Command(W::kOpenCommand);
  EXPECT_FALSE(e.window->isWindowModified());
  e.window->Command(W::kUndoCommand);
  e.window->Command(W::kRedoCommand);
  EXPECT_FALSE(e.window->isWindowModified());

  // Nothing to save: closing asks nothing.
  e.prompter.ClearRecord();
  EXPECT_TRUE(e.window->close());
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
}

// New, open and opening a partition file start a fresh history (and end the recovery copy).
TEST(UndoSavedStateTest, NewOpenAndAPartitionFileStartAFreshHistory) {
  Editor e;
  e.OpenRoad(6);
  const std::string file = e.folder.File("road.ste");
  e.prompter.QueuePath(file);
  e.window->Command(W::kSaveAsCommand);
  const struct {
    const char* name;
    std::function<void()> command;
  } cases[] = {
      {"new",
       [&] {
         e.prompter.QueueAnswer(PromptAnswer::kNo);
         e.window->Command(W::kNewCommand);
       }},
      {"open",
       [&] {
         e.prompter.QueueAnswer(PromptAnswer::kNo);
         e.prompter.QueuePath(file);
         e.window->Command(W::kOpenCommand);
       }},
      {"partition file",
       [&] {
         e.prompter.QueueAnswer(PromptAnswer::kNo);
         e.prompter.QueuePath(e.Road(5));
         e.window->Command(W::kPartitionFileCommand);
       }},
      {"open from the command line", [&] { e.window->OpenFile(file); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (e.stage().GetTerrain().PartitionCount() == 0) e.OpenRoad(6);
    PressButton(e, kLeftAddButton);
    ASSERT_TRUE(e.window->History().CanUndo());
    e.window->Recovery()->Tick();
    ASSERT_TRUE(e.window->Recovery()->CopyExists());
    c.command();
    EXPECT_FALSE(e.window->History().CanUndo());
    EXPECT_FALSE(e.window->History().CanRedo());
    EXPECT_FALSE(e.window->ActionById(W::kUndoCommand)->isEnabled());
    EXPECT_FALSE(e.window->isWindowModified());
    EXPECT_FALSE(e.window->Recovery()->CopyExists());
  }
}

TEST(UndoStepTest, AnActionIsNamedAfterWhatItDid) {
  const struct {
    int id;
    int32_t tool_word;
    StageEdit edit;
  } cases[] = {
      {kRightAddButton, -1, StageEdit::kWireAdded},
      {kCopyBeforeWorldButton, -1, StageEdit::kWiresCopied},
      {kUsedTextureButton, -1, StageEdit::kFaceTextureSet},
      {W::kObjectFileCommand, -1, StageEdit::kObjectCreated},
      {kCreateBitmapObjectButton, -1, StageEdit::kBitmapObjectCreated},
      {kUnglueButton, -1, StageEdit::kObjectUnglued},
      {W::kHelpCommand, -1, StageEdit::kOtherChange},
      {kMode0TopViewButton, -1, StageEdit::kOtherChange},
      {W::kViewEditAction, ToolStateBlock::kPointMoveTool, StageEdit::kPointMoved},
      {W::kViewEditAction, ToolStateBlock::kMoveObjectTool, StageEdit::kObjectMoved},
      {W::kViewEditAction, ToolStateBlock::kRotateObjectTool, StageEdit::kObjectTurned},
      {W::kViewEditAction, ToolStateBlock::kZoomObjectTool, StageEdit::kObjectScaled},
      {W::kViewEditAction, ToolStateBlock::kObjectCoordinatesTool, StageEdit::kObjectOriginMoved},
      {W::kViewEditAction, ToolStateBlock::kMode0CameraMove, StageEdit::kOtherChange},
  };
  for (const auto& c : cases) {
    ToolStateBlock tools = ToolStateBlock::Initial();
    if (c.tool_word != -1) {
      const bool mode1 = c.tool_word >= ToolStateBlock::kMode1CameraMove;
      tools.words[ToolStateBlock::kMode0] = mode1 ? 0 : 1;
      tools.words[ToolStateBlock::kMode1] = mode1 ? 1 : 0;
      for (int32_t word : {ToolStateBlock::kMode0CameraMove, ToolStateBlock::kMode1CameraMove}) {
        tools.words[word] = 0;
      }
      tools.words[c.tool_word] = 1;
    }
    EXPECT_EQ(StageEditOfAction(c.id, tools), c.edit) << c.id << " " << c.tool_word;
  }
}

}  // namespace
