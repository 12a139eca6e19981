#include "render/line_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int32_t CountSet(const Surface16& surface) {
  int32_t count = 0;
  for (int32_t y = 0; y < surface.Height(); ++y) {
    for (int32_t x = 0; x < surface.Width(); ++x) count += surface.At(x, y) != 0;
  }
  return count;
}

TEST(LineDrawingTest, PensOfTheViews) {
  EXPECT_EQ(StagePen(0).colour, PackColour555(96, 96, 96));
  EXPECT_EQ(StagePen(2).colour, 25 << 10);
  EXPECT_EQ(StagePen(8).colour, 0x7FFF);
  EXPECT_EQ(StagePen(10).width, 2);
  EXPECT_EQ(StagePen(9).width, 1);
  EXPECT_EQ(StagePen(11).colour, kWhitePen.colour);
}

TEST(LineDrawingTest, LinesStopBeforeTheirEndPoint) {
  Surface16 surface(20, 20);
  DrawLine(surface, 2, 3, 9, 3, kWhitePen);
  EXPECT_EQ(CountSet(surface), 7);
  EXPECT_EQ(surface.At(2, 3), 0x7FFF);
  EXPECT_EQ(surface.At(9, 3), 0);
  surface.Fill(0);
  DrawLine(surface, 0, 0, 10, 5, kWhitePen);
  EXPECT_EQ(CountSet(surface), 10);  // one pixel per column of the major axis
  surface.Fill(0);
  // A closed outline covers every vertex once.
  const Point3f square[4] = {{2, 2, 0}, {8.9f, 2, 0}, {8, 8, 0}, {2, 8, 0}};
  DrawPolyline(surface, square, 4, true, kWhitePen);
  EXPECT_EQ(CountSet(surface), 24);
  EXPECT_EQ(surface.At(8, 8), 0x7FFF);
  EXPECT_EQ(surface.At(5, 5), 0);
}

TEST(LineDrawingTest, WidePenAndFarAwayCoordinates) {
  Surface16 surface(16, 16);
  DrawLine(surface, 1, 1, 5, 1, StagePen(10));
  EXPECT_EQ(CountSet(surface), 10);  // 2 x 2 blocks along 4 steps
  surface.Fill(0);
  // Huge coordinates are clipped before they are walked; the visible part is drawn.
  DrawLine(surface, -2000000000, 7, 2000000000, 7, kWhitePen);
  EXPECT_EQ(CountSet(surface), 16);
  surface.Fill(0);
  DrawLine(surface, 100, 100, 200, 300, kWhitePen);
  EXPECT_EQ(CountSet(surface), 0);
  const Point3f bad[2] = {{0, 0, 0}, {NAN, 3, 0}};
  DrawPolyline(surface, bad, 2, false, kWhitePen);
  EXPECT_EQ(CountSet(surface), 0);
}

}  // namespace
