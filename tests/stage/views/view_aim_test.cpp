#include "stage/views/view_aim.h"

#include <gtest/gtest.h>

#include "render/surface_registry.h"
#include "stage/views/camera_modes.h"
#include "stage/views/view_drawing.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::SolidTextures;
using views_test::ViewsTest;

class ViewAimTest : public ViewsTest {
 protected:
  void LoadFarRoad(int32_t lines, int32_t selected) {
    // Centre line at x = 3000 from z = -2000 on, 10 wide, 40 high.
    const std::string pat = stage_test::MovedStraightPat(lines, 3000.0f, 40.0f, -2000.0f);
    ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("far.pat", pat)), 0);
    stage_.SelectPartition(selected);
  }
  // The partitions a parallel view of `record` draws on a 400 x 300 surface, and whether
  // each of them lies wholly on it.
  std::vector<int32_t> PartitionsDrawn(int32_t kind, const ParallelViewRecord& record,
                                       bool* all_inside) {
    ParallelCamera camera;
    SetUpParallelCamera(&camera, kind, record, 400, 300);
    WirePicture picture;
    DrawParallelView(stage_, camera, kind, look_, &picture);
    std::vector<int32_t> drawn;
    *all_inside = true;
    for (const HitRecord& hit : picture.hits) {
      if (hit.kind != kHitPartition) continue;
      drawn.push_back(hit.ids[0]);
      if (hit.x0 < 0 || hit.y0 < 0 || hit.x1 > camera.Width() || hit.y1 > camera.Height()) {
        *all_inside = false;
      }
    }
    return drawn;
  }

  SolidTextures textures_;
  ViewLook look_{ToolStateBlock::Initial(), &textures_, nullptr};
};

constexpr double kAspect = 300.0 / 400.0;

TEST_F(ViewAimTest, AnAimedParallelViewShowsTheWholeDisplayedRoadInEveryKind) {
  LoadFarRoad(60, 30);  // displayed: partitions 10 ... 50
  WorldBox box;
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  EXPECT_FLOAT_EQ(box.low.z, -2000.0f + 100.0f);
  EXPECT_FLOAT_EQ(box.high.z, -2000.0f + 510.0f);
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    SCOPED_TRACE(kind);
    // The initial views look at the origin and show nothing of this road.
    bool inside = false;
    EXPECT_TRUE(PartitionsDrawn(kind, ParallelViewRecord(), &inside).empty());
    EXPECT_FALSE(ParallelViewShowsRoad(stage_, kind, ParallelViewRecord(), kAspect));

    const ParallelViewRecord aimed = AimedParallelView(box, kind, kAspect);
    EXPECT_TRUE(ParallelViewShowsRoad(stage_, kind, aimed, kAspect));
    const std::vector<int32_t> drawn = PartitionsDrawn(kind, aimed, &inside);
    EXPECT_EQ(drawn.size(), 41u);
    EXPECT_TRUE(inside);
  }
}

TEST_F(ViewAimTest, ASmallRoadIsNotBlownUpAndTheWiresCount) {
  LoadFarRoad(3, 0);  // two partitions, 10 x 20 units
  WorldBox box;
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  const ParallelViewRecord top = AimedParallelView(box, kTopViewKind, kAspect);
  EXPECT_DOUBLE_EQ(top.zoom, 1.0 / kAimNarrowestSpan);
  EXPECT_DOUBLE_EQ(top.position_x, 3000.0);
  EXPECT_DOUBLE_EQ(top.position_z, -2000.0 + 10.0);

  // A wire 500 units out on the left widens the box, and the view takes it in.
  stage_.AddWire(1, kLeftSide, {2500.0f, 40.0f, -1980.0f});
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  EXPECT_FLOAT_EQ(box.low.x, 2500.0f);
  const ParallelViewRecord wide = AimedParallelView(box, kTopViewKind, kAspect);
  EXPECT_LE(505.0 * wide.zoom, kAimFill + 1e-9);
}

TEST_F(ViewAimTest, AViewIsCentredOnAPartitionItLostWithItsZoomKept) {
  LoadFarRoad(80, 0);
  WorldBox box;
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    SCOPED_TRACE(kind);
    const ParallelViewRecord aimed = AimedParallelView(box, kind, kAspect);
    EXPECT_TRUE(ParallelViewShowsPartition(stage_, kind, aimed, kAspect, 20));
    // The front view looks along the road and shows every partition.
    EXPECT_EQ(ParallelViewShowsPartition(stage_, kind, aimed, kAspect, 70), kind == kFrontViewKind);
    const ParallelViewRecord centred = CentredOnPartition(stage_, aimed, 70);
    EXPECT_TRUE(ParallelViewShowsPartition(stage_, kind, centred, kAspect, 70));
    EXPECT_EQ(centred.zoom, aimed.zoom);
    EXPECT_DOUBLE_EQ(centred.position_z, -2000.0 + 705.0);
    EXPECT_EQ(CentredOnPartition(stage_, aimed, 79), aimed);  // no such partition
    EXPECT_FALSE(ParallelViewShowsPartition(stage_, kind, aimed, kAspect, -1));
  }
}

TEST_F(ViewAimTest, WithoutASelectedPartitionNothingIsAimed) {
  WorldBox box;
  EXPECT_FALSE(DisplayedRoadBox(stage_, &box));  // no road at all
  CameraModeRecord free_mode;
  const CameraModeRecord before = free_mode;
  EXPECT_FALSE(AimFreeCamera(stage_, &free_mode));
  EXPECT_EQ(free_mode, before);
  EXPECT_FALSE(FreeCameraShowsRoad(stage_, free_mode));
  LoadFarRoad(5, 0);
  stage_.SelectPartition(-1);
  EXPECT_FALSE(DisplayedRoadBox(stage_, &box));
  EXPECT_FALSE(AimFreeCamera(stage_, &free_mode));
}

TEST_F(ViewAimTest, TheAimedFreeCameraLooksDownTheRoadFromTheSelectedPartition) {
  LoadFarRoad(40, 12);
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  camera.SetDisplaySurface(registry.Make(320, 240), 320, 240);
  PerspectiveViewRecord view;
  // The partitions drawn, and the screen rectangle of the selected one.
  HitRecord selected;
  auto drawn_partitions = [&] {
    PerspectivePicture picture;
    DrawPerspectiveView(stage_, &view, camera, look_, &picture);
    std::vector<int32_t> drawn;
    for (const HitRecord& hit : picture.wire.hits) {
      if (hit.kind != kHitPartition) continue;
      drawn.push_back(hit.ids[0]);
      if (hit.ids[0] == 12) selected = hit;
    }
    return drawn;
  };
  EXPECT_FALSE(FreeCameraShowsRoad(stage_, view.modes[kRoadModeFree]));
  EXPECT_TRUE(drawn_partitions().empty());

  const StageCameraRecord lens_before = view.modes[kRoadModeFree].camera;
  ASSERT_TRUE(AimFreeCamera(stage_, &view.modes[kRoadModeFree]));
  const CameraModeRecord& free_mode = view.modes[kRoadModeFree];
  EXPECT_TRUE(FreeCameraShowsRoad(stage_, free_mode));
  EXPECT_EQ(free_mode.camera.lenz_dst, lens_before.lenz_dst);
  EXPECT_EQ(free_mode.camera.far_dst, lens_before.far_dst);
  // Behind and above the middle of partition 12 (z = -1875), looking on along +z.
  EXPECT_NEAR(free_mode.camera.position_x, 3000.0f, 5.0f);  // the road rolls a little
  EXPECT_GT(free_mode.camera.position_y, 40.0f + 0.2f * kAimDistance);
  EXPECT_LT(free_mode.camera.position_z, -1875.0f - 0.8f * kAimDistance);
  const std::vector<int32_t> drawn = drawn_partitions();
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 20), drawn.end());
  // The selected partition in the middle of the picture.
  ASSERT_NE(std::find(drawn.begin(), drawn.end(), 12), drawn.end());
  EXPECT_LE(selected.x0, 160);
  EXPECT_GE(selected.x1, 160);
  EXPECT_LE(selected.y0, 120);
  EXPECT_GE(selected.y1, 120);
}

}  // namespace
