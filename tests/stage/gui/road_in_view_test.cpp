// The views look at the road when a stage arrives: after a partition file, and after a stage
// file whose stored views show none of it; stored views that show it stay as they were.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "stage/gui/stage_parallel_view.h"
#include "stage/gui/stage_partition_view.h"
#include "stage/gui/stage_perspective_view.h"
#include "stage/gui/stage_view_area.h"
#include "stage/gui/stage_view_window.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "stage/tool_buttons.h"
#include "tests/stage/gui/mainwin_fixture.h"

namespace {

using mainwin_test::Editor;
using W = StageMainWindow1;

// How many partitions each view drew in its last picture (the display lists hold only what
// touches the picture): top, side, front, perspective.
std::vector<size_t> PartitionsShown(const Editor& e) {
  std::vector<size_t> shown;
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    auto* view = static_cast<ParallelWnd1*>(e.window->Views()->View(kind));
    view->Redraw();
    shown.push_back(std::count_if(view->Hits().begin(), view->Hits().end(),
                                  [](const HitRecord& hit) { return hit.kind == kHitPartition; }));
  }
  auto* perspective = static_cast<PerspecWnd1*>(e.window->Views()->View(kPerspectiveViewKind));
  perspective->Redraw();
  const std::vector<HitRecord>& hits = perspective->LastPerspective().wire.hits;
  shown.push_back(std::count_if(hits.begin(), hits.end(),
                                [](const HitRecord& hit) { return hit.kind == kHitPartition; }));
  return shown;
}

// A road 40 lines long (39 partitions) around x = 5000, z = -3000: nothing of it lies where
// the views' initial cameras look.
std::string FarRoad(Editor& e) {
  return e.folder.Write("far.pat", stage_test::MovedStraightPat(40, 5000.0f, 30.0f, -3000.0f));
}

TEST(RoadInViewTest, APartitionFileOpensWithEveryViewOnTheRoad) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  e.prompter.QueuePath(FarRoad(e));
  e.window->Command(W::kPartitionFileCommand);
  ASSERT_EQ(e.stage().SelectedPartition(), 0);
  // Partitions 0 ... 20 are displayed; the perspective camera looks on from partition 0.
  const std::vector<size_t> shown = PartitionsShown(e);
  EXPECT_EQ(shown[0], 21u);
  EXPECT_EQ(shown[1], 21u);
  EXPECT_EQ(shown[2], 21u);
  EXPECT_GE(shown[3], 5u);

  // "新規作成" leaves nothing to look at; the next road is looked at again.
  e.window->Command(W::kNewCommand);
  EXPECT_EQ(PartitionsShown(e), (std::vector<size_t>{0, 0, 0, 0}));
  e.prompter.QueuePath(e.folder.Write("near.pat", stage_test::StraightPat(30)));
  e.window->Command(W::kPartitionFileCommand);
  EXPECT_EQ(PartitionsShown(e)[0], 21u);
}

TEST(RoadInViewTest, StoredViewsAreKeptWhenTheyShowTheRoadAndAimedWhenTheyDoNot) {
  Editor e;
  Stage stage;
  ASSERT_EQ(LoadPartitionFile(stage, FarRoad(e)), 0);
  stage.SelectPartition(10);
  // A file as `--import-pat` writes it: the initial views, which look at the origin.
  const std::string initial = e.folder.File("initial.ste");
  ASSERT_TRUE(StageFile::Save(initial, stage, ToolStateBlock::Initial(), ViewSection()));
  // A file whose top view looks closely at partition 12 (z = -2880 ... -2870) and whose
  // other views look away.
  ViewSection close_up;
  close_up.parallel[kTopViewKind] = {5000.0, 0.0, -2875.0, 0.02};
  const std::string kept = e.folder.File("kept.ste");
  ASSERT_TRUE(StageFile::Save(kept, stage, ToolStateBlock::Initial(), close_up));

  e.window->Command(kMode0SplitViewButton);
  e.prompter.QueuePath(initial);
  e.window->Command(W::kOpenCommand);
  const std::vector<size_t> shown = PartitionsShown(e);
  EXPECT_EQ(shown[0], 31u);  // partitions 0 ... 30 around partition 10
  EXPECT_EQ(shown[1], 31u);
  EXPECT_EQ(shown[2], 31u);
  EXPECT_GE(shown[3], 5u);
  EXPECT_FALSE(e.stage().Modified());

  e.prompter.QueuePath(kept);
  e.window->Command(W::kOpenCommand);
  // The author's close look stays exactly; the lost views are aimed.
  const ViewSection views = e.window->CurrentViews();
  EXPECT_EQ(views.parallel[kTopViewKind], close_up.parallel[kTopViewKind]);
  EXPECT_NE(views.parallel[kSideViewKind], close_up.parallel[kSideViewKind]);
  EXPECT_NE(views.perspective.modes[0].camera, close_up.perspective.modes[0].camera);
  const std::vector<size_t> kept_shown = PartitionsShown(e);
  EXPECT_GE(kept_shown[0], 1u);
  EXPECT_LT(kept_shown[0], 31u);
  EXPECT_EQ(kept_shown[1], 31u);
}

}  // namespace

namespace {

// The pixels of the no-road text in the picture the view window shows (light grey; the
// grid is darker, the road's lines coloured).
int NoRoadTextPixels(QWidget* view) {
  const QImage shown = view->grab().toImage();
  const int bar = static_cast<StageViewWindow*>(view)->BarHeight();
  int count = 0;
  for (int y = bar; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QColor c = shown.pixelColor(x, y);
      if (c.red() > 150 && std::abs(c.red() - c.green()) < 16 &&
          std::abs(c.green() - c.blue()) < 16) {
        ++count;
      }
    }
  }
  return count;
}

TEST(RoadInViewTest, WithoutARoadTheViewsSayHowToGetOne) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  for (int32_t kind : {kTopViewKind, kPerspectiveViewKind}) {
    EXPECT_GT(NoRoadTextPixels(e.window->Views()->View(kind)), 20) << kind;
  }
  e.OpenRoad();
  for (int32_t kind : {kTopViewKind, kPerspectiveViewKind}) {
    EXPECT_EQ(NoRoadTextPixels(e.window->Views()->View(kind)), 0) << kind;
  }
  e.window->Command(W::kNewCommand);
  EXPECT_GT(NoRoadTextPixels(e.window->Views()->View(kTopViewKind)), 20);
}

}  // namespace

namespace {

// Whether the top view drew partition p in its last picture.
bool TopViewShows(const Editor& e, int32_t p) {
  auto* top = static_cast<ParallelWnd1*>(e.window->Views()->View(kTopViewKind));
  return std::any_of(top->Hits().begin(), top->Hits().end(), [p](const HitRecord& hit) {
    return hit.kind == kHitPartition && hit.ids[0] == p;
  });
}

TEST(RoadInViewTest, ThePartitionViewsStepsAreFollowedByTheOtherViews) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  e.OpenRoad(120);  // a straight road 1190 long
  auto* partition = static_cast<PatWnd1*>(e.window->Views()->View(kPartitionViewKind));
  const ParallelViewRecord before = e.window->CurrentViews().parallel[kTopViewKind];
  for (int step = 0; step < 60; ++step) partition->ButtonBar()->Click(PatButtonWindow1::kAhead);
  ASSERT_EQ(e.stage().SelectedPartition(), 60);
  EXPECT_TRUE(TopViewShows(e, 60));
  const ParallelViewRecord after = e.window->CurrentViews().parallel[kTopViewKind];
  EXPECT_EQ(after.zoom, before.zoom);
  EXPECT_NE(after.position_z, before.position_z);
  // Back again: partition 0 comes into view.
  for (int step = 0; step < 60; ++step) partition->ButtonBar()->Click(PatButtonWindow1::kBack);
  ASSERT_EQ(e.stage().SelectedPartition(), 0);
  EXPECT_TRUE(TopViewShows(e, 0));
}

}  // namespace
