#include "render/camera_control.h"

#include <gtest/gtest.h>

#include "tests/render/render_test_support.h"

namespace {

CameraControl1 ParallelCamera(int32_t attribute, double zoom) {
  CameraControl1 camera;
  camera.SetAttribute(attribute);
  camera.SetSurface(100, 100);
  camera.SetZoom(zoom);
  return camera;
}

TEST(CameraControl1Test, InitialValues) {
  CameraControl1 camera;
  EXPECT_EQ(camera.GetAttribute(), -1);
  EXPECT_EQ(camera.Width(), 0);
  double x, y, z, zoom;
  camera.GetPositionAndZoom(&x, &y, &z, &zoom);
  EXPECT_EQ(zoom, 0.1);
  EXPECT_EQ(x + y + z, 0.0);
  // Without an attribute the attribute-bound setters do nothing and the getters give 0.
  camera.SetZoom(5.0);
  camera.SetScrnDst(50.0);
  EXPECT_EQ(camera.GetZoom(), 0.0);
  EXPECT_EQ(camera.GetScrnDst(), 0.0);
  camera.Move(1.0, 2.0, 3.0);
  EXPECT_EQ(camera.PositionX(), 0.0);
}

TEST(CameraControl1Test, ZoomAndScreenDistanceAreClamped) {
  CameraControl1 parallel;
  parallel.SetAttribute(CameraControl1::kTop);
  parallel.SetZoom(0.001);
  EXPECT_EQ(parallel.GetZoom(), 0.01);
  parallel.SetZoom(500.0);
  EXPECT_EQ(parallel.GetZoom(), 300.0);
  CameraControl1 perspective;
  perspective.SetAttribute(CameraControl1::kPerspective);
  EXPECT_EQ(perspective.GetScrnDst(), 256.0);
  perspective.SetScrnDst(5.0);
  EXPECT_EQ(perspective.GetScrnDst(), 20.0);
  perspective.SetScrnDst(5000.0);
  EXPECT_EQ(perspective.GetScrnDst(), 1000.0);
}

TEST(CameraControl1Test, TopViewRoundTrip) {
  CameraControl1 camera = ParallelCamera(CameraControl1::kTop, 1.0);
  double sx, sy, depth;
  ASSERT_EQ(camera.WorldToScreen(10.0, 5.0, 20.0, &sx, &sy, &depth), 0);
  EXPECT_EQ(sx, 60.0);
  EXPECT_EQ(sy, 30.0);
  EXPECT_EQ(depth, 5.0);
  double x, y, z;
  ASSERT_EQ(camera.ScreenToWorld(60, 30, &x, &y, &z), 0);
  EXPECT_EQ(x, 10.0);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(z, 20.0);
}

TEST(CameraControl1Test, SideAndFrontViewsAndTruncation) {
  CameraControl1 side = ParallelCamera(CameraControl1::kSide, 1.0);
  double sx, sy, depth;
  side.WorldToScreen(7.0, -3.7, 2.9, &sx, &sy, &depth);
  EXPECT_EQ(sx, 52.0);  // trunc(2.9) = 2
  EXPECT_EQ(sy, 53.0);  // 50 - trunc(-3.7) = 53
  EXPECT_EQ(depth, 7.0);
  CameraControl1 front = ParallelCamera(CameraControl1::kFront, 2.0);
  front.SetSurface(101, 51);  // halves 50 and 25, integer
  front.WorldToScreen(1.0, 1.0, 9.0, &sx, &sy, &depth);
  EXPECT_EQ(sx, 52.0);
  EXPECT_EQ(sy, 23.0);
  EXPECT_EQ(depth, 18.0);
  double x, y, z;
  front.ScreenToWorld(54, 21, &x, &y, &z);
  EXPECT_EQ(x, 2.0);
  EXPECT_EQ(y, 2.0);
  EXPECT_EQ(z, 0.0);
}

TEST(CameraControl1Test, MoveFollowsTheAttribute) {
  CameraControl1 top = ParallelCamera(CameraControl1::kTop, 1.0);
  top.Move(1.0, 2.0, 3.0);
  EXPECT_EQ(top.PositionX() + top.PositionY() * 10 + top.PositionZ() * 100, 301.0);
  CameraControl1 side = ParallelCamera(CameraControl1::kSide, 1.0);
  side.Move(1.0, 2.0, 3.0);
  EXPECT_EQ(side.PositionX() + side.PositionY() * 10 + side.PositionZ() * 100, 320.0);
  CameraControl1 front = ParallelCamera(CameraControl1::kFront, 1.0);
  front.Move(1.0, 2.0, 3.0);
  EXPECT_EQ(front.PositionX() + front.PositionY() * 10 + front.PositionZ() * 100, 21.0);
}

TEST(CameraControl1Test, PerspectiveProjectionAndNearRefusal) {
  CameraControl1 camera;
  camera.SetAttribute(CameraControl1::kPerspective);
  camera.SetSurface(200, 100);
  camera.SetPosition(0.0, 0.0, -300.0);
  camera.UpdateMatrices();
  double sx = -1.0, sy = -1.0, depth = -1.0;
  ASSERT_EQ(camera.WorldToScreen(600.0, 300.0, 0.0, &sx, &sy, &depth), 0);
  EXPECT_EQ(sx, 102.0);  // 100 + trunc(600 / 300); ScrnDst does not scale
  EXPECT_EQ(sy, 49.0);
  EXPECT_EQ(depth, 300.0);
  sx = -7.0;
  EXPECT_EQ(camera.WorldToScreen(0.0, 0.0, -100.0, &sx, &sy, &depth), 1);  // z' = 200 < 256
  EXPECT_EQ(sx, -7.0);
}

TEST(CameraControl1Test, MisuseIsReported) {
  EXPECT_REPORTED("対応していないカメラの属性を検出",
                CameraControl1().SetAttribute(4));
  EXPECT_REPORTED("平行カメラなのにScrnDstを設定しようとした",
                ParallelCamera(1, 1.0).SetScrnDst(30.0));
  EXPECT_REPORTED("パースペクティブカメラなのにズーム設定しようとした",
                {
        CameraControl1 c;
        c.SetAttribute(0);
        c.SetZoom(1.0);
      });
  EXPECT_REPORTED("パースペクティブカメラなのにズームを獲得しようとした",
                {
        CameraControl1 c;
        c.SetAttribute(0);
        c.GetZoom();
      });
  EXPECT_REPORTED("パースペクティブカメラなのにスクリーン座標をワールドに変換しようとした",
                {
        CameraControl1 c;
        c.SetAttribute(0);
        double x, y, z;
        c.ScreenToWorld(0, 0, &x, &y, &z);
      });
  EXPECT_REPORTED("カメラのstateにありえない設定を検出",
                {
        double x, y, z;
        CameraControl1().WorldToScreen(0, 0, 0, &x, &y, &z);
      });
}

}  // namespace
