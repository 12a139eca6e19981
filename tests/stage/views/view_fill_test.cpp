#include "stage/views/view_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::SolidTextures;

// A fixed sequence of convex polygons inside a surface: triangles and quadrilaterals of
// every orientation, some thin, some one row high.
std::vector<std::vector<Point3f>> Polygons(int32_t width, int32_t height) {
  std::vector<std::vector<Point3f>> polygons;
  uint32_t state = 7;
  auto next = [&](int32_t limit) {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>((state >> 8) % static_cast<uint32_t>(limit * 8)) / 8.0f;
  };
  for (int i = 0; i < 60; ++i) {
    const float cx = next(width - 1), cy = next(height - 1);
    const float rx = next(200) + 0.5f, ry = next(120) + (i % 7 == 0 ? 0.2f : 0.5f);
    std::vector<Point3f> polygon;
    const int corners = 3 + i % 2;
    for (int k = 0; k < corners; ++k) {
      // Clockwise on the screen (y down).
      const float angle = 6.2831853f * static_cast<float>(k) / static_cast<float>(corners) +
                          static_cast<float>(i) * 0.37f;
      float x = cx + rx * std::cos(angle), y = cy + ry * std::sin(angle);
      x = std::fmin(std::fmax(x, 0.0f), static_cast<float>(width - 1));
      y = std::fmin(std::fmax(y, 0.0f), static_cast<float>(height - 1));
      polygon.push_back({x, y, 1.0f});
    }
    polygons.push_back(polygon);
  }
  return polygons;
}

class ViewFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FlatSpanFill1::StartUp();
    AffineSpanFill1::StartUp();
    textures_.Add(1, views_test::kGreen);
    textures_.Add(2, views_test::kBlue, true);
  }
  void TearDown() override {
    AffineSpanFill1::ShutDown();
    FlatSpanFill1::ShutDown();
  }
  SolidTextures textures_;
};

// On a surface wider than the engines fill, the views draw exactly the pixels the engines
// draw on a narrower one.
TEST_F(ViewFillTest, TheViewsDrawWhatTheEnginesDraw) {
  const int32_t width = 640, wide_width = 1100, height = 200;
  for (int32_t picture : {0, 1, 2}) {
    Surface16 engine(width, height), wide(wide_width, height);
    engine.Fill(0x1234);
    wide.Fill(0x1234);
    for (const std::vector<Point3f>& polygon : Polygons(width, height)) {
      const int32_t n = static_cast<int32_t>(polygon.size());
      const TexCoord2f coords[4] = {{0.0f, 0.0f}, {1.0f, 0.1f}, {0.7f, 1.0f}, {0.0f, 0.9f}};
      if (picture == 0) {
        FlatSpanFill1::Fill(engine, polygon.data(), n, 0x7C00);
        view_fill::Flat(wide, polygon.data(), n, 0x7C00);
      } else {
        AffineSpanFill1::Fill(engine, polygon.data(), coords, n, textures_, picture);
        view_fill::Affine(wide, polygon.data(), coords, n, textures_, picture);
      }
    }
    for (int32_t y = 0; y < height; ++y) {
      ASSERT_EQ(std::vector<uint16_t>(engine.ScreenRow(y), engine.ScreenRow(y) + width),
                std::vector<uint16_t>(wide.ScreenRow(y), wide.ScreenRow(y) + width))
          << "picture " << picture << ", row " << y;
      ASSERT_EQ(std::vector<uint16_t>(wide.ScreenRow(y) + width, wide.ScreenRow(y) + wide_width),
                std::vector<uint16_t>(wide_width - width, 0x1234))
          << "picture " << picture << ", row " << y;
    }
  }
}

TEST_F(ViewFillTest, SurfacesWiderThanTheEnginesAreFilledToo) {
  Surface16 surface(1100, 40);
  const Point3f square[4] = {{1000, 5, 1}, {1090, 5, 1}, {1090, 30, 1}, {1000, 30, 1}};
  const TexCoord2f coords[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  // The engines alone draw nothing this wide.
  EXPECT_EQ(FlatSpanFill1::Fill(surface, square, 4, 0x7C00), 1);
  view_fill::Flat(surface, square, 4, 0x7C00);
  EXPECT_EQ(surface.At(1050, 20), 0x7C00);
  view_fill::Affine(surface, square, coords, 4, textures_, 2);
  // Every other texel of picture 2 is transparent: both colours show.
  bool blue = false, red = false;
  for (int32_t x = 1000; x < 1090; ++x) {
    blue = blue || surface.At(x, 20) == views_test::kBlue;
    red = red || surface.At(x, 20) == 0x7C00;
  }
  EXPECT_TRUE(blue);
  EXPECT_TRUE(red);
  EXPECT_EQ(surface.At(999, 20), 0);
}

}  // namespace
