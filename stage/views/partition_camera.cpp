#include "stage/views/partition_camera.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "render/clipping.h"
#include "render/projection.h"
#include "render/road_frame.h"
#include "stage/road_pose.h"
#include "stage/stage_rotation.h"
#include "stage/views/view_fill.h"

void PartitionCamera::MakeSurface(int32_t width, int32_t height) {
  surface_.Resize(std::max(width, 0), std::max(height, 0));
}

bool PartitionCamera::Place(const Stage& stage, int32_t p, bool level_with_world) {
  RoadPose pose;
  if (!ComputeRoadPose(stage.GetTerrain(), p, fraction_, &pose)) return false;
  centre_ = {static_cast<float>(pose.centre[0]), static_cast<float>(pose.centre[1]),
             static_cast<float>(pose.centre[2])};
  AlongRoadFrame frame;
  if (MakeAlongRoadFrame(pose.tangent, level_with_world ? 0.0 : pose.roll, &frame)) {
    const Rotation3 r = CameraRotation(RotationSines{frame.sin_x, frame.cos_x, frame.sin_y,
                                                     frame.cos_y, frame.sin_z, frame.cos_z});
    right_ = {static_cast<float>(r.m[0]), static_cast<float>(r.m[3]), static_cast<float>(r.m[6])};
    up_ = {static_cast<float>(r.m[1]), static_cast<float>(r.m[4]), static_cast<float>(r.m[7])};
  }
  return true;
}

bool PartitionCamera::FitWires(const Stage& stage, int32_t p, bool level_with_world) {
  if (!Place(stage, p, level_with_world)) return false;
  if (surface_.Width() <= 0 || surface_.Height() <= 0) return true;
  // The farthest any point lies from the middle of the picture, across and up, in world units.
  float across = 0.0f, up = 0.0f;
  const Terrain& terrain = stage.GetTerrain();
  for (int32_t side : {kLeftSide, kRightSide}) {
    for (int32_t wire = kRoadEndWire; wire < terrain.WireCount(p, side); ++wire) {
      WirePoint point;
      terrain.ReadWirePoint(p, wire, side, &point);
      for (const Point3f& end : {point.end_a, point.end_b}) {
        const Point3f d{end.x - centre_.x, end.y - centre_.y, end.z - centre_.z};
        const float lateral = d.x * right_.x + d.y * right_.y + d.z * right_.z;
        const float height = d.x * up_.x + d.y * up_.y + d.z * up_.z;
        across = std::max(across, std::fabs(lateral - offset_x_));
        up = std::max(up, std::fabs(height - offset_y_));
      }
    }
  }
  // A point at `across` lands 2 * zoom * across pixels from the middle; keep a tenth free.
  constexpr float kFill = 0.9f;
  float zoom = kInitialZoom;
  if (across > 0.0f) zoom = std::min(zoom, kFill * surface_.Width() / (4.0f * across));
  if (up > 0.0f) zoom = std::min(zoom, kFill * surface_.Height() / (4.0f * up));
  SetZoom(zoom);
  return true;
}

void PartitionCamera::SetZoom(float zoom) {
  if (!std::isfinite(zoom)) return;
  zoom_ = std::clamp(zoom, kZoomMin, kZoomMax);
}

void PartitionCamera::Drag(int32_t dx, int32_t dy) {
  offset_x_ -= kOffsetPerPixel / zoom_ * static_cast<float>(dx);
  offset_y_ += kOffsetPerPixel / zoom_ * static_cast<float>(dy);
}

void PartitionCamera::ZoomAbout(float factor, int32_t x, int32_t y) {
  const float before = 2.0f * zoom_;
  const float dx = static_cast<float>(x - surface_.Width() / 2);
  const float dy = static_cast<float>(surface_.Height() / 2 - y);
  const float world_x = offset_x_ + dx / before;
  const float world_y = offset_y_ + dy / before;
  SetZoom(zoom_ * factor);
  const float after = 2.0f * zoom_;
  offset_x_ = world_x - dx / after;
  offset_y_ = world_y - dy / after;
}

void PartitionCamera::ToScreen(const Point3f& world, float* x, float* y) const {
  const Point3f d{world.x - centre_.x, world.y - centre_.y, world.z - centre_.z};
  const float lateral = d.x * right_.x + d.y * right_.y + d.z * right_.z;
  const float height = d.x * up_.x + d.y * up_.y + d.z * up_.z;
  const float scale = 2.0f * zoom_;
  *x = static_cast<float>(surface_.Width() / 2) + (lateral - offset_x_) * scale;
  *y = static_cast<float>(surface_.Height() / 2) - (height - offset_y_) * scale;
}

void PartitionCamera::SaveState(PartitionViewRecord* record) const {
  const float values[6] = {offset_x_, offset_y_, fraction_, centre_.x, centre_.y, centre_.z};
  for (int i = 0; i < 6; ++i) record->camera_state[i] = std::bit_cast<uint32_t>(values[i]);
  // The last two words are kept free (0).
  record->camera_state[6] = 0;
  record->camera_state[7] = 0;
}

void PartitionCamera::LoadState(const PartitionViewRecord& record) {
  auto value = [&](int i, float fallback) {
    const float v = std::bit_cast<float>(record.camera_state[i]);
    return std::isfinite(v) ? v : fallback;
  };
  offset_x_ = value(0, 0.0f);
  offset_y_ = value(1, 0.0f);
  fraction_ = std::clamp(value(2, 1.0f), 0.0f, 1.0f);
  centre_ = {value(3, 0.0f), value(4, 0.0f), value(5, 0.0f)};
}

void PartitionCamera::Reset() {
  offset_x_ = 0.0f;
  offset_y_ = 0.0f;
  fraction_ = 1.0f;
  zoom_ = kInitialZoom;
  centre_ = {};
  right_ = {1.0f, 0.0f, 0.0f};
  up_ = {0.0f, 1.0f, 0.0f};
}

// --- Canvas ------------------------------------------------------------------------------

void PartitionCanvas::Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) {
  Point3f points[kPolygonCapacity];
  const int32_t count = std::min(n, kPolygonCapacity);
  for (int32_t i = 0; i < count; ++i) camera_.ToScreen(world[i], &points[i].x, &points[i].y);
  DrawPolyline(camera_.Surface(), points, count, closed, pen);
}

int32_t PartitionCanvas::Project(const Point3f* world, const TexCoord2f* coords, int32_t n,
                                 Point3f* points, TexCoord2f* out_coords) const {
  if (n < 1 || n > kFilledPolygonMax) return 0;
  for (int32_t i = 0; i < n; ++i) {
    camera_.ToScreen(world[i], &points[i].x, &points[i].y);
    points[i].z = 1.0f;
    out_coords[i] = coords != nullptr ? coords[i] : TexCoord2f{};
  }
  if (FacesAway(points, n)) {
    std::reverse(points, points + n);
    std::reverse(out_coords, out_coords + n);
  }
  return Clipping4::ClipToScreen(points, out_coords, n, camera_.Surface().Width(),
                                 camera_.Surface().Height());
}

void PartitionCanvas::FillFlat(const Point3f* world, int32_t n, uint16_t colour) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, nullptr, n, points, coords);
  if (count > 0) view_fill::Flat(camera_.Surface(), points, count, colour);
}

void PartitionCanvas::FillTextured(const Point3f* world, const TexCoord2f* world_coords, int32_t n,
                                   int32_t picture) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, world_coords, n, points, coords);
  if (count > 0) view_fill::Affine(camera_.Surface(), points, coords, count, Textures(), picture);
}

bool PartitionCanvas::ScreenPoint(const Point3f& world, float* x, float* y) {
  camera_.ToScreen(world, x, y);
  return true;
}
