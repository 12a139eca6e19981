// The vertex types every camera, the clipper and the fill engines pass polygons in: parallel
// arrays of points (camera space, or screen x, y and depth after projection) and texture
// coordinates. Convex polygons of the suite have at most kPolygonCapacity vertices.
#pragma once

#include <cstdint>

// A point or direction: world units (y is the height axis), camera space, or screen x, y and
// depth after projection.
struct Point3f {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  friend bool operator==(const Point3f&, const Point3f&) = default;
};

struct TexCoord2f {
  float u = 0.0f;
  float v = 0.0f;
};

// Vertices a caller's polygon arrays must be able to hold: the clipping passes write back
// up to this many.
constexpr int32_t kPolygonCapacity = 20;
