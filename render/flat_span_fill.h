// FlatSpanFill1 fills one convex, clipped, projected polygon with a single 16-bit colour
// into a bottom-up surface. Edges running up the screen give the left ends of the spans,
// edges running down the right ends (clockwise polygons draw, counter-clockwise ones do
// not); unlike the perspective engine every row from the top row to the bottom row is
// filled. A process-wide engine: start it up once before drawing.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"

class FlatSpanFill1 {
 public:
  // Widest surface the fill draws into (its span code writes at most 1024 pixels).
  static constexpr int32_t kMaxWidth = 1024;

  static void StartUp();
  static void ShutDown();
  static bool Started();
  // Makes the edge tables fit `rows` and resets the row range.
  static void Prepare(int32_t rows);

  // Returns 0, or 1 (nothing drawn) when width > kMaxWidth. Points are screen x, screen y
  // (depth unused). A polygon with a vertex outside the surface or non-finite is not drawn.
  static int32_t Fill(uint16_t* pixels, int32_t width, int32_t height, const Point3f* points,
                      int32_t n, uint16_t colour);
  static int32_t Fill(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour) {
    return Fill(surface.Bits(), surface.Width(), surface.Height(), points, n, colour);
  }
  // The same fill without the width limit, for surfaces wider than kMaxWidth (the stage
  // views' windows): every pixel as Fill draws it on a narrower surface.
  static void FillAnyWidth(uint16_t* pixels, int32_t width, int32_t height, const Point3f* points,
                           int32_t n, uint16_t colour);
  static void FillAnyWidth(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour) {
    FillAnyWidth(surface.Bits(), surface.Width(), surface.Height(), points, n, colour);
  }

  static int32_t TableLength();
  static int32_t TopRow();
  static int32_t BottomRow();
};
