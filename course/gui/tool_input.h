// What a view hands to its tool code for one mouse event: the tool, the button, the pointer
// in view pixels and its movement since the previous event. The tool code needs no widget,
// so every click and drag rule is tested without a window. Qt-free.
#pragma once

#include <cstdint>

// Tool bar command ids.
enum CourseCommand : int32_t {
  kEditTool = 100,
  kSampleTool = 101,
  kWidthTool = 102,
  kLoopButton = 103,
  kCameraMoveTool = 104,
  kCameraZoomTool = 105,
};

enum ToolButton : int32_t { kLeftMouse = 1, kRightMouse = 2 };

struct ToolInput {
  int32_t tool = kEditTool;
  int32_t button = kLeftMouse;
  int32_t x = 0, y = 0;    // pointer in view pixels (y down)
  int32_t dx = 0, dy = 0;  // movement since the previous event (drags)
};

// What a click or drag changed, so the window redraws what it must.
enum ToolEffect : int32_t {
  kNothingChanged = 0,
  kViewChanged = 1,    // this view's camera only
  kCourseChanged = 2,  // the course or its selection: every view
};

// The editing constants of the tools.
inline constexpr double kWorldPerPixel = 0.8;  // point, tangent and width drags
inline constexpr double kHandleReach = 0.3;    // handle ends at P +- 0.3 T
inline constexpr int32_t kPickDistance = 3;    // pixels, strictly less
inline constexpr double kWidthFactorPerPixel = 0.1;
inline constexpr double kZoomPerPixel = 0.01;
inline constexpr double kRollPerPixel = 0.01;  // radians
// One notch of the mouse wheel zooms by this factor (in when turned away from the user).
inline constexpr double kWheelZoomFactor = 1.25;

// A pointer at (x, y) hits a mark at (sx, sy) when both distances are below kPickDistance.
inline bool PointerHits(int32_t x, int32_t y, double sx, double sy) {
  const double ax = sx - x, ay = sy - y;
  return (ax < 0 ? -ax : ax) < kPickDistance && (ay < 0 ? -ay : ay) < kPickDistance;
}
