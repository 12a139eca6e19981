#include "course/gui/parallel_control.h"

#include <gtest/gtest.h>

#include "tests/course/fatal_report.h"

namespace {

// A 200 x 200 view at zoom 1 centred on the origin: world (x, z) of the top view is at
// screen (100 + x, 100 - z).
struct View {
  explicit View(int32_t attribute) : control(attribute) {
    control.Camera().SetSurface(200, 200);
    control.Camera().SetZoom(1.0);
  }
  ParallelControl1 control;
};

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

// Three points on the ground, the middle one selected.
void ThreePoints(CourseData1& course) {
  course.Initialise();
  course.AddPoint(-50, 0, 0);
  course.AddPoint(0, 0, 20);
  course.AddPoint(50, 0, 0);
  course.Select(1, 0);
}

TEST(ParallelControlTest, PickNeedsLessThanThreePixelsInBothDirections) {
  CourseData1 course;
  ThreePoints(course);
  View view(CameraControl1::kTop);
  // Point 1 (0, 0, 20) is at screen (100, 80).
  EXPECT_EQ(view.control.PickPoint(course, 100, 80), 1);
  EXPECT_EQ(view.control.PickPoint(course, 102, 78), 1);
  EXPECT_EQ(view.control.PickPoint(course, 103, 80), -1);
  EXPECT_EQ(view.control.PickPoint(course, 100, 77), -1);
  EXPECT_EQ(view.control.PickPoint(course, 97, 80), -1);
}

TEST(ParallelControlTest, PickTriesPointsFromTheFirst) {
  CourseData1 course;
  course.Initialise();
  course.AddPoint(0, 0, 0);
  course.AddPoint(1, 0, 1);  // one pixel away from point 0
  View view(CameraControl1::kTop);
  EXPECT_EQ(view.control.PickPoint(course, 101, 99), 0);
}

TEST(ParallelControlTest, HandleEndsLieAtThreeTenthsOfTheTangent) {
  CourseData1 course;
  ThreePoints(course);
  course.SetPointTangents(1, 100, 0, 0, 1, 1, 1);
  const CourseVector end1 = ParallelControl1::HandleEnd(course, 1, 1);
  const CourseVector end2 = ParallelControl1::HandleEnd(course, 1, 2);
  EXPECT_DOUBLE_EQ(end1.x, 30.0);
  EXPECT_DOUBLE_EQ(end2.x, -30.0);
  EXPECT_DOUBLE_EQ(end1.z, 20.0);
  View view(CameraControl1::kTop);
  EXPECT_EQ(view.control.PickHandle(course, 130, 80), 1);
  EXPECT_EQ(view.control.PickHandle(course, 70, 81), 2);
  EXPECT_EQ(view.control.PickHandle(course, 100, 80), 0);
}

TEST(ParallelControlTest, EditClickSelectsAPointOrAHandleOrAddsAPoint) {
  CourseData1 course;
  ThreePoints(course);
  course.SetPointTangents(1, 100, 0, 0, 1, 1, 1);
  View view(CameraControl1::kTop);
  EXPECT_EQ(view.control.Click(course, Click(kEditTool, kLeftMouse, 50, 100)), kCourseChanged);
  EXPECT_EQ(course.SelectedPoint(), 0);
  EXPECT_EQ(course.HandleState(), 0);
  course.Select(1, 0);
  view.control.Click(course, Click(kEditTool, kLeftMouse, 70, 80));
  EXPECT_EQ(course.SelectedPoint(), 1);
  EXPECT_EQ(course.HandleState(), 2);
  // Nothing there: a new point after the selected one, at the world position under the mouse.
  view.control.Click(course, Click(kEditTool, kLeftMouse, 160, 40));
  ASSERT_EQ(course.PointCount(), 4);
  EXPECT_EQ(course.SelectedPoint(), 2);
  EXPECT_DOUBLE_EQ(course.PointPosition(2).x, 60.0);
  EXPECT_DOUBLE_EQ(course.PointPosition(2).z, 60.0);
}

TEST(ParallelControlTest, RightClickDeletesAPointOrFreesTheHandle) {
  CourseData1 course;
  ThreePoints(course);
  course.SetPointTangents(1, 100, 0, 0, 1, 1, 1);
  View view(CameraControl1::kTop);
  view.control.Click(course, Click(kEditTool, kRightMouse, 130, 80));
  EXPECT_EQ(course.PointCount(), 3);
  const CourseTangents t = course.PointTangents(1);
  EXPECT_EQ(t.fixed_x + t.fixed_y + t.fixed_z, 0);
  view.control.Click(course, Click(kEditTool, kRightMouse, 150, 100));
  EXPECT_EQ(course.PointCount(), 2);
  EXPECT_EQ(course.SelectedPoint(), CourseData1::kNoPoint);
  // Empty space does nothing.
  EXPECT_EQ(view.control.Click(course, Click(kEditTool, kRightMouse, 10, 10)), kNothingChanged);
}

TEST(ParallelControlTest, PointDragsMoveEightTenthsPerPixelInEachView) {
  struct Case {
    int32_t attribute;
    double dx, dy, dz;  // expected change for a drag of (10, 5)
  };
  const Case cases[] = {{CameraControl1::kTop, 8.0, 0.0, -4.0},
                        {CameraControl1::kSide, 0.0, -4.0, 8.0},
                        {CameraControl1::kFront, 8.0, -4.0, 0.0}};
  for (const Case& c : cases) {
    CourseData1 course;
    ThreePoints(course);
    View view(c.attribute);
    view.control.Camera().SetZoom(7.0);  // the drag does not depend on the zoom
    EXPECT_EQ(view.control.Drag(course, Drag(kEditTool, 10, 5)), kCourseChanged);
    const CourseVector p = course.PointPosition(1);
    EXPECT_DOUBLE_EQ(p.x, 0.0 + c.dx) << c.attribute;
    EXPECT_DOUBLE_EQ(p.y, 0.0 + c.dy) << c.attribute;
    EXPECT_DOUBLE_EQ(p.z, 20.0 + c.dz) << c.attribute;
  }
}

TEST(ParallelControlTest, HandleDragsChangeTheViewsTangentsAndFixThem) {
  for (int32_t end : {1, 2}) {
    CourseData1 course;
    ThreePoints(course);
    course.SetPointTangents(1, 10, 20, 30, 0, 0, 0);
    const CourseTangents before = course.PointTangents(1);
    course.Select(1, end);
    View view(CameraControl1::kSide);
    view.control.Drag(course, Drag(kEditTool, 10, 5));
    const CourseTangents after = course.PointTangents(1);
    const double sign = end == 1 ? 1.0 : -1.0;
    EXPECT_NEAR(after.z - before.z, sign * 8.0, 1e-9);
    EXPECT_NEAR(after.y - before.y, sign * -4.0, 1e-9);
    EXPECT_DOUBLE_EQ(after.x, before.x);
    EXPECT_EQ(after.fixed_z, 1);
    EXPECT_EQ(after.fixed_y, 1);
    EXPECT_EQ(after.fixed_x, 0);
  }
}

TEST(ParallelControlTest, EditDragWithoutSelectionChangesNothing) {
  CourseData1 course;
  ThreePoints(course);
  course.Select(CourseData1::kNoPoint, 0);
  View view(CameraControl1::kTop);
  EXPECT_EQ(view.control.Drag(course, Drag(kEditTool, 10, 5)), kNothingChanged);
}

TEST(ParallelControlTest, SampleToolSelectsOnClickAndAddsSamplesDownwards) {
  CourseData1 course;
  ThreePoints(course);
  View view(CameraControl1::kTop);
  view.control.Click(course, Click(kSampleTool, kLeftMouse, 150, 100));
  EXPECT_EQ(course.SelectedPoint(), 2);
  view.control.Drag(course, Drag(kSampleTool, 3, 7));
  EXPECT_EQ(course.PointSampleCount(2), 17);
  view.control.Drag(course, Drag(kSampleTool, 0, -50));
  EXPECT_EQ(course.PointSampleCount(2), 0);
  // Without a selection the drag changes nothing.
  course.Select(CourseData1::kNoPoint, 0);
  EXPECT_EQ(view.control.Drag(course, Drag(kSampleTool, 0, 5)), kNothingChanged);
  for (int32_t i = 0; i < 3; ++i) EXPECT_LE(course.PointSampleCount(i), 10);
}

TEST(ParallelControlTest, WidthToolScalesTheWholeCourseAndStopsAtTheMinimum) {
  CourseData1 course;
  ThreePoints(course);
  View view(CameraControl1::kFront);
  view.control.Drag(course, Drag(kWidthTool, 0, 30));
  EXPECT_NEAR(course.WidthFactor(), 4.0, 1e-9);
  course.SetWidthFactor(1.0);
  view.control.Drag(course, Drag(kWidthTool, 0, -30));
  EXPECT_DOUBLE_EQ(course.WidthFactor(), 0.01);
}

TEST(ParallelControlTest, CameraMoveFollowsThePointerAndZoomChangesByOneHundredthPerPixel) {
  CourseData1 course;
  ThreePoints(course);
  View view(CameraControl1::kTop);
  view.control.Camera().SetZoom(2.0);
  EXPECT_EQ(view.control.Drag(course, Drag(kCameraMoveTool, 10, 4)), kViewChanged);
  EXPECT_DOUBLE_EQ(view.control.Camera().PositionX(), -5.0);
  EXPECT_DOUBLE_EQ(view.control.Camera().PositionZ(), 2.0);
  // The world point that was under the pointer moved with it.
  double sx = 0, sy = 0;
  view.control.ToScreen(0, 0, 0, &sx, &sy);
  EXPECT_DOUBLE_EQ(sx, 110.0);
  EXPECT_DOUBLE_EQ(sy, 104.0);
  view.control.Drag(course, Drag(kCameraZoomTool, 0, 50));
  EXPECT_NEAR(view.control.Camera().GetZoom(), 1.5, 1e-12);
  view.control.Drag(course, Drag(kCameraZoomTool, 0, 1000));
  EXPECT_DOUBLE_EQ(view.control.Camera().GetZoom(), 0.01);
}

TEST(ParallelControlTest, FitShowsTheWholeCourse) {
  CourseData1 course;
  ThreePoints(course);
  View view(CameraControl1::kTop);
  view.control.Fit(course);
  for (int32_t i = 0; i < 3; ++i) {
    const CourseVector p = course.PointPosition(i);
    double sx = 0, sy = 0;
    view.control.ToScreen(p.x, p.y, p.z, &sx, &sy);
    EXPECT_GE(sx, 0);
    EXPECT_LT(sx, 200);
    EXPECT_GE(sy, 0);
    EXPECT_LT(sy, 200);
  }
}

TEST(ParallelControlTest, AnAttributeOfNoViewIsFatal) {
  EXPECT_FATAL_REPORT(ParallelControl1 control(CameraControl1::kPerspective), "ParallelControl1",
                      "ありえないカメラ属性を検出");
}

}  // namespace
