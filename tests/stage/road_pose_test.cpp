#include "stage/road_pose.h"

#include <gtest/gtest.h>

namespace {

LineFrame Frame(double x, double z, double dz, double roll) {
  LineFrame frame;
  frame.sampling_position[0] = x;
  frame.sampling_position[2] = z;
  frame.position_derivative[2] = dz;
  frame.roll = roll;
  frame.roll_derivative = 99.0;  // not used: the roll is interpolated linearly
  return frame;
}

TEST(RoadPoseTest, InterpolatesBetweenTheOpeningAndTheClosingLine) {
  Terrain terrain;
  StartLine start;
  start.frame = Frame(0, 0, 10, 0.0);
  terrain.SetStart(start);
  terrain.AppendPartition({}, {}, Frame(0, 10, 10, 0.2));
  terrain.AppendPartition({}, {}, Frame(0, 20, 10, 0.4));

  RoadPose pose;
  ASSERT_TRUE(ComputeRoadPose(terrain, 0, 0.5, &pose));
  // Derivatives equal to the chord make the Hermite piece a straight line.
  EXPECT_DOUBLE_EQ(pose.centre[2], 5.0);
  EXPECT_DOUBLE_EQ(pose.tangent[2], 10.0);
  EXPECT_DOUBLE_EQ(pose.roll, 0.1);
  EXPECT_DOUBLE_EQ(pose.roll_derivative, 0.2);
  ASSERT_TRUE(ComputeRoadPose(terrain, 1, 0.0, &pose));
  EXPECT_DOUBLE_EQ(pose.centre[2], 10.0);
  EXPECT_DOUBLE_EQ(pose.roll, 0.2);
  ASSERT_TRUE(ComputeRoadPose(terrain, 1, 1.0, &pose));
  EXPECT_DOUBLE_EQ(pose.centre[2], 20.0);

  // The stored derivatives are the end tangents of the curve.
  terrain.FreeAll();
  terrain.AppendPartition({}, {}, Frame(0, 10, 0, 0.0));
  start.frame = Frame(0, 0, 30, 0.0);
  terrain.SetStart(start);
  ASSERT_TRUE(ComputeRoadPose(terrain, 0, 0.0, &pose));
  EXPECT_DOUBLE_EQ(pose.tangent[2], 30.0);
  ASSERT_TRUE(ComputeRoadPose(terrain, 0, 1.0, &pose));
  EXPECT_NEAR(pose.tangent[2], 0.0, 1e-12);

  EXPECT_FALSE(ComputeRoadPose(terrain, 1, 0.5, &pose));
  EXPECT_FALSE(ComputeRoadPose(terrain, -1, 0.5, &pose));
}

}  // namespace
