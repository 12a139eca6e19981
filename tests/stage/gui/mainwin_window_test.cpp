#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "converter/po3_file.h"
#include "exchange/stage_gltf.h"
#include "foundation/gui/about_window.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/text_window.h"
#include "foundation/settings_file.h"
#include "stage/gui/mode_window.h"
#include "stage/gui/stage_tool_window.h"
#include "stage/gui/stage_view_area.h"
#include "stage/gui/stage_view_window.h"
#include "stage/gui/stage_work_window.h"
#include "stage/stage_file.h"
#include "stage/stage_window_layout.h"
#include "tests/stage/gui/mainwin_fixture.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using mainwin_test::Editor;
using W = StageMainWindow1;

QRect Geometry(const PanelRect& r) { return QRect(r.x, r.y, r.width, r.height); }

TEST(MainWindowTest, WindowClassMenuAndTitle) {
  Editor e;
  EXPECT_EQ(e.window->objectName(), QStringLiteral("MyWin"));
  EXPECT_EQ(e.window->windowTitle(), QStringLiteral("無題[*] - TarnhollowVersion1.1"));
  EXPECT_FALSE(e.window->isWindowModified());
  const struct {
    int id;
    const char* text;
    const char* keys;
  } items[] = {{1028, "新規作成", "Ctrl+N"},
               {1027, "開く", "Ctrl+O"},
               {1154, "上書き保存", "Ctrl+S"},
               {1026, "名前を付けて保存", "Ctrl+Shift+S"},
               {1025, "路面ファイル(.pat)を開く", ""},
               {1024, "オブジェクトファイル(.po3)を開く", ""},
               {1155, "glTFファイルを出力", ""},
               {1029, "ヘルプ", "F1"},
               {1030, "バージョン情報", ""}};
  QList<QAction*> in_order;
  for (QAction* menu : e.window->menuBar()->actions()) {
    // Undo and redo have their own tests.
    if (menu->menu()->objectName() == QStringLiteral("EditMenu")) continue;
    for (QAction* action : menu->menu()->actions()) {
      if (!action->isSeparator()) in_order.append(action);
    }
  }
  ASSERT_EQ(in_order.size(), 9);
  for (size_t i = 0; i < std::size(items); ++i) {
    QAction* action = e.window->ActionById(items[i].id);
    ASSERT_NE(action, nullptr) << items[i].id;
    EXPECT_EQ(in_order[int(i)], action) << items[i].id;
    EXPECT_EQ(action->text(), QString::fromUtf8(items[i].text));
    EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(items[i].keys));
  }
  EXPECT_EQ(e.window->menuBar()->objectName(), QStringLiteral("MAINMENU"));
  EXPECT_FALSE(e.window->ActionById(W::kObjectFileCommand)->isEnabled());
}

TEST(MainWindowTest, PartsFollowTheLayoutRuleAtEverySize) {
  Editor e;
  for (const QSize size : {QSize(1000, 700), QSize(400, 300), QSize(90, 200), QSize(60, 80)}) {
    e.window->Client()->resize(size);
    QApplication::processEvents();
    const StageWindowLayout layout = LayOutStageWindow(size.width(), size.height());
    SCOPED_TRACE(size.width());
    EXPECT_EQ(e.window->Modes()->geometry(), Geometry(layout.mode_window));
    EXPECT_EQ(e.window->Modes()->ToolWindow(0)->geometry(), Geometry(layout.tool_window));
    EXPECT_EQ(e.window->Views()->geometry(), Geometry(layout.views));
    QWidget* work = e.window->Modes()->ToolWindow(0)->WorkWindow(ToolPanel::kMode0Work0);
    EXPECT_EQ(work->geometry(), Geometry(layout.work_window));
    if (size.width() < 95) {
      EXPECT_EQ(work->width(), 0);
    }
  }
}

TEST(MainWindowTest, EveryButtonIsThereWithItsPictureAndBalloon) {
  Editor e;
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    QWidget* panel = e.Find(PanelClassName(entry.panel));
    ASSERT_NE(panel, nullptr) << entry.id;
    DrawButton1* button = DrawButton1::FindById(panel, static_cast<uint32_t>(entry.id));
    ASSERT_NE(button, nullptr) << entry.id;
    EXPECT_EQ(button->geometry(), QRect(entry.x, entry.y, entry.width, entry.height));
    EXPECT_EQ(button->HelpText(), entry.help);
    // The strip holds three cells of the button's size.
    const QImage strip = NamedImage(entry.bitmap);
    EXPECT_EQ(strip.size(), QSize(3 * entry.width, entry.height)) << entry.bitmap;
  }
}

TEST(MainWindowTest, ModesToolsAndViewsShowTheirWindows) {
  Editor e;
  StageToolWindow1* mode0 = e.window->Modes()->ToolWindow(0);
  StageToolWindow1* mode1 = e.window->Modes()->ToolWindow(1);
  EXPECT_TRUE(mode0->isVisible());
  EXPECT_FALSE(mode1->isVisible());
  EXPECT_EQ(e.window->Views()->Shown(), kTopViewKind);

  const struct {
    int id;
    int mode;        // active mode afterwards
    ToolPanel work;  // the work window shown afterwards
    int32_t view;    // the view shown afterwards
  } steps[] = {
      {kPointMoveButton, 0, ToolPanel::kMode0Work2, kTopViewKind},
      {kMode0SplitViewButton, 0, ToolPanel::kMode0Work2, StageViewArea::kSplitView},
      {kMode1Button, 1, ToolPanel::kNone, kTopViewKind},
      {kRotateObjectButton, 1, ToolPanel::kMode1Work1, kTopViewKind},
      {kMode1PerspectiveViewButton, 1, ToolPanel::kMode1Work1, kPerspectiveViewKind},
      {kObjectCoordinatesButton, 1, ToolPanel::kMode1Work4, kPerspectiveViewKind},
      {kMode0Button, 0, ToolPanel::kMode0Work2, StageViewArea::kSplitView},
      {kFaceAttributeButton, 0, ToolPanel::kMode0Work4, StageViewArea::kSplitView},
      {kMode0PartitionViewButton, 0, ToolPanel::kMode0Work4, kPartitionViewKind},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.id);
    e.window->Command(step.id);
    EXPECT_EQ(mode0->isVisible(), step.mode == 0);
    EXPECT_EQ(mode1->isVisible(), step.mode == 1);
    for (StageToolWindow1* tools : {mode0, mode1}) {
      for (int32_t panel = 0; panel < kToolPanelCount; ++panel) {
        if (StageWorkWindow1* work = tools->WorkWindow(static_cast<ToolPanel>(panel))) {
          EXPECT_EQ(work->isVisible(), work->Panel() == step.work) << panel;
        }
      }
    }
    EXPECT_EQ(e.window->Views()->Shown(), step.view);
    // The pressed tool's button shows its pressed cell.
    const ToolButtonEntry* entry = FindToolButton(step.id);
    DrawButton1* button =
        DrawButton1::FindById(e.Find(PanelClassName(entry->panel)), static_cast<uint32_t>(step.id));
    EXPECT_EQ(button->State(), StageButtonPanel::kPressedCell);
  }
  // What the views ask on every click: the block of the live buttons.
  const ToolStateBlock block = e.window->ToolState();
  EXPECT_EQ(block.words[ToolStateBlock::kFaceAttributeTool], 1);
  EXPECT_EQ(block.words[ToolStateBlock::kMode0PartitionView], 1);
  EXPECT_EQ(block.words[ToolStateBlock::kObjectCoordinatesTool], 1);
  EXPECT_EQ(block.words[ToolStateBlock::kMode0], 1);
  EXPECT_EQ(block, e.window->Buttons().Block());
}

TEST(MainWindowTest, AWireIsAddedMovedByValueAndShownInTheWorkWindow) {
  Editor e;
  e.OpenRoad(6);
  EXPECT_TRUE(e.window->ActionById(W::kObjectFileCommand)->isEnabled());
  EXPECT_EQ(e.stage().SelectedPartition(), 0);
  e.window->Command(kWireEditButton);
  for (int id : {kLeftAddButton, kLeftAddButton, kRightAddButton}) e.window->Command(id);
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kLeftSide), 2);
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kRightSide), 1);
  EXPECT_TRUE(e.window->isWindowModified());
  e.window->Command(kLeftDeleteButton);
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kLeftSide), 1);

  // The point move tool's texts follow the selected point.
  e.window->Command(kPointMoveButton);
  StageWorkWindow1* work = e.window->Modes()->ToolWindow(0)->WorkWindow(ToolPanel::kMode0Work2);
  EXPECT_EQ(work->CoordinateWindow(0)->Text(), QStringLiteral("?????"));
  ASSERT_TRUE(e.stage().SelectPoint({0, kLeftSide, 0, kEndA}));
  e.window->StageChangedByView(ViewChange::kSelection);
  EXPECT_EQ(work->CoordinateWindow(0)->Text(), QStringLiteral("-15.000000"));
  EXPECT_EQ(work->CoordinateWindow(2)->Text(), QStringLiteral("10.000000"));
}

TEST(MainWindowTest, ActionsNeedingASelectionSayWhatIsMissing) {
  Editor e;
  e.OpenRoad(6);
  e.window->Command(kMode1Button);
  const struct {
    int id;
    const char* message;
  } cases[] = {
      {kObjectValueButton, "オブジェクトが選択されていません"},
      {kFaceAttributeButton, nullptr},
      {kNewTextureButton, "選択面がありません"},
      {kUsedTextureButton, "選択面がありません"},
  };
  for (const auto& c : cases) {
    e.prompter.ClearRecord();
    if (c.id == kFaceAttributeButton) e.window->Command(kMode0Button);
    e.window->Command(c.id);
    if (c.message == nullptr) continue;
    EXPECT_EQ(e.prompter.MessageTexts(), std::vector<std::string>{c.message}) << c.id;
  }
  // Without a road there is nothing to make a background object for.
  e.prompter.ClearRecord();
  e.window->Command(W::kNewCommand);
  e.window->Command(kMode1Button);
  e.window->Command(kCreateBackgroundObjectButton);
  e.window->Command(kCreateBitmapObjectButton);
  ASSERT_EQ(e.prompter.MessageTexts().size(), 2u);
  EXPECT_EQ(e.prompter.MessageTexts()[1], "パーテーションを選択してください");
}

TEST(MainWindowTest, AStageSavedInMode1WithZoomAndSwitchYReopensThatWay) {
  std::string path;
  {
    Editor e;
    e.OpenRoad(5);
    for (int id : {kMode1Button, kZoomObjectButton, kZoomObjectYButton, kMode1SideViewButton}) {
      e.window->Command(id);
    }
    path = e.folder.File("zoom.ste");
    e.prompter.QueuePath(path);
    e.window->Command(W::kSaveCommand);
    EXPECT_EQ(e.window->windowTitle(), QStringLiteral("zoom.ste[*] - TarnhollowVersion1.1"));
    EXPECT_FALSE(e.window->isWindowModified());
    // Keep the file beyond the folder's life.
    path = std::string(::testing::TempDir()) + "mainwin_zoom.ste";
    ASSERT_TRUE(std::filesystem::copy_file(e.folder.File("zoom.ste"), path,
                                           std::filesystem::copy_options::overwrite_existing));
  }
  Editor e;
  e.prompter.QueuePath(path);
  e.window->Command(W::kOpenCommand);
  ToolButtonState& buttons = e.window->Buttons();
  EXPECT_EQ(buttons.Mode(), 1);
  EXPECT_EQ(buttons.Tool(1), kZoomObjectButton);
  EXPECT_TRUE(buttons.Pressed(kZoomObjectYButton));
  EXPECT_FALSE(buttons.Pressed(kZoomObjectXButton));
  StageToolWindow1* tools = e.window->Modes()->ToolWindow(1);
  EXPECT_TRUE(tools->isVisible());
  EXPECT_FALSE(e.window->Modes()->ToolWindow(0)->isVisible());
  EXPECT_TRUE(tools->WorkWindow(ToolPanel::kMode1Work2)->isVisible());
  EXPECT_EQ(
      DrawButton1::FindById(tools->WorkWindow(ToolPanel::kMode1Work2), kZoomObjectYButton)->State(),
      StageButtonPanel::kPressedCell);
  EXPECT_EQ(e.window->Views()->Shown(), kSideViewKind);
  EXPECT_TRUE(e.window->ActionById(W::kObjectFileCommand)->isEnabled());
  EXPECT_EQ(e.window->windowTitle(), QStringLiteral("mainwin_zoom.ste[*] - TarnhollowVersion1.1"));
  std::filesystem::remove(path);
}

TEST(MainWindowTest, ClosingWithChangesAsksAndCancelKeepsEverything) {
  Editor e;
  e.OpenRoad(6);
  e.window->Command(kWireEditButton);
  e.window->Command(kRightAddButton);
  e.prompter.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_FALSE(e.window->close());
  EXPECT_TRUE(e.window->isVisible());
  EXPECT_EQ(e.prompter.MessageTexts(),
            std::vector<std::string>{"データが変更されています。セーブしますか？"});
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kRightSide), 1);
  EXPECT_TRUE(e.stage().Modified());

  // Yes with a cancelled name stops too; No closes and keeps the placement.
  e.prompter.QueueAnswer(PromptAnswer::kYes);
  e.prompter.QueuePath("");
  EXPECT_FALSE(e.window->close());
  e.prompter.QueueAnswer(PromptAnswer::kNo);
  EXPECT_TRUE(e.window->close());
  EXPECT_FALSE(
      SettingsFile::ReadString(e.folder.File("Settei.ini"), "MainWindow", "Right", "").empty());
}

TEST(MainWindowTest, NewDisablesTheObjectFileCommandUntilARoadIsLoaded) {
  Editor e;
  e.OpenRoad(4);
  e.window->Command(W::kNewCommand);  // unmodified: no question
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
  EXPECT_EQ(e.stage().GetTerrain().PartitionCount(), 0);
  QAction* object_file = e.window->ActionById(W::kObjectFileCommand);
  EXPECT_FALSE(object_file->isEnabled());
  e.prompter.ClearRecord();
  e.window->Command(W::kObjectFileCommand);
  EXPECT_TRUE(e.prompter.AskedQuestions().empty()) << "a disabled command does nothing";
  e.OpenRoad(4);
  EXPECT_TRUE(object_file->isEnabled());
}

TEST(MainWindowTest, EveryUserActionEndsInOnePlace) {
  Editor e;
  int finished = 0;
  std::vector<int> ids;
  QObject::connect(e.window.get(), &StageMainWindow1::ActionFinished, [&](int id) {
    ++finished;
    ids.push_back(id);
  });
  e.OpenRoad(4);
  e.window->Command(kWireEditButton);
  e.window->Command(kLeftAddButton);
  EXPECT_EQ(finished, 3);
  e.window->StageChangedByView(ViewChange::kEditing);
  EXPECT_EQ(finished, 3);
  e.window->StageChangedByView(ViewChange::kEditFinished);
  EXPECT_EQ(finished, 4);
  // A press on a button goes the same way as the command.
  DrawButton1* add =
      DrawButton1::FindById(e.Find("Mode0Work0Wnd_mode0work0button1"), kRightAddButton);
  SendMouse(add, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  SendMouse(add, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(finished, 5);
  EXPECT_EQ(ids, (std::vector<int>{W::kPartitionFileCommand, kWireEditButton, kLeftAddButton,
                                   W::kViewEditAction, kRightAddButton}));
  EXPECT_EQ(e.stage().GetTerrain().WireCount(0, kRightSide), 1);
  EXPECT_EQ(add->State(), StageButtonPanel::kRaisedCell);
}

TEST(MainWindowTest, HelpAndAboutOpenFromTheMenu) {
  Editor e;
  e.window->Command(W::kHelpCommand);
  HelpWindow1* help = HelpWindow1::Current();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->Browser()->source().toLocalFile().endsWith(QStringLiteral("tarnhollow.html")));
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("ステージエディタ")));
  // Every page the help links to is there.
  const std::filesystem::path folder =
      std::filesystem::path(SUITE_SOURCE_DIR) / "resources/tarnhollow/Help";
  int links = 0;
  for (const auto& page : std::filesystem::directory_iterator(folder)) {
    const QString text = QString::fromStdString(TempFolder::Read(page.path().string()));
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("href=\"([^\"]+)\"")).globalMatch(text);
    while (it.hasNext()) {
      const std::string target = it.next().captured(1).toStdString();
      EXPECT_TRUE(std::filesystem::exists(folder / target)) << page.path() << " -> " << target;
      ++links;
    }
  }
  EXPECT_GT(links, 8);
  help->close();

  e.window->Command(W::kAboutCommand);
  AboutWindow1* about = AboutWindow1::Current();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->Lines().contains(QStringLiteral("TarnhollowVersion1.1")));
  about->OkButton()->click();
  QApplication::processEvents();
}

TEST(MainWindowTest, ClicksAndDragsInAViewGoToTheToolTheButtonsChose) {
  Editor e;
  e.OpenRoad(12);
  e.window->Command(kWireEditButton);
  for (int id : {kLeftAddButton, kRightAddButton}) e.window->Command(id);
  auto* top = static_cast<StageViewWindow*>(e.window->Views()->View(kTopViewKind));
  top->Redraw();
  auto centre_of = [top](int32_t kind, const int32_t* ids, int32_t count) {
    for (const HitRecord& hit : top->Hits()) {
      if (hit.kind == kind && std::equal(ids, ids + count, hit.ids)) {
        return QPoint((hit.x0 + hit.x1) / 2, (hit.y0 + hit.y1) / 2);
      }
    }
    return QPoint(-1, -1);
  };
  // The select-partition tool takes the partition under a click.
  e.window->Command(kSelectPartitionButton);
  const int32_t partition[] = {1};
  const QPoint at = centre_of(kHitPartition, partition, 1);
  ASSERT_NE(at, QPoint(-1, -1));
  top->PressAt(1, at, false);
  top->ReleaseButton(1);
  ASSERT_EQ(e.stage().SelectedPartition(), 1);

  // The point-move tool: a click selects the wire's end, the work window shows it, a drag
  // moves it and ends one user action.
  int finished = 0;
  QObject::connect(e.window.get(), &StageMainWindow1::ActionFinished, [&finished] { ++finished; });
  e.window->Command(kPointMoveButton);
  top->Redraw();
  const int32_t point[] = {0, kLeftSide, 0, kEndA};
  QPoint p = centre_of(kHitPoint, point, 4);
  if (p == QPoint(-1, -1)) {
    const int32_t end_b[] = {0, kLeftSide, 0, kEndB};
    p = centre_of(kHitPoint, end_b, 4);
  }
  ASSERT_NE(p, QPoint(-1, -1));
  top->PressAt(1, p, false);
  top->ReleaseButton(1);
  ASSERT_TRUE(e.stage().SelectedPoint().Selected());
  StageWorkWindow1* work = e.window->Modes()->ToolWindow(0)->WorkWindow(ToolPanel::kMode0Work2);
  EXPECT_EQ(work->CoordinateWindow(0)->Text(), QStringLiteral("-15.000000"));
  finished = 0;
  const Point3f before = e.stage().GetTerrain().Wire(0, kLeftSide, 0).end_a;
  top->PressAt(1, p, false);
  top->MoveTo(p + QPoint(40, 0));
  top->MoveTo(p + QPoint(60, 0));
  top->ReleaseButton(1);
  const Point3f after = e.stage().GetTerrain().Wire(0, kLeftSide, 0).end_a;
  EXPECT_GT(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  EXPECT_EQ(finished, 1);
  EXPECT_NE(work->CoordinateWindow(0)->Text(), QStringLiteral("-15.000000"));
  EXPECT_TRUE(e.window->isWindowModified());

  // Switch X on: the same drag leaves x alone.
  e.window->Command(kPointMoveXButton);
  top->PressAt(1, p, false);
  top->MoveTo(p + QPoint(40, 30));
  top->ReleaseButton(1);
  EXPECT_EQ(e.stage().GetTerrain().Wire(0, kLeftSide, 0).end_a.x, after.x);
}

// Every action button reaches its editing operation: each case prepares the stage, presses
// the button as the author would and checks what the operation does.
TEST(MainWindowTest, EveryActionButtonDoesItsWork) {
  Editor e;
  e.OpenRoad(8);
  Stage& stage = e.stage();
  const Terrain& terrain = stage.GetTerrain();
  // Partition 2 with two left wires and one right wire; one object, free, selected.
  stage.SelectPartition(2);
  ASSERT_TRUE(stage.AddWire(2, kLeftSide, {-15, 0, 30}));
  ASSERT_TRUE(stage.AddWire(2, kLeftSide, {-25, 0, 30}));
  ASSERT_TRUE(stage.AddWire(2, kRightSide, {15, 0, 30}));
  e.prompter.QueuePath(e.folder.Write("box.po3", Po3File::Bytes(objects_test::Square())));
  e.window->Command(W::kObjectFileCommand);
  ASSERT_EQ(stage.ObjectCount(), 1);
  const int32_t box = stage.FirstObject();
  EXPECT_EQ(stage.Object(box).position, (Point3f{-5, 0, 30})) << "at the partition's left end";
  ASSERT_TRUE(stage.SelectObject(box));

  struct Case {
    const char* name;
    int id;
    std::function<void()> prepare;
    std::function<bool()> done;
  };
  const std::vector<Case> cases = {
      {"copy the partition before, in partition coordinates", kCopyBeforePartitionButton,
       [&] { stage.SelectPartition(3); },
       [&] {
         return terrain.WireCount(3, kLeftSide) == 2 && terrain.WireCount(3, kRightSide) == 1;
       }},
      {"copy in world coordinates", kCopyBeforeWorldButton, [&] { stage.SelectPartition(4); },
       [&] {
         return terrain.WireCount(4, kLeftSide) == 2 && terrain.WireCount(4, kRightSide) == 1;
       }},
      {"glue a point onto another", kGluePointButton,
       [&] {
         stage.SelectPartition(2);
         ASSERT_TRUE(stage.SelectPoint({2, kLeftSide, 0, kEndA}));
         ASSERT_TRUE(stage.SelectGlueTarget({2, kLeftSide, 1, kEndA}));
       },
       [&] {
         return terrain.Wire(2, kLeftSide, 0).end_a == (Point3f{-25, 0, 30});
       }},
      {"unglue the point's wire", kUngluePointButton, [] {},
       [&] { return terrain.Wire(2, kLeftSide, 0).joined == 0; }},
      {"invert the texture of a face", kInvertTextureButton,
       [&] {
         stage.ClearPicked();
         ASSERT_TRUE(stage.AddPicked({2, kRoadFaceSide, -1}));
       },
       [&] {
         return terrain.Face({2, kRoadFaceSide, -1}).corners[0] == TextureCorner{0, 0};
       }},
      {"glue the object to partition 2", kGlueButton, [] {},
       [&] { return !stage.IsFreeObject(box) && terrain.FindGlue(2, box) != -1; }},
      {"unglue it again", kUnglueButton, [] {}, [&] { return stage.IsFreeObject(box); }},
      {"copy the object", kCopyObjectButton, [] {},
       [&] { return stage.ObjectCount() == 2 && stage.SelectedObject() != box; }},
      {"delete the copy", kDeleteObjectButton, [] {},
       [&] { return stage.ObjectCount() == 1 && stage.SelectedObject() == -1; }},
      {"put the object coordinates back on the object", kResetMoveButton,
       [&] {
         ASSERT_TRUE(stage.SelectObject(box));
         ASSERT_TRUE(stage.MoveObjectOrigin(box, {100, 0, 0}));
         PlacedObject moved = stage.Object(box);
         moved.origin = {0, 50, 0};
         ASSERT_TRUE(stage.UpdateObject(box, moved));
       },
       [&] { return stage.Object(box).origin == stage.Object(box).position; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.prepare();
    const ToolButtonEntry* entry = FindToolButton(c.id);
    ASSERT_NE(entry, nullptr);
    // The button's own mode and tool bring its window up first.
    e.window->Command(ModeOfPanel(entry->panel) == 0 ? kMode0Button : kMode1Button);
    for (int32_t i = 0; i < ToolButtonCount(); ++i) {
      if (WorkPanelOfTool(ToolButtonAt(i).id) == entry->panel)
        e.window->Command(ToolButtonAt(i).id);
    }
    ASSERT_TRUE(e.Find(PanelClassName(entry->panel))->isVisible());
    e.window->Command(c.id);
    EXPECT_TRUE(c.done());
  }
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
}

}  // namespace

TEST(MainWindowTest, TheStageIsExportedAsGltfFromTheMenu) {
  Editor e;
  // An empty stage has nothing to write: the author is told, no file appears.
  const std::string empty = e.folder.File("empty.glb");
  e.prompter.QueuePath(empty);
  e.window->Command(W::kGltfExportCommand);
  EXPECT_FALSE(std::filesystem::exists(empty));
  ASSERT_EQ(e.prompter.MessageTexts().size(), 1u);
  EXPECT_EQ(e.prompter.MessageTexts()[0], StageGltfMessage(GltfWriteResult::kNothingToWrite));

  // A road: a name without a suffix becomes a binary glTF.
  e.OpenRoad();
  e.prompter.ClearRecord();
  e.prompter.QueuePath(e.folder.File("road"));
  e.window->Command(W::kGltfExportCommand);
  EXPECT_TRUE(e.prompter.MessageTexts().empty());
  EXPECT_EQ(TempFolder::Read(e.folder.File("road.glb")).substr(0, 4), "glTF");
  EXPECT_FALSE(e.stage().Modified());

  // A folder that does not exist: the message names the file.
  const std::string nowhere = e.folder.File("missing/road.glb");
  e.prompter.QueuePath(nowhere);
  e.window->Command(W::kGltfExportCommand);
  ASSERT_EQ(e.prompter.MessageTexts().size(), 1u);
  EXPECT_NE(e.prompter.MessageTexts()[0].find(nowhere), std::string::npos);
}
