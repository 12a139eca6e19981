// StageCamera is the perspective camera of the stage editor's perspective view: rotation
// as three angles, projection scale including LenzDst, and a display surface in a
// SurfaceRegistry into which callers fill the polygons it clips and projects. State: 0 no
// surface, 1 W out of date, 2 ready. Built without checks (callers keep within limits).
#pragma once

#include <cstdint>

#include "render/line_drawing.h"
#include "render/polygon.h"
#include "render/projection.h"
#include "render/rotation_matrix.h"
#include "render/surface_registry.h"
#include "render/texture_source.h"

class StageCamera {
 public:
  struct Lens {
    float width = 1.0f;            // LenzWIdth
    float height = 1.0f;           // LenzHeight
    float near_distance = 1.0f;    // LenzDst
    float pivot_distance = 10.0f;  // PivotDst
    float far_distance = 10000.0f; // FarDst
  };

  // The registry holds the display surface; it must outlive the camera (may be null: then
  // nothing is drawn).
  explicit StageCamera(SurfaceRegistry* registry = nullptr) : registry_(registry) {}
  void SetRegistry(SurfaceRegistry* registry) { registry_ = registry; }

  Point3f Position() const { return position_; }
  void SetPosition(float x, float y, float z) { position_ = {x, y, z}; }
  // Rx, Ry, Rz as x, y, z.
  Point3f Rotation() const { return rotation_; }
  // Makes the state 1.
  void SetRotation(float rx, float ry, float rz);
  const Lens& GetLens() const { return lens_; }
  // Stores the lens and recomputes the scales (the state is unchanged).
  void SetLens(float width, float height, float near_distance, float pivot_distance,
               float far_distance);
  // Has the registry re-make surface `id` at the size, recomputes the scales; state 1.
  void SetDisplaySurface(int32_t id, int32_t width, int32_t height);
  int32_t DisplaySurface() const { return surface_id_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t State() const { return state_; }
  const ProjectionScales& Scales() const { return scales_; }

  // W = ViewMatrix(-Rx, -Ry, -Rz); state 2.
  void Update();
  const RotationMatrix& WorldToCameraMatrix() const { return w_; }
  // W * (p - position), z += PivotDst; updates W first when out of date.
  Point3f WorldToCamera(const Point3f& p);
  // 0 and *screen set when LenzDst < z < FarDst; otherwise -1, *screen untouched.
  int32_t ProjectPoint(const Point3f& camera_point, Point3f* screen) const;
  // Clips the camera-space polygon (arrays of kPolygonCapacity entries, n at most that)
  // near/far, projects it and clips it to the surface, in place; returns the new count
  // (0 = nothing visible or refused).
  int32_t ClipAndProject(Point3f* points, TexCoord2f* coords, int32_t n) const;

  // Forwarding to the display surface.
  Surface16* Surface() const;
  void Clear(uint16_t colour = 0);
  int32_t FillFlat(const Point3f* points, int32_t n, uint16_t colour);
  int32_t FillAffine(const Point3f* points, const TexCoord2f* coords, int32_t n,
                     const TextureSource& textures, int32_t texture_id);
  int32_t FillPerspective(const Point3f* points, const TexCoord2f* coords, int32_t n,
                          const TextureSource& textures, int32_t texture_id);
  void DrawPolyline(const Point3f* points, int32_t n, bool closed, const Pen& pen);

 private:
  void RecomputeScales();

  SurfaceRegistry* registry_ = nullptr;
  Point3f position_{0.0f, 100.0f, 0.0f};
  Point3f rotation_{0.0f, 0.0f, 0.0f};
  Lens lens_;
  int32_t surface_id_ = -1;
  int32_t width_ = 0;
  int32_t height_ = 0;
  RotationMatrix w_;
  ProjectionScales scales_;
  int32_t state_ = 0;
};
