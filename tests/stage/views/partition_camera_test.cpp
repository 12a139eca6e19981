#include "stage/views/partition_camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::ViewsTest;

class PartitionCameraTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    LoadRoad(12, 0, 5);
    camera_.MakeSurface(400, 300);
  }
  PartitionCamera camera_;
};

TEST_F(PartitionCameraTest, TheViewLooksAcrossTheClosingLineOfThePartition) {
  ASSERT_TRUE(camera_.Place(stage_, 5, false));
  // The closing line of partition 5 at z = 60: its centre in the middle of the view; on a
  // road running along +z the frame's lateral axis, the screen's right, is +x, so the end at
  // x = -5 lies 5 units to the left (4 pixels a unit at the initial zoom).
  float x = 0, y = 0;
  camera_.ToScreen({0.0f, 0.0f, 60.0f}, &x, &y);
  EXPECT_NEAR(x, 200.0f, 1e-3);
  EXPECT_NEAR(y, 150.0f, 1e-3);
  camera_.ToScreen({-5.0f, 0.0f, 60.0f}, &x, &y);
  EXPECT_NEAR(std::hypot(x - 200.0f, y - 150.0f), 20.0f, 1e-3);
  EXPECT_LT(x, 200.0f);
  EXPECT_FALSE(camera_.Place(stage_, 11, false));
}

TEST_F(PartitionCameraTest, FittingTakesInEveryWireButNeverZoomsInBeyondTheStart) {
  EXPECT_FALSE(camera_.FitWires(stage_, 11, false));
  ASSERT_TRUE(camera_.FitWires(stage_, 5, false));
  EXPECT_EQ(camera_.Zoom(), PartitionCamera::kInitialZoom);  // the bare road is small
  ASSERT_TRUE(stage_.AddWire(5, kLeftSide, {-300.0f, 0.0f, 60.0f}));
  ASSERT_TRUE(stage_.AddWire(5, kRightSide, {20.0f, 90.0f, 60.0f}));
  ASSERT_TRUE(camera_.FitWires(stage_, 5, true));
  EXPECT_LT(camera_.Zoom(), PartitionCamera::kInitialZoom);
  for (const Point3f& wire : {Point3f{-300.0f, 0.0f, 60.0f}, Point3f{20.0f, 90.0f, 60.0f}}) {
    float x = 0, y = 0;
    camera_.ToScreen(wire, &x, &y);
    EXPECT_TRUE(x >= 0.0f && x <= 400.0f && y >= 0.0f && y <= 300.0f) << x << " " << y;
  }
}

TEST_F(PartitionCameraTest, LevelWithWorldCoordinatesTakesTheBankOut) {
  // The straight road is banked by 0.06 at the end of partition 5.
  ASSERT_TRUE(camera_.Place(stage_, 5, false));
  EXPECT_NEAR(camera_.UpAxis().y, std::cos(0.06), 1e-5);
  ASSERT_TRUE(camera_.Place(stage_, 5, true));
  EXPECT_NEAR(camera_.UpAxis().y, 1.0f, 1e-6);
  EXPECT_NEAR(camera_.RightAxis().y, 0.0f, 1e-6);
}

TEST_F(PartitionCameraTest, DragsFollowThePointerAndTheZoomKeepsItsLimits) {
  ASSERT_TRUE(camera_.Place(stage_, 5, true));
  const Point3f point{-3.0f, 2.0f, 60.0f};
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (float zoom : {0.5f, 2.0f, 40.0f}) {
    camera_.SetZoom(zoom);
    camera_.ToScreen(point, &x0, &y0);
    camera_.Drag(12, -7);
    camera_.ToScreen(point, &x1, &y1);
    EXPECT_NEAR(x1 - x0, 12.0f, 1e-3) << zoom;
    EXPECT_NEAR(y1 - y0, -7.0f, 1e-3) << zoom;
  }
  camera_.ZoomAbout(2.0f, static_cast<int32_t>(x1), static_cast<int32_t>(y1));
  float x2 = 0, y2 = 0;
  camera_.ToScreen(point, &x2, &y2);
  EXPECT_NEAR(x2, x1, 2.0f);
  EXPECT_NEAR(y2, y1, 2.0f);
  camera_.SetZoom(1e-6f);
  EXPECT_EQ(camera_.Zoom(), PartitionCamera::kZoomMin);
  camera_.SetZoom(1e6f);
  EXPECT_EQ(camera_.Zoom(), PartitionCamera::kZoomMax);
}

TEST_F(PartitionCameraTest, TheStoredStateComesBackWithoutTheZoom) {
  ASSERT_TRUE(camera_.Place(stage_, 5, true));
  camera_.Drag(30, 40);
  camera_.SetZoom(7.0f);
  PartitionViewRecord record;
  camera_.SaveState(&record);
  PartitionCamera other;
  other.MakeSurface(400, 300);
  other.LoadState(record);
  EXPECT_EQ(other.OffsetX(), camera_.OffsetX());
  EXPECT_EQ(other.OffsetY(), camera_.OffsetY());
  EXPECT_EQ(other.Zoom(), PartitionCamera::kInitialZoom);
  // Values that are no numbers come back as the initial ones.
  record.camera_state[0] = 0x7FC00000u;
  other.LoadState(record);
  EXPECT_EQ(other.OffsetX(), 0.0f);
}

}  // namespace
