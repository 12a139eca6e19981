#include "course/gui/expand_control.h"

#include <algorithm>
#include <cmath>

#include "foundation/error.h"

ExpandControl1::ExpandControl1(int32_t attribute) : attribute_(attribute) {
  if (attribute != kDevelopedTop && attribute != kDevelopedSide) {
    Error1::Report("ExpandControl1", "ありえないカメラ属性を検出", 3);
    attribute_ = kDevelopedTop;
  }
}

void ExpandControl1::SetSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void ExpandControl1::SetZoom(double zoom) { zoom_ = std::clamp(zoom, kMinimumZoom, kMaximumZoom); }

void ExpandControl1::ToScreen(double distance, double across, double* sx, double* sy) const {
  const double along = std::trunc((distance - position_) * zoom_);
  if (attribute_ == kDevelopedTop) {
    *sx = width_ / 2 + std::trunc(across * kWidthScale);
    *sy = height_ / 2 - along;
  } else {
    *sx = width_ / 2 + along;
    *sy = height_ / 2 - std::trunc((across - height_centre_) * kHeightScale);
  }
}

void ExpandControl1::PointMark(const CourseData1& course, const CourseDevelopment& development,
                               int32_t point, int32_t side, double* distance,
                               double* across) const {
  *distance = development.point_distance[static_cast<size_t>(point)];
  if (attribute_ == kDevelopedTop) {
    const CourseWidths w = course.PointWidths(point);
    *across = side == CourseData1::kLeftSide ? -w.left : w.right;
  } else {
    *across = course.PointPosition(point).y;
  }
}

void ExpandControl1::HandleEnd(const CourseData1& course, const CourseDevelopment& development,
                               int32_t point, int32_t side, int32_t end, double* distance,
                               double* across) const {
  PointMark(course, development, point, side, distance, across);
  const double sign = end == 2 ? -1.0 : 1.0;
  *distance += sign * kHandleReach * development.point_speed[static_cast<size_t>(point)];
  if (attribute_ == kDevelopedTop) {
    // Width tangents are stored before the width factor, as the widths are.
    const CourseWidths t = course.PointWidthTangents(point);
    const double factor = course.WidthFactor();
    *across += side == CourseData1::kLeftSide ? -sign * kHandleReach * t.left * factor
                                              : sign * kHandleReach * t.right * factor;
  } else {
    *across += sign * kHandleReach * course.PointTangents(point).y;
  }
}

bool ExpandControl1::Hits(const CourseData1& course, const CourseDevelopment& development,
                          int32_t point, int32_t side, int32_t end, int32_t x, int32_t y) const {
  double distance = 0, across = 0;
  if (end == 0) {
    PointMark(course, development, point, side, &distance, &across);
  } else {
    HandleEnd(course, development, point, side, end, &distance, &across);
  }
  double sx = 0, sy = 0;
  ToScreen(distance, across, &sx, &sy);
  return PointerHits(x, y, sx, sy);
}

ToolEffect ExpandControl1::Click(CourseData1& course, const CourseDevelopment& development,
                                 const ToolInput& input) {
  if (input.tool != kEditTool && input.tool != kSampleTool) return kNothingChanged;
  const int32_t n = course.PointCount();
  if (static_cast<int32_t>(development.point_distance.size()) != n) return kNothingChanged;
  const bool top = attribute_ == kDevelopedTop;
  // Points from index 0; in the top view the left edge before the right one.
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t side = 0; side < (top ? 2 : 1); ++side) {
      if (!Hits(course, development, i, side, 0, input.x, input.y)) continue;
      if (input.button != kLeftMouse) return kNothingChanged;
      course.Select(i, 0);
      if (top && input.tool == kEditTool) course.SetSide(side);
      return kCourseChanged;
    }
  }
  if (input.tool != kEditTool) return kNothingChanged;
  const int32_t selected = course.SelectedPoint();
  if (selected < 0 || selected >= n) return kNothingChanged;
  const int32_t side = top ? course.Side() : 0;
  for (int32_t end = 1; end <= 2; ++end) {
    if (!Hits(course, development, selected, side, end, input.x, input.y)) continue;
    if (input.button == kLeftMouse) {
      course.Select(selected, end);
      return kCourseChanged;
    }
    // Right click frees the tangent this view edits.
    if (top) {
      const CourseWidths t = course.PointWidthTangents(selected);
      int32_t fixed_left = 0, fixed_right = 0;
      course.PointWidthFixedFlags(selected, &fixed_left, &fixed_right);
      if (side == CourseData1::kLeftSide)
        fixed_left = 0;
      else
        fixed_right = 0;
      course.SetPointWidthTangents(selected, t.left, t.right, fixed_left, fixed_right);
    } else {
      const CourseTangents t = course.PointTangents(selected);
      course.SetPointFixedFlags(selected, t.fixed_x, 0, t.fixed_z);
    }
    return kCourseChanged;
  }
  return kNothingChanged;
}

ToolEffect ExpandControl1::Drag(CourseData1& course, const ToolInput& input) {
  const bool top = attribute_ == kDevelopedTop;
  switch (input.tool) {
    case kEditTool: {
      const int32_t selected = course.SelectedPoint();
      if (selected < 0 || selected >= course.PointCount()) return kNothingChanged;
      const int32_t handle = course.HandleState();
      const double sign = handle == 2 ? -1.0 : 1.0;
      if (top) {
        const bool left = course.Side() == CourseData1::kLeftSide;
        const double change = left ? -kWorldPerPixel * input.dx : kWorldPerPixel * input.dx;
        if (handle == 0) {
          CourseWidths w = course.PointWidths(selected);
          (left ? w.left : w.right) += change;
          course.SetPointWidths(selected, w.left, w.right);
        } else {
          CourseWidths t = course.PointWidthTangents(selected);
          int32_t fixed_left = 0, fixed_right = 0;
          course.PointWidthFixedFlags(selected, &fixed_left, &fixed_right);
          (left ? t.left : t.right) += sign * change;
          (left ? fixed_left : fixed_right) = 1;
          course.SetPointWidthTangents(selected, t.left, t.right, fixed_left, fixed_right);
        }
      } else {
        const double change = -kWorldPerPixel * input.dy;
        if (handle == 0) {
          const CourseVector p = course.PointPosition(selected);
          course.SetPointPosition(selected, p.x, p.y + change, p.z);
        } else {
          const CourseTangents t = course.PointTangents(selected);
          course.SetPointTangents(selected, t.x, t.y + sign * change, t.z, t.fixed_x, 1, t.fixed_z);
        }
      }
      return kCourseChanged;
    }
    case kSampleTool:
      if (course.SelectedPoint() < 0 || input.dy == 0) return kNothingChanged;
      course.ChangeSampleCount(input.dy);
      return kCourseChanged;
    case kWidthTool:
      if (input.dy == 0) return kNothingChanged;
      course.ChangeWidthFactor(kWidthFactorPerPixel * input.dy);
      return kCourseChanged;
    case kCameraMoveTool:
      // Only along the course, the picture following the pointer.
      position_ += top ? input.dy / zoom_ : -input.dx / zoom_;
      return kViewChanged;
    case kCameraZoomTool:
      SetZoom(zoom_ - kZoomPerPixel * input.dy);
      return kViewChanged;
    default:
      return kNothingChanged;
  }
}

ToolEffect ExpandControl1::Wheel(int32_t x, int32_t y, int32_t steps) {
  if (steps == 0) return kNothingChanged;
  // Pixels from the middle of the view along the course's direction on the screen.
  const double offset = attribute_ == kDevelopedTop ? height_ / 2 - y : x - width_ / 2;
  const double distance = position_ + offset / zoom_;
  SetZoom(zoom_ * std::pow(kWheelZoomFactor, steps));
  position_ = distance - offset / zoom_;
  return kViewChanged;
}

void ExpandControl1::Fit(const CourseData1& course, const CourseDevelopment& development) {
  const double length = development.length;
  const double room = attribute_ == kDevelopedTop ? height_ - 40.0 : width_ - 40.0;
  SetZoom(length > 0.0 && room > 0.0 ? room / length : kInitialZoom);
  position_ = length / 2;
  if (course.PointCount() > 0) {
    double low = 1e300, high = -1e300;
    for (int32_t i = 0; i < course.PointCount(); ++i) {
      low = std::min(low, course.PointPosition(i).y);
      high = std::max(high, course.PointPosition(i).y);
    }
    height_centre_ = (low + high) / 2;
  } else {
    height_centre_ = 0.0;
  }
}
