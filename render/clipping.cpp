#include "render/clipping.h"

#include <algorithm>

#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "Clipping4";
constexpr const char* kOverflowMessage = "クリッピングバッファが足りない。メモリ破壊";

// A pass over n <= kPolygonCapacity vertices emits at most two per edge.
constexpr int32_t kWorkCapacity = 2 * kPolygonCapacity;

struct WorkPolygon {
  Point3f points[kWorkCapacity];
  TexCoord2f coords[kWorkCapacity];
};

bool LexicographicallyLess(const Point3f& a, const Point3f& b) {
  if (a.x != b.x) return a.x < b.x;
  if (a.y != b.y) return a.y < b.y;
  return a.z < b.z;
}

// The endpoints in canonical order, so shared edges give identical cuts.
void Order(const Point3f*& p0, const TexCoord2f*& c0, const Point3f*& p1,
           const TexCoord2f*& c1) {
  if (!LexicographicallyLess(*p0, *p1)) {
    std::swap(p0, p1);
    std::swap(c0, c1);
  }
}

// Perspective-correct cut of a screen-space edge at fraction g of its screen extent.
void FinishScreenCut(const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                     const TexCoord2f& c1, float g, Point3f* point, TexCoord2f* coord) {
  const double s = Clipping4::PerspectiveParameter(g, p0.z, p1.z);
  point->z = static_cast<float>(p0.z + (p1.z - p0.z) * s);
  coord->u = static_cast<float>(c0.u + s * (c1.u - c0.u));
  coord->v = static_cast<float>(c0.v + s * (c1.v - c0.v));
}

// One Sutherland-Hodgman pass; Outside(p) says whether a vertex lies outside the plane.
template <typename Outside, typename Cut>
int32_t Pass(const Point3f* in_points, const TexCoord2f* in_coords, int32_t n,
             Point3f* out_points, TexCoord2f* out_coords, Outside outside, Cut cut) {
  int32_t count = 0;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const bool i_out = outside(in_points[i]);
    const bool j_out = outside(in_points[j]);
    if (!i_out) {
      out_points[count] = in_points[i];
      out_coords[count] = in_coords[i];
      ++count;
    }
    if (i_out != j_out) {
      cut(in_points[i], in_coords[i], in_points[j], in_coords[j], &out_points[count],
          &out_coords[count]);
      ++count;
    }
  }
  return count;
}

int32_t CopyBack(const WorkPolygon& work, int32_t count, int32_t capacity, Point3f* points,
                 TexCoord2f* coords) {
  if (count > capacity || count > kPolygonCapacity) {
    SUITE_FATAL(kTag, kOverflowMessage);
    return 0;
  }
  std::copy_n(work.points, count, points);
  std::copy_n(work.coords, count, coords);
  return count;
}

bool InputFits(int32_t n) {
  if (n > kPolygonCapacity) {
    SUITE_FATAL(kTag, kOverflowMessage);
    return false;
  }
  return n > 0;
}

}  // namespace

double Clipping4::PerspectiveParameter(double g, double z0, double z1) {
  if (z0 == z1) return g;
  return z0 * g / (z1 + (z0 - z1) * g);
}

void Clipping4::IntersectX(const Point3f& p0_in, const TexCoord2f& c0_in, const Point3f& p1_in,
                           const TexCoord2f& c1_in, float a, Point3f* point,
                           TexCoord2f* coord) {
  const Point3f* p0 = &p0_in;
  const Point3f* p1 = &p1_in;
  const TexCoord2f* c0 = &c0_in;
  const TexCoord2f* c1 = &c1_in;
  Order(p0, c0, p1, c1);
  SUITE_CHECK(p0->x != p1->x, kTag, "X面と平行の直線との交点を求めようとした");
  const float g = (a - p0->x) / (p1->x - p0->x);
  point->x = a;
  point->y = p0->y + (p1->y - p0->y) * g;
  FinishScreenCut(*p0, *c0, *p1, *c1, g, point, coord);
}

void Clipping4::IntersectY(const Point3f& p0_in, const TexCoord2f& c0_in, const Point3f& p1_in,
                           const TexCoord2f& c1_in, float a, Point3f* point,
                           TexCoord2f* coord) {
  const Point3f* p0 = &p0_in;
  const Point3f* p1 = &p1_in;
  const TexCoord2f* c0 = &c0_in;
  const TexCoord2f* c1 = &c1_in;
  Order(p0, c0, p1, c1);
  SUITE_CHECK(p0->y != p1->y, kTag, "Y面と平行の直線との交点を求めようとした");
  const float g = (a - p0->y) / (p1->y - p0->y);
  point->y = a;
  point->x = p0->x + (p1->x - p0->x) * g;
  FinishScreenCut(*p0, *c0, *p1, *c1, g, point, coord);
}

void Clipping4::IntersectZ(const Point3f& p0_in, const TexCoord2f& c0_in, const Point3f& p1_in,
                           const TexCoord2f& c1_in, float a, Point3f* point,
                           TexCoord2f* coord) {
  const Point3f* p0 = &p0_in;
  const Point3f* p1 = &p1_in;
  const TexCoord2f* c0 = &c0_in;
  const TexCoord2f* c1 = &c1_in;
  Order(p0, c0, p1, c1);
  SUITE_CHECK(p0->z != p1->z, kTag, "Z面と平行の直線との交点を求めようとした");
  const float g = (a - p0->z) / (p1->z - p0->z);
  point->z = a;
  point->x = p0->x + (p1->x - p0->x) * g;
  point->y = p0->y + (p1->y - p0->y) * g;
  coord->u = c0->u + (c1->u - c0->u) * g;
  coord->v = c0->v + (c1->v - c0->v) * g;
}

int32_t Clipping4::ClipNearFar(Point3f* points, TexCoord2f* coords, int32_t n, int32_t capacity,
                               float near_z, float far_z) {
  if (!InputFits(n)) return 0;
  WorkPolygon a;
  WorkPolygon b;
  auto cut_near = [near_z](const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                           const TexCoord2f& c1, Point3f* p, TexCoord2f* c) {
    IntersectZ(p0, c0, p1, c1, near_z, p, c);
  };
  auto cut_far = [far_z](const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                         const TexCoord2f& c1, Point3f* p, TexCoord2f* c) {
    IntersectZ(p0, c0, p1, c1, far_z, p, c);
  };
  int32_t count = Pass(points, coords, n, a.points, a.coords,
                       [near_z](const Point3f& p) { return p.z < near_z; }, cut_near);
  if (count > capacity || count > kPolygonCapacity) {
    SUITE_FATAL(kTag, kOverflowMessage);
    return 0;
  }
  count = Pass(a.points, a.coords, count, b.points, b.coords,
               [far_z](const Point3f& p) { return p.z > far_z; }, cut_far);
  return CopyBack(b, count, capacity, points, coords);
}

int32_t Clipping4::ClipToScreen(Point3f* points, TexCoord2f* coords, int32_t n, int32_t width,
                                int32_t height) {
  if (!InputFits(n)) return 0;
  const float right = static_cast<float>(width - 1);
  const float bottom = static_cast<float>(height - 1);
  WorkPolygon a;
  WorkPolygon b;
  auto cut_x = [](float plane) {
    return [plane](const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                   const TexCoord2f& c1, Point3f* p, TexCoord2f* c) {
      IntersectX(p0, c0, p1, c1, plane, p, c);
    };
  };
  auto cut_y = [](float plane) {
    return [plane](const Point3f& p0, const TexCoord2f& c0, const Point3f& p1,
                   const TexCoord2f& c1, Point3f* p, TexCoord2f* c) {
      IntersectY(p0, c0, p1, c1, plane, p, c);
    };
  };
  // Each pass's result must fit the 20-entry arrays the next pass and the caller use.
  int32_t count = Pass(points, coords, n, a.points, a.coords,
                       [](const Point3f& p) { return p.x < 0.0f; }, cut_x(0.0f));
  if (count > kPolygonCapacity) return CopyBack(a, count, kPolygonCapacity, points, coords);
  count = Pass(a.points, a.coords, count, b.points, b.coords,
               [right](const Point3f& p) { return p.x > right; }, cut_x(right));
  if (count > kPolygonCapacity) return CopyBack(b, count, kPolygonCapacity, points, coords);
  count = Pass(b.points, b.coords, count, a.points, a.coords,
               [](const Point3f& p) { return p.y < 0.0f; }, cut_y(0.0f));
  if (count > kPolygonCapacity) return CopyBack(a, count, kPolygonCapacity, points, coords);
  count = Pass(a.points, a.coords, count, b.points, b.coords,
               [bottom](const Point3f& p) { return p.y > bottom; }, cut_y(bottom));
  return CopyBack(b, count, kPolygonCapacity, points, coords);
}
