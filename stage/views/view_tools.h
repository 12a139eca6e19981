// What a click or a drag in a view does, decided by the tool-state block of the mode and
// tool windows: the three camera tools of either mode move, turn and zoom the view's camera
// in every view; the editing tools select and change the stage through its edit operations
// (hit_picking, terrain_editing, object_placement). Nothing here needs a window.
#pragma once

#include <cstdint>
#include <vector>

#include "render/parallel_camera.h"
#include "stage/hit_picking.h"
#include "stage/stage.h"
#include "stage/tool_state_block.h"
#include "stage/view_drag.h"
#include "stage/view_records.h"
#include "stage/views/partition_camera.h"
#include "stage/views/view_input.h"

// The editing mode of a tool-state block: 1 when mode 1 is on, else 0.
int32_t EditMode(const ToolStateBlock& tools);

enum class CameraTool { kNone, kMove, kRotate, kZoom };
// The active camera tool of the active mode.
CameraTool ActiveCameraTool(const ToolStateBlock& tools);

enum class ClickAction {
  kNone,
  kSelectPartition,
  kSelectPoint,
  kSelectGlueTarget,
  kFace,            // left click with the face attribute tool
  kShiftFace,       // Shift and left click
  kShiftRightFace,  // Shift and right click
  kSelectObject,
};
ClickAction ClickActionOf(const ToolStateBlock& tools, int32_t button_bit, bool shift);

// Whether a left click of the active tool picks a wire point (select point, point move, point
// glue).
bool PicksPoints(const ToolStateBlock& tools);

enum class EditDrag { kNone, kPointMove, kObjectMove, kObjectTurn, kObjectZoom, kObjectOrigin };
EditDrag EditDragOf(const ToolStateBlock& tools);
// The axes held by the switches of the active editing tool.
AxisSwitches HeldAxes(const ToolStateBlock& tools);
// Whether the views show axis letters: the point move tool, and the object tools that move
// the selected object or its coordinates.
bool ShowsAxes(const ToolStateBlock& tools);

// Hands a click at (x, y) to the tool; true when the selection changed.
bool ApplyClick(Stage& stage, const ToolStateBlock& tools, const std::vector<HitRecord>& hits,
                int32_t x, int32_t y, int32_t button_bit, bool shift);

// One step of an editing drag of (dx, dy) pixels in a parallel view; true when the stage
// changed.
bool ApplyParallelEditDrag(Stage& stage, const ToolStateBlock& tools, DragView view, int32_t dx,
                           int32_t dy, double zoom);
// The same in the partition view: the selected point moves in the view's plane with the
// pointer (held axes fixed); the object tools have no drag there.
bool ApplyPartitionEditDrag(Stage& stage, const ToolStateBlock& tools,
                            const PartitionCamera& camera, int32_t dx, int32_t dy);

// Camera drags. Parallel views: move pans with the pointer, zoom scales by kZoomStep per
// pixel (dragging up enlarges), rotate does nothing.
constexpr double kZoomStep = 1.01;
bool DragParallelCamera(ParallelCamera& camera, CameraTool tool, int32_t dx, int32_t dy);
// The mouse wheel: `notches` (positive away from the user) zoom about pixel (x, y).
void WheelParallelCamera(ParallelCamera& camera, double notches, int32_t x, int32_t y);
bool DragPartitionCamera(PartitionCamera& camera, CameraTool tool, int32_t dx, int32_t dy);
// Perspective view, on the current camera-mode record: free camera: move = left along and
// across the heading, right vertically; rotate = left heading and pitch, right the bank;
// zoom = the lens. Road and lap cameras: move = left along the road, right the height;
// rotate = pitch and yaw; zoom = the lens.
bool DragPerspectiveCamera(CameraModeRecord* mode, CameraTool tool, int32_t buttons, int32_t dx,
                           int32_t dy);
