#include "pictures/bmp_file1.h"

#include <gtest/gtest.h>

#include "foundation/heap.h"
#include "tests/pictures/picture_test_support.h"

namespace {

struct Converted {
  std::vector<uint8_t> bytes;
  int32_t width = 0;
  int32_t height = 0;
};

Converted Load(const std::string& path, int32_t output_bits) {
  Converted out;
  int32_t byte_size = 0;
  uint8_t* pixels = BMPFile1::LoadConverted(path, &out.width, &out.height, &byte_size, output_bits);
  out.bytes.assign(pixels, pixels + byte_size);
  Heap1::Free(pixels);
  return out;
}

TEST(BmpFile1Test, ConvertsEightBitFilesWithAShortTableToWordsAndTriples) {
  TempFolder folder;
  BmpLayout layout;
  layout.bits = 8;
  layout.width = 3;  // rows of 3 bytes padded to 4
  layout.height = 2;
  layout.colours_used = 16;
  layout.palette.assign(16, 0);
  layout.palette[1] = 0xFF0000;
  layout.palette[2] = 0x08F010;
  layout.pixels = {1, 2, 0, 2, 1, 200};  // 200: beyond the table, black
  const std::string path = folder.Write("p.bmp", BuildBmp(layout));

  const Converted words = Load(path, 16);
  EXPECT_EQ(words.width, 3);
  EXPECT_EQ(words.height, 2);
  const std::vector<uint8_t> expected_words = {0x00, 0x7C, 0xC2, 0x07, 0, 0,
                                               0xC2, 0x07, 0x00, 0x7C, 0, 0};
  EXPECT_EQ(words.bytes, expected_words);

  const Converted triples = Load(path, 24);
  const std::vector<uint8_t> expected_triples = {255, 0, 0, 8, 240, 16, 0,   0, 0,
                                                 8,   240, 16, 255, 0, 0, 0, 0, 0};
  EXPECT_EQ(triples.bytes, expected_triples);
}

TEST(BmpFile1Test, TakesTwentyFourBitRowsFromTheEndOfTheFile) {
  TempFolder folder;
  BmpLayout layout;
  layout.width = 1;
  layout.height = 2;
  layout.pixels = {0x112233, 0xFFFFFF};
  layout.pixel_offset = 54 + 16;  // gap: the offset is not what finds the rows
  const Converted triples = Load(folder.Write("p.bmp", BuildBmp(layout)), 24);
  const std::vector<uint8_t> expected = {0x11, 0x22, 0x33, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(triples.bytes, expected);
}

TEST(BmpFile1Test, EveryProblemIsFatal) {
  TempFolder folder;
  BmpLayout good;
  good.width = 2;
  good.height = 2;
  const std::string path = folder.Write("good.bmp", BuildBmp(good));
  int32_t w, h, size;
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(path, &w, &h, &size, 8),
                      "対応していないカラービットに変換しようとした");
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(folder.File("none.bmp"), &w, &h, &size, 16),
                      "ファイルのオープンに失敗");
  std::string not_bm = BuildBmp(good);
  not_bm[0] = 'X';
  const std::string not_bm_path = folder.Write("x.bmp", not_bm);
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(not_bm_path, &w, &h, &size, 16),
                      "ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした");
  BmpLayout rle = good;
  rle.compression = 1;
  const std::string rle_path = folder.Write("rle.bmp", BuildBmp(rle));
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(rle_path, &w, &h, &size, 16),
                      "未圧縮ﾌｧｲﾙでないﾌｧｲﾙをｵｰﾌﾟﾝした");
  BmpLayout sixteen = good;
  sixteen.bits = 16;
  const std::string sixteen_path = folder.Write("16.bmp", BuildBmp(sixteen));
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(sixteen_path, &w, &h, &size, 16),
                      "対応していないｶﾗｰﾋﾞｯﾄのﾌｧｲﾙ");
  // Malformed sizes end the program with a line of their own instead of reading past the
  // file or allocating what the header claims.
  const std::string good_bytes = BuildBmp(good);
  const std::string short_path = folder.Write("short.bmp", good_bytes.substr(0, good_bytes.size() - 1));
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(short_path, &w, &h, &size, 16),
                      "ﾋﾞｯﾄﾏｯﾌﾟのｻｲｽﾞが不正かﾃﾞｰﾀが足りない");
  BmpLayout top_down = good;
  top_down.height = -2;
  const std::string top_down_path = folder.Write("td.bmp", BuildBmp(top_down));
  EXPECT_FATAL_REPORT(BMPFile1::LoadConverted(top_down_path, &w, &h, &size, 16),
                      "ﾋﾞｯﾄﾏｯﾌﾟのｻｲｽﾞが不正かﾃﾞｰﾀが足りない");
}

}  // namespace
