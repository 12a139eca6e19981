#include "course/gui/point_control.h"

#include <gtest/gtest.h>

namespace {

ToolInput Input(int32_t tool, int32_t x, int32_t y, int32_t dx = 0, int32_t dy = 0) {
  ToolInput input;
  input.tool = tool;
  input.x = x;
  input.y = y;
  input.dx = dx;
  input.dy = dy;
  return input;
}

struct PointWindow {
  PointWindow() {
    course.Initialise();
    course.AddPoint(0, 0, 0);
    course.AddPoint(100, 0, 0);
    course.AddPoint(200, 0, 50);
    course.Select(1, 0);
    control.SetSize(200, 200);
  }
  CourseData1 course;
  PointControl1 control;
};

TEST(PointControlTest, DraggingTheRollMarkerDownIncreasesTheRoll) {
  PointWindow w;
  double sx = 0, sy = 0;
  ASSERT_TRUE(w.control.RollMarker(w.course, &sx, &sy));
  EXPECT_DOUBLE_EQ(sx, 100.0 + 70.0);  // roll 0: the right end of the level bar
  EXPECT_DOUBLE_EQ(sy, 100.0);
  w.control.Click(w.course, Input(kEditTool, 171, 101));
  EXPECT_EQ(w.control.Pick(), PointControl1::kRollMarker);
  EXPECT_EQ(w.control.Drag(w.course, Input(kEditTool, 0, 0, 3, 20)), kCourseChanged);
  EXPECT_NEAR(w.course.PointRoll(1), 0.2, 1e-12);
  // The marker followed the pointer downwards.
  ASSERT_TRUE(w.control.RollMarker(w.course, &sx, &sy));
  EXPECT_GT(sy, 100.0);
}

TEST(PointControlTest, DraggingTheTangentHandleUpIncreasesAndFixesTheRollTangent) {
  PointWindow w;
  double sx = 0, sy = 0;
  ASSERT_TRUE(w.control.RollHandle(w.course, &sx, &sy));
  int32_t fixed = 1;
  const double before = w.course.PointRollTangent(1, &fixed);
  EXPECT_EQ(fixed, 0);
  w.control.Click(w.course, Input(kEditTool, int32_t(sx), int32_t(sy)));
  EXPECT_EQ(w.control.Pick(), PointControl1::kRollHandle);
  w.control.Drag(w.course, Input(kEditTool, 0, 0, 0, -10));
  EXPECT_NEAR(w.course.PointRollTangent(1, &fixed) - before, 0.1, 1e-12);
  EXPECT_EQ(fixed, 1);
}

TEST(PointControlTest, NothingPickedOrNothingSelectedChangesNothing) {
  PointWindow w;
  w.control.Click(w.course, Input(kEditTool, 5, 5));
  EXPECT_EQ(w.control.Pick(), PointControl1::kNoPick);
  EXPECT_EQ(w.control.Drag(w.course, Input(kEditTool, 0, 0, 0, 10)), kNothingChanged);
  w.course.Select(CourseData1::kNoPoint, 0);
  double sx, sy;
  EXPECT_FALSE(w.control.RollMarker(w.course, &sx, &sy));
}

TEST(PointControlTest, ZoomToolScalesTheWindow) {
  PointWindow w;
  w.control.Drag(w.course, Input(kCameraZoomTool, 0, 0, 0, -50));
  EXPECT_DOUBLE_EQ(w.control.Zoom(), 1.5);
  EXPECT_DOUBLE_EQ(w.control.BarRadius(), 0.35 * 200 * 1.5);
}

}  // namespace
