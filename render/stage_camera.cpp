#include "render/stage_camera.h"

#include "render/clipping.h"

void StageCamera::SetRotation(float rx, float ry, float rz) {
  rotation_ = {rx, ry, rz};
  state_ = 1;
}

void StageCamera::SetLens(float width, float height, float near_distance, float pivot_distance,
                          float far_distance) {
  lens_ = {width, height, near_distance, pivot_distance, far_distance};
  RecomputeScales();
}

void StageCamera::SetDisplaySurface(int32_t id, int32_t width, int32_t height) {
  surface_id_ = id;
  if (registry_ != nullptr) {
    registry_->Resize(id, width, height);
    registry_->Size(id, &width_, &height_);
  } else {
    width_ = width;
    height_ = height;
  }
  RecomputeScales();
  state_ = 1;
}

void StageCamera::RecomputeScales() {
  scales_.scale_x = static_cast<float>(width_) * lens_.near_distance / lens_.width;
  scales_.scale_y = static_cast<float>(height_) * lens_.near_distance / lens_.height;
  scales_.inverse_far = 1.0f / lens_.far_distance;
  scales_.centre_x = width_ / 2;
  scales_.centre_y = height_ / 2;
}

void StageCamera::Update() {
  w_ = ViewMatrix(-static_cast<double>(rotation_.x), -static_cast<double>(rotation_.y),
                  -static_cast<double>(rotation_.z));
  state_ = 2;
}

Point3f StageCamera::WorldToCamera(const Point3f& p) {
  if (state_ != 2) Update();
  Point3f c = w_.Apply({p.x - position_.x, p.y - position_.y, p.z - position_.z});
  c.z += lens_.pivot_distance;
  return c;
}

int32_t StageCamera::ProjectPoint(const Point3f& camera_point, Point3f* screen) const {
  if (!(camera_point.z > lens_.near_distance) || camera_point.z >= lens_.far_distance) {
    return -1;
  }
  *screen = Project(camera_point, scales_);
  return 0;
}

int32_t StageCamera::ClipAndProject(Point3f* points, TexCoord2f* coords, int32_t n) const {
  if (n < 1 || n > kPolygonCapacity) return 0;
  int32_t count = Clipping4::ClipNearFar(points, coords, n, kPolygonCapacity,
                                         lens_.near_distance, lens_.far_distance);
  if (count == 0) return 0;
  for (int32_t i = 0; i < count; ++i) points[i] = Project(points[i], scales_);
  return Clipping4::ClipToScreen(points, coords, count, width_, height_);
}

Surface16* StageCamera::Surface() const {
  return registry_ != nullptr ? registry_->Surface(surface_id_) : nullptr;
}

void StageCamera::Clear(uint16_t colour) {
  if (registry_ != nullptr) registry_->Clear(surface_id_, colour);
}

int32_t StageCamera::FillFlat(const Point3f* points, int32_t n, uint16_t colour) {
  return registry_ != nullptr ? registry_->FillFlat(surface_id_, points, n, colour) : 0;
}

int32_t StageCamera::FillAffine(const Point3f* points, const TexCoord2f* coords, int32_t n,
                                const TextureSource& textures, int32_t texture_id) {
  return registry_ != nullptr
             ? registry_->FillAffine(surface_id_, points, coords, n, textures, texture_id)
             : 0;
}

int32_t StageCamera::FillPerspective(const Point3f* points, const TexCoord2f* coords, int32_t n,
                                     const TextureSource& textures, int32_t texture_id) {
  return registry_ != nullptr ? registry_->FillPerspective(surface_id_, points, coords, n,
                                                           textures, texture_id)
                              : 0;
}

void StageCamera::DrawPolyline(const Point3f* points, int32_t n, bool closed, const Pen& pen) {
  if (registry_ != nullptr) registry_->DrawPolyline(surface_id_, points, n, closed, pen);
}
