// Clipping4 cuts convex polygons with texture coordinates against axis planes: in camera
// space against the near and far distances, after projection against the surface edges
// (perspective-correct: depth and texture coordinates follow the camera-space fraction).
// Every intersection orders the edge's endpoints lexicographically first, so an edge shared
// by two polygons is cut at bit-identical points whichever way it is walked.
#pragma once

#include <cstdint>

#include "render/polygon.h"

class Clipping4 {
 public:
  // Clips against z = near (outside: z < near) and z = far (outside: z > far); the result is
  // written back into the caller's arrays and its count returned (0 = nothing left). The
  // arrays hold `capacity` entries; n must not exceed kPolygonCapacity. A result that does
  // not fit (more than `capacity` or kPolygonCapacity vertices) is reported "クリッピング
  // バッファが足りない。メモリ破壊"; the caller's arrays are never overrun (0 is returned).
  static int32_t ClipNearFar(Point3f* points, TexCoord2f* coords, int32_t n, int32_t capacity,
                             float near_z, float far_z);

  // Clips projected points to [0, width-1] x [0, height-1] (x, then x = width-1, then y,
  // then y = height-1). The arrays hold kPolygonCapacity entries; the same overflow check.
  static int32_t ClipToScreen(Point3f* points, TexCoord2f* coords, int32_t n, int32_t width,
                              int32_t height);

  // Intersections of the edge p0-p1 with the plane X = a (Y = a, Z = a). The X and Y cuts
  // are perspective-correct in depth and texture; the Z cut is linear. An edge parallel to
  // the plane is reported.
  static void IntersectX(const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                         const TexCoord2f& c1, float a, Point3f* point, TexCoord2f* coord);
  static void IntersectY(const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                         const TexCoord2f& c1, float a, Point3f* point, TexCoord2f* coord);
  static void IntersectZ(const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                         const TexCoord2f& c1, float a, Point3f* point, TexCoord2f* coord);

  // The camera-space fraction s along an edge with depths z0, z1 at the screen fraction g.
  static double PerspectiveParameter(double g, double z0, double z1);
};
