#include "render/clipping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/render/render_test_support.h"

namespace {

struct Polygon {
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
};

bool BitEqual(const Point3f& a, const Point3f& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Clipping4Test, PerspectiveParameter) {
  EXPECT_DOUBLE_EQ(Clipping4::PerspectiveParameter(0.5, 0.2, 0.8), 0.2);
  EXPECT_EQ(Clipping4::PerspectiveParameter(0.3, 0.5, 0.5), 0.3);
  // Depth at the cut: 0.2 + 0.6 * 0.2 = 0.32, not the screen midpoint's 0.5.
  Point3f p;
  TexCoord2f c;
  Clipping4::IntersectX({0, 0, 0.2f}, {0, 0}, {10, 10, 0.8f}, {1, 1}, 5.0f, &p, &c);
  EXPECT_FLOAT_EQ(p.z, 0.32f);
  EXPECT_FLOAT_EQ(p.y, 5.0f);
  EXPECT_FLOAT_EQ(c.u, 0.2f);
}

TEST(Clipping4Test, VerticesOnThePlanesAreInside) {
  Polygon poly{{{0, 0, 1}, {10, 0, 5}, {10, 10, 5}}, {{0, 0}, {1, 0}, {1, 1}}};
  EXPECT_EQ(Clipping4::ClipNearFar(poly.points, poly.coords, 3, 20, 1.0f, 5.0f), 3);
  EXPECT_EQ(poly.points[0].z, 1.0f);
  EXPECT_EQ(Clipping4::ClipToScreen(poly.points, poly.coords, 3, 11, 11), 3);
  EXPECT_EQ(poly.points[1].x, 10.0f);
}

TEST(Clipping4Test, NearPlaneRemovesOrCutsTriangles) {
  Polygon behind{{{0, 0, 0.5f}, {1, 0, 0.2f}, {0, 1, 0.9f}}, {}};
  EXPECT_EQ(Clipping4::ClipNearFar(behind.points, behind.coords, 3, 20, 1.0f, 100.0f), 0);
  Polygon one_behind{{{0, 0, 0.0f}, {4, 0, 4.0f}, {0, 4, 4.0f}}, {{0, 0}, {1, 0}, {0, 1}}};
  const int32_t n =
      Clipping4::ClipNearFar(one_behind.points, one_behind.coords, 3, 20, 1.0f, 100.0f);
  ASSERT_EQ(n, 4);
  int32_t on_near = 0;
  for (int32_t i = 0; i < n; ++i) on_near += one_behind.points[i].z == 1.0f;
  EXPECT_EQ(on_near, 2);
  // The Z cut is linear: a quarter of the way along the edge.
  EXPECT_FLOAT_EQ(one_behind.coords[0].u, 0.25f);
  EXPECT_FLOAT_EQ(one_behind.coords[n - 1].v, 0.25f);
}

TEST(Clipping4Test, SharedEdgesAreCutIdentically) {
  const Point3f a{-7.3f, 3.1f, 0.25f};
  const Point3f b{13.9f, 17.7f, 0.9f};
  const TexCoord2f ca{0.1f, 0.7f};
  const TexCoord2f cb{0.9f, 0.2f};
  Point3f forward, backward;
  TexCoord2f cf, cbk;
  Clipping4::IntersectX(a, ca, b, cb, 0.0f, &forward, &cf);
  Clipping4::IntersectX(b, cb, a, ca, 0.0f, &backward, &cbk);
  EXPECT_TRUE(BitEqual(forward, backward));
  EXPECT_EQ(std::memcmp(&cf, &cbk, sizeof cf), 0);
  Clipping4::IntersectY(a, ca, b, cb, 10.0f, &forward, &cf);
  Clipping4::IntersectY(b, cb, a, ca, 10.0f, &backward, &cbk);
  EXPECT_TRUE(BitEqual(forward, backward));
  Clipping4::IntersectZ(a, ca, b, cb, 0.5f, &forward, &cf);
  Clipping4::IntersectZ(b, cb, a, ca, 0.5f, &backward, &cbk);
  EXPECT_TRUE(BitEqual(forward, backward));

  // Two triangles sharing the edge a-b, walked in opposite directions, clipped to a screen.
  Polygon left{{a, b, {-9.0f, 20.0f, 0.5f}}, {ca, cb, {0, 0}}};
  Polygon right{{b, a, {12.0f, -4.0f, 0.3f}}, {cb, ca, {1, 1}}};
  const int32_t nl = Clipping4::ClipToScreen(left.points, left.coords, 3, 12, 12);
  const int32_t nr = Clipping4::ClipToScreen(right.points, right.coords, 3, 12, 12);
  int32_t shared = 0;
  for (int32_t i = 0; i < nl; ++i) {
    for (int32_t j = 0; j < nr; ++j) shared += BitEqual(left.points[i], right.points[j]);
  }
  EXPECT_EQ(shared, 2);
}

TEST(Clipping4Test, SquareStraddlingEveryEdgeBecomesAnOctagon) {
  Polygon square{{{-5, 5, 0.5f}, {5, -5, 0.5f}, {15, 5, 0.5f}, {5, 15, 0.5f}}, {}};
  EXPECT_EQ(Clipping4::ClipToScreen(square.points, square.coords, 4, 11, 11), 8);
  Polygon outside{{{-5, 1, 0.5f}, {-1, 1, 0.5f}, {-3, 4, 0.5f}}, {}};
  EXPECT_EQ(Clipping4::ClipToScreen(outside.points, outside.coords, 3, 11, 11), 0);
}

TEST(Clipping4Test, FourteenGonFitsAfterAllSixPlanes) {
  Polygon poly{};
  for (int32_t i = 0; i < 14; ++i) {
    const double angle = 2.0 * M_PI * i / 14.0;
    poly.points[i] = {static_cast<float>(50 + 70 * std::cos(angle)),
                      static_cast<float>(50 + 70 * std::sin(angle)),
                      static_cast<float>(2.0 + 1.5 * std::cos(angle))};
  }
  int32_t n = Clipping4::ClipNearFar(poly.points, poly.coords, 14, 20, 1.0f, 3.0f);
  EXPECT_LE(n, 16);
  n = Clipping4::ClipToScreen(poly.points, poly.coords, n, 100, 100);
  EXPECT_GT(n, 0);
  EXPECT_LE(n, 20);
}

TEST(Clipping4Test, OverflowIsReportedBeforeAnythingIsOverrun) {
  // A star (not convex) gains many vertices at one plane.
  Polygon star{};
  for (int32_t i = 0; i < 20; ++i) {
    star.points[i] = {static_cast<float>(i), 0.0f, (i % 2) ? 5.0f : 0.0f};
  }
  EXPECT_REPORTED("クリッピングバッファが足りない。メモリ破壊",
                Clipping4::ClipNearFar(star.points, star.coords, 20, 20, 1.0f, 9.0f));
  EXPECT_REPORTED("クリッピングバッファが足りない。メモリ破壊",
                Clipping4::ClipNearFar(star.points, star.coords, 6, 4, 1.0f, 9.0f));
  Polygon zigzag{};
  for (int32_t i = 0; i < 20; ++i) {
    zigzag.points[i] = {(i % 2) ? 5.0f : -5.0f, static_cast<float>(i), 0.5f};
  }
  EXPECT_REPORTED("クリッピングバッファが足りない。メモリ破壊",
                Clipping4::ClipToScreen(zigzag.points, zigzag.coords, 20, 100, 100));
  EXPECT_REPORTED("Z面と平行の直線との交点を求めようとした",
                Clipping4::IntersectZ({0, 0, 1}, {}, {1, 1, 1}, {}, 1.0f, &star.points[0],
                                        &star.coords[0]));
}

}  // namespace
