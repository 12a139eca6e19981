#include "pictures/bmp_file2.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

#include "foundation/heap.h"
#include "tests/pictures/picture_test_support.h"

namespace {

class BmpFile2Test : public ::testing::Test {
 protected:
  void SetUp() override { BMPFile2::StartUp(); }
  void TearDown() override { BMPFile2::ShutDown(); }

  int32_t LoadBytes(const std::string& bytes) { return BMPFile2::Load(folder_.Write("t.bmp", bytes)); }
  int32_t LoadLayout(const BmpLayout& layout) { return LoadBytes(BuildBmp(layout)); }

  static uint32_t Colour(int32_t id, int32_t index) {
    uint8_t r, g, b;
    BMPFile2::PixelColour(id, index, &r, &g, &b);
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
  }

  TempFolder folder_;
};

TEST_F(BmpFile2Test, ReadsEveryPaletteBitCountWithUnpaddedRowsTopFirst) {
  const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                         0x123456, 0xABCDEF, 0x808080, 0xFFFFFF};
  for (const uint16_t bits : {1, 2, 4, 8}) {
    SCOPED_TRACE(bits);
    BmpLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.bits = bits;
    const uint32_t entries = bits == 1 ? 2 : bits == 2 ? 4 : 8;
    layout.palette.assign(palette.begin(), palette.begin() + entries);
    layout.colours_used = bits >= 4 ? entries : 0;
    for (int32_t i = 0; i < 15; ++i) layout.pixels.push_back((i * 7 + 3) % entries);
    if (bits == 4) layout.pixels[0] = 15;  // beyond the 8-entry table: black
    const int32_t id = LoadLayout(layout);
    ASSERT_GE(id, 0);
    int32_t width = 0, height = 0;
    BMPFile2::PictureSize(id, &width, &height);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    for (int32_t i = 0; i < 15; ++i) {
      const uint32_t expected = layout.pixels[i] < entries ? palette[layout.pixels[i]] : 0;
      EXPECT_EQ(Colour(id, i), expected) << "pixel " << i;
    }
    BMPFile2::Unload(id);
  }
}

TEST_F(BmpFile2Test, ReadsDirectColourFiles) {
  BmpLayout layout;
  layout.width = 1;  // 24-bit rows of 3 bytes plus 1 padding byte
  layout.height = 2;
  layout.pixels = {0x102030, 0xF0E0D0};
  int32_t id = LoadLayout(layout);
  ASSERT_GE(id, 0);
  EXPECT_EQ(Colour(id, 0), 0x102030u);
  EXPECT_EQ(Colour(id, 1), 0xF0E0D0u);

  layout.bits = 32;  // the fourth byte is ignored
  layout.width = 3;
  layout.height = 1;
  layout.pixels = {0x010203, 0xFFFFFF, 0x7F0080};
  id = LoadLayout(layout);
  ASSERT_GE(id, 0);
  EXPECT_EQ(BMPFile2::BitCount(id), 24);
  EXPECT_EQ(Colour(id, 2), 0x7F0080u);

  layout.bits = 16;
  layout.width = 3;
  layout.pixels = {0x7C00, 0x83E0, 0x001F};  // bit 15 ignored
  id = LoadLayout(layout);
  ASSERT_GE(id, 0);
  EXPECT_EQ(Colour(id, 0), 0xF80000u);
  EXPECT_EQ(Colour(id, 1), 0x00F800u);
  EXPECT_EQ(Colour(id, 2), 0x0000F8u);
}

TEST_F(BmpFile2Test, ColourTableFollowsTheHeadersOwnSizeAndPixelsTheOffset) {
  for (const uint32_t header_size : {40u, 52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(header_size);
    BmpLayout layout;
    layout.bits = 8;
    layout.width = 2;
    layout.height = 2;
    layout.header_size = header_size;
    layout.colours_used = 16;
    layout.palette.assign(16, 0x111111);
    layout.palette[15] = 0xC0FFEE;
    layout.pixel_offset = 14 + header_size + 16 * 4 + 10;  // a gap before the pixels
    layout.pixels = {15, 0, 0, 15};
    const int32_t id = LoadLayout(layout);
    ASSERT_GE(id, 0);
    EXPECT_EQ(Colour(id, 0), 0xC0FFEEu);
    EXPECT_EQ(Colour(id, 1), 0x111111u);
    EXPECT_EQ(Colour(id, 3), 0xC0FFEEu);
  }
}

TEST_F(BmpFile2Test, RefusesWhatItDoesNotRead) {
  EXPECT_EQ(BMPFile2::Load(folder_.File("missing.bmp")), BMPFile2::kCannotOpen);
  BmpLayout good;
  good.width = 4;
  good.height = 4;
  std::string not_bm = BuildBmp(good);
  not_bm[1] = 'A';
  EXPECT_EQ(LoadBytes(not_bm), BMPFile2::kWrongFormat);
  EXPECT_EQ(LoadBytes(BuildBmp(good).substr(0, 40)), BMPFile2::kWrongFormat);

  std::map<std::string, BmpLayout> wrong;
  wrong["top-down"] = good;
  wrong["top-down"].height = -4;
  wrong["zero width"] = good;
  wrong["zero width"].width = 0;
  wrong["negative width"] = good;
  wrong["negative width"].width = -4;
  wrong["zero height"] = good;
  wrong["zero height"].height = 0;
  for (const uint16_t bits : {0, 3, 12, 30000}) {
    wrong["bits " + std::to_string(bits)] = good;
    wrong["bits " + std::to_string(bits)].bits = bits;
  }
  for (const uint32_t header_size : {12u, 64u, 66u}) {
    wrong["header " + std::to_string(header_size)] = good;
    wrong["header " + std::to_string(header_size)].header_size = header_size;
  }
  for (const auto& [name, layout] : wrong) EXPECT_EQ(LoadLayout(layout), BMPFile2::kWrongFormat) << name;

  for (const uint32_t compression : {1u, 2u, 3u, 4u}) {
    BmpLayout compressed = good;
    compressed.compression = compression;
    EXPECT_EQ(LoadLayout(compressed), BMPFile2::kCompressed) << compression;
  }
}

TEST_F(BmpFile2Test, SizesBeyondTheFileEndEarlyWithoutAllocating) {
  BmpLayout good;
  good.width = 4;
  good.height = 4;
  const std::string bytes = BuildBmp(good);
  EXPECT_EQ(LoadBytes(bytes.substr(0, bytes.size() - 1)), BMPFile2::kEndsEarly);

  BmpLayout huge = good;
  huge.width = 3000000;
  huge.height = 2000000;
  std::string header = BuildBmp(good);
  std::string huge_bytes = BuildBmp(huge).substr(0, 54) + header.substr(54);
  const int32_t allocations = Heap1::AllocationCount();
  EXPECT_EQ(LoadBytes(huge_bytes), BMPFile2::kEndsEarly);
  EXPECT_EQ(Heap1::AllocationCount(), allocations);

  BmpLayout overflow = good;  // width * height * 3 overflows 64 bits if multiplied blindly
  overflow.width = INT32_MAX;
  overflow.height = INT32_MAX;
  EXPECT_EQ(LoadBytes(BuildBmp(overflow).substr(0, 54) + header.substr(54)), BMPFile2::kEndsEarly);

  BmpLayout table = good;
  table.bits = 8;
  table.colours_used = 305402420;  // far more entries than the file holds
  table.palette.assign(4, 0);
  EXPECT_EQ(LoadLayout(table), BMPFile2::kEndsEarly);

  BmpLayout offset = good;
  offset.pixel_offset = 1 << 20;
  EXPECT_EQ(LoadBytes(BuildBmp(offset).substr(0, 54) + header.substr(54)), BMPFile2::kEndsEarly);
}

TEST_F(BmpFile2Test, ShutDownWithoutStartUpIsFatal) {
  BMPFile2::ShutDown();
  EXPECT_FATAL_REPORT(BMPFile2::ShutDown(),
                      "初期化カウンターにマイナスを検出。初期化数とデストラクト数が違います");
  EXPECT_FATAL_REPORT(BMPFile2::Load("x.bmp"), "クラスが初期化されていません");
  BMPFile2::StartUp();
}

// Real-world files and files written by an independent tool, checked against that tool's
// own decoding (ImageMagick), when it is installed.

bool HaveConvert() { return std::system("convert -version > /dev/null 2>&1") == 0; }

// The tool's 8-bit red, green, blue triples of a picture, or "" when it cannot decode it.
std::string ConvertDecode(const std::string& path, const TempFolder& folder) {
  const std::string out = folder.File("decoded.rgb");
  std::filesystem::remove(out);
  const std::string command = "convert '" + path + "' -depth 8 rgb:'" + out + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "";
  return TempFolder::Read(out);
}

void ExpectSameColours(const std::string& path, const TempFolder& folder, bool five_bits) {
  SCOPED_TRACE(path);
  const int32_t id = BMPFile2::Load(path);
  ASSERT_GE(id, 0);
  int32_t width = 0, height = 0;
  BMPFile2::PictureSize(id, &width, &height);
  const std::string expected = ConvertDecode(path, folder);
  ASSERT_EQ(expected.size(), static_cast<size_t>(width) * height * 3);
  int32_t mismatches = 0;
  for (int32_t i = 0; i < width * height && mismatches < 5; ++i) {
    uint8_t rgb[3];
    BMPFile2::PixelColour(id, i, &rgb[0], &rgb[1], &rgb[2]);
    for (int32_t c = 0; c < 3; ++c) {
      const uint8_t want = static_cast<uint8_t>(expected[static_cast<size_t>(i) * 3 + c]);
      // The tool widens 5-bit fields to 0..255, the reader shifts them left by 3.
      const bool same = five_bits ? (rgb[c] >> 3) == (want >> 3) : rgb[c] == want;
      if (!same) {
        ADD_FAILURE() << "pixel " << i << " channel " << c << ": " << int{rgb[c]} << " vs "
                      << int{want};
        ++mismatches;
      }
    }
  }
  BMPFile2::Unload(id);
}

TEST_F(BmpFile2Test, GoodSuiteFilesLoadWithTheColoursOfAnIndependentDecoder) {
  const std::string folder = SharedTestData("bmpsuite/g");
  if (folder.empty() || !HaveConvert()) GTEST_SKIP() << "bmpsuite or convert missing";
  const std::map<std::string, int32_t> refused = {
      {"pal4rle.bmp", BMPFile2::kCompressed},     {"pal8rle.bmp", BMPFile2::kCompressed},
      {"pal8os2.bmp", BMPFile2::kWrongFormat},    {"pal8topdown.bmp", BMPFile2::kWrongFormat},
      {"rgb16-565.bmp", BMPFile2::kCompressed},   {"rgb16-565pal.bmp", BMPFile2::kCompressed},
      {"rgb16bfdef.bmp", BMPFile2::kCompressed},  {"rgb32bf.bmp", BMPFile2::kCompressed},
      {"rgb32bfdef.bmp", BMPFile2::kCompressed}};
  int32_t accepted = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const auto refusal = refused.find(name);
    if (refusal != refused.end()) {
      EXPECT_EQ(BMPFile2::Load(entry.path().string()), refusal->second) << name;
      continue;
    }
    ExpectSameColours(entry.path().string(), folder_, name.rfind("rgb16", 0) == 0);
    ++accepted;
  }
  EXPECT_EQ(accepted, 18);
}

TEST_F(BmpFile2Test, BadSuiteFilesGiveResultCodes) {
  const std::string folder = SharedTestData("bmpsuite/b");
  if (folder.empty()) GTEST_SKIP() << "bmpsuite missing";
  // Files whose only fault is a field the reader does not use load like any other.
  const std::map<std::string, int32_t> expected = {
      {"badbitcount.bmp", BMPFile2::kWrongFormat}, {"badheadersize.bmp", BMPFile2::kWrongFormat},
      {"badplanes.bmp", BMPFile2::kWrongFormat},   {"badwidth.bmp", BMPFile2::kWrongFormat},
      {"badpalettesize.bmp", BMPFile2::kEndsEarly}, {"reallybig.bmp", BMPFile2::kEndsEarly},
      {"shortfile.bmp", BMPFile2::kEndsEarly},     {"badrle.bmp", BMPFile2::kCompressed},
      {"badrle4.bmp", BMPFile2::kCompressed},      {"badrle4bis.bmp", BMPFile2::kCompressed},
      {"badrle4ter.bmp", BMPFile2::kCompressed},   {"badrlebis.bmp", BMPFile2::kCompressed},
      {"badrleter.bmp", BMPFile2::kCompressed},    {"rgb16-880.bmp", BMPFile2::kCompressed},
      {"rletopdown.bmp", BMPFile2::kCompressed}};
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    const int32_t allocations = Heap1::AllocationCount();
    const int32_t result = BMPFile2::Load(entry.path().string());
    const auto code = expected.find(name);
    if (code != expected.end()) {
      EXPECT_EQ(result, code->second) << name;
      EXPECT_EQ(Heap1::AllocationCount() - allocations, name == "shortfile.bmp" ? 1 : 0) << name;
    } else {
      EXPECT_GE(result, 0) << name;
      if (result >= 0) BMPFile2::Unload(result);
    }
  }
}

TEST_F(BmpFile2Test, BadIndexReadsAsBlack) {
  const std::string path = SharedTestData("bmpsuite/b/pal8badindex.bmp");
  if (path.empty()) GTEST_SKIP();
  const int32_t id = BMPFile2::Load(path);
  ASSERT_GE(id, 0);
  int32_t width = 0, height = 0;
  BMPFile2::PictureSize(id, &width, &height);
  bool saw_black = false;
  for (int32_t i = 0; i < width * height; ++i) saw_black |= Colour(id, i) == 0;
  EXPECT_TRUE(saw_black);
}

TEST_F(BmpFile2Test, FilesWrittenByAnIndependentToolLoadOrAreRefused) {
  if (!HaveConvert()) GTEST_SKIP() << "convert missing";
  const std::string source = folder_.File("source.png");
  ASSERT_EQ(std::system(("convert -size 13x7 -seed 7 plasma:fractal '" + source + "'").c_str()), 0);
  struct Case {
    const char* name;
    const char* options;
    int32_t result;  // 0: loads with the tool's colours
    bool five_bits;
  };
  const Case cases[] = {
      {"1.bmp", "-colors 2 -type palette -compress None BMP3:", 0, false},
      {"4.bmp", "-colors 16 -type palette -compress None BMP3:", 0, false},
      {"8.bmp", "-colors 200 -type palette -compress None BMP3:", 0, false},
      {"8v5.bmp", "-colors 200 -type palette -compress None BMP:", 0, false},
      {"24.bmp", "-type truecolor -compress None BMP3:", 0, false},
      {"24v5.bmp", "-type truecolor -compress None BMP:", 0, false},
      {"16.bmp", "-define bmp:subtype=RGB555 -compress None BMP3:", BMPFile2::kCompressed, true},
      {"8rle.bmp", "-colors 100 -type palette -compress RLE BMP3:", BMPFile2::kCompressed, false},
      {"4rle.bmp", "-colors 12 -type palette -compress RLE BMP3:", BMPFile2::kCompressed, false},
  };
  for (const Case& c : cases) {
    const std::string path = folder_.File(c.name);
    const std::string command =
        "convert '" + source + "' " + c.options + "'" + path + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    if (c.result == 0) {
      ExpectSameColours(path, folder_, c.five_bits);
    } else {
      EXPECT_EQ(BMPFile2::Load(path), c.result) << c.name;
    }
  }
  // The tool does not write top-down files; one made from its bottom-up file is refused.
  std::string top_down = TempFolder::Read(folder_.File("24.bmp"));
  const int32_t height = -7;
  std::memcpy(&top_down[22], &height, 4);
  EXPECT_EQ(LoadBytes(top_down), BMPFile2::kWrongFormat);
}

}  // namespace
