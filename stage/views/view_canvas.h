// What the layers of a view draw through: a camera that turns world points into pixels of
// the view's surface. The parallel views draw through their ParallelCamera, the perspective
// view through its StageCamera (lines clipped at the near and far distances), the partition
// view through its own camera; the layer code is the same for all of them.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/line_drawing.h"
#include "render/parallel_camera.h"
#include "render/polygon.h"
#include "render/stage_camera.h"
#include "render/texture_source.h"

// The most vertices a filled polygon may have: clipping adds at most one a plane, and after
// the six planes (near, far and the four surface edges) 14 still fit the clipping buffers
// of kPolygonCapacity. Larger polygons (no model of the suite has them) are not filled.
constexpr int32_t kFilledPolygonMax = 14;

// A screen rectangle, both corners included.
struct ScreenBox {
  int32_t x0 = 0;
  int32_t y0 = 0;
  int32_t x1 = -1;
  int32_t y1 = -1;
};

class ViewCanvas {
 public:
  explicit ViewCanvas(const TextureSource& textures) : textures_(textures) {}
  virtual ~ViewCanvas() = default;

  virtual Surface16& Target() = 0;
  // An outline of world points.
  virtual void Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) = 0;
  // A world polygon (at most kFilledPolygonMax points), filled whichever side is seen.
  virtual void FillFlat(const Point3f* world, int32_t n, uint16_t colour) = 0;
  virtual void FillTextured(const Point3f* world, const TexCoord2f* coords, int32_t n,
                            int32_t picture) = 0;
  // The pixel a world point lands on; false when the camera cannot see it (behind a
  // perspective camera).
  virtual bool ScreenPoint(const Point3f& world, float* x, float* y) = 0;
  // World units one pixel spans at `at`.
  virtual float WorldPerPixel(const Point3f& at) = 0;

  // The rectangle around the points the camera sees; false when it sees none.
  bool Bounds(const Point3f* world, int32_t n, ScreenBox* box);
  const TextureSource& Textures() const { return textures_; }

 private:
  const TextureSource& textures_;
};

class ParallelCanvas : public ViewCanvas {
 public:
  ParallelCanvas(ParallelCamera& camera, const TextureSource& textures)
      : ViewCanvas(textures), camera_(camera) {}

  Surface16& Target() override { return camera_.Surface(); }
  void Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) override;
  void FillFlat(const Point3f* world, int32_t n, uint16_t colour) override;
  void FillTextured(const Point3f* world, const TexCoord2f* coords, int32_t n,
                    int32_t picture) override;
  bool ScreenPoint(const Point3f& world, float* x, float* y) override;
  float WorldPerPixel(const Point3f& at) override;

 private:
  // Projected, turned to face the viewer and clipped to the surface; the new count.
  int32_t Project(const Point3f* world, const TexCoord2f* coords, int32_t n, Point3f* points,
                  TexCoord2f* out_coords);
  ParallelCamera& camera_;
};

class PerspectiveCanvas : public ViewCanvas {
 public:
  PerspectiveCanvas(StageCamera& camera, const TextureSource& textures)
      : ViewCanvas(textures), camera_(camera) {}

  Surface16& Target() override;
  void Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) override;
  void FillFlat(const Point3f* world, int32_t n, uint16_t colour) override;
  void FillTextured(const Point3f* world, const TexCoord2f* coords, int32_t n,
                    int32_t picture) override;
  bool ScreenPoint(const Point3f& world, float* x, float* y) override;
  float WorldPerPixel(const Point3f& at) override;

  // One segment in camera space, cut at the near and far distances and drawn.
  void Segment(Point3f a, Point3f b, const Pen& pen);

 private:
  int32_t Project(const Point3f* world, const TexCoord2f* coords, int32_t n, Point3f* points,
                  TexCoord2f* out_coords);
  StageCamera& camera_;
  Surface16 none_;
};
