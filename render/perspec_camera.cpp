#include "render/perspec_camera.h"

#include <algorithm>

#include "foundation/misuse_check.h"
#include "render/clipping.h"
#include "render/line_drawing.h"
#include "render/perspec_texture_engine.h"

namespace {
constexpr const char* kTag = "PerspecCamera1";
constexpr const char* kNoScreen = "スクリーンが設定されていないのにオブジェクトを更新しようとした";
constexpr const char* kNotUpdated = "オブジェクトデータを更新する必要がある";

bool InUnitRange(float value) { return value >= -1.0f && value <= 1.0f; }
}  // namespace

void PerspecCamera1::Init() {
  position_ = {0.0f, 0.0f, 0.0f};
  rotation_ = AngleSines{};
  lens_ = Lens{};
  surface_.Resize(0, 0);
  width_ = 0;
  height_ = 0;
  w_ = RotationMatrix{};
  scales_ = ProjectionScales{};
  state_ = 0;
}

void PerspecCamera1::SetSurface(int32_t width, int32_t height) {
  surface_.Resize(width, height);
  width_ = surface_.Width();
  height_ = surface_.Height();
  RecomputeScales();
  state_ = 1;
}

void PerspecCamera1::ReleaseSurface() {
  const TextureSource* textures = textures_;
  Init();
  textures_ = textures;
}

void PerspecCamera1::SetRotation(float sin_rx, float cos_rx, float sin_ry, float cos_ry,
                                 float sin_rz, float cos_rz) {
  SUITE_CHECK(state_ != 0, kTag, kNoScreen);
  SUITE_CHECK(InUnitRange(sin_rx), kTag, "sinRxにありえない値を検出");
  SUITE_CHECK(InUnitRange(cos_rx), kTag, "cosRxにありえない値を検出");
  SUITE_CHECK(InUnitRange(sin_ry), kTag, "sinRyにありえない値を検出");
  SUITE_CHECK(InUnitRange(cos_ry), kTag, "cosRyにありえない値を検出");
  SUITE_CHECK(InUnitRange(sin_rz), kTag, "sinRzにありえない値を検出");
  SUITE_CHECK(InUnitRange(cos_rz), kTag, "cosRzにありえない値を検出");
  rotation_ = {sin_rx, cos_rx, sin_ry, cos_ry, sin_rz, cos_rz};
  state_ = 1;
}

void PerspecCamera1::SetLens(float width, float height, float near_distance,
                             float pivot_distance, float far_distance) {
  SUITE_CHECK(width > 0.0f, kTag, "マイナス値をLenzWIdthに設定しようとした");
  SUITE_CHECK(height > 0.0f, kTag, "マイナス値をLenzHeightに設定しようとした");
  SUITE_CHECK(near_distance > 0.0f, kTag, "マイナス値をLenzDstに設定しようとした");
  SUITE_CHECK(near_distance < far_distance, kTag, "LenzDst>FarDstに設定しようとした");
  lens_ = {width, height, near_distance, pivot_distance, far_distance};
  RecomputeScales();
}

void PerspecCamera1::RecomputeScales() {
  scales_.scale_x = static_cast<float>(width_) / lens_.width;
  scales_.scale_y = static_cast<float>(height_) / lens_.height;
  scales_.inverse_far = 1.0f / lens_.far_distance;
  scales_.centre_x = width_ / 2;
  scales_.centre_y = height_ / 2;
}

void PerspecCamera1::Update() {
  SUITE_CHECK(state_ != 0, kTag, kNoScreen);
  if (state_ == 2) return;
  w_ = ViewMatrix(Negated(rotation_));
  state_ = 2;
}

Point3f PerspecCamera1::WorldToCamera(const Point3f& p) const {
  SUITE_CHECK(state_ == 2, kTag, kNotUpdated);
  Point3f c = w_.Apply({p.x - position_.x, p.y - position_.y, p.z - position_.z});
  c.z += lens_.pivot_distance;
  return c;
}

int32_t PerspecCamera1::DrawPolygon(const Point3f* points, const TexCoord2f* coords, int32_t n,
                                    int32_t texture_id, int32_t mode) {
  SUITE_CHECK(state_ == 2, kTag, kNotUpdated);
  // Larger polygons would overrun the 20-entry work arrays: refused.
  SUITE_CHECK(n <= kMaxVertices, kTag, "ポリゴンの頂点数が多すぎる");
  if (state_ != 2 || n < 1 || n > kMaxVertices) return 0;
  Point3f work_points[kPolygonCapacity];
  TexCoord2f work_coords[kPolygonCapacity];
  std::copy_n(points, n, work_points);
  std::copy_n(coords, n, work_coords);
  int32_t count = Clipping4::ClipNearFar(work_points, work_coords, n, kPolygonCapacity,
                                         lens_.near_distance, lens_.far_distance);
  if (count == 0) return 0;
  for (int32_t i = 0; i < count; ++i) work_points[i] = Project(work_points[i], scales_);
  if (mode == 1 && FacesAway(work_points, count)) return 0;
  count = Clipping4::ClipToScreen(work_points, work_coords, count, width_, height_);
  if (count == 0) return 0;
  if (mode == 0) {
    DrawPolyline(surface_, work_points, count, true, kWhitePen);
    return count;
  }
  if (textures_ == nullptr) return 0;
  return PerspecTextureEngine1::DrawPolygon(surface_, work_points, work_coords, count,
                                            *textures_, texture_id);
}
