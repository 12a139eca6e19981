// PointControl1: the tool code of the point parameter window, which shows the selected
// point's roll as the road's cross-section seen along the direction of travel: a bar tilted
// by the roll (its right end lower for a positive roll) with the roll marker at its right
// end, and the roll tangent as the handle at the left end of a second bar tilted by
// roll + 0.3 x tangent (the bank a little further on). Qt-free.
#pragma once

#include <cstdint>

#include "course/course_data.h"
#include "course/gui/tool_input.h"

class PointControl1 {
 public:
  static constexpr double kMinimumZoom = 0.01;
  static constexpr double kMaximumZoom = 300.0;
  // What a click picked.
  static constexpr int32_t kNoPick = 0;
  static constexpr int32_t kRollMarker = 1;
  static constexpr int32_t kRollHandle = 2;

  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  int32_t Pick() const { return pick_; }

  // Half the length of the bar in pixels, and its centre.
  double BarRadius() const;
  double CentreX() const { return width_ / 2; }
  double CentreY() const { return height_ / 2; }
  // Screen positions of the roll marker and the roll tangent handle of the selected point;
  // false without a selection.
  bool RollMarker(const CourseData1& course, double* sx, double* sy) const;
  bool RollHandle(const CourseData1& course, double* sx, double* sy) const;

  ToolEffect Click(CourseData1& course, const ToolInput& input);
  ToolEffect Drag(CourseData1& course, const ToolInput& input);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  double zoom_ = 1.0;
  int32_t pick_ = kNoPick;
};
