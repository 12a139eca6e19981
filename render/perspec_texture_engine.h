// PerspecTextureEngine1 fills one convex, clipped, projected polygon with a texture,
// perspective-correct at every pixel, into a 16-bit bottom-up surface. It is one
// process-wide engine: start it up once before drawing and shut it down at the end.
// Reciprocals of depth come from a table of 4096 linear segments indexed by 16.16
// fixed-point depth, so no division is made per scan line or pixel.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"
#include "render/texture_source.h"

class PerspecTextureEngine1 {
 public:
  // One segment of 1/z: for F = z * 2^28, 1/z ~ value[F >> 16] - (F & 0xFFFF) * slope[F >> 16].
  struct Segment {
    float value;
    float slope;
  };
  static constexpr int32_t kSegmentCount = 4097;
  // Reset values of the row range (no row written yet).
  static constexpr int32_t kTopRowReset = 36635;
  static constexpr int32_t kBottomRowReset = -36636;

  // Start-up counter; the first start-up builds the segment value table.
  static void StartUp();
  // The last shut-down frees the segment table and the edge tables.
  static void ShutDown();
  static bool Started();

  // Edge tables for `rows` scan lines (reported when rows < 1 or tables exist).
  static void CreateTables(int32_t rows);
  static void FreeTables();
  // Makes the tables fit `rows` (re-created when the count differs) and resets the row range.
  static void Prepare(int32_t rows);

  // Fills the polygon (points: screen x, screen y, depth in (0, 1]; coords: u, v in 0..1)
  // into the surface; returns 0. Rows trunc(ymin+0.5) .. trunc(ymax+0.5)-1 are filled,
  // spans run from the up-running edges (left of a clockwise polygon) to the down-running
  // ones, so counter-clockwise polygons draw nothing. Texels equal to the texture's
  // transparent colour leave the destination unchanged.
  // The polygon must already be clipped to the surface; a polygon with a vertex outside it,
  // a depth outside (0, 1] or non-finite values is not drawn, so nothing is ever written
  // outside the surface nor read outside the texture.
  static int32_t DrawPolygon(uint16_t* pixels, int32_t width, int32_t height,
                             const Point3f* points, const TexCoord2f* coords, int32_t n,
                             const TextureSource& textures, int32_t texture_id);
  static int32_t DrawPolygon(Surface16& surface, const Point3f* points,
                             const TexCoord2f* coords, int32_t n, const TextureSource& textures,
                             int32_t texture_id) {
    return DrawPolygon(surface.Bits(), surface.Width(), surface.Height(), points, coords, n,
                       textures, texture_id);
  }

  // Inspection (tests and tools).
  static const Segment* SegmentTable();
  static int32_t TableLength();
  static int32_t TopRow();
  static int32_t BottomRow();
  // 1/z as the span pass computes it for the fixed-point depth f (0 <= f < 4097 * 65536).
  static float Reciprocal(int32_t f);
};
