// The views of the main window look at the road: when a stage arrives, when the selected
// partition leaves them, and they say so when there is none.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "converter/po3_file.h"
#include "stage/gui/stage_parallel_view.h"
#include "stage/gui/stage_partition_view.h"
#include "stage/gui/stage_perspective_view.h"
#include "stage/gui/stage_view_area.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "tests/stage/gui/mainwin_fixture.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using mainwin_test::Editor;
using W = StageMainWindow1;

// The partitions each view drew in its last picture (its display lists hold only what touches
// the picture): top, side, front and perspective.
std::vector<std::vector<int32_t>> PartitionsShown(const Editor& e) {
  std::vector<std::vector<int32_t>> shown;
  for (int32_t kind = kTopViewKind; kind <= kPerspectiveViewKind; ++kind) {
    auto* view = static_cast<StageViewWindow*>(e.window->Views()->View(kind));
    view->Redraw();
    const std::vector<HitRecord>& hits =
        kind == kPerspectiveViewKind ? static_cast<PerspecWnd1*>(view)->LastPerspective().wire.hits
                                     : view->Hits();
    shown.emplace_back();
    for (const HitRecord& hit : hits) {
      if (hit.kind == kHitPartition) shown.back().push_back(hit.ids[0]);
    }
  }
  return shown;
}

// 39 partitions around x = 5000, z = -3000, where the initial cameras do not look.
std::string FarRoad(Editor& e) {
  return e.folder.Write("far.pat", stage_test::StraightPat(40, 5000.0f, 30.0f, -3000.0f));
}

TEST(RoadInViewTest, AStageArrivesWithItsRoadInEveryView) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  e.prompter.QueuePath(FarRoad(e));
  e.window->Command(W::kPartitionFileCommand);
  // Partitions 0 ... 20 are displayed; the perspective camera looks on from partition 0.
  std::vector<std::vector<int32_t>> shown = PartitionsShown(e);
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    EXPECT_EQ(shown[kind].size(), 21u) << kind;
  }
  EXPECT_GE(shown[kPerspectiveViewKind].size(), 5u);

  // Stage files: one as `--import-pat` writes it, with the initial views, and one whose top
  // view looks closely at partition 12 (z = -2880 ... -2870).
  Stage stage;
  ASSERT_EQ(LoadPartitionFile(stage, FarRoad(e)), 0);
  stage.SelectPartition(10);
  ViewSection close_up;
  close_up.parallel[kTopViewKind] = {5000.0, 0.0, -2875.0, 0.02};
  const std::string initial = e.folder.File("initial.ste");
  const std::string kept = e.folder.File("kept.ste");
  ASSERT_TRUE(StageFile::Save(initial, stage, ToolStateBlock::Initial(), ViewSection()));
  ASSERT_TRUE(StageFile::Save(kept, stage, ToolStateBlock::Initial(), close_up));
  e.prompter.QueuePath(initial);
  e.window->Command(W::kOpenCommand);
  shown = PartitionsShown(e);
  EXPECT_EQ(shown[kTopViewKind].size(), 31u);  // 0 ... 30 around partition 10
  EXPECT_GE(shown[kPerspectiveViewKind].size(), 5u);
  EXPECT_FALSE(e.stage().Modified());
  // The author's close look comes back exactly; the views that show no road are aimed.
  e.prompter.QueuePath(kept);
  e.window->Command(W::kOpenCommand);
  const ViewSection views = e.window->CurrentViews();
  EXPECT_EQ(views.parallel[kTopViewKind], close_up.parallel[kTopViewKind]);
  EXPECT_NE(views.perspective.modes[0].camera, close_up.perspective.modes[0].camera);
  shown = PartitionsShown(e);
  EXPECT_GE(shown[kTopViewKind].size(), 1u);
  EXPECT_LT(shown[kTopViewKind].size(), 31u);
  EXPECT_EQ(shown[kSideViewKind].size(), 31u);
}

TEST(RoadInViewTest, ThePartitionViewsStepsAreFollowedByTheOtherViews) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  e.OpenRoad(120);  // a straight road 1190 long
  auto* partition = static_cast<PatWnd1*>(e.window->Views()->View(kPartitionViewKind));
  auto top_shows = [&e](int32_t p) {
    const std::vector<int32_t> top = PartitionsShown(e)[kTopViewKind];
    return std::find(top.begin(), top.end(), p) != top.end();
  };
  const double zoom = e.window->CurrentViews().parallel[kTopViewKind].zoom;
  for (int step = 0; step < 60; ++step) partition->ButtonBar()->Click(PatButtonWindow1::kAhead);
  ASSERT_EQ(e.stage().SelectedPartition(), 60);
  EXPECT_TRUE(top_shows(60));
  EXPECT_EQ(e.window->CurrentViews().parallel[kTopViewKind].zoom, zoom);
  for (int step = 0; step < 60; ++step) partition->ButtonBar()->Click(PatButtonWindow1::kBack);
  EXPECT_TRUE(top_shows(0));

  // A top view the author moved away stays there while an object is selected in it.
  e.window->Command(kMode1Button);
  e.window->Command(kMode1SplitViewButton);
  e.prompter.QueuePath(e.folder.Write("box.po3", Po3File::Bytes(objects_test::Square())));
  e.window->Command(W::kObjectFileCommand);
  e.window->Command(kSelectObjectButton);
  Stage& stage = e.stage();
  const int32_t box = stage.SelectedObject();
  ASSERT_TRUE(stage.MoveObjectOrigin(box, {400, 0, 900}));
  stage.SelectObject(-1);
  auto* top = static_cast<ParallelWnd1*>(e.window->Views()->View(kTopViewKind));
  top->SetRecord({400.0, 0.0, 900.0, 0.01});
  top->Redraw();
  const QPoint at(top->Camera().Width() / 2, top->Camera().Height() / 2);
  top->PressAt(kLeftButtonBit, at, false);
  top->ReleaseButton(kLeftButtonBit);
  EXPECT_EQ(stage.SelectedObject(), box);
  EXPECT_EQ(e.window->CurrentViews().parallel[kTopViewKind].position_z, 900.0);
}

// The pixels of the light grey no-road text in the picture a view window shows (the grid is
// darker, the road's lines coloured).
int NoRoadTextPixels(QWidget* view) {
  const QImage shown = view->grab().toImage();
  int count = 0;
  for (int y = static_cast<StageViewWindow*>(view)->BarHeight(); y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QColor c = shown.pixelColor(x, y);
      count += c.red() > 150 && std::abs(c.red() - c.green()) < 16 &&
               std::abs(c.green() - c.blue()) < 16;
    }
  }
  return count;
}

TEST(RoadInViewTest, WithoutARoadTheViewsSayHowToGetOne) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  QWidget* top = e.window->Views()->View(kTopViewKind);
  EXPECT_GT(NoRoadTextPixels(top), 20);
  EXPECT_GT(NoRoadTextPixels(e.window->Views()->View(kPerspectiveViewKind)), 20);
  e.OpenRoad();
  EXPECT_EQ(NoRoadTextPixels(top), 0);
  e.window->Command(W::kNewCommand);
  EXPECT_GT(NoRoadTextPixels(top), 20);
}

}  // namespace
