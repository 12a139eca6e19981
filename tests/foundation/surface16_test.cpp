#include "foundation/surface16.h"

#include <gtest/gtest.h>

namespace {

TEST(Surface16Test, ScreenRowsAreStoredBottomUp) {
  Surface16 surface(3, 2);
  surface.Set(0, 0, 0x7C00);  // top-left
  surface.Set(2, 1, 0x001F);  // bottom-right
  EXPECT_EQ(surface.Bits()[3], 0x7C00);  // memory row 1 is the top screen row
  EXPECT_EQ(surface.Bits()[2], 0x001F);
  EXPECT_EQ(surface.At(0, 0), 0x7C00);
  EXPECT_EQ(surface.At(5, 0), 0);
  surface.Set(-1, 0, 1);  // ignored
  surface.Fill(0x03E0);
  EXPECT_EQ(surface.At(1, 1), 0x03E0);
  surface.Resize(-4, 10);
  EXPECT_TRUE(surface.Empty());
  EXPECT_EQ(PackColour555(255, 128, 7), (31 << 10) | (16 << 5) | 0);
}

}  // namespace
