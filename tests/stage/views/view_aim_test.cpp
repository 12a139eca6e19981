#include "stage/views/view_aim.h"

#include <gtest/gtest.h>

#include "render/surface_registry.h"
#include "stage/views/camera_modes.h"
#include "stage/views/view_drawing.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

constexpr double kAspect = 300.0 / 400.0;

// A straight road along z with its centre line at x = 3000 from z = -2000 on, 10 wide, 40
// high: nothing of it lies where the views' initial cameras look.
class ViewAimTest : public views_test::ViewsTest {
 protected:
  void LoadFarRoad(int32_t lines, int32_t selected) {
    const std::string pat = stage_test::StraightPat(lines, 3000.0f, 40.0f, -2000.0f);
    ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("far.pat", pat)), 0);
    stage_.SelectPartition(selected);
  }
  // The partitions whose rectangles a drawing put wholly on its picture.
  static std::vector<int32_t> Inside(const WirePicture& picture, int32_t width, int32_t height) {
    std::vector<int32_t> inside;
    for (const HitRecord& hit : picture.hits) {
      if (hit.kind == kHitPartition && hit.x0 >= 0 && hit.y0 >= 0 && hit.x1 <= width &&
          hit.y1 <= height) {
        inside.push_back(hit.ids[0]);
      }
    }
    return inside;
  }
  std::vector<int32_t> InsideParallel(int32_t kind, const ParallelViewRecord& record) {
    ParallelCamera camera;
    SetUpParallelCamera(&camera, kind, record, 400, 300);
    WirePicture picture;
    DrawParallelView(stage_, camera, kind, look_, &picture);
    return Inside(picture, 400, 300);
  }

  views_test::SolidTextures textures_;
  ViewLook look_{ToolStateBlock::Initial(), &textures_, nullptr};
};

TEST_F(ViewAimTest, AimedParallelViewsShowTheWholeDisplayedRoadAndFollowAPartition) {
  WorldBox box;
  EXPECT_FALSE(DisplayedRoadBox(stage_, &box));  // no road
  LoadFarRoad(80, 30);                           // displayed: partitions 10 ... 50
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  EXPECT_FLOAT_EQ(box.low.z, -2000.0f + 100.0f);
  EXPECT_FLOAT_EQ(box.high.z, -2000.0f + 510.0f);
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    SCOPED_TRACE(kind);
    EXPECT_TRUE(InsideParallel(kind, ParallelViewRecord()).empty());
    EXPECT_FALSE(ParallelViewShowsRoad(stage_, kind, ParallelViewRecord(), kAspect));
    const ParallelViewRecord aimed = AimedParallelView(box, kind, kAspect);
    EXPECT_TRUE(ParallelViewShowsRoad(stage_, kind, aimed, kAspect));
    EXPECT_EQ(InsideParallel(kind, aimed).size(), 41u);

    // Partition 70 lies beyond, but for the front view, which looks along the road.
    EXPECT_EQ(ParallelViewShowsPartition(stage_, kind, aimed, kAspect, 70), kind == kFrontViewKind);
    const ParallelViewRecord centred = CentredOnPartition(stage_, aimed, 70);
    EXPECT_TRUE(ParallelViewShowsPartition(stage_, kind, centred, kAspect, 70));
    EXPECT_EQ(centred.zoom, aimed.zoom);
    EXPECT_EQ(CentredOnPartition(stage_, aimed, 79), aimed);  // no such partition
  }
}

TEST_F(ViewAimTest, ASmallRoadIsNotBlownUpAndTheWiresCount) {
  LoadFarRoad(3, 0);  // two partitions, 10 x 20 units
  WorldBox box;
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  EXPECT_DOUBLE_EQ(AimedParallelView(box, kTopViewKind, kAspect).zoom, 1.0 / kAimNarrowestSpan);
  // A wire 500 units out on the left widens the box, and the view takes it in.
  stage_.AddWire(1, kLeftSide, {2500.0f, 40.0f, -1980.0f});
  ASSERT_TRUE(DisplayedRoadBox(stage_, &box));
  EXPECT_FLOAT_EQ(box.low.x, 2500.0f);
  EXPECT_LE(505.0 * AimedParallelView(box, kTopViewKind, kAspect).zoom, kAimFill + 1e-9);
}

TEST_F(ViewAimTest, TheAimedFreeCameraLooksDownTheRoadAtTheSelectedPartition) {
  LoadFarRoad(40, 12);
  PerspectiveViewRecord view;
  CameraModeRecord& free_mode = view.modes[kRoadModeFree];
  EXPECT_FALSE(FreeCameraShowsRoad(stage_, free_mode));
  ASSERT_TRUE(AimFreeCamera(stage_, &free_mode));
  EXPECT_TRUE(FreeCameraShowsRoad(stage_, free_mode));
  // From behind and above, the middle of partition 12 in the middle of the picture.
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  camera.SetDisplaySurface(registry.Make(320, 240), 320, 240);
  PerspectivePicture picture;
  DrawPerspectiveView(stage_, &view, camera, look_, &picture);
  const std::vector<HitRecord>& hits = picture.wire.hits;
  const auto selected = std::find_if(hits.begin(), hits.end(), [](const HitRecord& hit) {
    return hit.kind == kHitPartition && hit.ids[0] == 12;
  });
  ASSERT_NE(selected, hits.end());
  EXPECT_TRUE(selected->x0 <= 160 && selected->x1 >= 160 && selected->y0 <= 120 &&
              selected->y1 >= 120);
  EXPECT_GE(Inside(picture.wire, 320, 240).size(), 8u);
  stage_.SelectPartition(-1);
  EXPECT_FALSE(AimFreeCamera(stage_, &free_mode));
}

}  // namespace
