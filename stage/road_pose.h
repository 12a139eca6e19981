// The road at a place within a partition: centre point, its derivative, roll and roll
// derivative, interpolated between the partition's opening and closing lines. Used by the
// road-following cameras of the views and by the wire copy in world coordinates.
#pragma once

#include <cstdint>

#include "stage/terrain.h"

struct RoadPose {
  double centre[3] = {0.0, 0.0, 0.0};
  double tangent[3] = {0.0, 0.0, 0.0};  // derivative per partition (one sample step)
  double roll = 0.0;
  double roll_derivative = 0.0;
};

// The pose at fraction f (0 at the opening line, 1 at the closing line; not clamped) of
// partition p: the line values are the two points of open unit splines, fixed tangents for
// the position (the stored derivatives) and free ones for the roll, which is therefore
// linear. False (pose untouched) when p does not exist.
bool ComputeRoadPose(const Terrain& terrain, int32_t p, double f, RoadPose* pose);
