// ParallelControl1: the tool code of one parallel editing view (top, side or front) over its
// CameraControl1: picking control points and handle ends within 3 pixels, and what the edit,
// sample, width and camera tools do on click and drag. Qt-free.
#pragma once

#include <cstdint>

#include "course/course_data.h"
#include "course/gui/tool_input.h"
#include "render/camera_control.h"

class ParallelControl1 {
 public:
  static constexpr double kNewCourseZoom = 0.25;

  // CameraControl1::kTop, kSide or kFront; anything else is a fatal misuse.
  explicit ParallelControl1(int32_t attribute);

  CameraControl1& Camera() { return camera_; }
  const CameraControl1& Camera() const { return camera_; }
  int32_t Attribute() const { return camera_.GetAttribute(); }
  // World axes (0 x, 1 y, 2 z) shown across and up the view.
  int32_t HorizontalAxis() const { return horizontal_axis_; }
  int32_t VerticalAxis() const { return vertical_axis_; }

  // Screen position of a world point.
  void ToScreen(double x, double y, double z, double* sx, double* sy) const;
  // Handle end 1 (P + 0.3 T) or 2 (P - 0.3 T) of point i, in world units.
  static CourseVector HandleEnd(const CourseData1& course, int32_t point, int32_t end);

  // The first control point within the pick distance of (x, y), or -1.
  int32_t PickPoint(const CourseData1& course, int32_t x, int32_t y) const;
  // 1 or 2 for a handle end of the selected point within the pick distance, else 0.
  int32_t PickHandle(const CourseData1& course, int32_t x, int32_t y) const;

  ToolEffect Click(CourseData1& course, const ToolInput& input);
  ToolEffect Drag(CourseData1& course, const ToolInput& input);
  // The mouse wheel at (x, y): `steps` notches (positive away from the user) zoom in by
  // kWheelZoomFactor each, keeping the world point under the pointer where it is.
  ToolEffect Wheel(int32_t x, int32_t y, int32_t steps);

  // Centres the camera on the course and zooms so that it fills the view (a course without
  // points: the origin at kNewCourseZoom).
  void Fit(const CourseData1& course);

 private:
  CameraControl1 camera_;
  int32_t horizontal_axis_;
  int32_t vertical_axis_;
};

// The component `axis` (0 x, 1 y, 2 z) of a vector.
double Component(const CourseVector& v, int32_t axis);
double& Component(CourseVector& v, int32_t axis);
