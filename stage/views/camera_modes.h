// The perspective view's cameras: the partitions the views show and the road cameras ride,
// the placement of a road or lap camera on the road before each redraw, and the drags that
// move a camera-mode record. The records themselves (CameraModeRecord) are those the stage
// file stores.
#pragma once

#include <cstdint>

#include "render/stage_camera.h"
#include "stage/stage.h"
#include "stage/view_records.h"

// A run of partitions: first, first + 1, ... first + count - 1 (never past the last one).
struct PartitionRange {
  int32_t first = 0;
  int32_t count = 0;

  bool Empty() const { return count <= 0; }
  int32_t Last() const { return first + count - 1; }
  bool Contains(int32_t p) const { return p >= first && p < first + count; }
};

// The partitions the views draw: the stage's active range (empty with no selected partition).
PartitionRange DisplayedRange(const Stage& stage);
// The partitions a road camera rides: the displayed range for road mode 1, every partition
// for lap mode 2, none for the free mode.
PartitionRange RoadCameraRange(const Stage& stage, int32_t road_mode);

// Places a road or lap camera on the road: the fraction is carried into the partition index
// and clamped to the range, and the camera stands `height` above the road's centre there,
// turned by the road frame and then by pitch and yaw. An empty range puts the record off the
// road (partition -1, fraction 0) and leaves its camera where it is. Returns true when the
// camera stands on the road. The free mode is left alone (false).
bool PlaceRoadCamera(const Stage& stage, CameraModeRecord* mode);

// Per pixel of displacement.
constexpr float kAlongRoadPerPixel = 0.01f;
constexpr float kHeightPerPixel = 0.01f;
constexpr float kHeightMax = 500.0f;
constexpr float kTurnPerPixel = 0.001f;
constexpr float kAngleLimit = 1.570795f;
constexpr float kLensPerPixel = 0.01f;
constexpr float kLensDistanceMin = 0.1f;
constexpr float kLensDistanceMax = 50.0f;
constexpr float kFreeMovePerPixel = 1.0f;

// The drags of a camera-mode record; dx right, dy down, in pixels.
// Along the road: the fraction moves against dy (dragging up drives on).
void DragAlongRoad(CameraModeRecord* mode, int32_t dy);
// Height against dy, kept in [0, kHeightMax].
void DragHeight(CameraModeRecord* mode, int32_t dy);
// Road cameras: yaw against dx, pitch against dy, each kept in [-kAngleLimit, kAngleLimit].
void DragPitchYaw(CameraModeRecord* mode, int32_t dx, int32_t dy);
// Free camera: heading against dx and pitch against dy, or (roll) the bank angle with dx.
void DragTurn(CameraModeRecord* mode, int32_t dx, int32_t dy, bool roll);
// LenzDst and PivotDst together against dy, LenzDst kept in [kLensDistanceMin,
// kLensDistanceMax] (PivotDst moves by the same amount).
void DragLensZoom(CameraModeRecord* mode, int32_t dy);
// Free camera: in the ground plane along (against dy) and across (with dx) its heading, or
// (vertical) up against dy.
void DragFreeMove(CameraModeRecord* mode, int32_t dx, int32_t dy, bool vertical);

// The camera-mode record a perspective mode button selects (0 free, 1 road, 2 lap) and the
// render flag it sets; -1 for another command.
int32_t ModeOfButton(int32_t command_id);
int32_t RenderFlagOfButton(int32_t command_id);
// Presses a mode button: selects its record and sets the record's render flag. False for a
// command that is no mode button.
bool PressModeButton(PerspectiveViewRecord* view, int32_t command_id);

// Loads the record's position, rotation and lens into `camera` (its surface stays).
void LoadCamera(const StageCameraRecord& record, StageCamera* camera);
