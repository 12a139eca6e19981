#include "course/gui/parallel_control.h"

#include <algorithm>
#include <cmath>

#include "course/partition_line.h"
#include "foundation/error.h"

double Component(const CourseVector& v, int32_t axis) {
  return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

double& Component(CourseVector& v, int32_t axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

ParallelControl1::ParallelControl1(int32_t attribute) {
  switch (attribute) {
    case CameraControl1::kTop:
      horizontal_axis_ = 0;
      vertical_axis_ = 2;
      break;
    case CameraControl1::kSide:
      horizontal_axis_ = 2;
      vertical_axis_ = 1;
      break;
    case CameraControl1::kFront:
      horizontal_axis_ = 0;
      vertical_axis_ = 1;
      break;
    default:
      Error1::Report("ParallelControl1", "ありえないカメラ属性を検出", 3);
      horizontal_axis_ = 0;
      vertical_axis_ = 2;
      attribute = CameraControl1::kTop;
      break;
  }
  camera_.SetAttribute(attribute);
  camera_.SetZoom(kNewCourseZoom);
}

void ParallelControl1::ToScreen(double x, double y, double z, double* sx, double* sy) const {
  double depth = 0.0;
  camera_.WorldToScreen(x, y, z, sx, sy, &depth);
}

CourseVector ParallelControl1::HandleEnd(const CourseData1& course, int32_t point, int32_t end) {
  const CourseVector p = course.PointPosition(point);
  const CourseTangents t = course.PointTangents(point);
  const double sign = end == 2 ? -1.0 : 1.0;
  return {p.x + sign * kHandleReach * t.x, p.y + sign * kHandleReach * t.y,
          p.z + sign * kHandleReach * t.z};
}

int32_t ParallelControl1::PickPoint(const CourseData1& course, int32_t x, int32_t y) const {
  for (int32_t i = 0; i < course.PointCount(); ++i) {
    const CourseVector p = course.PointPosition(i);
    double sx = 0, sy = 0;
    ToScreen(p.x, p.y, p.z, &sx, &sy);
    if (PointerHits(x, y, sx, sy)) return i;
  }
  return -1;
}

int32_t ParallelControl1::PickHandle(const CourseData1& course, int32_t x, int32_t y) const {
  const int32_t selected = course.SelectedPoint();
  if (selected < 0 || selected >= course.PointCount()) return 0;
  for (int32_t end = 1; end <= 2; ++end) {
    const CourseVector h = HandleEnd(course, selected, end);
    double sx = 0, sy = 0;
    ToScreen(h.x, h.y, h.z, &sx, &sy);
    if (PointerHits(x, y, sx, sy)) return end;
  }
  return 0;
}

ToolEffect ParallelControl1::Click(CourseData1& course, const ToolInput& input) {
  if (input.tool == kSampleTool) {
    if (input.button != kLeftMouse) return kNothingChanged;
    const int32_t point = PickPoint(course, input.x, input.y);
    if (point < 0) return kNothingChanged;
    course.Select(point, 0);
    return kCourseChanged;
  }
  if (input.tool != kEditTool) return kNothingChanged;
  const int32_t point = PickPoint(course, input.x, input.y);
  const int32_t handle = point < 0 ? PickHandle(course, input.x, input.y) : 0;
  if (input.button == kLeftMouse) {
    if (point >= 0) {
      course.Select(point, 0);
    } else if (handle != 0) {
      course.Select(course.SelectedPoint(), handle);
    } else {
      double x = 0, y = 0, z = 0;
      camera_.ScreenToWorld(input.x, input.y, &x, &y, &z);
      const int32_t added = course.AddPoint(x, y, z);
      if (added < 0) return kNothingChanged;
      course.Select(added, 0);
    }
    return kCourseChanged;
  }
  if (point >= 0) {
    course.DeletePoint(point);
    course.Select(CourseData1::kNoPoint, 0);
    return kCourseChanged;
  }
  if (handle != 0) {
    course.SetPointFixedFlags(course.SelectedPoint(), 0, 0, 0);
    return kCourseChanged;
  }
  return kNothingChanged;
}

ToolEffect ParallelControl1::Drag(CourseData1& course, const ToolInput& input) {
  const double zoom = camera_.GetZoom();
  switch (input.tool) {
    case kEditTool: {
      const int32_t selected = course.SelectedPoint();
      if (selected < 0 || selected >= course.PointCount()) return kNothingChanged;
      const double along = kWorldPerPixel * input.dx;
      const double up = -kWorldPerPixel * input.dy;
      if (course.HandleState() == 0) {
        CourseVector p = course.PointPosition(selected);
        Component(p, horizontal_axis_) += along;
        Component(p, vertical_axis_) += up;
        course.SetPointPosition(selected, p.x, p.y, p.z);
      } else {
        const double sign = course.HandleState() == 2 ? -1.0 : 1.0;
        const CourseTangents t = course.PointTangents(selected);
        CourseVector tangent{t.x, t.y, t.z};
        int32_t fixed[3] = {t.fixed_x, t.fixed_y, t.fixed_z};
        Component(tangent, horizontal_axis_) += sign * along;
        Component(tangent, vertical_axis_) += sign * up;
        fixed[horizontal_axis_] = 1;
        fixed[vertical_axis_] = 1;
        course.SetPointTangents(selected, tangent.x, tangent.y, tangent.z, fixed[0], fixed[1],
                                fixed[2]);
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
    case kCameraMoveTool: {
      // The picture follows the pointer: the camera moves against the drag.
      CourseVector move{0.0, 0.0, 0.0};
      Component(move, horizontal_axis_) = -input.dx / zoom;
      Component(move, vertical_axis_) = input.dy / zoom;
      camera_.Move(move.x, move.y, move.z);
      return kViewChanged;
    }
    case kCameraZoomTool:
      camera_.SetZoom(zoom - kZoomPerPixel * input.dy);
      return kViewChanged;
    default:
      return kNothingChanged;
  }
}

ToolEffect ParallelControl1::Wheel(int32_t x, int32_t y, int32_t steps) {
  if (steps == 0) return kNothingChanged;
  double before[3] = {0, 0, 0}, after[3] = {0, 0, 0};
  camera_.ScreenToWorld(x, y, &before[0], &before[1], &before[2]);
  camera_.SetZoom(camera_.GetZoom() * std::pow(kWheelZoomFactor, steps));
  camera_.ScreenToWorld(x, y, &after[0], &after[1], &after[2]);
  CourseVector move{0.0, 0.0, 0.0};
  Component(move, horizontal_axis_) = before[horizontal_axis_] - after[horizontal_axis_];
  Component(move, vertical_axis_) = before[vertical_axis_] - after[vertical_axis_];
  camera_.Move(move.x, move.y, move.z);
  return kViewChanged;
}

void ParallelControl1::Fit(const CourseData1& course) {
  if (course.PointCount() == 0) {
    camera_.SetPosition(0.0, 0.0, 0.0);
    camera_.SetZoom(kNewCourseZoom);
    return;
  }
  double low[3] = {1e300, 1e300, 1e300};
  double high[3] = {-1e300, -1e300, -1e300};
  auto include = [&](double x, double y, double z) {
    const double v[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
      low[i] = std::min(low[i], v[i]);
      high[i] = std::max(high[i], v[i]);
    }
  };
  for (int32_t i = 0; i < course.PointCount(); ++i) {
    const CourseVector p = course.PointPosition(i);
    include(p.x, p.y, p.z);
  }
  for (const PartitionRecord& line : SamplePartitionLines(course)) {
    include(line.left_end[0], line.left_end[1], line.left_end[2]);
    include(line.right_end[0], line.right_end[1], line.right_end[2]);
  }
  camera_.SetPosition((low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2);
  const double span_h = std::max(high[horizontal_axis_] - low[horizontal_axis_], 1.0);
  const double span_v = std::max(high[vertical_axis_] - low[vertical_axis_], 1.0);
  const double room_w = std::max(camera_.Width() - 40, 40);
  const double room_h = std::max(camera_.Height() - 40, 40);
  camera_.SetZoom(std::min(room_w / span_h, room_h / span_v));
}
