// Wire-frame lines into a Surface16 with the pens of the views, standing in for the
// platform's pen drawing: a line covers its start pixel and stops before its end pixel,
// so a closed outline drawn vertex to vertex sets every pixel once. Pixels outside the
// surface are dropped; lines of any length and position are safe.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"

struct Pen {
  uint16_t colour = 0x7FFF;
  // 1 or 2 pixels; a 2-pixel pen paints a 2 x 2 block at each step.
  int32_t width = 1;
};

// The stock white pen.
constexpr Pen kWhitePen{0x7FFF, 1};
// Number of shared pens of the stage views.
constexpr int32_t kStagePenCount = 11;
// Pen 0..10 of the stage views (grey, green, red, ... orange of width 2); other indices
// give the white pen.
Pen StagePen(int32_t index);

// From (x0, y0) up to but not including (x1, y1).
void DrawLine(Surface16& surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
              const Pen& pen);
// Moves to the first point and draws to each following one (and back to the first when
// closed), at truncated coordinates. Non-finite points end the outline.
void DrawPolyline(Surface16& surface, const Point3f* points, int32_t n, bool closed,
                  const Pen& pen);
