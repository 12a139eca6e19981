#include "course/gui/point_control.h"

#include <algorithm>
#include <cmath>

namespace {

bool HasSelection(const CourseData1& course) {
  return course.SelectedPoint() >= 0 && course.SelectedPoint() < course.PointCount();
}

}  // namespace

void PointControl1::SetSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  SetDrawingArea(0, 0, width_, height_);
}

void PointControl1::SetDrawingArea(int32_t x, int32_t y, int32_t width, int32_t height) {
  area_x_ = x;
  area_y_ = y;
  area_width_ = std::max(width, 0);
  area_height_ = std::max(height, 0);
}

ToolEffect PointControl1::Wheel(int32_t steps) {
  if (steps == 0) return kNothingChanged;
  SetZoom(zoom_ * std::pow(kWheelZoomFactor, steps));
  return kViewChanged;
}

void PointControl1::SetZoom(double zoom) { zoom_ = std::clamp(zoom, kMinimumZoom, kMaximumZoom); }

double PointControl1::BarRadius() const {
  return 0.35 * std::min(area_width_, area_height_) * zoom_;
}

bool PointControl1::RollMarker(const CourseData1& course, double* sx, double* sy) const {
  if (!HasSelection(course)) return false;
  const double roll = course.PointRoll(course.SelectedPoint());
  *sx = CentreX() + BarRadius() * std::cos(roll);
  *sy = CentreY() + BarRadius() * std::sin(roll);
  return true;
}

bool PointControl1::RollHandle(const CourseData1& course, double* sx, double* sy) const {
  if (!HasSelection(course)) return false;
  const int32_t point = course.SelectedPoint();
  int32_t fixed = 0;
  const double ahead =
      course.PointRoll(point) + kHandleReach * course.PointRollTangent(point, &fixed);
  *sx = CentreX() - BarRadius() * std::cos(ahead);
  *sy = CentreY() - BarRadius() * std::sin(ahead);
  return true;
}

ToolEffect PointControl1::Click(CourseData1& course, const ToolInput& input) {
  if (input.tool != kEditTool) return kNothingChanged;
  double sx = 0, sy = 0;
  if (RollMarker(course, &sx, &sy) && PointerHits(input.x, input.y, sx, sy)) {
    if (input.button == kLeftMouse) {
      pick_ = kRollMarker;
      return kViewChanged;
    }
    return kNothingChanged;
  }
  if (RollHandle(course, &sx, &sy) && PointerHits(input.x, input.y, sx, sy)) {
    if (input.button == kLeftMouse) {
      pick_ = kRollHandle;
      return kViewChanged;
    }
    // Right click frees the roll tangent.
    int32_t fixed = 0;
    const int32_t point = course.SelectedPoint();
    course.SetPointRollTangent(point, course.PointRollTangent(point, &fixed), 0);
    return kCourseChanged;
  }
  if (input.button == kLeftMouse) pick_ = kNoPick;
  return kNothingChanged;
}

ToolEffect PointControl1::Drag(CourseData1& course, const ToolInput& input) {
  switch (input.tool) {
    case kEditTool: {
      if (!HasSelection(course) || pick_ == kNoPick || input.dy == 0) return kNothingChanged;
      const int32_t point = course.SelectedPoint();
      if (pick_ == kRollMarker) {
        course.SetPointRoll(point, course.PointRoll(point) + kRollPerPixel * input.dy);
      } else {
        int32_t fixed = 0;
        const double tangent = course.PointRollTangent(point, &fixed);
        course.SetPointRollTangent(point, tangent - kRollPerPixel * input.dy, 1);
      }
      return kCourseChanged;
    }
    case kCameraZoomTool:
      SetZoom(zoom_ - kZoomPerPixel * input.dy);
      return kViewChanged;
    default:
      return kNothingChanged;
  }
}
