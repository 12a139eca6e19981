#include "course/gui/course_development.h"

#include <cmath>

namespace {

double Distance(const double a[3], const double b[3]) {
  const double dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

CourseDevelopment DevelopCourse(const CourseData1& course) {
  CourseDevelopment development;
  const int32_t n = course.PointCount();
  development.point_distance.assign(static_cast<size_t>(n), 0.0);
  development.point_speed.assign(static_cast<size_t>(n), 0.0);
  for (int32_t i = 0; i < n; ++i) {
    const CourseTangents t = course.PointTangents(i);
    development.point_speed[static_cast<size_t>(i)] = std::sqrt(t.x * t.x + t.y * t.y + t.z * t.z);
  }
  const std::vector<PartitionRecord> lines = SamplePartitionLines(course);
  development.samples.reserve(lines.size());
  double distance = 0.0;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) distance += Distance(lines[k - 1].position, lines[k].position);
    development.samples.push_back({distance, lines[k]});
  }
  development.length = distance;
  // Point i starts segment i: its sample follows the samples of the segments before it.
  size_t index = 0;
  const int32_t segments = course.SegmentCount();
  for (int32_t i = 0; i < n && i < segments; ++i) {
    if (index < development.samples.size()) {
      development.point_distance[static_cast<size_t>(i)] = development.samples[index].distance;
    }
    index += static_cast<size_t>(course.PointSampleCount(i)) + 1;
  }
  if (segments > 0 && course.Loop() == 0 && n > 0) {
    development.point_distance[static_cast<size_t>(n - 1)] = development.length;
  }
  return development;
}

double CourseDevelopment::MarkerDistance(const CourseData1& course) const {
  if (!course.HasMarker()) return 0.0;
  const CourseMarker marker = course.Marker();
  const int32_t n = course.PointCount();
  if (marker.segment < 0 || marker.segment >= n) return 0.0;
  const double start = point_distance[static_cast<size_t>(marker.segment)];
  const double end =
      marker.segment + 1 < n ? point_distance[static_cast<size_t>(marker.segment + 1)] : length;
  return start + (end - start) * marker.t;
}
