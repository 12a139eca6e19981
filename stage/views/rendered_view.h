// The rendered picture of the perspective view: the background object first, behind
// everything, then the partitions ahead of the camera from the farthest back to the camera's
// own, each partition's road face, terrain faces and objects sorted by depth and drawn
// farthest first (painter's order). Each textured polygon goes to the perspective texture
// engine or to the affine fill by the display settings; untextured ones are filled flat.
#pragma once

#include <cfloat>
#include <cstdint>
#include <vector>

#include "render/polygon.h"
#include "render/stage_camera.h"
#include "render/texture_source.h"
#include "stage/stage.h"
#include "stage/view_records.h"

// Kinds of drawn items, each with its own perspective check box.
enum class RenderedKind { kRoad, kMap, kObject };

// Depths (camera z / far) below this fall into the perspective engine's first segment,
// where its reciprocals go wrong; such polygons are filled affinely.
constexpr float kPerspectiveNearDepth = 1.0f / 4096.0f;

// The perspective threshold of an item of partition `partition` for a camera standing on
// partition `first`: the lowest float when the kind's check box is off; the Z value in range
// mode 1; in range mode 0 the highest float within the first `range_partitions` partitions
// from `first`, the lowest beyond.
float PerspectiveThreshold(const DisplaySettings& settings, RenderedKind kind, int32_t partition,
                           int32_t first);

enum class FillChoice { kPerspective, kAffine, kFlat };
// Textured polygons go to the perspective engine when the threshold is above the polygon's
// depth value (its nearest camera-space z) and no projected depth lies below
// kPerspectiveNearDepth; else to the affine fill. Untextured ones are flat.
FillChoice ChooseFill(bool textured, float threshold, float depth_value, float nearest_depth);

// One item of a partition: what it is and its sort depth.
struct RenderedItem {
  RenderedKind kind = RenderedKind::kRoad;
  int32_t side = -1;    // map: the side
  int32_t wire = -1;    // map: the wire
  int32_t object = -1;  // object: its ID
  float depth = 0.0f;   // camera-space z of its centre
};
// Sorts by depth, farthest first; an item moves before an earlier one only when the earlier
// one is strictly nearer, so equal depths keep their order.
void SortFarthestFirst(RenderedItem* items, int32_t n);

// What a rendered picture drew (for tests and the speed measurements).
struct RenderedCounts {
  int32_t partitions = 0;
  int32_t items = 0;
  int32_t perspective = 0;
  int32_t affine = 0;
  int32_t flat = 0;
  int32_t culled = 0;
};

// The partitions a rendered picture walks for a camera on partition `camera_partition`
// (-1: the one nearest to `camera_position`): from it to it + display - 1, cut at the last
// partition. Empty for a stage without partitions.
void RenderedRange(const Stage& stage, int32_t camera_partition, const Point3f& camera_position,
                   int32_t display_partitions, int32_t* first, int32_t* last);

// One fill of a rendered picture: the clipped, projected polygon and how it is filled.
struct RenderedFill {
  FillChoice choice = FillChoice::kFlat;
  int32_t n = 0;
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  int32_t picture = -1;
  uint16_t colour = 0;
};

// Clears the camera's surface and draws the rendered picture for a camera standing on
// `camera_partition` (-1 when off the road). Animated textures show the frame of the
// source's clock. With `fills` given, everything but the fills is done and the fills are
// appended there instead (to measure the set-up and the fills apart).
RenderedCounts DrawRenderedView(const Stage& stage, StageCamera& camera,
                                const TextureSource& textures, const DisplaySettings& settings,
                                int32_t camera_partition,
                                std::vector<RenderedFill>* fills = nullptr);
// Makes the fills into the surface.
void ReplayFills(Surface16& surface, const TextureSource& textures,
                 const std::vector<RenderedFill>& fills);
