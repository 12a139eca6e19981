// The vertex types every camera, the clipper and the fill engines pass polygons in: parallel
// arrays of points (camera space, or screen x, y and depth after projection) and texture
// coordinates. Convex polygons of the suite have at most kPolygonCapacity vertices.
#pragma once

#include <cstdint>

struct Point3f {
  float x;
  float y;
  float z;
};

struct TexCoord2f {
  float u;
  float v;
};

// Vertices a caller's polygon arrays must be able to hold: the clipping passes write back
// up to this many.
constexpr int32_t kPolygonCapacity = 20;
