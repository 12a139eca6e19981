// PerspecCamera1 is the perspective camera of the course preview. It takes its rotation as
// ready-made sines and cosines (a road frame), owns a 16-bit surface and draws clipped,
// projected polygons into it, as white outlines or through PerspecTextureEngine1.
// State: 0 no surface, 1 surface set but W out of date, 2 ready. Misuse is reported under
// "PerspecCamera1" at level 3.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"
#include "render/projection.h"
#include "render/rotation_matrix.h"
#include "render/texture_source.h"

class PerspecCamera1 {
 public:
  struct Lens {
    float width = 1.0f;   // LenzWIdth: lens window width at distance 1
    float height = 1.0f;  // LenzHeight
    float near_distance = 1.0f;   // LenzDst: near clipping distance
    float pivot_distance = 1.0f;  // PivotDst: eye behind the position
    float far_distance = 50.0f;   // FarDst
  };
  // Most vertices draw polygon accepts.
  static constexpr int32_t kMaxVertices = kPolygonCapacity;

  PerspecCamera1() { Init(); }

  // Every field back to its initial value (state 0, no surface).
  void Init();
  // A 16-bit surface of the size; scales recomputed; state 1.
  void SetSurface(int32_t width, int32_t height);
  // Frees the surface and re-initialises every field.
  void ReleaseSurface();
  // Each value must lie in [-1, 1]; state 1. Reported in state 0.
  void SetRotation(float sin_rx, float cos_rx, float sin_ry, float cos_ry, float sin_rz,
                   float cos_rz);
  void SetRotation(const AngleSines& sines) {
    SetRotation(sines.sin_x, sines.cos_x, sines.sin_y, sines.cos_y, sines.sin_z, sines.cos_z);
  }
  const AngleSines& Rotation() const { return rotation_; }
  // Checked: widths and near distance positive, near below far. The state is unchanged.
  void SetLens(float width, float height, float near_distance, float pivot_distance,
               float far_distance);
  const Lens& GetLens() const { return lens_; }
  void SetPosition(float x, float y, float z) { position_ = {x, y, z}; }
  Point3f Position() const { return position_; }
  // The textures draw polygon hands to the engine (null: textured modes draw nothing).
  void SetTextureSource(const TextureSource* textures) { textures_ = textures; }

  Surface16& Surface() { return surface_; }
  const Surface16& Surface() const { return surface_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t State() const { return state_; }
  const ProjectionScales& Scales() const { return scales_; }
  const RotationMatrix& WorldToCameraMatrix() const { return w_; }

  // Rebuilds W from the negated rotation when it is out of date; state 2.
  void Update();
  // W * (p - position), then z += PivotDst. Requires state 2.
  Point3f WorldToCamera(const Point3f& p) const;
  // Clips the camera-space polygon (at most kMaxVertices points) near/far, projects it and
  // clips it to the surface; mode 0 outlines it in white and returns the vertex count,
  // mode 1 culls back faces and textures it, any other mode textures it without culling
  // (texture results: 0). 0 when nothing is visible or the polygon is refused.
  int32_t DrawPolygon(const Point3f* points, const TexCoord2f* coords, int32_t n,
                      int32_t texture_id, int32_t mode);

 private:
  void RecomputeScales();

  Point3f position_{0.0f, 0.0f, 0.0f};
  AngleSines rotation_;
  Lens lens_;
  Surface16 surface_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  RotationMatrix w_;
  ProjectionScales scales_;
  int32_t state_ = 0;
  const TextureSource* textures_ = nullptr;
};
