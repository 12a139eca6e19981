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

  // The view's size; the drawing area becomes the whole view.
  void SetSize(int32_t width, int32_t height);
  // The part of the view the cross-section is drawn in (the rest holds the numbers).
  void SetDrawingArea(int32_t x, int32_t y, int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  int32_t Pick() const { return pick_; }

  // Half the length of the bar in pixels, and its centre: the middle of the drawing area.
  double BarRadius() const;
  double CentreX() const { return area_x_ + area_width_ / 2; }
  double CentreY() const { return area_y_ + area_height_ / 2; }
  // Screen positions of the roll marker and the roll tangent handle of the selected point;
  // false without a selection.
  bool RollMarker(const CourseData1& course, double* sx, double* sy) const;
  bool RollHandle(const CourseData1& course, double* sx, double* sy) const;

  ToolEffect Click(CourseData1& course, const ToolInput& input);
  ToolEffect Drag(CourseData1& course, const ToolInput& input);
  // The mouse wheel: `steps` notches (positive away from the user) zoom in, by the same factor
  // per notch as the other views.
  ToolEffect Wheel(int32_t steps);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t area_x_ = 0;
  int32_t area_y_ = 0;
  int32_t area_width_ = 0;
  int32_t area_height_ = 0;
  double zoom_ = 1.0;
  int32_t pick_ = kNoPick;
};
