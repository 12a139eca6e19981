#include "stage/views/view_tools.h"

#include <cmath>

#include "stage/object_placement.h"
#include "stage/terrain_editing.h"
#include "stage/views/camera_modes.h"

namespace {
using T = ToolStateBlock;

bool On(const ToolStateBlock& tools, int32_t word) { return tools.words[word] == 1; }
}  // namespace

int32_t EditMode(const ToolStateBlock& tools) { return On(tools, T::kMode1) ? 1 : 0; }

CameraTool ActiveCameraTool(const ToolStateBlock& tools) {
  const int32_t base = EditMode(tools) == 1 ? T::kMode1CameraMove : T::kMode0CameraMove;
  if (On(tools, base)) return CameraTool::kMove;
  if (On(tools, base + 1)) return CameraTool::kRotate;
  if (On(tools, base + 2)) return CameraTool::kZoom;
  return CameraTool::kNone;
}

ClickAction ClickActionOf(const ToolStateBlock& tools, int32_t button_bit, bool shift) {
  const bool left = button_bit == kLeftButtonBit;
  if (EditMode(tools) == 0) {
    if (On(tools, T::kFaceAttributeTool)) {
      if (shift) return left ? ClickAction::kShiftFace : ClickAction::kShiftRightFace;
      return left ? ClickAction::kFace : ClickAction::kNone;
    }
    if (!left) return ClickAction::kNone;
    if (On(tools, T::kSelectPartitionTool) || On(tools, T::kWireEditTool)) {
      return ClickAction::kSelectPartition;
    }
    if (On(tools, T::kSelectPointTool) || On(tools, T::kPointMoveTool)) {
      return ClickAction::kSelectPoint;
    }
    if (On(tools, T::kPointGlueTool)) {
      return On(tools, T::kSelectGluePoint) ? ClickAction::kSelectGlueTarget
                                            : ClickAction::kSelectPoint;
    }
    return ClickAction::kNone;
  }
  if (!left) return ClickAction::kNone;
  if (On(tools, T::kGlueObjectTool)) {
    return On(tools, T::kSelectGlueObject) ? ClickAction::kSelectObject
                                           : ClickAction::kSelectPartition;
  }
  for (int32_t word : {T::kSelectObjectTool, T::kMoveObjectTool, T::kRotateObjectTool,
                       T::kZoomObjectTool, T::kObjectCoordinatesTool}) {
    if (On(tools, word)) return ClickAction::kSelectObject;
  }
  return ClickAction::kNone;
}

bool PicksPoints(const ToolStateBlock& tools) {
  const ClickAction action = ClickActionOf(tools, kLeftButtonBit, false);
  return action == ClickAction::kSelectPoint || action == ClickAction::kSelectGlueTarget;
}

EditDrag EditDragOf(const ToolStateBlock& tools) {
  if (EditMode(tools) == 0) {
    return On(tools, T::kPointMoveTool) ? EditDrag::kPointMove : EditDrag::kNone;
  }
  if (On(tools, T::kMoveObjectTool)) return EditDrag::kObjectMove;
  if (On(tools, T::kRotateObjectTool)) return EditDrag::kObjectTurn;
  if (On(tools, T::kZoomObjectTool)) return EditDrag::kObjectZoom;
  if (On(tools, T::kObjectCoordinatesTool) && On(tools, T::kMoveObjectCoordinates)) {
    return EditDrag::kObjectOrigin;
  }
  return EditDrag::kNone;
}

AxisSwitches HeldAxes(const ToolStateBlock& tools) {
  int32_t first = -1;
  switch (EditDragOf(tools)) {
    case EditDrag::kPointMove:
      first = T::kPointMoveX;
      break;
    case EditDrag::kObjectMove:
      first = T::kMoveObjectX;
      break;
    case EditDrag::kObjectTurn:
      first = T::kRotateObjectX;
      break;
    case EditDrag::kObjectZoom:
      first = T::kZoomObjectX;
      break;
    default:
      return {};
  }
  return {On(tools, first), On(tools, first + 1), On(tools, first + 2)};
}

bool ShowsAxes(const ToolStateBlock& tools) {
  if (EditMode(tools) == 0) return On(tools, T::kPointMoveTool);
  return EditDragOf(tools) != EditDrag::kNone || On(tools, T::kObjectCoordinatesTool);
}

bool ApplyClick(Stage& stage, const ToolStateBlock& tools, const std::vector<HitRecord>& hits,
                int32_t x, int32_t y, int32_t button_bit, bool shift) {
  switch (ClickActionOf(tools, button_bit, shift)) {
    case ClickAction::kSelectPartition:
      return ClickSelectPartition(stage, hits, x, y);
    case ClickAction::kSelectPoint:
      return ClickSelectPoint(stage, hits, x, y, false);
    case ClickAction::kSelectGlueTarget:
      return ClickSelectPoint(stage, hits, x, y, true);
    case ClickAction::kFace:
      return ClickFace(stage, FacesAt(hits, x, y));
    case ClickAction::kShiftFace:
      return ShiftClickFace(stage, FacesAt(hits, x, y));
    case ClickAction::kShiftRightFace:
      return ShiftRightClickFace(stage);
    case ClickAction::kSelectObject:
      return ClickSelectObject(stage, hits, x, y);
    case ClickAction::kNone:
      break;
  }
  return false;
}

bool ApplyParallelEditDrag(Stage& stage, const ToolStateBlock& tools, DragView view, int32_t dx,
                           int32_t dy, double zoom) {
  const AxisSwitches held = HeldAxes(tools);
  switch (EditDragOf(tools)) {
    case EditDrag::kPointMove:
      return DragSelectedPoint(stage, view, dx, dy, zoom, held);
    case EditDrag::kObjectMove:
      return DragMoveObject(stage, view, dx, dy, held);
    case EditDrag::kObjectTurn:
      return DragTurnObject(stage, view, dx, dy,
                            On(tools, T::kRotateOnObject) ? TurnAxes::kObject : TurnAxes::kScreen,
                            held);
    case EditDrag::kObjectZoom:
      return DragZoomObject(stage, dy, held);
    case EditDrag::kObjectOrigin:
      return DragObjectOrigin(stage, view, dx, dy, zoom);
    case EditDrag::kNone:
      break;
  }
  return false;
}

bool ApplyPartitionEditDrag(Stage& stage, const ToolStateBlock& tools,
                            const PartitionCamera& camera, int32_t dx, int32_t dy) {
  if (EditDragOf(tools) != EditDrag::kPointMove) return false;
  const PointRef point = stage.SelectedPoint();
  if (!point.Selected() || point.wire == kRoadEndWire ||
      !stage.GetTerrain().HasWire(point.partition, point.side, point.wire)) {
    return false;
  }
  const TerrainWire wire = stage.GetTerrain().Wire(point.partition, point.side, point.wire);
  const Point3f from = point.end == kEndB ? wire.end_b : wire.end_a;
  const float k = camera.WorldPerPixel();
  const Point3f right = camera.RightAxis();
  const Point3f up = camera.UpAxis();
  const float across = k * static_cast<float>(dx);
  const float upward = -k * static_cast<float>(dy);
  const AxisSwitches held = HeldAxes(tools);
  const Point3f to{held.x ? from.x : from.x + right.x * across + up.x * upward,
                   held.y ? from.y : from.y + right.y * across + up.y * upward,
                   held.z ? from.z : from.z + right.z * across + up.z * upward};
  if (to == from) return false;
  return stage.MovePoint(point.partition, point.side, point.wire, point.end, to);
}

bool DragParallelCamera(ParallelCamera& camera, CameraTool tool, int32_t dx, int32_t dy) {
  if (tool == CameraTool::kZoom) {
    camera.SetZoom(camera.GetZoom() * std::pow(kZoomStep, -static_cast<double>(dy)));
    return true;
  }
  if (tool != CameraTool::kMove || camera.ScaleX() <= 0.0f || camera.ScaleY() <= 0.0f) {
    return false;
  }
  // The picture follows the pointer.
  const double across = -static_cast<double>(dx) / camera.ScaleX();
  const double up = static_cast<double>(dy) / camera.ScaleY();
  switch (camera.GetAttribute()) {
    case ParallelCamera::kTop:
      camera.Move(across, 0.0, up);
      break;
    case ParallelCamera::kSide:
      camera.Move(0.0, up, across);
      break;
    case ParallelCamera::kFront:
      camera.Move(across, up, 0.0);
      break;
    default:
      return false;
  }
  return true;
}

void WheelParallelCamera(ParallelCamera& camera, double notches, int32_t x, int32_t y) {
  if (camera.ScaleX() <= 0.0f || camera.ScaleY() <= 0.0f) return;
  const double dx = x - camera.Width() / 2;
  const double dy = camera.Height() / 2 - y;
  const double before_x = dx / camera.ScaleX(), before_y = dy / camera.ScaleY();
  camera.SetZoom(camera.GetZoom() * std::pow(1.25, notches));
  const double after_x = dx / camera.ScaleX(), after_y = dy / camera.ScaleY();
  // The world point under the pointer stays there.
  const double across = before_x - after_x;
  const double up = before_y - after_y;
  switch (camera.GetAttribute()) {
    case ParallelCamera::kTop:
      camera.Move(across, 0.0, up);
      break;
    case ParallelCamera::kSide:
      camera.Move(0.0, up, across);
      break;
    case ParallelCamera::kFront:
      camera.Move(across, up, 0.0);
      break;
    default:
      break;
  }
}

bool DragPartitionCamera(PartitionCamera& camera, CameraTool tool, int32_t dx, int32_t dy) {
  switch (tool) {
    case CameraTool::kMove:
      camera.Drag(dx, dy);
      return true;
    case CameraTool::kZoom:
      camera.SetZoom(camera.Zoom() *
                     static_cast<float>(std::pow(kZoomStep, -static_cast<double>(dy))));
      return true;
    default:
      return false;
  }
}

bool DragPerspectiveCamera(CameraModeRecord* mode, CameraTool tool, int32_t buttons, int32_t dx,
                           int32_t dy) {
  const bool left_only = buttons == kLeftButtonBit;
  const bool on_road = mode->road_mode != kRoadModeFree;
  switch (tool) {
    case CameraTool::kMove:
      if (on_road) {
        if (left_only) {
          DragAlongRoad(mode, dy);
        } else {
          DragHeight(mode, dy);
        }
      } else {
        DragFreeMove(mode, dx, dy, !left_only);
      }
      return true;
    case CameraTool::kRotate:
      if (on_road) {
        DragPitchYaw(mode, dx, dy);
      } else {
        DragTurn(mode, dx, dy, !left_only);
      }
      return true;
    case CameraTool::kZoom:
      DragLensZoom(mode, dy);
      return true;
    case CameraTool::kNone:
      break;
  }
  return false;
}
