#include "render/stage_camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/flat_span_fill.h"
#include "render/projection.h"
#include "render/surface_registry.h"

namespace {

TEST(StageCameraTest, InitialValuesAndScales) {
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  EXPECT_EQ(camera.Position().y, 100.0f);
  EXPECT_EQ(camera.GetLens().pivot_distance, 10.0f);
  EXPECT_EQ(camera.GetLens().far_distance, 10000.0f);
  EXPECT_EQ(camera.DisplaySurface(), -1);
  EXPECT_EQ(camera.State(), 0);
  const int32_t id = registry.Make(8, 8);
  camera.SetDisplaySurface(id, 320, 241);
  EXPECT_EQ(camera.State(), 1);
  int32_t w = 0, h = 0;
  ASSERT_TRUE(registry.Size(id, &w, &h));
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 241);
  EXPECT_EQ(camera.Scales().centre_y, 120);
  camera.SetLens(2.0f, 1.0f, 4.0f, 10.0f, 1000.0f);
  EXPECT_EQ(camera.Scales().scale_x, 640.0f);  // width * LenzDst / LenzWIdth
  EXPECT_EQ(camera.Scales().scale_y, 964.0f);
  EXPECT_EQ(camera.Scales().inverse_far, 1.0f / 1000.0f);
  camera.Update();
  camera.SetRotation(0.1f, 0.2f, 0.3f);
  EXPECT_EQ(camera.State(), 1);
}

TEST(StageCameraTest, WorldToCameraUpdatesItselfAndProjectPointKeepsTheRange) {
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  camera.SetDisplaySurface(registry.Make(1, 1), 100, 100);
  camera.SetPosition(0.0f, 0.0f, 0.0f);
  const Point3f c = camera.WorldToCamera({3.0f, 4.0f, 5.0f});
  EXPECT_EQ(camera.State(), 2);
  EXPECT_EQ(c.x, 3.0f);
  EXPECT_EQ(c.z, 15.0f);  // + PivotDst
  Point3f screen{-1.0f, -1.0f, -1.0f};
  EXPECT_EQ(camera.ProjectPoint({1.0f, 1.0f, 1.0f}, &screen), -1);  // not beyond LenzDst
  EXPECT_EQ(camera.ProjectPoint({1.0f, 1.0f, 10000.0f}, &screen), -1);
  EXPECT_EQ(screen.x, -1.0f);
  ASSERT_EQ(camera.ProjectPoint({10.0f, 10.0f, 20.0f}, &screen), 0);
  EXPECT_EQ(screen.x, 100.0f);  // 50 + 100 * 10 / 20
  EXPECT_EQ(screen.y, 0.0f);
  EXPECT_FLOAT_EQ(screen.z, 20.0f / 10000.0f);
}

TEST(StageCameraTest, ClipAndProjectThenFillIntoTheRegistrySurface) {
  FlatSpanFill1::StartUp();
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  const int32_t id = registry.Make(1, 1);
  camera.SetDisplaySurface(id, 64, 48);
  camera.Update();
  // A big wall straight ahead, through the near plane: it covers the whole view.
  Point3f points[kPolygonCapacity] = {
      {-500, 500, 0.5f}, {500, 500, 50.0f}, {500, -500, 50.0f}, {-500, -500, 0.5f}};
  TexCoord2f coords[kPolygonCapacity] = {};
  const int32_t n = camera.ClipAndProject(points, coords, 4);
  ASSERT_GE(n, 4);
  for (int32_t i = 0; i < n; ++i) {
    EXPECT_GE(points[i].x, 0.0f);
    EXPECT_LE(points[i].x, 63.0f);
    EXPECT_GE(points[i].y, 0.0f);
    EXPECT_LE(points[i].y, 47.0f);
    EXPECT_GT(points[i].z, 0.0f);
  }
  camera.Clear(0x1234);
  EXPECT_EQ(registry.Surface(id)->At(5, 5), 0x1234);
  camera.FillFlat(points, n, 0x0042);
  EXPECT_EQ(registry.Surface(id)->At(0, 0), 0x0042);
  EXPECT_EQ(registry.Surface(id)->At(63, 47), 0x0042);
  // Wholly behind the camera: nothing.
  Point3f behind[kPolygonCapacity] = {{0, 0, -5}, {1, 0, -5}, {0, 1, -5}};
  EXPECT_EQ(camera.ClipAndProject(behind, coords, 3), 0);
  EXPECT_EQ(camera.ClipAndProject(behind, coords, 21), 0);
  FlatSpanFill1::ShutDown();
}

TEST(SurfaceRegistryTest, SurfacesByIdWithLowestFreeReuse) {
  SurfaceRegistry registry;
  const int32_t a = registry.Make(10, 10);
  const int32_t b = registry.Make(20, 5);
  EXPECT_NE(a, b);
  int32_t w = 0, h = 0;
  registry.Size(b, &w, &h);
  EXPECT_EQ(w * 100 + h, 2005);
  registry.Release(a);
  EXPECT_FALSE(registry.Contains(a));
  EXPECT_EQ(registry.Make(3, 3), a);
  EXPECT_TRUE(registry.Resize(b, 7, 9));
  registry.Size(b, &w, &h);
  EXPECT_EQ(w * 100 + h, 709);
  // Unknown IDs are ignored.
  EXPECT_FALSE(registry.Resize(99, 1, 1));
  EXPECT_FALSE(registry.Size(-1, &w, &h));
  EXPECT_EQ(w, 0);
  EXPECT_EQ(registry.Surface(99), nullptr);
  registry.Clear(99);
  registry.DrawLine(99, 0, 0, 5, 5, kWhitePen);
  registry.DrawLine(b, 0, 0, 3, 0, kWhitePen);
  EXPECT_EQ(registry.Surface(b)->At(2, 0), 0x7FFF);
}

}  // namespace

namespace {

TEST(BackFaceTest, CounterClockwiseFacesAwayUnlessTiny) {
  const Point3f clockwise[3] = {{0, 0, 1}, {10, 0, 1}, {0, 10, 1}};
  const Point3f counter[3] = {{0, 0, 1}, {0, 10, 1}, {10, 0, 1}};
  EXPECT_FALSE(FacesAway(clockwise, 3));
  EXPECT_TRUE(FacesAway(counter, 3));
  // Doubled area 1 on truncated coordinates: never culled; 2: culled.
  const Point3f tiny[3] = {{0.9f, 0.2f, 1}, {0.1f, 1.7f, 1}, {1.8f, 0.3f, 1}};
  EXPECT_FALSE(FacesAway(tiny, 3));
  const Point3f small[3] = {{0, 0, 1}, {0, 2, 1}, {1, 0, 1}};
  EXPECT_TRUE(FacesAway(small, 3));
  EXPECT_FALSE(FacesAway(counter, 1));
  const Point3f bad[3] = {{0, 0, 1}, {NAN, 1e30f, 1}, {1, 0, 1}};
  FacesAway(bad, 3);  // defined for any input
}

}  // namespace
