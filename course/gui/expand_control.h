// ExpandControl1: the tool code of the developed views, which show the course unrolled
// along its length. The developed top view runs the course up the view with the left and
// right edges beside the centre line (widths); the developed side view runs it to the right
// with the height above it. The camera is a distance along the course and a zoom along it;
// across the course the scale is fixed. Qt-free.
#pragma once

#include <cstdint>

#include "course/course_data.h"
#include "course/gui/course_development.h"
#include "course/gui/tool_input.h"

class ExpandControl1 {
 public:
  enum Attribute : int32_t { kDevelopedTop = 1, kDevelopedSide = 2 };
  static constexpr double kMinimumZoom = 0.01;
  static constexpr double kMaximumZoom = 300.0;
  static constexpr double kInitialZoom = 0.1;
  // Pixels per world unit across the course: widths in the top view, heights in the side.
  static constexpr double kWidthScale = 2.0;
  static constexpr double kHeightScale = 1.0;

  // kDevelopedTop or kDevelopedSide; anything else is a fatal misuse.
  explicit ExpandControl1(int32_t attribute);

  int32_t Attribute() const { return attribute_; }
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Distance along the course at the middle of the view.
  double Position() const { return position_; }
  void SetPosition(double distance) { position_ = distance; }
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  // Height at the middle of the developed side view.
  double HeightCentre() const { return height_centre_; }
  void SetHeightCentre(double y) { height_centre_ = y; }

  // Screen position of a distance along the course and a value across it (the signed
  // lateral offset in the top view, left negative; the height in the side view).
  void ToScreen(double distance, double across, double* sx, double* sy) const;

  // The mark of point i on side `side` (top view: the edge; side view: the centre, side
  // ignored) and the ends 1 and 2 of its handle, as (distance, across).
  void PointMark(const CourseData1& course, const CourseDevelopment& development, int32_t point,
                 int32_t side, double* distance, double* across) const;
  void HandleEnd(const CourseData1& course, const CourseDevelopment& development, int32_t point,
                 int32_t side, int32_t end, double* distance, double* across) const;

  ToolEffect Click(CourseData1& course, const CourseDevelopment& development,
                   const ToolInput& input);
  ToolEffect Drag(CourseData1& course, const ToolInput& input);
  // The mouse wheel at (x, y): `steps` notches (positive away from the user) zoom in along
  // the course by kWheelZoomFactor each, keeping the distance under the pointer in place.
  ToolEffect Wheel(int32_t x, int32_t y, int32_t steps);

  // Shows the course from its start (top view: the start near the bottom) and centres the
  // heights of the side view.
  void Fit(const CourseData1& course, const CourseDevelopment& development);

 private:
  bool Hits(const CourseData1& course, const CourseDevelopment& development, int32_t point,
            int32_t side, int32_t end, int32_t x, int32_t y) const;

  int32_t attribute_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  double position_ = 0.0;
  double zoom_ = kInitialZoom;
  double height_centre_ = 0.0;
};
