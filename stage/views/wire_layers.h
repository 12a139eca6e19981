// The wire-frame picture of a view, layer by layer: the ground grid, the filled faces, the
// partitions with their terrain wires and glued objects, the free and background objects,
// the selection marks, the point markers and axis letters, and the outline of the current
// partition over everything. While drawing, every partition, face, point and object that
// lands on the surface is recorded with its screen rectangle, in drawing order, for the
// editing tools to pick from.
#pragma once

#include <cstdint>
#include <vector>

#include "stage/hit_picking.h"
#include "stage/stage.h"
#include "stage/views/camera_modes.h"
#include "stage/views/view_canvas.h"
#include "stage/views/view_markers.h"

// The grid: 22 lines each way, 200 units apart, around the current partition.
constexpr int32_t kGridLines = 22;
constexpr float kGridStep = 200.0f;
// Half the side of the rectangle a wire point is picked in, pixels.
constexpr int32_t kPointPickReach = 4;
// Length of the axis marks, pixels.
constexpr float kAxisMarkPixels = 40.0f;

// The layers a view asks for.
struct WireRequest {
  PartitionRange range;   // the partitions drawn
  int32_t current = -1;   // the current partition: grid centre, outlined last
  int32_t edit_mode = 0;  // 0 terrain (points and faces recorded), 1 objects
  bool grid = true;
  // The filled polygon layer: every face of the range, or only the selected faces.
  enum class Fill { kNone, kAllFaces, kSelectedFaces } fill = Fill::kAllFaces;
  bool terrain = true;        // terrain wires and face outlines
  bool glued_objects = true;  // objects glued to the partitions of the range
  bool free_objects = true;   // free objects and the background object
  bool selection_marks = true;
  bool point_dots = false;  // a small square on every wire point (mode 0)
  // Axis letters on the selected point (mode 0) or the selected object's origin (mode 1):
  // shown when `axes` is set, each letter crossed out when its axis is held.
  bool axes = false;
  bool held[3] = {false, false, false};
  const MarkerSet* markers = nullptr;  // nullptr: no bitmap markers
};

// What a drawing recorded.
struct WirePicture {
  std::vector<HitRecord> hits;
  std::vector<MarkerPlacement> markers;  // the markers drawn, in order
};

// Clears the surface and draws the layers. With an empty range only the surface is cleared.
void DrawWireLayers(const Stage& stage, ViewCanvas& canvas, const WireRequest& request,
                    WirePicture* picture);

// 5-5-5 colour of a face or material: each float component clamped to [0, 1] and rounded
// times 31.
uint16_t FloatColour555(float red, float green, float blue);
// The grid origin (X0, Z0) for a partition centre (cx, cz).
void GridOrigin(float cx, float cz, float* x0, float* z0);
