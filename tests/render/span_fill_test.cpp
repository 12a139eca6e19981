#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "tests/render/render_test_support.h"

namespace {

constexpr uint16_t kBackground = 0x7FFF;

class SpanFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FlatSpanFill1::StartUp();
    AffineSpanFill1::StartUp();
    PerspecTextureEngine1::StartUp();
  }
  void TearDown() override {
    PerspecTextureEngine1::ShutDown();
    AffineSpanFill1::ShutDown();
    FlatSpanFill1::ShutDown();
  }
  // Columns drawn in screen row y, as [first, last]; {-1, -1} when none.
  static std::pair<int32_t, int32_t> RowExtent(const Surface16& surface, int32_t y) {
    int32_t first = -1, last = -1;
    for (int32_t x = 0; x < surface.Width(); ++x) {
      if (surface.At(x, y) == kBackground) continue;
      if (first < 0) first = x;
      last = x;
    }
    return {first, last};
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

TEST_F(SpanFillTest, FlatSpansOfOneSixAndSevenPixelsAndBothEndRows) {
  Surface16 surface(32, 12);
  surface.Fill(kBackground);
  const Point3f one[4] = {{10, 1, 0}, {10.2f, 1, 0}, {10.2f, 2, 0}, {10, 2, 0}};
  const Point3f six[4] = {{10, 4, 0}, {15, 4, 0}, {15, 5, 0}, {10, 5, 0}};
  const Point3f seven[4] = {{10, 7, 0}, {16, 7, 0}, {16, 9, 0}, {10, 9, 0}};
  EXPECT_EQ(FlatSpanFill1::Fill(surface, one, 4, 0x0123), 0);
  FlatSpanFill1::Fill(surface, six, 4, 0x0456);
  FlatSpanFill1::Fill(surface, seven, 4, 0x0789);
  EXPECT_EQ(RowExtent(surface, 1), std::make_pair(10, 10));
  EXPECT_EQ(RowExtent(surface, 2), std::make_pair(10, 10));  // bottom row filled too
  EXPECT_EQ(RowExtent(surface, 4), std::make_pair(10, 15));
  EXPECT_EQ(RowExtent(surface, 5), std::make_pair(10, 15));
  EXPECT_EQ(RowExtent(surface, 9), std::make_pair(10, 16));
  EXPECT_EQ(RowExtent(surface, 3).first, -1);
  EXPECT_EQ(surface.At(16, 8), 0x0789);
  EXPECT_EQ(CountDrawn(surface), 2 + 12 + 21);
  // Counter-clockwise: nothing.
  const Point3f counter[4] = {six[0], six[3], six[2], six[1]};
  surface.Fill(kBackground);
  FlatSpanFill1::Fill(surface, counter, 4, 0x0456);
  EXPECT_EQ(CountDrawn(surface), 0);
}

TEST_F(SpanFillTest, SurfacesWiderThan1024AreRefusedByTheUnrolledPaths) {
  const Point3f quad[4] = {{0, 0, 0}, {1024, 0, 0}, {1024, 1, 0}, {0, 1, 0}};
  const TexCoord2f coords[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const int32_t plain = textures_.AddCoordinateTexture(2, 2);
  TestTextures::Entry keyed{std::vector<uint16_t>(16, 5), 2, 2, true, 9};
  const int32_t transparent = textures_.Add(keyed);
  Surface16 wide(1025, 2);
  wide.Fill(kBackground);
  EXPECT_EQ(FlatSpanFill1::Fill(wide, quad, 4, 1), 1);
  EXPECT_EQ(AffineSpanFill1::Fill(wide, quad, coords, 4, textures_, transparent), 1);
  EXPECT_EQ(CountDrawn(wide), 0);
  EXPECT_EQ(AffineSpanFill1::Fill(wide, quad, coords, 4, textures_, plain), 0);
  EXPECT_EQ(CountDrawn(wide), 2 * 1025);
  Surface16 widest(1024, 2);
  const Point3f fits[4] = {{0, 0, 0}, {1023, 0, 0}, {1023, 1, 0}, {0, 1, 0}};
  widest.Fill(kBackground);
  EXPECT_EQ(FlatSpanFill1::Fill(widest, fits, 4, 1), 0);
  EXPECT_EQ(CountDrawn(widest), 2 * 1024);
  widest.Fill(kBackground);
  EXPECT_EQ(AffineSpanFill1::Fill(widest, fits, coords, 4, textures_, transparent), 0);
  EXPECT_EQ(CountDrawn(widest), 2 * 1024);
}

TEST_F(SpanFillTest, BottomRowIsFilledByTheSpanFillsButNotByThePerspectiveEngine) {
  const int32_t id = textures_.AddCoordinateTexture(3, 3);
  const Point3f triangle[3] = {{2, 2, 1}, {20, 6, 1}, {6, 15, 1}};
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  Surface16 flat(24, 20), affine(24, 20), perspective(24, 20);
  for (Surface16* s : {&flat, &affine, &perspective}) s->Fill(kBackground);
  FlatSpanFill1::Fill(flat, triangle, 3, 0);
  AffineSpanFill1::Fill(affine, triangle, coords, 3, textures_, id);
  PerspecTextureEngine1::DrawPolygon(perspective, triangle, coords, 3, textures_, id);
  EXPECT_NE(RowExtent(flat, 15).first, -1);
  EXPECT_NE(RowExtent(affine, 15).first, -1);
  EXPECT_EQ(RowExtent(perspective, 15).first, -1);
  EXPECT_EQ(RowExtent(flat, 2), RowExtent(perspective, 2));
  for (int32_t y = 0; y < 20; ++y) EXPECT_EQ(RowExtent(flat, y), RowExtent(affine, y)) << y;
}

TEST_F(SpanFillTest, AffineFillMatchesLinearInterpolationWithinRounding) {
  const int32_t id = textures_.AddCoordinateTexture(5, 5);
  Surface16 surface(100, 100);
  surface.Fill(kBackground);
  // Texture coordinates affine in screen space: u = (x - 4) / 90, v = (y - 3) / 90.
  const Point3f triangle[3] = {{4, 3, 1}, {94, 3, 1}, {4, 93, 1}};
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  AffineSpanFill1::Fill(surface, triangle, coords, 3, textures_, id);
  int32_t checked = 0;
  for (int32_t y = 3; y <= 93; ++y) {
    for (int32_t x = 4; x <= 94; ++x) {
      const uint16_t texel = surface.At(x, y);
      if (texel == kBackground) continue;
      // Fixed point truncates: the texel is the integer part, possibly one below.
      const double u = (x - 4) / 90.0 * 32.0, v = (y - 3) / 90.0 * 32.0;
      const double column = texel & 31, row = texel >> 5;
      // Columns wrap: u = 1 is column 32, which is column 0 again.
      const double column_distance = std::fabs(column - std::fmod(std::floor(u), 32.0));
      EXPECT_LE(std::min(column_distance, 32.0 - column_distance), 1.0) << x << "," << y;
      EXPECT_LE(std::fabs(row - std::floor(v)), 1.0) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 4000);
}

TEST_F(SpanFillTest, TransparentColourKeepsTheDestinationAndOtherwiseMatchesThePlainFill) {
  TestTextures::Entry entry{{}, 3, 3, false, 0};
  for (int32_t i = 0; i < 64; ++i) entry.texels.push_back(static_cast<uint16_t>(i));
  const int32_t plain = textures_.Add(entry);
  entry.has_transparent_colour = true;
  entry.transparent_colour = 9;
  const int32_t keyed = textures_.Add(entry);
  const Point3f quad[4] = {{0, 0, 1}, {63, 0, 1}, {63, 63, 1}, {0, 63, 1}};
  const TexCoord2f coords[4] = {{0, 0}, {0.99f, 0}, {0.99f, 0.99f}, {0, 0.99f}};
  Surface16 a(64, 64), b(64, 64);
  a.Fill(kBackground);
  b.Fill(kBackground);
  AffineSpanFill1::Fill(a, quad, coords, 4, textures_, plain);
  AffineSpanFill1::Fill(b, quad, coords, 4, textures_, keyed);
  int32_t kept = 0;
  for (int32_t y = 0; y < 64; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      if (a.At(x, y) == 9) {
        EXPECT_EQ(b.At(x, y), kBackground);
        ++kept;
      } else if (b.At(x, y) != kBackground) {
        // Walked from the other end: the same texel or its neighbour.
        EXPECT_LE(std::abs((a.At(x, y) & 7) - (b.At(x, y) & 7)), 1);
        EXPECT_EQ(a.At(x, y) >> 3, b.At(x, y) >> 3);
      }
    }
  }
  EXPECT_GT(kept, 20);
}

TEST_F(SpanFillTest, BadPolygonsDrawNothing) {
  const int32_t id = textures_.AddCoordinateTexture(3, 3);
  Surface16 surface(20, 20);
  surface.Fill(kBackground);
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0, 1}};
  const Point3f nan_point[3] = {{1, 1, 1}, {NAN, 1, 1}, {1, 15, 1}};
  const Point3f outside[3] = {{1, 1, 1}, {40, 1, 1}, {1, 15, 1}};
  const Point3f good[3] = {{1, 1, 1}, {15, 1, 1}, {1, 15, 1}};
  const TexCoord2f huge[3] = {{0, 0}, {1e9f, 0}, {0, 1}};
  FlatSpanFill1::Fill(surface, nan_point, 3, 1);
  FlatSpanFill1::Fill(surface, outside, 3, 1);
  AffineSpanFill1::Fill(surface, nan_point, coords, 3, textures_, id);
  AffineSpanFill1::Fill(surface, outside, coords, 3, textures_, id);
  AffineSpanFill1::Fill(surface, good, huge, 3, textures_, id);
  EXPECT_EQ(CountDrawn(surface), 0);
  // A texture too large for 32-bit fixed point is not drawn either.
  TestTextures::Entry big{std::vector<uint16_t>(1, 0), 11, 10, false, 0};
  const int32_t big_id = textures_.Add(big);
  EXPECT_EQ(AffineSpanFill1::Fill(surface, good, coords, 3, textures_, big_id), 0);
  EXPECT_EQ(CountDrawn(surface), 0);
}

TEST_F(SpanFillTest, DrawingBeforeStartUpIsReported) {
  Surface16 surface(4, 4);
  const Point3f points[3] = {{0, 0, 1}, {3, 0, 1}, {0, 3, 1}};
  EXPECT_REPORTED("クラスを初期化していません", FlatSpanFill1::ShutDown();
                  FlatSpanFill1::Fill(surface, points, 3, 0));
}

}  // namespace
