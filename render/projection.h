// The perspective projection shared by PerspecCamera1 and StageCamera, and the back-face
// test on projected polygons.
#pragma once

#include <cstdint>

#include "render/polygon.h"

struct ProjectionScales {
  float scale_x = 0.0f;
  float scale_y = 0.0f;
  float inverse_far = 0.0f;
  int32_t centre_x = 0;
  int32_t centre_y = 0;
};

// Camera space (x right, y up, z into the screen) to screen x, screen y (down) and depth
// z / far, which lies in (near / far, 1] for points that survived near/far clipping.
inline Point3f Project(const Point3f& p, const ProjectionScales& s) {
  const float inverse_z = 1.0f / p.z;
  return {static_cast<float>(s.centre_x) + s.scale_x * p.x * inverse_z,
          static_cast<float>(s.centre_y) - s.scale_y * p.y * inverse_z, p.z * s.inverse_far};
}

// True when the projected polygon faces away from the viewer (its vertices run
// counter-clockwise on the screen by more than a doubled area of 1 pixel, measured on
// truncated coordinates). Clockwise polygons and those of fewer than 2 vertices face the
// viewer.
bool FacesAway(const Point3f* points, int32_t n);
