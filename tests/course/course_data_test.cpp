#include "course/course_data.h"

#include <gtest/gtest.h>

#include "tests/course/fatal_report.h"

namespace {

// A fresh, initialised course of `n` points along x, built by consecutive adds.
void BuildChain(CourseData1& course, int n, bool loop = false) {
  course.Initialise();
  for (int i = 0; i < n; ++i) course.AddPoint(100.0 * i, 0.0, 0.0);
  if (loop) course.SetLoop(1);
}

}  // namespace

TEST(CourseDataTest, LifecycleResetsEverythingAndMisuseIsFatal) {
  CourseData1 course;
  EXPECT_FALSE(course.IsInitialised());
  EXPECT_FATAL_REPORT(course.Destroy(), "CourseData1",
                      "初期化していないのにデストラクトしようとした");
  BuildChain(course, 3, true);
  EXPECT_FATAL_REPORT(course.Initialise(), "CourseData1", "初期化を２度使用とした");
  course.ChangeWidthFactor(1.0);
  course.SetSide(1);
  EXPECT_TRUE(course.IsChanged());
  EXPECT_EQ(course.LoopButton(), 1);

  course.NewCourse();
  EXPECT_TRUE(course.IsInitialised());
  EXPECT_EQ(course.PointCount(), 0);
  EXPECT_EQ(course.Loop(), 0);
  EXPECT_EQ(course.LoopButton(), 0);
  EXPECT_EQ(course.WidthFactor(), 1.0);
  EXPECT_EQ(course.SelectedPoint(), CourseData1::kNoPoint);
  EXPECT_EQ(course.Side(), 0);
  EXPECT_FALSE(course.HasMarker());
  EXPECT_FALSE(course.IsChanged());
  EXPECT_EQ(course.Spline(CourseData1::kY).Shape(), UnitSpline1::kOpen);

  course.Destroy();
  EXPECT_FALSE(course.IsInitialised());
}

TEST(CourseDataTest, AddsExtendAfterTheSelectionWithDefaults) {
  CourseData1 course;
  course.Initialise();
  EXPECT_EQ(course.AddPoint(0.0, 1.0, 2.0), 0);
  EXPECT_FALSE(course.HasMarker());
  EXPECT_EQ(course.AddPoint(10.0, 0.0, 0.0), 1);
  EXPECT_EQ(course.Marker().segment, 0);  // the first segment exists now
  for (int i = 2; i < 5; ++i) EXPECT_EQ(course.AddPoint(10.0 * i, 0.0, 0.0), i);

  course.Select(1, 0);
  EXPECT_EQ(course.AddPoint(15.0, 5.0, 0.0), 2);
  EXPECT_EQ(course.SelectedPoint(), 2);
  EXPECT_EQ(course.PointPosition(2).x, 15.0);
  EXPECT_EQ(course.PointPosition(3).x, 20.0);
  EXPECT_EQ(course.PointSampleCount(2), CourseData1::kDefaultSampleCount);
  EXPECT_EQ(course.PointRoll(2), 0.0);
  EXPECT_EQ(course.PointWidths(2).left, 20.0);
  EXPECT_EQ(course.PointWidths(2).right, 20.0);
  const CourseTangents tangents = course.PointTangents(2);
  EXPECT_EQ(tangents.fixed_x + tangents.fixed_y + tangents.fixed_z, 0);

  course.Select(CourseData1::kNoPoint, 0);
  EXPECT_EQ(course.AddPoint(1.0, 1.0, 1.0), -1);
  EXPECT_EQ(course.PointCount(), 6);

  // The 257th point is refused instead of ending the program.
  course.Select(5, 0);
  for (int i = 6; i < UnitSpline1::kMaxPoints; ++i) ASSERT_EQ(course.AddPoint(i, 0.0, 0.0), i);
  course.ClearChanged();
  EXPECT_EQ(course.AddPoint(0.0, 0.0, 0.0), -1);
  EXPECT_EQ(course.PointCount(), UnitSpline1::kMaxPoints);
  EXPECT_FALSE(course.IsChanged());
}

TEST(CourseDataTest, DeletingMovesSelectionAndMarker) {
  CourseData1 course;
  BuildChain(course, 5);
  course.Select(3, 0);
  course.DeletePoint(1);
  EXPECT_EQ(course.SelectedPoint(), 2);
  course.DeletePoint(2);
  EXPECT_EQ(course.SelectedPoint(), CourseData1::kNoPoint);
  EXPECT_EQ(course.AddPoint(0.0, 0.0, 0.0), -1);

  struct Case {
    bool loop;
    int32_t marker;
    int32_t deleted;
    int32_t expected;
  };
  // Five points: open segments 0..3, loop segments 0..4.
  const Case cases[] = {
      {false, 0, 0, 0}, {true, 0, 0, 3},  {false, 3, 4, 2}, {false, 2, 4, 2},
      {false, 2, 2, 1}, {false, 2, 3, 2}, {true, 4, 4, 3},  {true, 2, 0, 1},
  };
  for (const Case& c : cases) {
    CourseData1 each;
    BuildChain(each, 5, c.loop);
    each.SetMarker(c.marker, 0.5);
    each.DeletePoint(c.deleted);
    EXPECT_EQ(each.Marker().segment, c.expected)
        << "loop " << c.loop << " marker " << c.marker << " deleted " << c.deleted;
    EXPECT_EQ(each.Marker().t, 0.5);
  }
  CourseData1 pair;
  BuildChain(pair, 2, true);
  pair.DeletePoint(1);
  EXPECT_FALSE(pair.HasMarker());
  EXPECT_EQ(pair.SegmentCount(), 0);  // a loop of one point has nothing to walk
}

TEST(CourseDataTest, WidthsGoThroughTheWidthFactor) {
  CourseData1 course;
  BuildChain(course, 3);
  course.ChangeWidthFactor(-2.0);
  EXPECT_EQ(course.WidthFactor(), CourseData1::kMinimumWidthFactor);
  course.SetWidthFactor(0.5);
  course.SetPointWidths(1, 5.0, 7.0);
  EXPECT_EQ(course.Spline(CourseData1::kLeftWidth).Point(1).value, 10.0);
  EXPECT_EQ(course.Spline(CourseData1::kRightWidth).Point(1).value, 14.0);
  EXPECT_EQ(course.PointWidths(1).left, 5.0);
  EXPECT_EQ(course.PointWidths(1).right, 7.0);
  EXPECT_DOUBLE_EQ(course.WidthsAt(0, 1.0).right, 7.0);
  EXPECT_DOUBLE_EQ(course.WidthsAt(0, 0.0).left, 10.0);  // default 20 stored, times 0.5

  course.SetPointWidthTangents(1, 2.0, -1.0, 1, 0);
  int32_t fixed_left = 0;
  int32_t fixed_right = 1;
  course.PointWidthFixedFlags(1, &fixed_left, &fixed_right);
  EXPECT_EQ(fixed_left, 1);
  EXPECT_EQ(fixed_right, 0);
  EXPECT_EQ(course.PointWidthTangents(1).left, 2.0);
}

TEST(CourseDataTest, TangentsRollAndSampleCounts) {
  CourseData1 course;
  BuildChain(course, 3);
  course.SetPointTangents(1, 0.0, 50.0, 10.0, 0, 1, 1);
  CourseTangents tangents = course.PointTangents(1);
  EXPECT_EQ(tangents.fixed_x, 0);
  EXPECT_EQ(tangents.y, 50.0);
  EXPECT_EQ(tangents.z, 10.0);
  EXPECT_DOUBLE_EQ(tangents.x, 100.0);  // free: solved along the straight chain
  EXPECT_DOUBLE_EQ(course.DerivativeAt(1, 0.0).y, 50.0);
  course.SetPointFixedFlags(1, 0, 0, 1);
  tangents = course.PointTangents(1);
  EXPECT_EQ(tangents.fixed_y, 0);
  EXPECT_NEAR(tangents.y, 0.0, 1e-12);
  EXPECT_EQ(tangents.z, 10.0);

  course.SetPointRoll(2, 0.5);
  course.SetPointRollTangent(2, 0.25, 1);
  int32_t fixed = 0;
  EXPECT_EQ(course.PointRollTangent(2, &fixed), 0.25);
  EXPECT_EQ(fixed, 1);
  EXPECT_DOUBLE_EQ(course.RollAt(1, 1.0), 0.5);
  EXPECT_DOUBLE_EQ(course.RollDerivativeAt(1, 1.0), 0.25);

  course.SetPointPosition(2, 200.0, 30.0, 0.0);
  EXPECT_DOUBLE_EQ(course.PositionAt(1, 1.0).y, 30.0);
  course.SetPointPosition(1, 100.0, 3.0, 0.0);  // keeps point 1's fixed z tangent
  EXPECT_EQ(course.PointTangents(1).z, 10.0);
  EXPECT_EQ(course.PointTangents(1).fixed_z, 1);

  course.Select(CourseData1::kNoPoint, 0);
  course.ChangeSampleCount(5);
  course.Select(0, 0);
  course.ChangeSampleCount(-8);
  EXPECT_EQ(course.PointSampleCount(0), 2);
  course.ChangeSampleCount(-5);
  EXPECT_EQ(course.PointSampleCount(0), 0);
  course.ChangeSampleCount(1000);
  EXPECT_EQ(course.PointSampleCount(0), 1000);
}

TEST(CourseDataTest, MarkerRunsAlongTheCourse) {
  CourseData1 open;
  BuildChain(open, 3);
  open.SetMarker(1, 0.9);
  open.MoveMarker(0.3);
  EXPECT_EQ(open.Marker().segment, 1);
  EXPECT_EQ(open.Marker().t, 1.0);
  open.SetMarker(0, 0.1);
  open.MoveMarker(-0.5);
  EXPECT_EQ(open.Marker().segment, 0);
  EXPECT_EQ(open.Marker().t, 0.0);
  open.MoveMarker(1.5);
  EXPECT_EQ(open.Marker().segment, 1);
  EXPECT_DOUBLE_EQ(open.Marker().t, 0.5);

  CourseData1 loop;
  BuildChain(loop, 3, true);
  loop.SetMarker(1, 0.9);
  loop.MoveMarker(0.3);
  EXPECT_EQ(loop.Marker().segment, 2);
  EXPECT_NEAR(loop.Marker().t, 0.2, 1e-12);
  loop.MoveMarker(1.0);
  EXPECT_EQ(loop.Marker().segment, 0);
  loop.SetMarker(0, 0.1);
  loop.MoveMarker(-0.2);
  EXPECT_EQ(loop.Marker().segment, 2);
  EXPECT_NEAR(loop.Marker().t, 0.9, 1e-12);
  loop.MoveMarker(1.0 / 0.0);  // an endless step is ignored
  EXPECT_EQ(loop.Marker().segment, 2);

  loop.SetLoop(0);  // the marker was on the closing segment
  EXPECT_EQ(loop.Marker().segment, 0);
  EXPECT_EQ(loop.LoopButton(), 0);
  EXPECT_EQ(loop.Spline(CourseData1::kRoll).Shape(), UnitSpline1::kOpen);

  CourseData1 none;
  BuildChain(none, 0);
  none.MoveMarker(0.5);
  EXPECT_FALSE(none.HasMarker());
  none.SetLoop(0);
  EXPECT_FALSE(none.HasMarker());
}

TEST(CourseDataTest, SelectionAndSideChecks) {
  CourseData1 course;
  BuildChain(course, 2);
  course.Select(1, 2);
  EXPECT_EQ(course.SelectedPoint(), 1);
  EXPECT_EQ(course.HandleState(), 2);
  course.SetSide(CourseData1::kRightSide);
  EXPECT_EQ(course.Side(), 1);
  EXPECT_FATAL_REPORT(course.Select(0, 3), "CourseData1", "ハンドルにありえない状態を設定");
  EXPECT_FATAL_REPORT(course.SetSide(2), "CourseData1", "ありえないサイドを検出");
  course.ClearChanged();
  course.SetLoop(1);
  EXPECT_TRUE(course.IsChanged());
  EXPECT_EQ(course.SegmentCount(), 2);
}
