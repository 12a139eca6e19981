// The camera of the partition view: it looks along the road across the closing line of the
// current partition, so the road and its terrain wires show as a cross-section. It is placed
// with the road pose and frame there, the road's bank kept (level with the partition) or
// taken out (level with world coordinates), and projects without perspective: `zoom` is
// half the pixels per world unit, and a drag moves the offset by 0.5 / zoom per pixel, so
// the picture follows the pointer.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "stage/stage.h"
#include "stage/view_records.h"
#include "stage/views/view_canvas.h"

class PartitionCamera {
 public:
  static constexpr float kZoomMin = 0.001f;
  static constexpr float kZoomMax = 100.0f;
  static constexpr float kInitialZoom = 2.0f;
  static constexpr float kOffsetPerPixel = 0.5f;  // divided by the zoom

  void MakeSurface(int32_t width, int32_t height);
  Surface16& Surface() { return surface_; }
  const Surface16& Surface() const { return surface_; }

  // Places the camera across partition p; false (camera unchanged) when p does not exist.
  bool Place(const Stage& stage, int32_t p, bool level_with_world);

  // Places the camera across p and zooms out, never in beyond kInitialZoom, until every wire
  // point and road end of p lies on the surface around the current offset (the zoom stays
  // while there is no surface). False (nothing changed) when p does not exist.
  bool FitWires(const Stage& stage, int32_t p, bool level_with_world);

  float Zoom() const { return zoom_; }
  // Clamped to [kZoomMin, kZoomMax].
  void SetZoom(float zoom);
  float OffsetX() const { return offset_x_; }
  float OffsetY() const { return offset_y_; }
  // A drag of (dx, dy) pixels (y down) moves the picture with the pointer.
  void Drag(int32_t dx, int32_t dy);
  // Zooms by `factor`, keeping the world point under pixel (x, y) where it is.
  void ZoomAbout(float factor, int32_t x, int32_t y);

  // The pixel of a world point, and the world units one pixel spans.
  void ToScreen(const Point3f& world, float* x, float* y) const;
  float WorldPerPixel() const { return 1.0f / (2.0f * zoom_); }
  // The axes the view shows in world coordinates: to the right, and up on the screen.
  Point3f RightAxis() const { return right_; }
  Point3f UpAxis() const { return up_; }

  // The stored state: offset x and y, the fraction along the partition, then (after the zoom,
  // which is not stored) the centre of the last placement and two words kept free.
  void SaveState(PartitionViewRecord* record) const;
  void LoadState(const PartitionViewRecord& record);
  // Back to the state at program start (the surface stays).
  void Reset();

 private:
  Surface16 surface_;
  float offset_x_ = 0.0f;
  float offset_y_ = 0.0f;
  float fraction_ = 1.0f;  // where along the partition the view stands
  float zoom_ = kInitialZoom;
  Point3f centre_;
  Point3f right_{1.0f, 0.0f, 0.0f};
  Point3f up_{0.0f, 1.0f, 0.0f};
};

class PartitionCanvas : public ViewCanvas {
 public:
  PartitionCanvas(PartitionCamera& camera, const TextureSource& textures)
      : ViewCanvas(textures), camera_(camera) {}

  Surface16& Target() override { return camera_.Surface(); }
  void Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) override;
  void FillFlat(const Point3f* world, int32_t n, uint16_t colour) override;
  void FillTextured(const Point3f* world, const TexCoord2f* coords, int32_t n,
                    int32_t picture) override;
  bool ScreenPoint(const Point3f& world, float* x, float* y) override;
  float WorldPerPixel(const Point3f&) override { return camera_.WorldPerPixel(); }

 private:
  int32_t Project(const Point3f* world, const TexCoord2f* coords, int32_t n, Point3f* points,
                  TexCoord2f* out_coords) const;
  PartitionCamera& camera_;
};
