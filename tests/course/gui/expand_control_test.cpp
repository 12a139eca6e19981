#include "course/gui/expand_control.h"

#include <gtest/gtest.h>

#include "tests/course/fatal_report.h"

namespace {

ToolInput Click(int32_t tool, int32_t button, int32_t x, int32_t y) {
  ToolInput input;
  input.tool = tool;
  input.button = button;
  input.x = x;
  input.y = y;
  return input;
}

ToolInput Drag(int32_t tool, int32_t dx, int32_t dy) {
  ToolInput input;
  input.tool = tool;
  input.dx = dx;
  input.dy = dy;
  return input;
}

// A straight open course along x: points at x = 0, 100, 200, height 0, 10, 0; widths 20 and
// the sample counts 9, so every step is 10 units long.
struct StraightCourse {
  StraightCourse() {
    course.Initialise();
    course.AddPoint(0, 0, 0);
    course.AddPoint(100, 10, 0);
    course.AddPoint(200, 0, 0);
    for (int32_t i = 0; i < 3; ++i) {
      course.Select(i, 0);
      course.ChangeSampleCount(-1);
    }
    course.Select(1, 0);
  }
  CourseData1 course;
};

// A 200 x 400 developed view with its middle at distance 100, 1 pixel per unit along.
ExpandControl1 View(int32_t attribute) {
  ExpandControl1 control(attribute);
  control.SetSize(200, 400);
  control.SetZoom(1.0);
  control.SetPosition(100.0);
  return control;
}

TEST(CourseDevelopmentTest, DistancesRunAlongTheSamples) {
  StraightCourse c;
  const CourseDevelopment d = DevelopCourse(c.course);
  ASSERT_EQ(d.samples.size(), 21u);
  ASSERT_EQ(d.point_distance.size(), 3u);
  EXPECT_DOUBLE_EQ(d.point_distance[0], 0.0);
  EXPECT_NEAR(d.point_distance[1], d.samples[10].distance, 1e-12);
  EXPECT_NEAR(d.point_distance[2], d.length, 1e-12);
  EXPECT_GT(d.length, 200.0);  // the height changes make the road a little longer
  EXPECT_LT(d.length, 205.0);
}

TEST(ExpandControlTest, TopViewPicksTheLeftOrRightEdgeAndSetsTheSide) {
  StraightCourse c;
  ExpandControl1 view = View(ExpandControl1::kDevelopedTop);
  const CourseDevelopment d = DevelopCourse(c.course);
  // Point 1 sits at distance ~100: the middle row; its edges at x = 100 -+ 40.
  double sx = 0, sy = 0;
  view.ToScreen(d.point_distance[1], -20.0, &sx, &sy);
  EXPECT_DOUBLE_EQ(sx, 60.0);
  c.course.Select(CourseData1::kNoPoint, 0);
  view.Click(c.course, d, Click(kEditTool, kLeftMouse, int32_t(sx) + 2, int32_t(sy)));
  EXPECT_EQ(c.course.SelectedPoint(), 1);
  EXPECT_EQ(c.course.Side(), CourseData1::kLeftSide);
  view.Click(c.course, d, Click(kEditTool, kLeftMouse, 140, int32_t(sy) - 2));
  EXPECT_EQ(c.course.SelectedPoint(), 1);
  EXPECT_EQ(c.course.Side(), CourseData1::kRightSide);
  // Three pixels off misses.
  c.course.Select(CourseData1::kNoPoint, 0);
  view.Click(c.course, d, Click(kEditTool, kLeftMouse, 143, int32_t(sy)));
  EXPECT_EQ(c.course.SelectedPoint(), CourseData1::kNoPoint);
}

TEST(ExpandControlTest, TopViewDragsChangeTheChosenWidth) {
  StraightCourse c;
  ExpandControl1 view = View(ExpandControl1::kDevelopedTop);
  c.course.SetSide(CourseData1::kLeftSide);
  view.Drag(c.course, Drag(kEditTool, -10, 3));
  EXPECT_NEAR(c.course.PointWidths(1).left, 28.0, 1e-9);
  EXPECT_NEAR(c.course.PointWidths(1).right, 20.0, 1e-9);
  c.course.SetSide(CourseData1::kRightSide);
  view.Drag(c.course, Drag(kEditTool, 5, 0));
  EXPECT_NEAR(c.course.PointWidths(1).right, 24.0, 1e-9);
}

TEST(ExpandControlTest, WidthHandleDragsChangeAndFixTheWidthTangent) {
  for (int32_t end : {1, 2}) {
    StraightCourse c;
    ExpandControl1 view = View(ExpandControl1::kDevelopedTop);
    c.course.SetSide(CourseData1::kLeftSide);
    c.course.Select(1, end);
    const double before = c.course.PointWidthTangents(1).left;
    view.Drag(c.course, Drag(kEditTool, 10, 0));
    const double sign = end == 1 ? 1.0 : -1.0;
    EXPECT_NEAR(c.course.PointWidthTangents(1).left - before, sign * -8.0, 1e-9);
    int32_t fixed_left = 0, fixed_right = 0;
    c.course.PointWidthFixedFlags(1, &fixed_left, &fixed_right);
    EXPECT_EQ(fixed_left, 1);
    EXPECT_EQ(fixed_right, 0);
  }
}

TEST(ExpandControlTest, SideViewDragsChangeTheHeightAndItsTangent) {
  StraightCourse c;
  ExpandControl1 view = View(ExpandControl1::kDevelopedSide);
  view.Drag(c.course, Drag(kEditTool, 7, -10));
  EXPECT_NEAR(c.course.PointPosition(1).y, 18.0, 1e-9);
  EXPECT_DOUBLE_EQ(c.course.PointPosition(1).x, 100.0);
  c.course.Select(1, 2);
  const double before = c.course.PointTangents(1).y;
  view.Drag(c.course, Drag(kEditTool, 0, 5));
  EXPECT_NEAR(c.course.PointTangents(1).y - before, 4.0, 1e-9);
  EXPECT_EQ(c.course.PointTangents(1).fixed_y, 1);
  EXPECT_EQ(c.course.PointTangents(1).fixed_x, 0);
}

TEST(ExpandControlTest, SideViewPicksPointsAtTheirHeight) {
  StraightCourse c;
  ExpandControl1 view = View(ExpandControl1::kDevelopedSide);
  const CourseDevelopment d = DevelopCourse(c.course);
  double sx = 0, sy = 0;
  view.ToScreen(d.point_distance[2], 0.0, &sx, &sy);
  view.Click(c.course, d, Click(kEditTool, kLeftMouse, int32_t(sx), int32_t(sy) + 1));
  EXPECT_EQ(c.course.SelectedPoint(), 2);
}

TEST(ExpandControlTest, CameraMovesOnlyAlongTheCourse) {
  StraightCourse c;
  ExpandControl1 top = View(ExpandControl1::kDevelopedTop);
  top.SetZoom(2.0);
  EXPECT_EQ(top.Drag(c.course, Drag(kCameraMoveTool, 30, 10)), kViewChanged);
  EXPECT_DOUBLE_EQ(top.Position(), 105.0);
  ExpandControl1 side = View(ExpandControl1::kDevelopedSide);
  side.SetZoom(2.0);
  side.Drag(c.course, Drag(kCameraMoveTool, 10, 30));
  EXPECT_DOUBLE_EQ(side.Position(), 95.0);
  side.Drag(c.course, Drag(kCameraZoomTool, 0, -100));
  EXPECT_DOUBLE_EQ(side.Zoom(), 3.0);
}

TEST(ExpandControlTest, AnAttributeOfNoViewIsFatal) {
  EXPECT_FATAL_REPORT(ExpandControl1 control(3), "ExpandControl1", "ありえないカメラ属性を検出");
}

}  // namespace
