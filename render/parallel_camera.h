// ParallelCamera is the camera of the stage editor's parallel views (top, side, front). It
// owns the view's 16-bit surface, projects with separate horizontal and vertical scales,
// draws filled polygons and outlines, and collects what the view drew in three display
// lists that the editing tools pick from. Built without checks.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "foundation/typed_database.h"
#include "render/line_drawing.h"
#include "render/polygon.h"
#include "render/texture_source.h"

// Screen rectangle and identity of a drawn item. The three lists hold one, four and three
// identifiers (24, 36 and 32 bytes per entry).
struct DisplayItem1 {
  int32_t x0, y0, x1, y1;
  int32_t type;  // 1 or 2
  int32_t id;
};
struct DisplayItem4 {
  int32_t x0, y0, x1, y1;
  int32_t type;  // 3
  int32_t ids[4];
};
struct DisplayItem3 {
  int32_t x0, y0, x1, y1;
  int32_t type;  // 5 (partitions) or others
  int32_t ids[3];
};
static_assert(sizeof(DisplayItem1) == 24 && sizeof(DisplayItem4) == 36 &&
              sizeof(DisplayItem3) == 32);

class ParallelCamera {
 public:
  enum Attribute : int32_t { kUnset = -1, kTop = 1, kSide = 2, kFront = 3 };

  // Width and height rounded up to multiples of 4, then a cleared surface; scales updated.
  void MakeSurface(int32_t width, int32_t height);
  Surface16& Surface() { return surface_; }
  const Surface16& Surface() const { return surface_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // 1..3 are stored, other values ignored.
  void SetAttribute(int32_t attribute);
  int32_t GetAttribute() const { return attribute_; }
  float UnitX() const { return unit_x_; }
  float UnitY() const { return unit_y_; }
  void SetUnitX(float unit);
  void SetUnitY(float unit);
  void GetPositionAndZoom(double* x, double* y, double* z, double* zoom) const;
  // Stores the position, then sets the zoom.
  void SetPositionAndZoom(double x, double y, double z, double zoom);
  // Clamped to [0.0001, 1.0]; scales updated.
  void SetZoom(double zoom);
  // The zoom for attributes 1..3, else 0.
  double GetZoom() const;
  float ScaleX() const { return scale_x_; }
  float ScaleY() const { return scale_y_; }
  // Top moves in X and Z, side in Y and Z, front in X and Y.
  void Move(double dx, double dy, double dz);

  // 0 and the screen point (centre + trunc(difference * scale)) with the unscaled depth
  // difference; 1 (outputs untouched) while no attribute is set.
  int32_t WorldToScreen(double x, double y, double z, double* screen_x, double* screen_y,
                        double* depth) const;

  // Projects the world polygon (at most kPolygonCapacity points), clips it to the surface
  // and fills it flat or with the affine texture fill; a polygon seen from behind is filled
  // with its vertex order reversed. Results as the fills'; 0 when nothing is visible.
  int32_t FillPolygon(const Point3f* world, int32_t n, uint16_t colour);
  int32_t FillPolygon(const Point3f* world, const TexCoord2f* coords, int32_t n,
                      const TextureSource& textures, int32_t texture_id);
  // Outline of projected world points (closed or open) with the pen.
  void DrawPolyline(const Point3f* world, int32_t n, bool closed, const Pen& pen);

  // Display lists. Add* appends only items whose rectangle is non-empty and touches the
  // surface, and returns whether it did.
  void ClearDisplayLists();
  bool AddToDisplayList(const DisplayItem1& item);
  bool AddToDisplayList(const DisplayItem4& item);
  bool AddToDisplayList(const DisplayItem3& item);
  const RecordList<DisplayItem1>& List1() const { return list1_; }
  const RecordList<DisplayItem4>& List4() const { return list4_; }
  const RecordList<DisplayItem3>& List3() const { return list3_; }
  // Index of the entry under (x, y) of the type (-1: any type) that follows the entry equal
  // to `selected` among the matches, else the first match; -1 with no match. Repeated picks
  // with the result as the new selection step through stacked items.
  int32_t Pick(int32_t x, int32_t y, int32_t type, const DisplayItem1& selected) const;
  int32_t Pick(int32_t x, int32_t y, int32_t type, const DisplayItem4& selected) const;
  int32_t Pick(int32_t x, int32_t y, int32_t type, const DisplayItem3& selected) const;

 private:
  void RecomputeScales();
  template <typename Item>
  bool Touches(const Item& item) const;
  // Projected and clipped copy of the world polygon; returns its count.
  int32_t ProjectAndClip(const Point3f* world, const TexCoord2f* coords, int32_t n,
                         Point3f* points, TexCoord2f* out_coords) const;

  double position_x_ = 0.0;
  double position_y_ = 0.0;
  double position_z_ = 0.0;
  double zoom_ = 0.001;
  float unit_x_ = 1.0f;
  float unit_y_ = 1.0f;
  Surface16 surface_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t attribute_ = kUnset;
  float scale_x_ = 0.0f;
  float scale_y_ = 0.0f;
  int32_t centre_x_ = 0;
  int32_t centre_y_ = 0;
  RecordList<DisplayItem1> list1_;
  RecordList<DisplayItem4> list4_;
  RecordList<DisplayItem3> list3_;
};
