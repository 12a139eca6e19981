#include "stage/views/view_aim.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/stage_camera.h"
#include "stage/stage_rotation.h"
#include "stage/views/camera_modes.h"

namespace {

// The parallel camera keeps its zoom within these.
constexpr double kZoomLowest = 0.0001;
constexpr double kZoomHighest = 1.0;

// The road corners of the displayed range, four a partition.
std::vector<Point3f> DisplayedRoadCorners(const Stage& stage) {
  std::vector<Point3f> points;
  const PartitionRange range = DisplayedRange(stage);
  for (int32_t p = range.first; p <= range.Last(); ++p) {
    Point3f corners[4];
    if (!stage.GetTerrain().PartitionCorners(p, corners)) continue;
    points.insert(points.end(), corners, corners + 4);
  }
  return points;
}

// The world axes a parallel view shows: across its width and up its height.
struct ViewAxes {
  float Point3f::*across;
  float Point3f::*up;
};

ViewAxes AxesOf(int32_t view_kind) {
  switch (view_kind) {
    case kSideViewKind:
      return {&Point3f::z, &Point3f::y};
    case kFrontViewKind:
      return {&Point3f::x, &Point3f::y};
    default:
      return {&Point3f::x, &Point3f::z};
  }
}

double PositionAlong(const ParallelViewRecord& view, float Point3f::*axis) {
  if (axis == &Point3f::x) return view.position_x;
  if (axis == &Point3f::y) return view.position_y;
  return view.position_z;
}

double SaneAspect(double aspect) { return aspect > 0.0 && std::isfinite(aspect) ? aspect : 1.0; }

}  // namespace

bool DisplayedRoadBox(const Stage& stage, WorldBox* box) {
  std::vector<Point3f> points = DisplayedRoadCorners(stage);
  if (points.empty()) return false;
  const ::Terrain& terrain = stage.GetTerrain();
  const PartitionRange range = DisplayedRange(stage);
  for (int32_t p = range.first; p <= range.Last(); ++p) {
    for (int32_t side : {kLeftSide, kRightSide}) {
      for (int32_t w = 0; w < terrain.WireCount(p, side); ++w) {
        const TerrainWire wire = terrain.Wire(p, side, w);
        points.push_back(wire.end_a);
        points.push_back(wire.end_b);
      }
    }
  }
  WorldBox out{points.front(), points.front()};
  for (const Point3f& point : points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) continue;
    out.low = {std::min(out.low.x, point.x), std::min(out.low.y, point.y),
               std::min(out.low.z, point.z)};
    out.high = {std::max(out.high.x, point.x), std::max(out.high.y, point.y),
                std::max(out.high.z, point.z)};
  }
  *box = out;
  return true;
}

ParallelViewRecord AimedParallelView(const WorldBox& box, int32_t view_kind, double aspect) {
  aspect = SaneAspect(aspect);
  const ViewAxes axes = AxesOf(view_kind);
  const double across = static_cast<double>(box.high.*axes.across) - box.low.*axes.across;
  const double up = static_cast<double>(box.high.*axes.up) - box.low.*axes.up;
  // The view spans 1 / zoom world units across and aspect / zoom up.
  double zoom = 1.0 / kAimNarrowestSpan;
  if (across > 0.0) zoom = std::min(zoom, kAimFill / across);
  if (up > 0.0) zoom = std::min(zoom, kAimFill * aspect / up);
  ParallelViewRecord view;
  view.position_x = (static_cast<double>(box.low.x) + box.high.x) / 2.0;
  view.position_y = (static_cast<double>(box.low.y) + box.high.y) / 2.0;
  view.position_z = (static_cast<double>(box.low.z) + box.high.z) / 2.0;
  view.zoom = std::clamp(zoom, kZoomLowest, kZoomHighest);
  return view;
}

namespace {

// Whether a parallel view shows one of `corners`.
bool ShowsAnyOf(const std::vector<Point3f>& corners, int32_t view_kind,
                const ParallelViewRecord& view, double aspect) {
  if (!std::isfinite(view.zoom)) return false;
  const double zoom = std::clamp(view.zoom, kZoomLowest, kZoomHighest);
  const double half_across = 0.5 / zoom;
  const double half_up = 0.5 * SaneAspect(aspect) / zoom;
  const ViewAxes axes = AxesOf(view_kind);
  const double centre_across = PositionAlong(view, axes.across);
  const double centre_up = PositionAlong(view, axes.up);
  for (const Point3f& corner : corners) {
    if (std::fabs(corner.*axes.across - centre_across) <= half_across &&
        std::fabs(corner.*axes.up - centre_up) <= half_up) {
      return true;
    }
  }
  return false;
}

std::vector<Point3f> PartitionCorners(const Stage& stage, int32_t p) {
  Point3f corners[4];
  if (!stage.GetTerrain().PartitionCorners(p, corners)) return {};
  return {corners, corners + 4};
}

}  // namespace

bool ParallelViewShowsRoad(const Stage& stage, int32_t view_kind, const ParallelViewRecord& view,
                           double aspect) {
  return ShowsAnyOf(DisplayedRoadCorners(stage), view_kind, view, aspect);
}

bool ParallelViewShowsPartition(const Stage& stage, int32_t view_kind,
                                const ParallelViewRecord& view, double aspect, int32_t p) {
  return ShowsAnyOf(PartitionCorners(stage, p), view_kind, view, aspect);
}

ParallelViewRecord CentredOnPartition(const Stage& stage, const ParallelViewRecord& view,
                                      int32_t p) {
  const std::vector<Point3f> corners = PartitionCorners(stage, p);
  if (corners.empty()) return view;
  ParallelViewRecord out = view;
  out.position_x = out.position_y = out.position_z = 0.0;
  for (const Point3f& corner : corners) {
    out.position_x += corner.x / 4.0;
    out.position_y += corner.y / 4.0;
    out.position_z += corner.z / 4.0;
  }
  return out;
}

bool AimFreeCamera(const Stage& stage, CameraModeRecord* free_mode) {
  if (DisplayedRange(stage).Empty()) return false;
  // The road camera's placement on the middle of the partition gives the point looked at
  // and the direction, tilted down.
  CameraModeRecord on_road;
  on_road.road_mode = kRoadModeRoad;
  on_road.partition = stage.SelectedPartition();
  on_road.fraction = 0.5f;
  on_road.height = 0.0f;
  on_road.pitch = kAimPitch;
  on_road.camera = free_mode->camera;
  if (!PlaceRoadCamera(stage, &on_road)) return false;
  StageCameraRecord& camera = free_mode->camera;
  const StageCameraRecord& placed = on_road.camera;
  const Point3f ahead =
      CameraRotation(Point3f{placed.rx, placed.ry, placed.rz}).Apply({0.0f, 0.0f, 1.0f});
  // The eye stands PivotDst behind the camera's position.
  const float back = kAimDistance - camera.pivot_dst;
  camera.position_x = placed.position_x - ahead.x * back;
  camera.position_y = placed.position_y - ahead.y * back;
  camera.position_z = placed.position_z - ahead.z * back;
  camera.rx = placed.rx;
  camera.ry = placed.ry;
  camera.rz = placed.rz;
  return true;
}

bool FreeCameraShowsRoad(const Stage& stage, const CameraModeRecord& free_mode) {
  StageCamera camera;
  LoadCamera(free_mode.camera, &camera);
  const StageCamera::Lens& lens = camera.GetLens();
  if (!(lens.near_distance > 0.0f)) return false;
  // A camera-space point is on the screen when |x / z| and |y / z| are within half the lens
  // over its distance (the projection scales by size * LenzDst / lens size).
  const float half_x = lens.width / (2.0f * lens.near_distance);
  const float half_y = lens.height / (2.0f * lens.near_distance);
  for (const Point3f& corner : DisplayedRoadCorners(stage)) {
    const Point3f c = camera.WorldToCamera(corner);
    if (!(c.z > lens.near_distance) || !(c.z < lens.far_distance)) continue;
    if (std::fabs(c.x) <= half_x * c.z && std::fabs(c.y) <= half_y * c.z) return true;
  }
  return false;
}

bool AimViews(const Stage& stage, const double aspects[3], bool only_lost, ViewSection* views) {
  WorldBox box;
  if (!DisplayedRoadBox(stage, &box)) return false;
  bool changed = false;
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    ParallelViewRecord& view = views->parallel[kind];
    if (only_lost && ParallelViewShowsRoad(stage, kind, view, aspects[kind])) continue;
    const ParallelViewRecord aimed = AimedParallelView(box, kind, aspects[kind]);
    changed = changed || !(aimed == view);
    view = aimed;
  }
  CameraModeRecord& free_mode = views->perspective.modes[kRoadModeFree];
  if (!only_lost || !FreeCameraShowsRoad(stage, free_mode)) {
    const CameraModeRecord before = free_mode;
    AimFreeCamera(stage, &free_mode);
    changed = changed || !(before == free_mode);
  }
  return changed;
}
