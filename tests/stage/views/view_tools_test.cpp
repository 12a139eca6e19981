#include "stage/views/view_tools.h"

#include <gtest/gtest.h>

#include <cmath>

#include "stage/views/camera_modes.h"
#include "stage/views/view_drawing.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using T = ToolStateBlock;
using views_test::ViewsTest;

// A block with one mode and the given words on.
ToolStateBlock Tools(int32_t mode, std::initializer_list<int32_t> words) {
  ToolStateBlock block;
  block.words[mode == 0 ? T::kMode0 : T::kMode1] = 1;
  for (int32_t word : words) block.words[word] = 1;
  return block;
}

TEST(ToolChoiceTest, EachToolHandsClicksToItsSelection) {
  struct Case {
    ToolStateBlock tools;
    int32_t button;
    bool shift;
    ClickAction want;
  };
  const int32_t left = kLeftButtonBit, right = kRightButtonBit;
  const Case cases[] = {
      {Tools(0, {T::kMode0CameraMove}), left, false, ClickAction::kNone},
      {Tools(0, {T::kSelectPartitionTool}), left, false, ClickAction::kSelectPartition},
      {Tools(0, {T::kWireEditTool}), left, false, ClickAction::kSelectPartition},
      {Tools(0, {T::kSelectPartitionTool}), right, false, ClickAction::kNone},
      {Tools(0, {T::kSelectPointTool}), left, false, ClickAction::kSelectPoint},
      {Tools(0, {T::kPointMoveTool}), left, true, ClickAction::kSelectPoint},
      {Tools(0, {T::kPointGlueTool, T::kSelectPoint}), left, false, ClickAction::kSelectPoint},
      {Tools(0, {T::kPointGlueTool, T::kSelectGluePoint}), left, false,
       ClickAction::kSelectGlueTarget},
      {Tools(0, {T::kFaceAttributeTool}), left, false, ClickAction::kFace},
      {Tools(0, {T::kFaceAttributeTool}), left, true, ClickAction::kShiftFace},
      {Tools(0, {T::kFaceAttributeTool}), right, true, ClickAction::kShiftRightFace},
      {Tools(0, {T::kFaceAttributeTool}), right, false, ClickAction::kNone},
      {Tools(1, {T::kMode1CameraRotate}), left, false, ClickAction::kNone},
      {Tools(1, {T::kSelectObjectTool}), left, false, ClickAction::kSelectObject},
      {Tools(1, {T::kZoomObjectTool}), left, false, ClickAction::kSelectObject},
      {Tools(1, {T::kGlueObjectTool, T::kSelectGluePartition}), left, false,
       ClickAction::kSelectPartition},
      {Tools(1, {T::kGlueObjectTool, T::kSelectGlueObject}), left, false,
       ClickAction::kSelectObject},
      // The words of the mode that is not active do not count.
      {Tools(1, {T::kSelectPartitionTool}), left, false, ClickAction::kNone},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(ClickActionOf(c.tools, c.button, c.shift), c.want) << "case " << i;
  }
}

TEST(ToolChoiceTest, DragsGoToTheCameraToolOrTheEditingToolWithItsSwitches) {
  struct Case {
    ToolStateBlock tools;
    CameraTool camera;
    EditDrag edit;
    bool held[3];
  };
  const Case cases[] = {
      {Tools(0, {T::kMode0CameraRotate}), CameraTool::kRotate, EditDrag::kNone, {}},
      {Tools(1, {T::kMode1CameraZoom, T::kMode0CameraMove}),
       CameraTool::kZoom,
       EditDrag::kNone,
       {}},
      {Tools(0, {T::kPointMoveTool, T::kPointMoveY}),
       CameraTool::kNone,
       EditDrag::kPointMove,
       {false, true, false}},
      {Tools(1, {T::kMoveObjectTool, T::kMoveObjectX, T::kMoveObjectZ}),
       CameraTool::kNone,
       EditDrag::kObjectMove,
       {true, false, true}},
      {Tools(1, {T::kRotateObjectTool, T::kRotateObjectZ}),
       CameraTool::kNone,
       EditDrag::kObjectTurn,
       {false, false, true}},
      {Tools(1, {T::kZoomObjectTool, T::kZoomObjectX, T::kMoveObjectY}),
       CameraTool::kNone,
       EditDrag::kObjectZoom,
       {true, false, false}},
      {Tools(1, {T::kObjectCoordinatesTool, T::kMoveObjectCoordinates}),
       CameraTool::kNone,
       EditDrag::kObjectOrigin,
       {}},
      {Tools(1, {T::kObjectCoordinatesTool}), CameraTool::kNone, EditDrag::kNone, {}},
      {Tools(0, {T::kSelectPointTool}), CameraTool::kNone, EditDrag::kNone, {}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(ActiveCameraTool(c.tools), c.camera) << "case " << i;
    EXPECT_EQ(EditDragOf(c.tools), c.edit) << "case " << i;
    const AxisSwitches held = HeldAxes(c.tools);
    EXPECT_EQ(held.x, c.held[0]) << "case " << i;
    EXPECT_EQ(held.y, c.held[1]) << "case " << i;
    EXPECT_EQ(held.z, c.held[2]) << "case " << i;
  }
}

TEST(PerspectiveCameraDragTest, TheButtonsAndTheRecordsModeChooseTheMovement) {
  struct Case {
    int32_t road_mode;
    CameraTool tool;
    int32_t buttons;
    float CameraModeRecord::*field;  // the road value that moves, or nullptr
    float want;
  };
  const Case cases[] = {
      {kRoadModeRoad, CameraTool::kMove, kLeftButtonBit, &CameraModeRecord::fraction, 0.1f},
      {kRoadModeLap, CameraTool::kMove, kRightButtonBit, &CameraModeRecord::height, 10.1f},
      {kRoadModeRoad, CameraTool::kMove, kLeftButtonBit | kRightButtonBit,
       &CameraModeRecord::height, 10.1f},
      {kRoadModeRoad, CameraTool::kRotate, kLeftButtonBit, &CameraModeRecord::pitch, 0.01f},
  };
  for (const Case& c : cases) {
    CameraModeRecord mode;
    mode.road_mode = c.road_mode;
    ASSERT_TRUE(DragPerspectiveCamera(&mode, c.tool, c.buttons, 0, -10));
    EXPECT_FLOAT_EQ(mode.*c.field, c.want);
  }
  CameraModeRecord free;
  ASSERT_TRUE(DragPerspectiveCamera(&free, CameraTool::kMove, kLeftButtonBit, 0, -10));
  EXPECT_FLOAT_EQ(free.camera.position_z, 10.0f);  // along the heading
  ASSERT_TRUE(DragPerspectiveCamera(&free, CameraTool::kMove, kRightButtonBit, 0, -10));
  EXPECT_FLOAT_EQ(free.camera.position_y, 110.0f);  // upwards
  ASSERT_TRUE(DragPerspectiveCamera(&free, CameraTool::kRotate, kRightButtonBit, 20, 0));
  EXPECT_FLOAT_EQ(free.camera.rz, 0.02f);  // the bank
  ASSERT_TRUE(DragPerspectiveCamera(&free, CameraTool::kZoom, kLeftButtonBit, 0, -100));
  EXPECT_FLOAT_EQ(free.camera.lenz_dst, 2.0f);
  EXPECT_FALSE(DragPerspectiveCamera(&free, CameraTool::kNone, kLeftButtonBit, 5, 5));
}

// A world point under the pointer stays under it while the view is dragged or zoomed.
TEST(ParallelCameraDragTest, ThePictureFollowsThePointer) {
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    ParallelCamera camera;
    SetUpParallelCamera(&camera, kind, {10.0, 20.0, 30.0, 0.01}, 400, 300);
    auto screen = [&](double* x, double* y) {
      double depth = 0.0;
      camera.WorldToScreen(15.0, 25.0, 35.0, x, y, &depth);
    };
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    screen(&x0, &y0);
    ASSERT_TRUE(DragParallelCamera(camera, CameraTool::kMove, 16, -12));
    screen(&x1, &y1);
    EXPECT_NEAR(x1 - x0, 16.0, 1.0) << kind;
    EXPECT_NEAR(y1 - y0, -12.0, 1.0) << kind;
    WheelParallelCamera(camera, 2.0, static_cast<int32_t>(x1), static_cast<int32_t>(y1));
    EXPECT_NEAR(camera.GetZoom(), 0.01 * 1.5625, 1e-9);
    double x2 = 0, y2 = 0;
    screen(&x2, &y2);
    EXPECT_NEAR(x2, x1, 1.0) << kind;
    EXPECT_NEAR(y2, y1, 1.0) << kind;
    EXPECT_FALSE(DragParallelCamera(camera, CameraTool::kRotate, 5, 5));
  }
  ParallelCamera camera;
  SetUpParallelCamera(&camera, kTopViewKind, {0.0, 0.0, 0.0, 0.01}, 400, 300);
  ASSERT_TRUE(DragParallelCamera(camera, CameraTool::kZoom, 0, -100));
  EXPECT_NEAR(camera.GetZoom(), 0.01 * std::pow(1.01, 100), 1e-9);
}

class PartitionDragTest : public ViewsTest {};

TEST_F(PartitionDragTest, ThePointMovesInThePartitionViewsPlaneWithTheHeldAxesFixed) {
  LoadRoad(12, 1, 5);
  PartitionCamera camera;
  camera.MakeSurface(400, 300);
  ASSERT_TRUE(camera.Place(stage_, 5, true));
  stage_.SelectPoint({5, kLeftSide, 0, kEndA});
  const Point3f before = stage_.GetTerrain().Wire(5, kLeftSide, 0).end_a;
  // 10 pixels right and 20 up at 4 pixels per unit.
  ASSERT_TRUE(ApplyPartitionEditDrag(stage_, Tools(0, {T::kPointMoveTool}), camera, 10, -20));
  const Point3f after = stage_.GetTerrain().Wire(5, kLeftSide, 0).end_a;
  const float dx = after.x - before.x, dy = after.y - before.y, dz = after.z - before.z;
  EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 2.5f, 1e-4);
  EXPECT_NEAR(dy, 5.0f, 1e-4);
  // Screen right is the road frame's lateral axis: +x on a road running along +z.
  EXPECT_GT(dx, 0.0f);
  // The Y switch holds the height.
  ASSERT_TRUE(ApplyPartitionEditDrag(stage_, Tools(0, {T::kPointMoveTool, T::kPointMoveY}), camera,
                                     10, -20));
  EXPECT_EQ(stage_.GetTerrain().Wire(5, kLeftSide, 0).end_a.y, after.y);
  // Road ends and other tools do not move.
  stage_.SelectPoint({5, kLeftSide, kRoadEndWire, kEndA});
  EXPECT_FALSE(ApplyPartitionEditDrag(stage_, Tools(0, {T::kPointMoveTool}), camera, 10, 0));
  stage_.SelectPoint({5, kLeftSide, 0, kEndA});
  EXPECT_FALSE(ApplyPartitionEditDrag(stage_, Tools(0, {T::kSelectPointTool}), camera, 10, 0));
}

}  // namespace
