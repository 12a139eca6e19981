#include "render/perspec_texture_engine.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

#include "render/clipping.h"
#include "tests/render/render_test_support.h"

namespace {

constexpr uint16_t kBackground = 0x7FFF;

class PerspecTextureEngine1Test : public ::testing::Test {
 protected:
  void SetUp() override { PerspecTextureEngine1::StartUp(); }
  void TearDown() override { PerspecTextureEngine1::ShutDown(); }

  // Rows of the surface that hold at least one drawn pixel.
  static std::vector<int32_t> DrawnRows(const Surface16& surface) {
    std::vector<int32_t> rows;
    for (int32_t y = 0; y < surface.Height(); ++y) {
      for (int32_t x = 0; x < surface.Width(); ++x) {
        if (surface.At(x, y) != kBackground) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
  static int32_t CountDrawn(const Surface16& surface) {
    int32_t count = 0;
    for (int32_t y = 0; y < surface.Height(); ++y) {
      for (int32_t x = 0; x < surface.Width(); ++x) count += surface.At(x, y) != kBackground;
    }
    return count;
  }

  TestTextures textures_;
};

TEST_F(PerspecTextureEngine1Test, SegmentTableEntries) {
  const PerspecTextureEngine1::Segment* table = PerspecTextureEngine1::SegmentTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(std::bit_cast<uint32_t>(table[0].value), 0x7F7FFFFFu);
  EXPECT_EQ(std::bit_cast<uint32_t>(table[0].slope), 0x777FFFFFu);
  EXPECT_EQ(table[1].value, 4096.0f);
  EXPECT_EQ(table[1].slope, 0.03125f);
  EXPECT_FLOAT_EQ(table[4095].value, 1.0002442f);
  EXPECT_NEAR(table[4095].slope, 3.7262e-09f, 1e-13f);
  EXPECT_EQ(table[4096].value, 1.0f);
  EXPECT_EQ(table[4096].slope, 0.0f);
  // Exact at the segment ends, and depth 1.0 is segment 4096.
  EXPECT_EQ(PerspecTextureEngine1::Reciprocal(1 << 28), 1.0f);
  EXPECT_EQ(PerspecTextureEngine1::Reciprocal(1 << 27), 2.0f);
  EXPECT_NEAR(PerspecTextureEngine1::Reciprocal(3 << 26), 1.0f / 0.75f, 1e-6f);
  EXPECT_NEAR(PerspecTextureEngine1::Reciprocal((100 << 16) + 32768), 4096.0f / 100.5f, 0.01f);
}

TEST_F(PerspecTextureEngine1Test, StartUpCountAndTables) {
  PerspecTextureEngine1::StartUp();
  PerspecTextureEngine1::ShutDown();
  EXPECT_TRUE(PerspecTextureEngine1::Started());
  const int32_t id = textures_.AddCoordinateTexture(3, 3);
  Surface16 surface(16, 40);
  const Point3f points[3] = {{1, 1, 1}, {10, 1, 1}, {5, 9, 1}};
  const TexCoord2f coords[3] = {};
  PerspecTextureEngine1::DrawPolygon(surface, points, coords, 3, textures_, id);
  EXPECT_EQ(PerspecTextureEngine1::TableLength(), 40);
  PerspecTextureEngine1::Prepare(40);
  EXPECT_EQ(PerspecTextureEngine1::TopRow(), 36635);
  EXPECT_EQ(PerspecTextureEngine1::BottomRow(), -36636);
  Surface16 taller(16, 50);
  PerspecTextureEngine1::DrawPolygon(taller, points, coords, 3, textures_, id);
  EXPECT_EQ(PerspecTextureEngine1::TableLength(), 50);
  EXPECT_EQ(PerspecTextureEngine1::TopRow(), 1);
  EXPECT_EQ(PerspecTextureEngine1::BottomRow(), 9);
  EXPECT_REPORTED("空のテーブルを作成しようとした",
                PerspecTextureEngine1::CreateTables(0));
  EXPECT_REPORTED("設定されているメモリにさらに設定しようとした",
                PerspecTextureEngine1::CreateTables(10));
  EXPECT_REPORTED("クラスを初期化していません",
                PerspecTextureEngine1::ShutDown();
                  PerspecTextureEngine1::DrawPolygon(taller, points, coords, 3, textures_, id));
}

TEST_F(PerspecTextureEngine1Test, ClockwiseFillsTopRowsOnlyCounterClockwiseNothing) {
  const int32_t id = textures_.AddCoordinateTexture(3, 3);
  Surface16 surface(40, 40);
  surface.Fill(kBackground);
  const Point3f clockwise[3] = {{5.0f, 3.4f, 0.5f}, {30.0f, 8.0f, 0.5f}, {12.0f, 20.6f, 0.5f}};
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  PerspecTextureEngine1::DrawPolygon(surface, clockwise, coords, 3, textures_, id);
  const std::vector<int32_t> rows = DrawnRows(surface);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), 3);    // trunc(3.4 + 0.5)
  EXPECT_EQ(rows.back(), 20);    // trunc(20.6 + 0.5) - 1
  surface.Fill(kBackground);
  const Point3f counter[3] = {clockwise[0], clockwise[2], clockwise[1]};
  PerspecTextureEngine1::DrawPolygon(surface, counter, coords, 3, textures_, id);
  // Only where the two sides meet in one pixel (a span of length 0) is anything drawn.
  EXPECT_LE(CountDrawn(surface), 1);
}

TEST_F(PerspecTextureEngine1Test, TextureCornersAndVWrapMask) {
  // 64 x 32 texels: u = 1 is column 63, v = 1 is row 31.
  TestTextures::Entry entry{{}, 6, 5, false, 0};
  for (int32_t i = 0; i < 64 * 32; ++i) entry.texels.push_back(static_cast<uint16_t>(i));
  const int32_t id = textures_.Add(entry);
  Surface16 surface(64, 40);
  surface.Fill(kBackground);
  // v runs from 1 at the top to 0 at the bottom; the bottom row is left out.
  const Point3f quad[4] = {{0, 0, 1}, {63, 0, 1}, {63, 31, 1}, {0, 31, 1}};
  const TexCoord2f coords[4] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  PerspecTextureEngine1::DrawPolygon(surface, quad, coords, 4, textures_, id);
  EXPECT_EQ(surface.At(0, 0), 31 * 64);
  EXPECT_EQ(surface.At(63, 0), 31 * 64 + 63);
  EXPECT_EQ(surface.At(17, 10), 21 * 64 + 17);
  EXPECT_EQ(surface.At(5, 30), 1 * 64 + 5);
  EXPECT_EQ(surface.At(5, 31), kBackground);
  // v beyond 1 wraps through the mask: v = 2 at the top is row 62 & 31 = 30.
  const TexCoord2f wrapped[4] = {{0, 2}, {1, 2}, {1, 1}, {0, 1}};
  PerspecTextureEngine1::DrawPolygon(surface, quad, wrapped, 4, textures_, id);
  EXPECT_EQ(surface.At(0, 0), 30 * 64);
}

TEST_F(PerspecTextureEngine1Test, EqualDepthsMapAffinely) {
  const int32_t id = textures_.AddCoordinateTexture(5, 5);
  Surface16 surface(64, 64);
  surface.Fill(kBackground);
  const Point3f points[3] = {{2, 2, 0.5f}, {60, 2, 0.5f}, {2, 60, 0.5f}};
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  PerspecTextureEngine1::DrawPolygon(surface, points, coords, 3, textures_, id);
  int32_t checked = 0;
  for (int32_t y = 2; y < 60; ++y) {
    for (int32_t x = 2; x < 62; ++x) {
      const uint16_t texel = surface.At(x, y);
      if (texel == kBackground) continue;
      const double u = (x - 2) / 58.0 * 31.0;
      const double v = (y - 2) / 58.0 * 31.0;
      EXPECT_NEAR(texel & 31, u, 1.0) << x << "," << y;
      EXPECT_NEAR(texel >> 5, v, 1.0) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1500);
}

TEST_F(PerspecTextureEngine1Test, TransparentTexelsKeepTheDestination) {
  TestTextures::Entry entry{{1, 2, 3, 4}, 1, 1, true, 2};
  const int32_t id = textures_.Add(entry);
  Surface16 surface(8, 8);
  surface.Fill(kBackground);
  const Point3f quad[4] = {{0, 0, 1}, {7, 0, 1}, {7, 7, 1}, {0, 7, 1}};
  const TexCoord2f coords[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  PerspecTextureEngine1::DrawPolygon(surface, quad, coords, 4, textures_, id);
  EXPECT_EQ(surface.At(0, 0), 1);
  EXPECT_EQ(surface.At(7, 0), kBackground);  // texel 2 is transparent
  EXPECT_EQ(surface.At(0, 6), 3);
  EXPECT_EQ(surface.At(7, 6), 4);
}

TEST_F(PerspecTextureEngine1Test, BadPolygonsDrawNothing) {
  const int32_t id = textures_.AddCoordinateTexture(3, 3);
  Surface16 surface(20, 20);
  surface.Fill(kBackground);
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  const Point3f cases[][3] = {
      {{1, 1, 0.5f}, {NAN, 1, 0.5f}, {1, 15, 0.5f}},      // NaN position
      {{1, 1, 0.5f}, {25, 1, 0.5f}, {1, 15, 0.5f}},       // beyond the right edge
      {{1, -3, 0.5f}, {15, 1, 0.5f}, {1, 15, 0.5f}},      // above the top
      {{1, 1, 0.0f}, {15, 1, 0.5f}, {1, 15, 0.5f}},       // depth 0
      {{1, 1, 2.0f}, {15, 1, 0.5f}, {1, 15, 0.5f}},       // beyond the far plane
      {{1, 1, INFINITY}, {15, 1, 0.5f}, {1, 15, 0.5f}}};  // infinite depth
  for (const auto& points : cases) {
    PerspecTextureEngine1::DrawPolygon(surface, points, coords, 3, textures_, id);
  }
  EXPECT_EQ(CountDrawn(surface), 0);
  // Texture coordinates far outside 0..1 or NaN draw, but only from inside the texture.
  const Point3f points[3] = {{1, 1, 0.01f}, {18, 1, 1.0f}, {1, 18, 0.3f}};
  const TexCoord2f wild[3] = {{-1e9f, 3.0f}, {NAN, -7.5f}, {1e30f, 0.5f}};
  PerspecTextureEngine1::DrawPolygon(surface, points, wild, 3, textures_, id);
  // An unknown texture draws nothing.
  EXPECT_EQ(PerspecTextureEngine1::DrawPolygon(surface, points, coords, 3, textures_, 77), 0);
}

// A textured quad in camera space, drawn through the engine and checked pixel by pixel
// against the exact texture coordinate of the ray through the pixel centre.
struct CameraQuad {
  Point3f origin;  // u = 0, v = 0
  Point3f u_edge;  // to u = 1
  Point3f v_edge;  // to v = 1
};

TEST_F(PerspecTextureEngine1Test, MatchesExactPerPixelDivisionWithinOneTexel) {
  const int32_t id = textures_.AddCoordinateTexture(5, 5);
  const int32_t width = 320, height = 240;
  const float scale = 240.0f, far_distance = 100.0f;
  const float cx = width / 2, cy = height / 2;
  const CameraQuad quads[] = {
      {{-8, -3, 2.5f}, {16, 0, 0}, {0, 0, 40}},     // floor receding to depth 0.425
      {{-40, -20, 60}, {60, 0, 35}, {0, 45, 0}},    // wall turned away, depth 0.6 .. 0.95
      {{-3, -2, 8}, {5, 0, -2}, {0, 4, 3}},         // near quad tilted both ways
      {{-1, -1, 2}, {2, 0, 0}, {0, 2, 0}}};         // facing the camera at depth 0.02
  int32_t checked = 0;
  int32_t worst = 0;
  for (const CameraQuad& q : quads) {
    const Point3f corners[4] = {
        q.origin,
        {q.origin.x + q.v_edge.x, q.origin.y + q.v_edge.y, q.origin.z + q.v_edge.z},
        {q.origin.x + q.u_edge.x + q.v_edge.x, q.origin.y + q.u_edge.y + q.v_edge.y,
         q.origin.z + q.u_edge.z + q.v_edge.z},
        {q.origin.x + q.u_edge.x, q.origin.y + q.u_edge.y, q.origin.z + q.u_edge.z}};
    TexCoord2f coords[kPolygonCapacity] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    Point3f projected[kPolygonCapacity];
    for (int i = 0; i < 4; ++i) {
      projected[i] = {cx + scale * corners[i].x / corners[i].z,
                      cy - scale * corners[i].y / corners[i].z, corners[i].z / far_distance};
    }
    int32_t n = Clipping4::ClipToScreen(projected, coords, 4, width, height);
    ASSERT_GT(n, 2);
    Surface16 surface(width, height);
    surface.Fill(kBackground);
    PerspecTextureEngine1::DrawPolygon(surface, projected, coords, n, textures_, id);
    // Plane of the quad: origin + a * u_edge + b * v_edge; normal n = u_edge x v_edge.
    const double ux = q.u_edge.x, uy = q.u_edge.y, uz = q.u_edge.z;
    const double vx = q.v_edge.x, vy = q.v_edge.y, vz = q.v_edge.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double plane = nx * q.origin.x + ny * q.origin.y + nz * q.origin.z;
    int32_t drawn = 0;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const uint16_t texel = surface.At(x, y);
        if (texel == kBackground) continue;
        ++drawn;
        // The ray through the pixel, its hit on the plane, and (a, b) of the hit point.
        const double dx = (x - cx) / scale, dy = (cy - y) / scale;
        const double t = plane / (nx * dx + ny * dy + nz);
        const double px = dx * t - q.origin.x, py = dy * t - q.origin.y, pz = t - q.origin.z;
        const double uu = ux * ux + uy * uy + uz * uz, vv = vx * vx + vy * vy + vz * vz;
        const double uv = ux * vx + uy * vy + uz * vz;
        const double pu = px * ux + py * uy + pz * uz, pv = px * vx + py * vy + pz * vz;
        const double det = uu * vv - uv * uv;
        const double a = (pu * vv - pv * uv) / det, b = (pv * uu - pu * uv) / det;
        // Pixels on the polygon's border may round half a pixel outside it.
        if (a < -0.02 || a > 1.02 || b < -0.02 || b > 1.02) continue;
        // The texel the exact renderer picks with the engine's sampling rule: the column
        // rounded, the row offset (row * 32) rounded and cut to its row.
        const int32_t exact_column = static_cast<int32_t>(std::nearbyint(a * 31.0));
        const int32_t exact_row =
            static_cast<int32_t>(std::floor(std::nearbyint(b * 31.0 * 32.0) / 32.0));
        const int32_t error = std::max(std::abs((texel & 31) - exact_column),
                                       std::abs((texel >> 5) - exact_row));
        worst = std::max(worst, error);
        EXPECT_LE(error, 1) << x << "," << y;
        ++checked;
      }
    }
    EXPECT_GT(drawn, 2000);
  }
  EXPECT_GT(checked, 20000);
  EXPECT_LE(worst, 1);
}

}  // namespace
