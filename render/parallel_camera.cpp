#include "render/parallel_camera.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/affine_span_fill.h"
#include "render/clipping.h"
#include "render/flat_span_fill.h"
#include "render/projection.h"

namespace {

int32_t RoundUpTo4(int32_t value) { return value <= 0 ? 0 : (value + 3) / 4 * 4; }

template <typename Item>
bool SameItem(const Item& a, const Item& b) {
  return std::memcmp(&a, &b, sizeof(Item)) == 0;
}

template <typename Item>
int32_t PickIn(const RecordList<Item>& list, int32_t x, int32_t y, int32_t type,
               const Item& selected) {
  int32_t first = -1;
  bool after_selected = false;
  for (int32_t i = 0; i < list.Count(); ++i) {
    const Item item = list.At(i);
    if (x < item.x0 || x > item.x1 || y < item.y0 || y > item.y1) continue;
    if (type != -1 && item.type != type) continue;
    if (after_selected) return i;
    if (first == -1) first = i;
    if (SameItem(item, selected)) after_selected = true;
  }
  return first;
}

void Reverse(Point3f* points, TexCoord2f* coords, int32_t n) {
  std::reverse(points, points + n);
  std::reverse(coords, coords + n);
}

}  // namespace

void ParallelCamera::MakeSurface(int32_t width, int32_t height) {
  width_ = RoundUpTo4(width);
  height_ = RoundUpTo4(height);
  surface_.Resize(width_, height_);
  RecomputeScales();
}

void ParallelCamera::SetAttribute(int32_t attribute) {
  if (attribute >= kTop && attribute <= kFront) attribute_ = attribute;
}

void ParallelCamera::SetUnitX(float unit) {
  unit_x_ = unit;
  RecomputeScales();
}

void ParallelCamera::SetUnitY(float unit) {
  unit_y_ = unit;
  RecomputeScales();
}

void ParallelCamera::GetPositionAndZoom(double* x, double* y, double* z, double* zoom) const {
  *x = position_x_;
  *y = position_y_;
  *z = position_z_;
  *zoom = zoom_;
}

void ParallelCamera::SetPositionAndZoom(double x, double y, double z, double zoom) {
  position_x_ = x;
  position_y_ = y;
  position_z_ = z;
  SetZoom(zoom);
}

void ParallelCamera::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, 0.0001, 1.0);
  RecomputeScales();
}

double ParallelCamera::GetZoom() const {
  return (attribute_ >= kTop && attribute_ <= kFront) ? zoom_ : 0.0;
}

void ParallelCamera::RecomputeScales() {
  scale_x_ = static_cast<float>(width_ * zoom_ / unit_x_);
  scale_y_ = static_cast<float>(zoom_ * height_ / unit_y_);
  centre_x_ = width_ / 2;
  centre_y_ = height_ / 2;
}

void ParallelCamera::Move(double dx, double dy, double dz) {
  switch (attribute_) {
    case kTop:
      position_x_ += dx;
      position_z_ += dz;
      break;
    case kSide:
      position_y_ += dy;
      position_z_ += dz;
      break;
    case kFront:
      position_x_ += dx;
      position_y_ += dy;
      break;
    default:
      break;
  }
}

int32_t ParallelCamera::WorldToScreen(double x, double y, double z, double* screen_x,
                                      double* screen_y, double* depth) const {
  const double dx = x - position_x_;
  const double dy = y - position_y_;
  const double dz = z - position_z_;
  switch (attribute_) {
    case kTop:
      *screen_x = centre_x_ + std::trunc(dx * scale_x_);
      *screen_y = centre_y_ - std::trunc(dz * scale_y_);
      *depth = dy;
      return 0;
    case kSide:
      *screen_x = centre_x_ + std::trunc(dz * scale_x_);
      *screen_y = centre_y_ - std::trunc(dy * scale_y_);
      *depth = dx;
      return 0;
    case kFront:
      *screen_x = centre_x_ + std::trunc(dx * scale_x_);
      *screen_y = centre_y_ - std::trunc(dy * scale_y_);
      *depth = dz;
      return 0;
    default:
      return 1;
  }
}

int32_t ParallelCamera::ProjectAndClip(const Point3f* world, const TexCoord2f* coords,
                                       int32_t n, Point3f* points,
                                       TexCoord2f* out_coords) const {
  if (n < 1 || n > kPolygonCapacity) return 0;
  for (int32_t i = 0; i < n; ++i) {
    double sx = 0.0, sy = 0.0, depth = 0.0;
    if (WorldToScreen(world[i].x, world[i].y, world[i].z, &sx, &sy, &depth) != 0) return 0;
    // A constant depth makes the screen cuts linear, as a parallel view needs.
    points[i] = {static_cast<float>(sx), static_cast<float>(sy), 1.0f};
    out_coords[i] = coords != nullptr ? coords[i] : TexCoord2f{0.0f, 0.0f};
  }
  if (FacesAway(points, n)) Reverse(points, out_coords, n);
  return Clipping4::ClipToScreen(points, out_coords, n, width_, height_);
}

int32_t ParallelCamera::FillPolygon(const Point3f* world, int32_t n, uint16_t colour) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = ProjectAndClip(world, nullptr, n, points, coords);
  return count == 0 ? 0 : FlatSpanFill1::Fill(surface_, points, count, colour);
}

int32_t ParallelCamera::FillPolygon(const Point3f* world, const TexCoord2f* world_coords,
                                    int32_t n, const TextureSource& textures,
                                    int32_t texture_id) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = ProjectAndClip(world, world_coords, n, points, coords);
  return count == 0 ? 0
                    : AffineSpanFill1::Fill(surface_, points, coords, count, textures,
                                            texture_id);
}

void ParallelCamera::DrawPolyline(const Point3f* world, int32_t n, bool closed,
                                  const Pen& pen) {
  Point3f previous{};
  Point3f first{};
  for (int32_t i = 0; i < n; ++i) {
    double sx = 0.0, sy = 0.0, depth = 0.0;
    if (WorldToScreen(world[i].x, world[i].y, world[i].z, &sx, &sy, &depth) != 0) return;
    const Point3f point{static_cast<float>(sx), static_cast<float>(sy), 0.0f};
    if (i == 0) {
      first = point;
    } else {
      const Point3f segment[2] = {previous, point};
      ::DrawPolyline(surface_, segment, 2, false, pen);
    }
    previous = point;
  }
  if (closed && n > 2) {
    const Point3f segment[2] = {previous, first};
    ::DrawPolyline(surface_, segment, 2, false, pen);
  }
}

void ParallelCamera::ClearDisplayLists() {
  list1_.Clear();
  list4_.Clear();
  list3_.Clear();
}

template <typename Item>
bool ParallelCamera::Touches(const Item& item) const {
  return item.x1 >= item.x0 && item.y1 >= item.y0 && item.x1 >= 0 && item.y1 >= 0 &&
         item.x0 <= width_ && item.y0 <= height_;
}

bool ParallelCamera::AddToDisplayList(const DisplayItem1& item) {
  if (!Touches(item)) return false;
  list1_.Append(item);
  return true;
}

bool ParallelCamera::AddToDisplayList(const DisplayItem4& item) {
  if (!Touches(item)) return false;
  list4_.Append(item);
  return true;
}

bool ParallelCamera::AddToDisplayList(const DisplayItem3& item) {
  if (!Touches(item)) return false;
  list3_.Append(item);
  return true;
}

int32_t ParallelCamera::Pick(int32_t x, int32_t y, int32_t type,
                             const DisplayItem1& selected) const {
  return PickIn(list1_, x, y, type, selected);
}

int32_t ParallelCamera::Pick(int32_t x, int32_t y, int32_t type,
                             const DisplayItem4& selected) const {
  return PickIn(list4_, x, y, type, selected);
}

int32_t ParallelCamera::Pick(int32_t x, int32_t y, int32_t type,
                             const DisplayItem3& selected) const {
  return PickIn(list3_, x, y, type, selected);
}
