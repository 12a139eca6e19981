// The world axes a parallel view shows, for the drags of the editing tools: the plan view
// shows x rightwards and z upwards, the side view z rightwards and y upwards, the front view
// x rightwards and y upwards. Mouse movements are in pixels with y growing downwards.
#pragma once

#include <cstdint>

#include "stage/stage_records.h"

enum class DragView { kPlan = 1, kSide = 2, kFront = 3 };

// Switches of the work windows: an axis whose switch is on does not move (or turn, or
// scale).
struct AxisSwitches {
  bool x = false;
  bool y = false;
  bool z = false;
};

// The world movement of a drag of (dx, dy) pixels, `units_per_pixel` world units per pixel,
// along the two axes the view shows; held axes stay 0.
Point3f ViewDisplacement(DragView view, int32_t dx, int32_t dy, double units_per_pixel,
                         const AxisSwitches& held);
// p + d.
Point3f Offset(const Point3f& p, const Point3f& d);
