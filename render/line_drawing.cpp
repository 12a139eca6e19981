#include "render/line_drawing.h"

#include <cmath>
#include <cstdlib>

#include "render/numeric_conversion.h"

namespace {

void Plot(Surface16& surface, int32_t x, int32_t y, const Pen& pen) {
  surface.Set(x, y, pen.colour);
  if (pen.width >= 2) {
    surface.Set(x + 1, y, pen.colour);
    surface.Set(x, y + 1, pen.colour);
    surface.Set(x + 1, y + 1, pen.colour);
  }
}

// Liang-Barsky: shortens the segment to the box; false when nothing is left.
bool ClipToBox(double& x0, double& y0, double& x1, double& y1, double min_x, double min_y,
               double max_x, double max_y) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - min_x, max_x - x0, y0 - min_y, max_y - y0};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double nx0 = x0 + t0 * dx;
  const double ny0 = y0 + t0 * dy;
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 = nx0;
  y0 = ny0;
  return true;
}

}  // namespace

Pen StagePen(int32_t index) {
  static constexpr uint8_t kColours[kStagePenCount][3] = {
      {96, 96, 96},   {0, 200, 0},    {200, 0, 0},     {153, 107, 89},
      {97, 28, 0},    {185, 147, 132}, {0, 0, 255},    {40, 40, 96},
      {255, 255, 255}, {251, 89, 0},  {245, 193, 0}};
  if (index < 0 || index >= kStagePenCount) return kWhitePen;
  const uint8_t* c = kColours[index];
  return Pen{PackColour555(c[0], c[1], c[2]), index == 10 ? 2 : 1};
}

void DrawLine(Surface16& surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
              const Pen& pen) {
  if (surface.Empty()) return;
  // Only the part near the surface is walked, so far-away coordinates cost nothing.
  double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
  const bool end_moved_in = !(x1 >= -2 && y1 >= -2 && x1 <= surface.Width() + 1 &&
                              y1 <= surface.Height() + 1);
  if (!ClipToBox(fx0, fy0, fx1, fy1, -2.0, -2.0, surface.Width() + 1.0,
                 surface.Height() + 1.0)) {
    return;
  }
  int32_t x = static_cast<int32_t>(std::lround(fx0));
  int32_t y = static_cast<int32_t>(std::lround(fy0));
  const int32_t ex = static_cast<int32_t>(std::lround(fx1));
  const int32_t ey = static_cast<int32_t>(std::lround(fy1));
  const int32_t dx = std::abs(ex - x);
  const int32_t dy = -std::abs(ey - y);
  const int32_t sx = x < ex ? 1 : -1;
  const int32_t sy = y < ey ? 1 : -1;
  int32_t error = dx + dy;
  while (x != ex || y != ey) {
    Plot(surface, x, y, pen);
    const int32_t e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y += sy;
    }
  }
  // A line cut at the border continues beyond it: its last visible pixel belongs to it.
  if (end_moved_in) Plot(surface, x, y, pen);
}

void DrawPolyline(Surface16& surface, const Point3f* points, int32_t n, bool closed,
                  const Pen& pen) {
  if (n < 2) return;
  for (int32_t i = 0; i < n; ++i) {
    if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) return;
  }
  const int32_t segments = closed ? n : n - 1;
  for (int32_t i = 0; i < segments; ++i) {
    const Point3f& a = points[i];
    const Point3f& b = points[(i + 1) % n];
    DrawLine(surface, TruncToInt32(a.x), TruncToInt32(a.y), TruncToInt32(b.x),
             TruncToInt32(b.y), pen);
  }
}
