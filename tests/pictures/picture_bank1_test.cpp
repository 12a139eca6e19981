#include "pictures/picture_bank1.h"

#include <gtest/gtest.h>

#include "pictures/picture_textures.h"
#include "tests/pictures/picture_test_support.h"

namespace {

class PictureBank1Test : public ::testing::Test {
 protected:
  void TearDown() override { PictureBank1::ShutDown(); }

  std::string WriteBmp(const std::string& name, int32_t width, int32_t height,
                       const std::vector<uint32_t>& pixels) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.pixels = pixels;
    return folder_.Write(name, BuildBmp(layout));
  }

  TempFolder folder_;
};

TEST_F(PictureBank1Test, EightBitDecisionBuildsThePaletteFromTheMostFrequentColours) {
  PictureBank1::StartUp(8);
  EXPECT_EQ(PictureBank1::State(), PictureBank1::kStarted);
  EXPECT_EQ(PictureBank1::Register(WriteBmp("red.bmp", 2, 2, std::vector<uint32_t>(4, 0xFF0000))), 0);
  // Green three times, blue twice, and a near-red once; ties are broken by colour order.
  EXPECT_EQ(PictureBank1::Register(WriteBmp("mix.bmp", 3, 2, {0x00FF00, 0x0000FF, 0x00FF00,
                                                               0x0000FF, 0x00FF00, 0xF00808})),
            1);
  EXPECT_EQ(PictureBank1::State(), PictureBank1::kRegistered);
  PictureBank1::Decide();
  EXPECT_EQ(PictureBank1::Count(), 2);
  EXPECT_EQ(PictureBank1::ColourBits(), 8);
  const PictureBank1::PaletteEntry* palette = PictureBank1::Palette();
  const auto rgb = [&](int32_t i) {
    return (uint32_t{palette[i].red} << 16) | (uint32_t{palette[i].green} << 8) | palette[i].blue;
  };
  EXPECT_EQ(rgb(0), 0x000000u);
  EXPECT_EQ(rgb(1), 0xF80000u);  // red: 4 pixels
  EXPECT_EQ(rgb(2), 0x00F800u);  // green: 3
  EXPECT_EQ(rgb(3), 0x0000F8u);  // blue: 2
  EXPECT_EQ(rgb(4), 0xF00808u);  // near red: 1
  EXPECT_EQ(rgb(5), 0x000000u);  // then colours that do not occur, ascending: 0x0000 ...
  EXPECT_EQ(rgb(6), 0x000008u);  // ... 0x0001
  EXPECT_EQ(rgb(255), 0xFFFFFFu);
  uint8_t r, g, b;
  PictureBank1::PaletteColour(4, &r, &g, &b);
  EXPECT_EQ(r, 0xF0);
  EXPECT_EQ(PictureBank1::PaletteIndexOf(0x7C00), 1);
  EXPECT_EQ(PictureBank1::PaletteIndexOf(0x0000), 0);  // lowest index wins the tie with 5
  EXPECT_EQ(PictureBank1::PaletteIndexOf(0x7FFF), 255);
  EXPECT_EQ(PictureBank1::PaletteIndexOf(0x7BFF), 255);  // nearest is white

  int32_t width, height, byte_count;
  uint8_t flags;
  const uint8_t* pixels = PictureBank1::Picture(0, &width, &height, &byte_count, &flags);
  EXPECT_EQ(byte_count, 4);
  EXPECT_EQ(flags, PictureBank1::kPowerOfTwo);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(pixels[i], 1);
  pixels = PictureBank1::Picture(1, &width, &height, &byte_count, &flags);
  EXPECT_EQ(byte_count, 6);
  EXPECT_EQ(flags, 0);
  const std::vector<uint8_t> indices = {2, 3, 2, 3, 2, 4};
  EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 6), indices);

  PictureBank1Textures textures;
  TextureTexels texels;
  ASSERT_TRUE(textures.Texture(0, 0, &texels));
  EXPECT_EQ(texels.bytes_per_texel, 1);
  EXPECT_EQ(texels.width_exponent, 1);
  EXPECT_FALSE(textures.Texture(1, 0, &texels));  // 3 x 2 is no texture
}

TEST_F(PictureBank1Test, HighColourBanksKeepWordsOrTriples) {
  PictureBank1::StartUp(16);
  const std::string path = WriteBmp("a.bmp", 2, 1, {0xFF0000, 0x0000FF});
  EXPECT_EQ(PictureBank1::Register(path), 0);
  EXPECT_EQ(PictureBank1::Register(path), 1);  // the same file twice: two entries
  PictureBank1::Decide();
  int32_t width, height, byte_count;
  uint8_t flags;
  const uint8_t* pixels = PictureBank1::Picture(1, &width, &height, &byte_count, &flags);
  const std::vector<uint8_t> words = {0x00, 0x7C, 0x1F, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + byte_count), words);
  int32_t ew, eh;
  PictureBank1::PowerOfTwoPicture(0, &ew, &eh);
  EXPECT_EQ(ew, 1);
  EXPECT_EQ(eh, 0);
  EXPECT_FATAL_REPORT(PictureBank1::Palette(), "８ﾋﾞｯﾄｶﾗｰでないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
  PictureBank1::ShutDown();

  PictureBank1::StartUp(24);
  PictureBank1::Register(path);
  PictureBank1::Decide();
  pixels = PictureBank1::Picture(0, &width, &height, &byte_count, &flags);
  const std::vector<uint8_t> triples = {0, 0, 255, 255, 0, 0};  // blue, green, red
  EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + byte_count), triples);
}

TEST_F(PictureBank1Test, MisuseIsFatal) {
  EXPECT_FATAL_REPORT(PictureBank1::Register("a.bmp"),
                      "初期化されていないか決定されているのに登録しようとした");
  PictureBank1::StartUp(16);
  EXPECT_FATAL_REPORT(PictureBank1::StartUp(16), "このｸﾗｽが２度初期化された可能性がある");
  EXPECT_FATAL_REPORT(PictureBank1::Decide(), "画像が設定されていないのに決定された");
  EXPECT_FATAL_REPORT(PictureBank1::Register("a.Bmp"), "対応していない画像拡張子を検出");
  EXPECT_FATAL_REPORT(PictureBank1::Register("a.tsy"), "対応していない画像拡張子を検出");
  EXPECT_FATAL_REPORT(PictureBank1::Register("folder.x/a"), "拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている");
  const std::string path = WriteBmp("a.BMP", 2, 2, {});
  for (int32_t i = 0; i < PictureBank1::kCapacity; ++i) ASSERT_EQ(PictureBank1::Register(path), i);
  EXPECT_FATAL_REPORT(PictureBank1::Register(path), "ﾘｿｰｽ数が満杯です");
  int32_t w, h, n;
  uint8_t flags;
  EXPECT_FATAL_REPORT(PictureBank1::Picture(0, &w, &h, &n, &flags), "ﾘｿｰｽを決定しないでｱｸｾｽしてきた");
  PictureBank1::Decide();
  EXPECT_FATAL_REPORT(PictureBank1::Picture(256, &w, &h, &n, &flags),
                      "登録IDの範囲を超えてﾘｿｰｽにｱｸｾｽした");
  EXPECT_FATAL_REPORT(PictureBank1::Register(path),
                      "初期化されていないか決定されているのに登録しようとした");
}

TEST_F(PictureBank1Test, EightBitRangeChecks) {
  PictureBank1::StartUp(8);
  PictureBank1::Register(WriteBmp("a.bmp", 1, 1, {0}));
  EXPECT_FATAL_REPORT(PictureBank1::Palette(), "登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
  PictureBank1::Decide();
  EXPECT_FATAL_REPORT(PictureBank1::PaletteIndexOf(0x8000), "15ﾋﾞｯﾄｶﾗｰでないものが入力された");
  uint8_t r, g, b;
  EXPECT_FATAL_REPORT(PictureBank1::PaletteColour(256, &r, &g, &b),
                      "ﾊﾟﾚｯﾄ番号でないものが入力された");
}

}  // namespace
