#include "course/gui/preview_road.h"

#include <gtest/gtest.h>

#include <cmath>

#include "course/sample_circuit.h"
#include "render/gui/perspec_disp.h"

namespace {

void OpenCourse(CourseData1& course, int32_t samples) {
  course.Initialise();
  course.AddPoint(0, 0, 0);
  course.AddPoint(0, 0, 100);
  course.AddPoint(50, 0, 200);
  for (int32_t i = 0; i < 3; ++i) {
    course.Select(i, 0);
    course.ChangeSampleCount(samples - CourseData1::kDefaultSampleCount);
  }
}

TEST(PreviewRoadTest, TakesTwentyCrossSectionsFromTheMarker) {
  CourseData1 course;
  OpenCourse(course, 10);
  course.SetMarker(0, 0.0);
  const RoadStrip road = PreviewRoad(course);
  ASSERT_TRUE(road.has_marker);
  ASSERT_EQ(road.sections.size(), size_t(PerspecDisp1::kMaxSections));
  // The first cross-section is at the marker: its edges lie either side of the start.
  const RoadCrossSection& first = road.sections[0];
  EXPECT_NEAR((first.first[0] + first.second[0]) / 2, 0.0, 1e-4);
  EXPECT_NEAR(std::hypot(first.first[0] - first.second[0], first.first[1] - first.second[1],
                         first.first[2] - first.second[2]),
              40.0, 1e-3);
  // The twelfth is the second point (the eleventh step of segment 0 ends it).
  EXPECT_NEAR((road.sections[11].first[2] + road.sections[11].second[2]) / 2, 100.0, 1e-3);
}

TEST(PreviewRoadTest, AnOpenCourseStopsAtItsEnd) {
  CourseData1 course;
  OpenCourse(course, 2);
  course.SetMarker(1, 0.5);
  const RoadStrip road = PreviewRoad(course);
  // Half of segment 1 is left: the marker, two steps of a third, and the end itself.
  ASSERT_EQ(road.sections.size(), 3u);
  const RoadCrossSection& last = road.sections.back();
  EXPECT_NEAR((last.first[0] + last.second[0]) / 2, 50.0, 1e-3);
  EXPECT_NEAR((last.first[2] + last.second[2]) / 2, 200.0, 1e-3);
}

TEST(PreviewRoadTest, ALoopWrapsToItsFirstSegment) {
  CourseData1 course;
  OpenCourse(course, 2);
  course.SetLoop(1);
  course.SetMarker(2, 0.0);
  const RoadStrip road = PreviewRoad(course);
  ASSERT_EQ(road.sections.size(), size_t(PerspecDisp1::kMaxSections));
  // Three steps close the loop at point 0.
  EXPECT_NEAR((road.sections[3].first[2] + road.sections[3].second[2]) / 2, 0.0, 1e-3);
}

TEST(PreviewRoadTest, NoMarkerNoRoad) {
  CourseData1 course;
  course.Initialise();
  course.AddPoint(0, 0, 0);
  EXPECT_FALSE(PreviewRoad(course).has_marker);
  EXPECT_TRUE(PreviewRoad(course).sections.empty());
}

TEST(PreviewRoadTest, TheSampleCircuitIsSeenFromAboveTheRoad) {
  CourseData1 course;
  course.Initialise();
  BuildSampleCircuit(course);
  const RoadStrip road = PreviewRoad(course);
  ASSERT_EQ(road.sections.size(), size_t(PerspecDisp1::kMaxSections));
  PerspecCamera1 camera;
  camera.SetSurface(200, 160);
  camera.SetLens(2, 2, 4, 4, 500);
  ASSERT_TRUE(PerspecDisp1::PlaceCamera(camera, road));
  // The road ahead lies in front of the camera and below it.
  for (const RoadCrossSection& s : road.sections) {
    const Point3f p =
        camera.WorldToCamera({float(s.first[0]), float(s.first[1]), float(s.first[2])});
    EXPECT_GT(p.z, 0.0f);
    EXPECT_LT(p.y, 0.0f);
  }
  // On a banked stretch the camera's up direction stands square on the road's cross-section.
  course.SetMarker(2, 0.5);
  const RoadStrip banked = PreviewRoad(course);
  ASSERT_GT(std::fabs(banked.roll), 0.1);
  ASSERT_TRUE(PerspecDisp1::PlaceCamera(camera, banked));
  const Point3f eye = camera.Position();
  const double up[3] = {eye.x - banked.position[0], eye.y - banked.position[1],
                        eye.z - banked.position[2]};
  const RoadCrossSection& here = banked.sections[0];
  const double across[3] = {here.second[0] - here.first[0], here.second[1] - here.first[1],
                            here.second[2] - here.first[2]};
  const double dot = up[0] * across[0] + up[1] * across[1] + up[2] * across[2];
  const double lengths =
      std::sqrt(up[0] * up[0] + up[1] * up[1] + up[2] * up[2]) *
      std::sqrt(across[0] * across[0] + across[1] * across[1] + across[2] * across[2]);
  EXPECT_NEAR(dot / lengths, 0.0, 1e-3);
  // The first edge of each cross-section is on the camera's right.
  ASSERT_TRUE(PerspecDisp1::PlaceCamera(camera, road));
  const Point3f right =
      camera.WorldToCamera({float(road.sections[5].first[0]), float(road.sections[5].first[1]),
                            float(road.sections[5].first[2])});
  const Point3f left =
      camera.WorldToCamera({float(road.sections[5].second[0]), float(road.sections[5].second[1]),
                            float(road.sections[5].second[2])});
  EXPECT_GT(right.x, left.x);
}

}  // namespace
