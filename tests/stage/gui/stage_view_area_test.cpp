#include "stage/gui/stage_view_area.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "foundation/gui/draw_button.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/value_edit_window.h"
#include "stage/gui/display_setup_dialog.h"
#include "stage/gui/stage_parallel_view.h"
#include "stage/gui/stage_partition_view.h"
#include "stage/gui/stage_perspective_view.h"
#include "stage/stage_file.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using T = ToolStateBlock;

class FakeHost : public StageViewHost {
 public:
  ToolStateBlock ToolState() const override { return tools; }
  void StageChangedByView(ViewChange change) override { changes.push_back(change); }

  void UseTool(int32_t mode, std::initializer_list<int32_t> words) {
    tools = ToolStateBlock();
    tools.words[mode == 0 ? T::kMode0 : T::kMode1] = 1;
    for (int32_t word : words) tools.words[word] = 1;
  }

  ToolStateBlock tools = ToolStateBlock::Initial();
  std::vector<ViewChange> changes;
};

// The view area on a straight road of 11 partitions with one wire a side, 600 x 400.
class StageViewAreaTest : public views_test::ViewsTest {
 protected:
  void SetUp() override {
    EnsureTestApplication();
    ViewsTest::SetUp();
    LoadRoad(12, 1, 5);
    area_ = std::make_unique<StageViewArea>(&stage_, &host_, nullptr);
    area_->resize(600, 400);
    area_->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    area_.reset();
    ViewsTest::TearDown();
  }
  ParallelWnd1* Top() const { return static_cast<ParallelWnd1*>(area_->View(kTopViewKind)); }
  PerspecWnd1* Perspective() const {
    return static_cast<PerspecWnd1*>(area_->View(kPerspectiveViewKind));
  }
  PatWnd1* PartitionView() const { return static_cast<PatWnd1*>(area_->View(kPartitionViewKind)); }
  // Centres the top view on (0, 0, 50) at 4 pixels a unit (the world (x, z) at
  // (300 + 4x, 200 - 4(z - 50)) on its 600 x 400 surface).
  void CentreTop() {
    area_->ShowView(kTopViewKind);
    Top()->SetRecord({0.0, 0.0, 50.0, 4.0 / 600.0});
    Top()->Redraw();
  }

  FakeHost host_;
  std::unique_ptr<StageViewArea> area_;
};

TEST_F(StageViewAreaTest, FiveViewWindowsOneOrFourShown) {
  const char* const classes[] = {"ParallelWnd_parallelwnd1", "ParallelWnd_parallelwnd1",
                                 "ParallelWnd_parallelwnd1", "PerspecWnd_perspecwnd1",
                                 "PatWnd_patwnd1"};
  for (int32_t kind = 0; kind < 5; ++kind) {
    EXPECT_EQ(area_->View(kind)->objectName().toStdString(), classes[kind]);
    area_->ShowView(kind);
    EXPECT_EQ(area_->Shown(), kind);
    for (int32_t other = 0; other < 5; ++other) {
      EXPECT_EQ(area_->View(other)->isVisible(), other == kind);
    }
    EXPECT_EQ(area_->View(kind)->geometry(), QRect(0, 0, 600, 400));
  }
  EXPECT_EQ(area_->View(9), nullptr);
  area_->ShowSplitView();
  EXPECT_EQ(area_->Shown(), StageViewArea::kSplitView);
  EXPECT_EQ(area_->SplitPanes(), (std::array<int32_t, 4>{0, 3, 2, 1}));
  // The panes share the area, a line of its grey between them.
  EXPECT_EQ(area_->View(kTopViewKind)->geometry(), QRect(0, 0, 299, 199));
  EXPECT_EQ(area_->View(kPerspectiveViewKind)->geometry(), QRect(301, 0, 299, 199));
  EXPECT_EQ(area_->View(kFrontViewKind)->geometry(), QRect(0, 201, 299, 199));
  EXPECT_EQ(area_->View(kSideViewKind)->geometry(), QRect(301, 201, 299, 199));
  EXPECT_FALSE(area_->View(kPartitionViewKind)->isVisible());
  area_->SetSplitPanes({4, 1, 2, 3});
  EXPECT_EQ(area_->View(kPartitionViewKind)->geometry(), QRect(0, 0, 299, 199));
  EXPECT_FALSE(area_->View(kTopViewKind)->isVisible());
  // A layout showing a kind twice is refused.
  area_->SetSplitPanes({0, 0, 1, 2});
  EXPECT_EQ(area_->SplitPanes(), (std::array<int32_t, 4>{4, 1, 2, 3}));
}

TEST_F(StageViewAreaTest, TheViewsStateGoesToAStageFileAndComesBack) {
  Top()->SetRecord({10.0, 20.0, 30.0, 0.004});
  Perspective()->Command(kRenderAroundButton);
  PartitionView()->ButtonBar()->Click(PatButtonWindow1::kShowPrevious);
  PartitionView()->Camera().Drag(40, 10);
  area_->SetSplitPanes({2, 4, 0, 1});
  const ViewSection saved = area_->CurrentViews();
  EXPECT_EQ(saved.parallel[kTopViewKind], (ParallelViewRecord{10.0, 20.0, 30.0, 0.004}));
  EXPECT_EQ(saved.perspective.pressed_button, kRenderAroundButton);
  EXPECT_EQ(saved.perspective.current_mode, 2);
  EXPECT_EQ(saved.partition.show_previous, 1);
  EXPECT_EQ(saved.first_pane_kind, kFrontViewKind);

  StageViewArea other(&stage_, &host_, nullptr);
  other.resize(600, 400);
  other.ApplyViews(saved);
  EXPECT_EQ(other.CurrentViews(), saved);
  // The other panes take the kinds that remain, in the start-up order.
  EXPECT_EQ(other.SplitPanes(), (std::array<int32_t, 4>{2, 0, 3, 1}));
  EXPECT_TRUE(static_cast<PerspecWnd1*>(other.View(kPerspectiveViewKind))
                  ->ButtonBar()
                  ->Down(kRenderAroundButton));

  area_->ResetViews();
  ViewSection reset = area_->CurrentViews();
  reset.partition.camera_state[3] = reset.partition.camera_state[4] =
      reset.partition.camera_state[5] = 0;  // where the last drawing placed the camera
  ViewSection initial;
  initial.partition.camera_state[2] = std::bit_cast<uint32_t>(1.0f);
  EXPECT_EQ(reset, initial);
  EXPECT_EQ(area_->SplitPanes(), (std::array<int32_t, 4>{0, 3, 2, 1}));
}

TEST_F(StageViewAreaTest, AClickHandsThePointToTheSelectingTool) {
  CentreTop();
  host_.UseTool(0, {T::kSelectPartitionTool});
  // Partition 8 covers z 80 ... 90: pixels y 40 ... 80.
  Top()->PressAt(kLeftButtonBit, QPoint(300, 60), false);
  Top()->MoveTo(QPoint(303, 64));  // within 5 pixels: still a click
  EXPECT_FALSE(Top()->CursorHidden());
  Top()->ReleaseButton(kLeftButtonBit);
  EXPECT_EQ(stage_.SelectedPartition(), 8);
  ASSERT_EQ(host_.changes.size(), 1u);
  EXPECT_EQ(host_.changes[0], ViewChange::kSelection);
  // A click that hits nothing changes nothing and tells nobody.
  Top()->PressAt(kLeftButtonBit, QPoint(5, 395), false);
  Top()->ReleaseButton(kLeftButtonBit);
  EXPECT_EQ(stage_.SelectedPartition(), 8);
  EXPECT_EQ(host_.changes.size(), 1u);
}

TEST_F(StageViewAreaTest, CameraDragsMoveOnlyTheView) {
  CentreTop();
  stage_.ClearModified();
  host_.UseTool(0, {T::kMode0CameraMove});
  Top()->PressAt(kLeftButtonBit, QPoint(300, 200), false);
  Top()->MoveTo(QPoint(320, 200));
  EXPECT_TRUE(Top()->Dragging());
  EXPECT_TRUE(Top()->CursorHidden());
  // Each step is measured from where the pointer rests between steps.
  Top()->MoveTo(Top()->DragReference() + QPoint(20, 0));
  Top()->ReleaseButton(kLeftButtonBit);
  EXPECT_FALSE(Top()->CursorHidden());
  EXPECT_LT(Top()->Record().position_x, 0.0);  // the picture moved right
  EXPECT_TRUE(host_.changes.empty());
  EXPECT_FALSE(stage_.Modified());
}

TEST_F(StageViewAreaTest, AnEditingDragEndsWithOneFinishedEdit) {
  CentreTop();
  stage_.ClearModified();
  stage_.SelectPoint({5, kLeftSide, 0, kEndA});
  host_.UseTool(0, {T::kPointMoveTool});
  const Point3f before = stage_.GetTerrain().Wire(5, kLeftSide, 0).end_a;
  Top()->PressAt(kLeftButtonBit, QPoint(240, 160), false);
  Top()->MoveTo(QPoint(250, 160));  // starts the drag
  Top()->MoveTo(Top()->DragReference() + QPoint(10, 0));
  Top()->MoveTo(Top()->DragReference() + QPoint(10, -10));
  Top()->ReleaseButton(kLeftButtonBit);
  const Point3f after = stage_.GetTerrain().Wire(5, kLeftSide, 0).end_a;
  EXPECT_GT(after.x, before.x);
  EXPECT_TRUE(stage_.Modified());
  ASSERT_GE(host_.changes.size(), 2u);
  EXPECT_EQ(host_.changes.back(), ViewChange::kEditFinished);
  for (size_t i = 0; i + 1 < host_.changes.size(); ++i) {
    EXPECT_EQ(host_.changes[i], ViewChange::kEditing);
  }
}

TEST_F(StageViewAreaTest, AheadAndBackStepTheCurrentPartitionWithinTheStage) {
  area_->ShowView(kPartitionViewKind);
  PatWnd1* view = PartitionView();
  view->Command(PatButtonWindow1::kAhead);
  EXPECT_EQ(stage_.SelectedPartition(), 6);
  view->Command(PatButtonWindow1::kBack);
  view->Command(PatButtonWindow1::kBack);
  EXPECT_EQ(stage_.SelectedPartition(), 4);
  EXPECT_EQ(host_.changes.size(), 3u);
  stage_.SelectPartition(10);
  view->Command(PatButtonWindow1::kAhead);
  EXPECT_EQ(stage_.SelectedPartition(), 10);
  stage_.SelectPartition(0);
  view->Command(PatButtonWindow1::kBack);
  EXPECT_EQ(stage_.SelectedPartition(), 0);
  stage_.SelectPartition(-1);
  view->Command(PatButtonWindow1::kAhead);
  EXPECT_EQ(stage_.SelectedPartition(), -1);
  EXPECT_EQ(host_.changes.size(), 3u);
}

TEST_F(StageViewAreaTest, TheBarsCarryTheirBitmapsAndHelpTexts) {
  struct Case {
    ViewButtonBar* bar;
    uint32_t command;
    const char* bitmap;
    const char* help;
  };
  const Case cases[] = {
      {PartitionView()->ButtonBar(), 1110, "AHEADBUTTON_BMP",
       "[Function]\n   表示パーテーションを前に進める"},
      {PartitionView()->ButtonBar(), 1113, "BEFOREDISPBUTTON_BMP",
       "[Function]\n   前のパーテーションを表示/非表示"},
      {Perspective()->ButtonBar(), 1105, "FREEBUTTON_BMP",
       "[Function]\n   ワイヤーフレーム表示＋自由移動モード"},
      {Perspective()->ButtonBar(), 1108, "RENDAROUNDBUTTON_BMP",
       "[Function]\n   レンダリング表示＋路面一周移動モード"},
      {Perspective()->ButtonBar(), 1109, "SETUPBUTTON_BMP",
       "[Function]\n   レンダリングの設定を行う"},
  };
  for (const Case& c : cases) {
    DrawButton1* button = c.bar->Button(c.command);
    ASSERT_NE(button, nullptr) << c.command;
    EXPECT_EQ(button->HelpText(), c.help);
    EXPECT_EQ(NamedImage(c.bitmap).size(), QSize(66, 22)) << c.bitmap;
  }
  EXPECT_EQ(Perspective()->ButtonBar()->objectName(),
            QStringLiteral("PerspecButtonWindow_perspecbutton1"));
  EXPECT_EQ(PartitionView()->ButtonBar()->objectName(),
            QStringLiteral("PatButtonWindow_patwndbutton1"));
  EXPECT_EQ(Perspective()->ButtonBar()->Button(1106)->geometry(), QRect(32, 0, 22, 22));
}

TEST_F(StageViewAreaTest, OneModeButtonIsDownAndTheRenderedViewRunsTheTimer) {
  area_->ShowView(kPerspectiveViewKind);
  PerspecWnd1* view = Perspective();
  EXPECT_TRUE(view->ButtonBar()->Down(kFreeButton));
  EXPECT_FALSE(view->Animating());
  view->ButtonBar()->Click(kRenderButton);
  EXPECT_FALSE(view->ButtonBar()->Down(kFreeButton));
  EXPECT_EQ(view->Record().current_mode, 1);
  EXPECT_TRUE(view->LastPerspective().rendered);
  // The camera-move tool is active: the timer runs while the application is.
  EXPECT_EQ(view->Animating(), QGuiApplication::applicationState() == Qt::ApplicationActive);
  host_.UseTool(0, {T::kSelectPointTool});
  view->Redraw();
  EXPECT_FALSE(view->Animating());
  host_.UseTool(0, {T::kMode0CameraRotate});
  view->ButtonBar()->Click(kRoadButton);
  EXPECT_FALSE(view->Animating());
  EXPECT_FALSE(view->LastPerspective().rendered);
  area_->ShowView(kTopViewKind);
  EXPECT_FALSE(view->Animating());
}

TEST_F(StageViewAreaTest, TheDisplaySettingsDialogStoresOnOkOnly) {
  area_->ShowView(kPerspectiveViewKind);
  PerspecWnd1* view = Perspective();
  view->Command(PerspecButtonWindow1::kSetup);
  DisplaySetupDialog* dialog = view->SetupDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("描写の設定"));
  for (int id : {1133, 1134, 1135, 1136, 1137, 1138, 1139, 1140, 1141, 1149}) {
    EXPECT_NE(dialog->Control(id), nullptr) << id;
  }
  static_cast<QCheckBox*>(dialog->Control(1140))->setChecked(true);
  static_cast<QRadioButton*>(dialog->Control(1133))->setChecked(true);
  static_cast<ValueEditWindow1*>(dialog->Control(1149))->SetPosition(9);  // 1 + 9
  static_cast<QPushButton*>(dialog->Control(1138))->click();              // Cancel
  QApplication::processEvents();
  EXPECT_EQ(view->Record().settings, DisplaySettings());
  EXPECT_EQ(view->SetupDialog(), nullptr);

  view->Command(PerspecButtonWindow1::kSetup);
  dialog = view->SetupDialog();
  ASSERT_NE(dialog, nullptr);
  static_cast<QCheckBox*>(dialog->Control(1140))->setChecked(true);
  static_cast<QRadioButton*>(dialog->Control(1133))->setChecked(true);
  static_cast<ValueEditWindow1*>(dialog->Control(1135))->SetPosition(3);
  static_cast<ValueEditWindow1*>(dialog->Control(1149))->SetPosition(9);
  static_cast<QPushButton*>(dialog->Control(1137))->click();  // OK
  QApplication::processEvents();
  const DisplaySettings want{0, 1, 0, 1, 3, 0.0f, 10};
  EXPECT_EQ(view->Record().settings, want);
}

}  // namespace

namespace {

// Every view of a stage saved with the views' state and opened again draws the same picture.
TEST_F(StageViewAreaTest, AStageFileOpenedAgainShowsTheSamePictures) {
  stage_.SelectPoint({5, kLeftSide, 0, kEndA});
  AddSquare({0.0f, 0.0f, 55.0f}, 0, 0, 1);
  Top()->SetRecord({0.0, 0.0, 50.0, 0.005});
  Perspective()->Command(kRenderButton);
  PartitionView()->ButtonBar()->Click(PatButtonWindow1::kHorizontal);
  area_->ShowSplitView();
  area_->SetSplitPanes({4, 0, 3, 1});
  const std::string path = folder_.File("views.ste");
  ASSERT_TRUE(StageFile::Save(path, stage_, host_.tools, area_->CurrentViews()));

  std::vector<std::vector<uint16_t>> pictures;
  auto grab = [&pictures](const StageViewArea& area) {
    pictures.clear();
    for (int32_t kind = 0; kind < 5; ++kind) {
      StageViewWindow* view = static_cast<StageViewWindow*>(area.View(kind));
      view->Redraw();
      const Surface16* surface = view->ViewSurface();
      pictures.emplace_back(surface->Bits(),
                            surface->Bits() + surface->Width() * surface->Height());
    }
    return pictures;
  };
  const std::vector<std::vector<uint16_t>> before = grab(*area_);
  area_.reset();
  Stage loaded;
  ToolStateBlock tools;
  ViewSection views;
  ASSERT_EQ(StageFile::Load(path, loaded, &tools, &views), StageFileResult::kOk);
  StageViewArea again(&loaded, &host_, nullptr);
  again.resize(600, 400);
  again.show();
  QApplication::processEvents();
  again.ApplyViews(views);
  again.ShowSplitView();
  EXPECT_EQ(again.SplitPanes(), (std::array<int32_t, 4>{4, 0, 3, 2}));
  again.SetSplitPanes({4, 0, 3, 1});
  const std::vector<std::vector<uint16_t>> after = grab(again);
  for (int32_t kind = 0; kind < 5; ++kind) {
    EXPECT_EQ(before[static_cast<size_t>(kind)], after[static_cast<size_t>(kind)]) << kind;
    EXPECT_GT(std::count_if(after[static_cast<size_t>(kind)].begin(),
                            after[static_cast<size_t>(kind)].end(),
                            [](uint16_t pixel) { return pixel != 0; }),
              100)
        << kind;
  }
  loaded.Reset();
}

}  // namespace
