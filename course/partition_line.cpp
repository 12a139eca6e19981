#include "course/partition_line.h"

#include <cmath>

#include "course/course_data.h"
#include "render/road_frame.h"

void BuildPartitionLine(const double position[3], const double derivative[3], double roll,
                        double left_width, double right_width, LateralHeading* heading,
                        float right_end[3], float left_end[3]) {
  AlongRoadFrame frame;
  if (!MakeAlongRoadFrame(derivative, roll, &frame)) {
    for (int k = 0; k < 3; ++k) {
      right_end[k] = static_cast<float>(position[k]);
      left_end[k] = static_cast<float>(position[k]);
    }
    return;
  }
  // A vertical derivative has no heading of its own: the one of the line before stays.
  if (std::sqrt(derivative[0] * derivative[0] + derivative[2] * derivative[2]) != 0.0) {
    heading->c = static_cast<float>(frame.sin_y);
    heading->d = static_cast<float>(frame.cos_y);
  }
  const float c = heading->c;
  const float d = heading->d;
  const float sp = static_cast<float>(frame.sin_x);
  const float cp = static_cast<float>(frame.cos_x);
  const float sr = static_cast<float>(frame.sin_z);
  const float cr = static_cast<float>(frame.cos_z);
  const float lateral[3] = {d * cr - c * sp * sr, -cp * sr, d * sp * sr + c * cr};
  const float left = static_cast<float>(left_width);
  const float right = static_cast<float>(right_width);
  for (int k = 0; k < 3; ++k) {
    const float centre = static_cast<float>(position[k]);
    left_end[k] = centre + left * lateral[k];
    right_end[k] = centre - right * lateral[k];
  }
}

int64_t PartitionLineCount(const CourseData1& course) {
  if (course.PointCount() == 0) return 0;
  int64_t count = 1;
  const int32_t segments = course.SegmentCount();
  for (int32_t i = 0; i < segments; ++i) count += int64_t{course.PointSampleCount(i)} + 1;
  return count;
}

std::vector<PartitionRecord> SamplePartitionLines(const CourseData1& course) {
  std::vector<PartitionRecord> lines;
  const int32_t segments = course.SegmentCount();
  if (segments == 0) return lines;
  lines.reserve(static_cast<size_t>(PartitionLineCount(course)));
  LateralHeading heading;

  auto finish = [&](PartitionRecord& record) {
    BuildPartitionLine(record.position, record.derivative, record.roll, record.left_width,
                       record.right_width, &heading, record.right_end, record.left_end);
    lines.push_back(record);
  };

  // The start line uses the tangents stored at point 0, which are the curve's own there.
  {
    const double step = 1.0 / (static_cast<double>(course.PointSampleCount(0)) + 1.0);
    const CourseVector p = course.PointPosition(0);
    const CourseTangents tangent = course.PointTangents(0);
    int32_t roll_fixed = 0;
    const double roll_tangent = course.PointRollTangent(0, &roll_fixed);
    const CourseWidths widths = course.PointWidths(0);
    PartitionRecord record{};
    record.position[0] = p.x;
    record.position[1] = p.y;
    record.position[2] = p.z;
    record.derivative[0] = tangent.x * step;
    record.derivative[1] = tangent.y * step;
    record.derivative[2] = tangent.z * step;
    record.roll = course.PointRoll(0);
    record.roll_derivative = roll_tangent * step;
    record.left_width = widths.left;
    record.right_width = widths.right;
    finish(record);
  }

  for (int32_t segment = 0; segment < segments; ++segment) {
    const int64_t samples = int64_t{course.PointSampleCount(segment)} + 1;
    const double step = 1.0 / static_cast<double>(samples);
    double t = step;
    for (int64_t k = 0; k < samples; ++k) {
      const CourseVector p = course.PositionAt(segment, t);
      const CourseVector dp = course.DerivativeAt(segment, t);
      const CourseWidths widths = course.WidthsAt(segment, t);
      PartitionRecord record{};
      record.position[0] = p.x;
      record.position[1] = p.y;
      record.position[2] = p.z;
      record.derivative[0] = dp.x * step;
      record.derivative[1] = dp.y * step;
      record.derivative[2] = dp.z * step;
      record.roll = course.RollAt(segment, t);
      record.roll_derivative = course.RollDerivativeAt(segment, t) * step;
      record.left_width = widths.left;
      record.right_width = widths.right;
      finish(record);
      t += step;
    }
  }
  return lines;
}
