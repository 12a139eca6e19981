#include "course/sample_circuit.h"

#include "course/course_data.h"

namespace {

struct CircuitPoint {
  double x, y, z;
  double roll;
  double left_width, right_width;
  int32_t sample_count;
};

// An oval of about 1600 by 900 units driven anticlockwise seen from above: a climb on the
// back straight, banking into both hairpins, a narrower stretch before the start.
// clang-format off
constexpr CircuitPoint kPoints[] = {
    {0.0, 0.0, -450.0, 0.0, 30.0, 30.0, 10},
    {500.0, 0.0, -450.0, 0.0, 30.0, 30.0, 12},
    {800.0, 10.0, -300.0, 0.20, 34.0, 28.0, 12},
    {850.0, 25.0, 0.0, 0.25, 36.0, 28.0, 12},
    {750.0, 45.0, 350.0, 0.15, 32.0, 30.0, 10},
    {300.0, 80.0, 450.0, 0.0, 26.0, 26.0, 14},
    {-300.0, 60.0, 450.0, 0.0, 24.0, 24.0, 12},
    {-750.0, 30.0, 300.0, -0.20, 30.0, 36.0, 12},
    {-800.0, 10.0, -50.0, -0.25, 28.0, 36.0, 10},
    {-500.0, 0.0, -350.0, -0.10, 22.0, 22.0, 8},
};
// clang-format on

}  // namespace

void BuildSampleCircuit(CourseData1& course) {
  course.NewCourse();
  for (const CircuitPoint& point : kPoints) {
    const int32_t index = course.AddPoint(point.x, point.y, point.z);
    course.SetPointRoll(index, point.roll);
    course.SetPointWidths(index, point.left_width, point.right_width);
    course.ChangeSampleCount(point.sample_count - CourseData1::kDefaultSampleCount);
  }
  course.SetLoop(1);
  course.Select(0, 0);
  course.SetMarker(0, 0.0);
  course.ClearChanged();
}
