#include "render/bank_texture_source.h"

#include <gtest/gtest.h>

namespace {

// A bank of one 2 x 4 picture with a transparent colour, and an animation whose frame
// depends on the time.
class FakeBank : public PictureTextures {
 public:
  bool Texture(int32_t picture_id, uint32_t time, TextureTexels* out) const override {
    if (picture_id == 7) {
      out->texels = reinterpret_cast<const uint8_t*>(time < 100 ? first_ : second_);
      out->width_exponent = 1;
      out->height_exponent = 2;
      out->bytes_per_texel = 2;
      out->has_transparent_colour = true;
      out->transparent_colour = 0x7C1F;
      return true;
    }
    if (picture_id == 8) {  // a 24-bit picture
      out->texels = reinterpret_cast<const uint8_t*>(first_);
      out->bytes_per_texel = 3;
      return true;
    }
    return false;
  }
  alignas(2) uint16_t first_[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  alignas(2) uint16_t second_[8] = {};
};

TEST(BankTextureSourceTest, ServesTheFrameOfTheCurrentTimeAs16BitTexels) {
  FakeBank bank;
  BankTextureSource source(bank);
  TextureView view;
  ASSERT_TRUE(source.Texture(7, &view));
  EXPECT_EQ(view.texels, bank.first_);
  EXPECT_EQ(view.Width(), 2);
  EXPECT_EQ(view.Height(), 4);
  EXPECT_TRUE(view.has_transparent_colour);
  EXPECT_EQ(view.transparent_colour, 0x7C1F);
  source.SetTime(150);
  ASSERT_TRUE(source.Texture(7, &view));
  EXPECT_EQ(view.texels, bank.second_);
  EXPECT_FALSE(source.Texture(8, &view));
  EXPECT_FALSE(source.Texture(3, &view));
}

}  // namespace
