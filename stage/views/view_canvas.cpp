#include "stage/views/view_canvas.h"

#include <algorithm>
#include <cmath>

#include "render/clipping.h"
#include "render/numeric_conversion.h"
#include "render/projection.h"
#include "stage/views/view_fill.h"

namespace {
void Reverse(Point3f* points, TexCoord2f* coords, int32_t n) {
  std::reverse(points, points + n);
  std::reverse(coords, coords + n);
}
}  // namespace

bool ViewCanvas::Bounds(const Point3f* world, int32_t n, ScreenBox* box) {
  bool any = false;
  float x0 = 0.0f, y0 = 0.0f, x1 = 0.0f, y1 = 0.0f;
  for (int32_t i = 0; i < n; ++i) {
    float x = 0.0f, y = 0.0f;
    if (!ScreenPoint(world[i], &x, &y) || !std::isfinite(x) || !std::isfinite(y)) continue;
    if (!any) {
      x0 = x1 = x;
      y0 = y1 = y;
      any = true;
    } else {
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = std::max(y1, y);
    }
  }
  if (!any) return false;
  *box = {TruncToInt32(x0), TruncToInt32(y0), TruncToInt32(x1), TruncToInt32(y1)};
  return true;
}

// --- Parallel ----------------------------------------------------------------------------

void ParallelCanvas::Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) {
  camera_.DrawPolyline(world, n, closed, pen);
}

int32_t ParallelCanvas::Project(const Point3f* world, const TexCoord2f* coords, int32_t n,
                                Point3f* points, TexCoord2f* out_coords) {
  if (n < 1 || n > kFilledPolygonMax) return 0;
  for (int32_t i = 0; i < n; ++i) {
    double sx = 0.0, sy = 0.0, depth = 0.0;
    if (camera_.WorldToScreen(world[i].x, world[i].y, world[i].z, &sx, &sy, &depth) != 0) {
      return 0;
    }
    points[i] = {static_cast<float>(sx), static_cast<float>(sy), 1.0f};
    out_coords[i] = coords != nullptr ? coords[i] : TexCoord2f{};
  }
  if (FacesAway(points, n)) Reverse(points, out_coords, n);
  return Clipping4::ClipToScreen(points, out_coords, n, camera_.Width(), camera_.Height());
}

void ParallelCanvas::FillFlat(const Point3f* world, int32_t n, uint16_t colour) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, nullptr, n, points, coords);
  if (count > 0) view_fill::Flat(camera_.Surface(), points, count, colour);
}

void ParallelCanvas::FillTextured(const Point3f* world, const TexCoord2f* world_coords, int32_t n,
                                  int32_t picture) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, world_coords, n, points, coords);
  if (count > 0) view_fill::Affine(camera_.Surface(), points, coords, count, Textures(), picture);
}

bool ParallelCanvas::ScreenPoint(const Point3f& world, float* x, float* y) {
  double sx = 0.0, sy = 0.0, depth = 0.0;
  if (camera_.WorldToScreen(world.x, world.y, world.z, &sx, &sy, &depth) != 0) return false;
  *x = static_cast<float>(sx);
  *y = static_cast<float>(sy);
  return true;
}

float ParallelCanvas::WorldPerPixel(const Point3f&) {
  return camera_.ScaleX() > 0.0f ? 1.0f / camera_.ScaleX() : 1.0f;
}

// --- Perspective -------------------------------------------------------------------------

Surface16& PerspectiveCanvas::Target() {
  Surface16* surface = camera_.Surface();
  return surface != nullptr ? *surface : none_;
}

void PerspectiveCanvas::Segment(Point3f a, Point3f b, const Pen& pen) {
  const float near_z = camera_.GetLens().near_distance;
  const float far_z = camera_.GetLens().far_distance;
  if (a.z > b.z) std::swap(a, b);
  // Wholly behind the near distance or beyond the far one (NaN fails both tests).
  if (!(b.z > near_z) || !(a.z < far_z)) return;
  auto at = [&](float z) {
    const float t = (z - a.z) / (b.z - a.z);
    return Point3f{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, z};
  };
  if (a.z <= near_z) a = at(std::nextafter(near_z, far_z));
  if (b.z >= far_z) b = at(std::nextafter(far_z, near_z));
  Point3f pa, pb;
  pa = ::Project(a, camera_.Scales());
  pb = ::Project(b, camera_.Scales());
  Surface16& surface = Target();
  DrawLine(surface, TruncToInt32(pa.x), TruncToInt32(pa.y), TruncToInt32(pb.x), TruncToInt32(pb.y),
           pen);
}

void PerspectiveCanvas::Polyline(const Point3f* world, int32_t n, bool closed, const Pen& pen) {
  if (n < 2) return;
  Point3f first = camera_.WorldToCamera(world[0]);
  Point3f previous = first;
  for (int32_t i = 1; i < n; ++i) {
    const Point3f point = camera_.WorldToCamera(world[i]);
    Segment(previous, point, pen);
    previous = point;
  }
  if (closed && n > 2) Segment(previous, first, pen);
}

int32_t PerspectiveCanvas::Project(const Point3f* world, const TexCoord2f* coords, int32_t n,
                                   Point3f* points, TexCoord2f* out_coords) {
  if (n < 1 || n > kFilledPolygonMax) return 0;
  for (int32_t i = 0; i < n; ++i) {
    points[i] = camera_.WorldToCamera(world[i]);
    out_coords[i] = coords != nullptr ? coords[i] : TexCoord2f{};
  }
  const int32_t count = camera_.ClipAndProject(points, out_coords, n);
  if (count > 0 && FacesAway(points, count)) Reverse(points, out_coords, count);
  return count;
}

void PerspectiveCanvas::FillFlat(const Point3f* world, int32_t n, uint16_t colour) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, nullptr, n, points, coords);
  if (count > 0) view_fill::Flat(Target(), points, count, colour);
}

void PerspectiveCanvas::FillTextured(const Point3f* world, const TexCoord2f* world_coords,
                                     int32_t n, int32_t picture) {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
  const int32_t count = Project(world, world_coords, n, points, coords);
  if (count > 0) view_fill::Affine(Target(), points, coords, count, Textures(), picture);
}

bool PerspectiveCanvas::ScreenPoint(const Point3f& world, float* x, float* y) {
  Point3f screen;
  if (camera_.ProjectPoint(camera_.WorldToCamera(world), &screen) != 0) return false;
  *x = screen.x;
  *y = screen.y;
  return true;
}

float PerspectiveCanvas::WorldPerPixel(const Point3f& at) {
  const float z = camera_.WorldToCamera(at).z;
  const float scale = camera_.Scales().scale_x;
  return scale > 0.0f && z > 0.0f ? z / scale : 1.0f;
}
