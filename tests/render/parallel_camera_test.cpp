#include "render/parallel_camera.h"

#include <gtest/gtest.h>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "tests/render/render_test_support.h"

namespace {

TEST(ParallelCameraTest, SurfaceSizeZoomAndScales) {
  ParallelCamera camera;
  EXPECT_EQ(camera.GetAttribute(), -1);
  EXPECT_EQ(camera.GetZoom(), 0.0);  // no attribute yet
  camera.MakeSurface(101, 50);
  EXPECT_EQ(camera.Width(), 104);
  EXPECT_EQ(camera.Height(), 52);
  EXPECT_EQ(camera.Surface().Width(), 104);
  camera.SetAttribute(2);
  camera.SetAttribute(0);  // ignored
  EXPECT_EQ(camera.GetAttribute(), 2);
  EXPECT_EQ(camera.GetZoom(), 0.001);
  camera.SetZoom(0.00001);
  EXPECT_EQ(camera.GetZoom(), 0.0001);
  camera.SetZoom(2.0);
  EXPECT_EQ(camera.GetZoom(), 1.0);
  camera.SetUnitY(4.0f);
  EXPECT_EQ(camera.ScaleX(), 104.0f);
  EXPECT_EQ(camera.ScaleY(), 13.0f);
  camera.SetPositionAndZoom(1.0, 2.0, 3.0, 0.5);
  double x, y, z, zoom;
  camera.GetPositionAndZoom(&x, &y, &z, &zoom);
  EXPECT_EQ(x + y * 10 + z * 100 + zoom, 321.5);
}

TEST(ParallelCameraTest, ProjectionUsesSeparateScales) {
  ParallelCamera camera;
  camera.MakeSurface(100, 100);
  camera.SetAttribute(ParallelCamera::kTop);
  camera.SetZoom(0.01);  // scale 1 pixel per world unit both ways
  double sx, sy, depth;
  ASSERT_EQ(camera.WorldToScreen(10.0, 5.0, 20.0, &sx, &sy, &depth), 0);
  EXPECT_EQ(sx, 60.0);
  EXPECT_EQ(sy, 30.0);
  EXPECT_EQ(depth, 5.0);
  camera.SetUnitX(0.5f);  // twice as many pixels across
  camera.WorldToScreen(10.0, 5.0, 20.0, &sx, &sy, &depth);
  EXPECT_EQ(sx, 70.0);
  camera.SetAttribute(ParallelCamera::kFront);
  camera.Move(1.0, 2.0, 3.0);
  camera.GetPositionAndZoom(&sx, &sy, &depth, &depth);
  EXPECT_EQ(sx, 1.0);
  EXPECT_EQ(sy, 2.0);
}

TEST(ParallelCameraTest, FillsBackFacingQuadsReversedAndClipsThem) {
  FlatSpanFill1::StartUp();
  ParallelCamera camera;
  camera.MakeSurface(40, 40);
  camera.SetAttribute(ParallelCamera::kTop);
  camera.SetZoom(0.025);  // 1 pixel per world unit
  // Seen from above this quad runs counter-clockwise on the screen; it still fills, and it
  // reaches past the left edge.
  const Point3f quad[4] = {{-30, 0, 10}, {-30, 0, -10}, {10, 0, -10}, {10, 0, 10}};
  EXPECT_EQ(camera.FillPolygon(quad, 4, 0x001F), 0);
  EXPECT_EQ(camera.Surface().At(0, 20), 0x001F);
  EXPECT_EQ(camera.Surface().At(30, 20), 0x001F);
  EXPECT_EQ(camera.Surface().At(31, 20), 0);
  FlatSpanFill1::ShutDown();
}

TEST(ParallelCameraTest, DisplayListsAndPickingStepThroughStackedItems) {
  ParallelCamera camera;
  camera.MakeSurface(100, 100);
  EXPECT_FALSE(camera.AddToDisplayList(DisplayItem1{5, 5, 4, 9, 1, 7}));     // empty
  EXPECT_FALSE(camera.AddToDisplayList(DisplayItem1{-9, 5, -1, 9, 1, 7}));   // left of it
  EXPECT_FALSE(camera.AddToDisplayList(DisplayItem1{101, 5, 120, 9, 1, 7}));  // right of it
  const DisplayItem1 a{0, 0, 20, 20, 1, 10};
  const DisplayItem1 b{5, 5, 25, 25, 1, 11};
  const DisplayItem1 c{8, 8, 30, 30, 1, 12};
  ASSERT_TRUE(camera.AddToDisplayList(a));
  ASSERT_TRUE(camera.AddToDisplayList(DisplayItem1{0, 0, 50, 50, 2, 13}));  // other type
  ASSERT_TRUE(camera.AddToDisplayList(b));
  ASSERT_TRUE(camera.AddToDisplayList(c));
  EXPECT_EQ(camera.Pick(10, 10, 1, b), 3);                  // B selected: C
  EXPECT_EQ(camera.Pick(10, 10, 1, c), 0);                  // C selected: back to A
  EXPECT_EQ(camera.Pick(10, 10, 1, DisplayItem1{}), 0);     // nothing selected: A
  EXPECT_EQ(camera.Pick(40, 40, 1, DisplayItem1{}), -1);
  EXPECT_EQ(camera.Pick(40, 40, 2, DisplayItem1{}), 1);
  ASSERT_TRUE(camera.AddToDisplayList(DisplayItem3{0, 0, 9, 9, 5, {4, -1, -1}}));
  EXPECT_EQ(camera.Pick(3, 3, -1, DisplayItem3{}), 0);
  camera.ClearDisplayLists();
  EXPECT_EQ(camera.List1().Count() + camera.List3().Count() + camera.List4().Count(), 0);
}

}  // namespace
