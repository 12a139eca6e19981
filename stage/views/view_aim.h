// Where the views look when a stage arrives. A stage made from a partition file starts with
// the views' initial cameras, which look at the world's origin, and a stage file may carry
// views that look away from its road (a file written by `--import-pat` keeps the initial
// ones). These functions tell whether a view shows the road the views draw (the displayed
// range around the selected partition) and aim a view at it.
#pragma once

#include <cstdint>

#include "render/polygon.h"
#include "stage/stage.h"
#include "stage/view_records.h"

// A parallel view never aims closer than this many world units across its width.
constexpr double kAimNarrowestSpan = 200.0;
// The box fills at most this share of the view along either axis.
constexpr double kAimFill = 0.85;
// The free camera aimed at the road looks down the road by kAimPitch radians at the middle
// of the selected partition from kAimDistance away.
constexpr float kAimDistance = 120.0f;
constexpr float kAimPitch = -0.3f;

struct WorldBox {
  Point3f low;
  Point3f high;
};

// The box around the road quads and the terrain wire points of the displayed range; false
// when there is no displayed range.
bool DisplayedRoadBox(const Stage& stage, WorldBox* box);

// A parallel view of `view_kind` that shows the whole box in its middle, for a view whose
// height is `aspect` times its width (the views keep the world's proportions, so the picture
// depends only on that ratio).
ParallelViewRecord AimedParallelView(const WorldBox& box, int32_t view_kind, double aspect);

// Whether a parallel view shows at least one road corner of the displayed range.
bool ParallelViewShowsRoad(const Stage& stage, int32_t view_kind, const ParallelViewRecord& view,
                           double aspect);

// Whether a parallel view shows a corner of partition p (false when p does not exist).
bool ParallelViewShowsPartition(const Stage& stage, int32_t view_kind,
                                const ParallelViewRecord& view, double aspect, int32_t p);
// The view moved, its zoom kept, so that the middle of partition p is in its middle; the view
// unchanged when p does not exist.
ParallelViewRecord CentredOnPartition(const Stage& stage, const ParallelViewRecord& view,
                                      int32_t p);

// Puts the free camera behind and above the selected partition, looking along the road and
// down onto the partition's middle, which comes to the middle of the picture; its lens stays.
// False (record unchanged) when there is no displayed range.
bool AimFreeCamera(const Stage& stage, CameraModeRecord* free_mode);

// The views of a stage as they are shown when it arrives: the parallel views (top, side and
// front, whose heights are `aspects` times their widths) and the perspective view's free camera
// are aimed at the road around the selected partition; with `only_lost` only those that show
// none of it. False when nothing changed (also when no partition is selected).
bool AimViews(const Stage& stage, const double aspects[3], bool only_lost, ViewSection* views);

// Whether the free camera sees at least one road corner of the displayed range within its
// lens (in front of it, nearer than its far distance).
bool FreeCameraShowsRoad(const Stage& stage, const CameraModeRecord& free_mode);
