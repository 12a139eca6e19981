// Small helpers of the course tests: little-endian fields read straight out of file bytes
// (independently of the library's reader), and a course built from plain points.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "course/course_data.h"

inline int32_t IntAt(const std::string& bytes, size_t offset) {
  int32_t v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}
inline float FloatAt(const std::string& bytes, size_t offset) {
  float v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}
inline double DoubleAt(const std::string& bytes, size_t offset) {
  double v = 0;
  std::memcpy(&v, bytes.data() + offset, 8);
  return v;
}

struct TestPoint {
  double x, y, z;
  int32_t samples;
};

// Initialises `course` and adds the points in order, each with its sample count.
inline void BuildCourse(CourseData1& course, std::initializer_list<TestPoint> points,
                        bool loop = false) {
  course.Initialise();
  for (const TestPoint& p : points) {
    course.AddPoint(p.x, p.y, p.z);
    course.ChangeSampleCount(p.samples - CourseData1::kDefaultSampleCount);
  }
  if (loop) course.SetLoop(1);
}
