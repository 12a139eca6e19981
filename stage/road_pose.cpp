#include "stage/road_pose.h"

#include "course/unit_spline.h"

bool ComputeRoadPose(const Terrain& terrain, int32_t p, double f, RoadPose* pose) {
  if (!terrain.HasPartition(p)) return false;
  Point3f unused_right;
  Point3f unused_left;
  const LineFrame* line0 = nullptr;
  terrain.OpeningLine(p, &unused_right, &unused_left, &line0);
  const LineFrame& line1 = terrain.PartitionAt(p).frame;
  for (int axis = 0; axis < 3; ++axis) {
    UnitSpline1 spline;
    spline.AppendPoint(line0->sampling_position[axis], line0->position_derivative[axis],
                       UnitSpline1::kFixed);
    spline.AppendPoint(line1.sampling_position[axis], line1.position_derivative[axis],
                       UnitSpline1::kFixed);
    pose->centre[axis] = spline.Value(0, f);
    pose->tangent[axis] = spline.Derivative(0, f);
  }
  UnitSpline1 roll;
  roll.AppendPoint(line0->roll, 0.0, UnitSpline1::kFree);
  roll.AppendPoint(line1.roll, 0.0, UnitSpline1::kFree);
  pose->roll = roll.Value(0, f);
  pose->roll_derivative = roll.Derivative(0, f);
  return true;
}
