#include "stage/view_drag.h"

Point3f ViewDisplacement(DragView view, int32_t dx, int32_t dy, double units_per_pixel,
                         const AxisSwitches& held) {
  const double right = static_cast<double>(dx) * units_per_pixel;
  const double up = -static_cast<double>(dy) * units_per_pixel;
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  switch (view) {
    case DragView::kPlan:
      x = right;
      z = up;
      break;
    case DragView::kSide:
      z = right;
      y = up;
      break;
    case DragView::kFront:
      x = right;
      y = up;
      break;
  }
  return {held.x ? 0.0f : static_cast<float>(x), held.y ? 0.0f : static_cast<float>(y),
          held.z ? 0.0f : static_cast<float>(z)};
}

Point3f Offset(const Point3f& p, const Point3f& d) { return {p.x + d.x, p.y + d.y, p.z + d.z}; }
