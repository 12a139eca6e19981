// The picture of each kind of view as the windows and `tarnhollow --render` draw it: which
// layers a view asks for in each editing mode, the cameras set up from the view records, and
// the perspective view's choice between wire frame and rendered picture.
#pragma once

#include <cstdint>

#include "render/parallel_camera.h"
#include "render/stage_camera.h"
#include "render/texture_source.h"
#include "stage/stage.h"
#include "stage/tool_state_block.h"
#include "stage/view_records.h"
#include "stage/views/partition_camera.h"
#include "stage/views/rendered_view.h"
#include "stage/views/wire_layers.h"

// What every view draws with.
struct ViewLook {
  ToolStateBlock tools = ToolStateBlock::Initial();
  const TextureSource* textures = nullptr;
  const MarkerSet* markers = nullptr;  // nullptr: no bitmap markers
};

// The parallel camera's attribute for a view kind (top 1, side 2, front 3).
int32_t ParallelAttribute(int32_t view_kind);
// A parallel camera of a view kind at the record's position and zoom, keeping the world's
// proportions on a surface of any shape (unit Y = height / width).
void SetUpParallelCamera(ParallelCamera* camera, int32_t view_kind,
                         const ParallelViewRecord& record, int32_t width, int32_t height);
void SaveParallelCamera(const ParallelCamera& camera, ParallelViewRecord* record);

// The layers of a kind of view in the editing mode of `tools`.
WireRequest RequestFor(const Stage& stage, int32_t view_kind, const ViewLook& look);

void DrawParallelView(const Stage& stage, ParallelCamera& camera, int32_t view_kind,
                      const ViewLook& look, WirePicture* picture);
// The current partition (and the one before it when show_previous is set), seen across.
void DrawPartitionView(const Stage& stage, PartitionCamera& camera,
                       const PartitionViewRecord& toggles, const ViewLook& look,
                       WirePicture* picture);

// What a perspective redraw drew.
struct PerspectivePicture {
  bool rendered = false;
  bool on_road = false;  // the camera stood on the road
  RenderedCounts counts;
  WirePicture wire;  // the wire frame's items (empty when rendered)
};
// Places the current camera-mode record's road camera, loads it into `camera` (which holds
// the surface) and draws the wire frame or, with the render flag, the rendered picture.
void DrawPerspectiveView(const Stage& stage, PerspectiveViewRecord* view, StageCamera& camera,
                         const ViewLook& look, PerspectivePicture* picture);
