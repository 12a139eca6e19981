// The course unrolled along its length for the developed views: every sample of the course
// (the samples of the partition file) with its running distance, the straight distances
// between consecutive samples summed up, and where each control point lies on it. Qt-free.
#pragma once

#include <cstdint>
#include <vector>

#include "course/course_data.h"
#include "course/partition_line.h"

struct DevelopedSample {
  double distance;
  PartitionRecord line;
};

struct CourseDevelopment {
  std::vector<DevelopedSample> samples;
  // Distance of control point i (the start of segment i); points of an open course without
  // segments get 0.
  std::vector<double> point_distance;
  // Parameter speed at each control point: the length of its x, y, z tangent, the distance
  // one unit of segment parameter covers there (sets the reach of the developed handles).
  std::vector<double> point_speed;
  double length = 0.0;

  // Distance of the course marker, or 0 without one.
  double MarkerDistance(const CourseData1& course) const;
};

CourseDevelopment DevelopCourse(const CourseData1& course);
