#include "stage/views/camera_modes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/rotation_matrix.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::ViewsTest;

CameraModeRecord RoadMode(int32_t road_mode, int32_t partition, float fraction) {
  CameraModeRecord mode;
  mode.road_mode = road_mode;
  mode.partition = partition;
  mode.fraction = fraction;
  return mode;
}

// Partitions 0 ... 49 with partition 30 selected: the displayed range is 10 ... 49.
class RoadCameraTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    LoadRoad(51, 0, 30);
  }
};

TEST_F(RoadCameraTest, RoadModeRidesTheDisplayedPartitionsAndLapModeAllOfThem) {
  const PartitionRange road = RoadCameraRange(stage_, kRoadModeRoad);
  EXPECT_EQ(road.first, 10);
  EXPECT_EQ(road.Last(), 49);
  const PartitionRange lap = RoadCameraRange(stage_, kRoadModeLap);
  EXPECT_EQ(lap.first, 0);
  EXPECT_EQ(lap.count, 50);
  EXPECT_TRUE(RoadCameraRange(stage_, kRoadModeFree).Empty());
  stage_.SelectPartition(-1);
  EXPECT_TRUE(RoadCameraRange(stage_, kRoadModeRoad).Empty());
  EXPECT_EQ(RoadCameraRange(stage_, kRoadModeLap).count, 50);
}

// The fraction carried into the index and clamped to the range, after a drag along the road.
TEST_F(RoadCameraTest, DragsAlongTheRoadCarryAndClampTheFraction) {
  struct Case {
    int32_t road_mode;
    int32_t partition;
    float fraction;
    int32_t drag_dy;  // pixels; up (negative) drives on
    int32_t want_partition;
    float want_fraction;
  };
  const Case cases[] = {
      {kRoadModeRoad, 20, 0.95f, -10, 21, 0.05f},  // over the partition's end
      {kRoadModeRoad, 20, 0.05f, 10, 19, 0.95f},   // back over its start
      {kRoadModeRoad, 49, 0.95f, -10, 49, 1.0f},   // beyond the last: stops at its end
      {kRoadModeRoad, 10, 0.02f, 10, 10, 0.0f},    // before the first: stops at its start
      {kRoadModeRoad, 5, 0.5f, 0, 10, 0.0f},       // outside the displayed range
      {kRoadModeLap, 5, 0.5f, 0, 5, 0.5f},         // the lap rides every partition
      {kRoadModeLap, 0, 0.02f, 10, 0, 0.0f},
      {kRoadModeRoad, -1, 0.7f, 0, 10, 0.0f},   // off the road: starts at the first
      {kRoadModeRoad, 20, 2.5f, 0, 22, 0.5f},   // whole partitions carried
      {kRoadModeRoad, 20, 1e30f, 0, 49, 1.0f},  // no overflow of the index
      {kRoadModeLap, 20, NAN, 0, 0, 0.0f},      // a damaged fraction starts afresh
  };
  for (const Case& c : cases) {
    CameraModeRecord mode = RoadMode(c.road_mode, c.partition, c.fraction);
    DragAlongRoad(&mode, c.drag_dy);
    EXPECT_TRUE(PlaceRoadCamera(stage_, &mode));
    EXPECT_EQ(mode.partition, c.want_partition) << c.partition << " " << c.fraction;
    EXPECT_NEAR(mode.fraction, c.want_fraction, 1e-5) << c.partition << " " << c.fraction;
  }
}

TEST_F(RoadCameraTest, TheCameraStandsAboveTheRoadLookingAlongIt) {
  CameraModeRecord mode = RoadMode(kRoadModeLap, 3, 0.5f);
  mode.height = 7.0f;
  ASSERT_TRUE(PlaceRoadCamera(stage_, &mode));
  // Partition 3 runs from z = 30 to 40 along x = 0, banked by the roll 0.035 halfway: the
  // camera stands 7 above it along the banked road's up.
  const double roll = 0.035;
  EXPECT_NEAR(mode.camera.position_x, 7.0 * std::sin(roll), 1e-4);
  EXPECT_NEAR(mode.camera.position_y, 7.0 * std::cos(roll), 1e-4);
  EXPECT_NEAR(mode.camera.position_z, 35.0f, 1e-3);
  // The camera looks down the road: the world direction +z is straight ahead.
  const RotationMatrix w = ViewMatrix(-mode.camera.rx, -mode.camera.ry, -mode.camera.rz);
  const Point3f ahead = w.Apply({0.0f, 0.0f, 1.0f});
  EXPECT_NEAR(ahead.x, 0.0f, 1e-5);
  EXPECT_NEAR(ahead.y, 0.0f, 1e-5);
  EXPECT_NEAR(ahead.z, 1.0f, 1e-5);
}

TEST_F(RoadCameraTest, PitchAndYawTurnTheCameraOnTheRoad) {
  CameraModeRecord mode = RoadMode(kRoadModeLap, 3, 0.5f);
  DragPitchYaw(&mode, -100, -200);  // left and up
  EXPECT_FLOAT_EQ(mode.yaw, 0.1f);
  EXPECT_FLOAT_EQ(mode.pitch, 0.2f);
  ASSERT_TRUE(PlaceRoadCamera(stage_, &mode));
  // The combined rotation comes back from the stored angles.
  const RotationMatrix m = CameraMatrix(mode.camera.rx, mode.camera.ry, mode.camera.rz);
  // The road's frame there (heading 0, pitch 0, the roll 0.035) times pitch and yaw.
  const RotationMatrix road = CameraMatrix(0.0, 0.0, 0.035);
  const RotationMatrix turn = CameraMatrix(0.2, 0.1, 0.0);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      double expected = 0.0;
      for (int k = 0; k < 3; ++k) expected += road.m[row * 3 + k] * turn.m[k * 3 + column];
      EXPECT_NEAR(m.m[row * 3 + column], expected, 1e-5) << row << column;
    }
  }
}

TEST_F(RoadCameraTest, AnEmptyRangePutsTheCameraOffTheRoadAndLeavesItWhereItIs) {
  stage_.SelectPartition(-1);
  CameraModeRecord mode = RoadMode(kRoadModeRoad, 12, 0.5f);
  mode.camera.position_x = 123.0f;
  EXPECT_FALSE(PlaceRoadCamera(stage_, &mode));
  EXPECT_EQ(mode.partition, -1);
  EXPECT_EQ(mode.fraction, 0.0f);
  EXPECT_EQ(mode.camera.position_x, 123.0f);
  CameraModeRecord free = RoadMode(kRoadModeFree, 12, 0.5f);
  EXPECT_FALSE(PlaceRoadCamera(stage_, &free));
  EXPECT_EQ(free.partition, 12);
}

TEST(CameraDragTest, HeightLensAndAnglesKeepTheirLimits) {
  struct Case {
    float start;
    int32_t dy;
    float want;
  };
  for (const Case& c : {Case{10.0f, 100, 9.0f}, Case{1.0f, 1000, 0.0f}, Case{499.0f, -1000, 500.0f},
                        Case{NAN, 5, 0.0f}}) {
    CameraModeRecord mode;
    mode.height = c.start;
    DragHeight(&mode, c.dy);
    EXPECT_FLOAT_EQ(mode.height, c.want) << c.start << " " << c.dy;
  }
  for (const Case& c : {Case{1.0f, -100, 2.0f}, Case{1.0f, 500, 0.1f}, Case{49.0f, -5000, 50.0f}}) {
    CameraModeRecord mode;
    mode.camera.lenz_dst = c.start;
    mode.camera.pivot_dst = 10.0f;
    DragLensZoom(&mode, c.dy);
    EXPECT_FLOAT_EQ(mode.camera.lenz_dst, c.want) << c.start << " " << c.dy;
    // PivotDst moves by what LenzDst moved.
    EXPECT_FLOAT_EQ(mode.camera.pivot_dst, 10.0f + c.want - c.start);
  }
  CameraModeRecord mode;
  DragPitchYaw(&mode, -5000, 5000);
  EXPECT_FLOAT_EQ(mode.yaw, kAngleLimit);
  EXPECT_FLOAT_EQ(mode.pitch, -kAngleLimit);
}

TEST(CameraDragTest, TheFreeCameraMovesAlongAndAcrossItsHeading) {
  struct Case {
    float heading;
    int32_t dx, dy;
    bool vertical;
    Point3f want;
  };
  const float quarter = 1.5707964f;
  const Case cases[] = {
      {0.0f, 0, -10, false, {0.0f, 100.0f, 10.0f}},      // up: ahead along +z
      {0.0f, 10, 0, false, {10.0f, 100.0f, 0.0f}},       // right: across
      {quarter, 0, -10, false, {-10.0f, 100.0f, 0.0f}},  // heading turned a quarter
      {quarter, 10, 0, false, {0.0f, 100.0f, 10.0f}},
      {0.0f, 10, -10, true, {0.0f, 110.0f, 0.0f}},  // right button: up and down
  };
  for (const Case& c : cases) {
    CameraModeRecord mode;
    mode.camera.ry = c.heading;
    DragFreeMove(&mode, c.dx, c.dy, c.vertical);
    EXPECT_NEAR(mode.camera.position_x, c.want.x, 1e-4) << c.heading << " " << c.dx << c.dy;
    EXPECT_NEAR(mode.camera.position_y, c.want.y, 1e-4);
    EXPECT_NEAR(mode.camera.position_z, c.want.z, 1e-4) << c.heading << " " << c.dx << c.dy;
  }
  // What moves forward is what the camera looks at.
  CameraModeRecord mode;
  mode.camera.ry = 0.7f;
  DragFreeMove(&mode, 0, -10, false);
  const RotationMatrix m = CameraMatrix(0.0, 0.7, 0.0);
  EXPECT_NEAR(mode.camera.position_x, 10.0f * m.m[2], 1e-4);
  EXPECT_NEAR(mode.camera.position_z, 10.0f * m.m[8], 1e-4);
}

TEST(CameraModeButtonTest, EachButtonSelectsItsRecordAndRenderFlag) {
  struct Case {
    int32_t button;
    int32_t mode;
    int32_t render_flag;
  };
  for (const Case& c : {Case{kFreeButton, 0, 0}, Case{kRoadButton, 1, 0}, Case{kRenderButton, 1, 1},
                        Case{kRenderAroundButton, 2, 1}}) {
    PerspectiveViewRecord view;
    view.modes[1].render_flag = 1 - c.render_flag;
    ASSERT_TRUE(PressModeButton(&view, c.button));
    EXPECT_EQ(view.current_mode, c.mode);
    EXPECT_EQ(view.pressed_button, c.button);
    EXPECT_EQ(view.modes[c.mode].render_flag, c.render_flag);
  }
  PerspectiveViewRecord view;
  EXPECT_FALSE(PressModeButton(&view, 1109));
  EXPECT_EQ(view, PerspectiveViewRecord());
}

}  // namespace
