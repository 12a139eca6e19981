#include "pictures/picture_bank_high_color1.h"

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "pictures/picture_textures.h"
#include "pictures/tsy_file1.h"
#include "pictures/tsy_file_writer.h"
#include "tests/pictures/picture_test_support.h"

namespace {

using Bank = PictureBankHighColor1;

class PictureBankHighColor1Test : public ::testing::Test {
 protected:
  void SetUp() override { Bank::StartUp(16); }
  void TearDown() override { Bank::ShutDown(); }

  // A 24-bit BMP of the given size whose pixel i has colour (i, 2i, 3i) & 0xFF per channel.
  std::string WriteBmp(const std::string& name, int32_t width, int32_t height) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    for (int32_t i = 0; i < width * height; ++i) {
      layout.pixels.push_back(((i & 0xFF) << 16) | (((2 * i) & 0xFF) << 8) | ((3 * i) & 0xFF));
    }
    return folder_.Write(name, BuildBmp(layout));
  }
  // A 2x2 ".tsy" with the given delays; frame f is filled with colour word f + 1.
  std::string WriteTsy(const std::string& name, const std::vector<int32_t>& delays) {
    std::vector<TsyFrameLayout> frames;
    for (size_t f = 0; f < delays.size(); ++f) {
      TsyFrameLayout frame;
      frame.delay = delays[f];
      frame.pixels.assign(4, static_cast<uint16_t>(f + 1));
      frames.push_back(frame);
    }
    return folder_.Write(name, BuildTsy(2, 2, frames));
  }
  static uint16_t Word(const uint8_t* pixels, int32_t i) {
    return static_cast<uint16_t>(pixels[i * 2] | (pixels[i * 2 + 1] << 8));
  }

  TempFolder folder_;
};

TEST_F(PictureBankHighColor1Test, BmpPicturesArePackedWordsWithDelayZero) {
  const int32_t id = Bank::Register(WriteBmp("a.bmp", 4, 2), 0);
  ASSERT_GE(id, 0);
  PictureInfo info;
  const uint8_t* pixels = Bank::Picture(id, &info);
  EXPECT_EQ(info.width, 4);
  EXPECT_EQ(info.height, 2);
  EXPECT_EQ(info.byte_count, 16);
  EXPECT_EQ(info.flags, Bank::kPowerOfTwo);
  EXPECT_EQ(info.transparency_switch, 0);
  EXPECT_EQ(Bank::FrameDelay(id), 0);
  EXPECT_EQ(Bank::FrameCount(id), 1);
  EXPECT_EQ(Bank::FrameId(id, 0), id);
  for (int32_t i = 0; i < 8; ++i) {
    EXPECT_EQ(Word(pixels, i), ((i >> 3) << 10) | (((2 * i) >> 3) << 5) | ((3 * i) >> 3)) << i;
  }
  int32_t ew = 0, eh = 0;
  EXPECT_EQ(Bank::PowerOfTwoPicture(id, &ew, &eh), pixels);
  EXPECT_EQ(ew, 2);
  EXPECT_EQ(eh, 1);
}

TEST_F(PictureBankHighColor1Test, SharedAndUniqueRegistrationCountReferences) {
  const std::string a = WriteBmp("a.bmp", 2, 2);
  const int32_t first = Bank::Register(a, 0);
  EXPECT_EQ(Bank::Register(a, 0), first);
  EXPECT_EQ(Bank::ReferenceCount(first), 2);
  const int32_t unique = Bank::RegisterUnique(a, 0);
  EXPECT_NE(unique, first);
  EXPECT_EQ(Bank::ReferenceCount(first), 2);
  Bank::Release(unique);
  const int32_t unique2 = Bank::RegisterUnique(a, 0);
  EXPECT_EQ(Bank::Register(a, 0), first);  // never shares the unique record
  EXPECT_EQ(Bank::ReferenceCount(first), 3);
  EXPECT_EQ(Bank::ReferenceCount(unique2), 1);
  Bank::Release(first);
  Bank::Release(first);
  EXPECT_TRUE(Bank::IsPicture(first));
  Bank::Release(first);
  EXPECT_FALSE(Bank::IsPicture(first));
  EXPECT_EQ(Bank::Count(), 1);

  // The same file under another letter case is another path, still read as BMP.
  const std::string upper = folder_.Write("A.BMP", TempFolder::Read(a));
  const std::string lower = folder_.Write("b.bmp", TempFolder::Read(a));
  EXPECT_NE(Bank::Register(upper, 0), Bank::Register(lower, 0));
}

TEST_F(PictureBankHighColor1Test, ReaderFailuresMapToResults) {
  EXPECT_EQ(Bank::Register(folder_.File("none.bmp"), 0), Bank::kCannotOpen);
  EXPECT_EQ(Bank::Register(folder_.Write("x.bmp", "XM0123456789"), 0), Bank::kWrongFormat);
  const std::string bmp = TempFolder::Read(WriteBmp("full.bmp", 4, 4));
  EXPECT_EQ(Bank::Register(folder_.Write("cut.bmp", bmp.substr(0, bmp.size() - 5)), 0),
            Bank::kEndsEarly);
  BmpLayout rle;
  rle.compression = 1;
  EXPECT_EQ(Bank::Register(folder_.Write("rle.bmp", BuildBmp(rle)), 0), Bank::kCompressed);
  EXPECT_EQ(Bank::Register(folder_.File("none.gif"), 0), Bank::kGifRefused);
  EXPECT_EQ(Bank::Register(folder_.Write("real.GIF", "GIF89a"), 0), Bank::kGifRefused);
  EXPECT_EQ(Bank::Register(folder_.File("none.tsy"), 0), Bank::kCannotOpen);
  EXPECT_EQ(Bank::Register(folder_.Write("bad.tsy", "TSX"), 0), Bank::kWrongFormat);
  EXPECT_EQ(Bank::Register(folder_.Write("cut.tsy", "TSY\1\0\0\0"), 0), Bank::kEndsEarly);
  EXPECT_EQ(Bank::Register(folder_.Write("empty.tsy", BuildTsy(0, 0, {})), 0), Bank::kWrongFormat);
  EXPECT_EQ(Bank::Register(folder_.Write("p.png", "x"), 0), Bank::kWrongFormat);
  EXPECT_EQ(Bank::Register(folder_.File("dir.bmp/file.jpeg"), 0), Bank::kWrongFormat);
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(PictureBankHighColor1Test, PowerOfTwoModeRefusesOtherSizes) {
  const std::string path = WriteBmp("wide.bmp", 64, 48);
  EXPECT_EQ(Bank::Register(path, Bank::kModePowerOfTwo), Bank::kNotPowerOfTwo);
  EXPECT_EQ(Bank::Register(WriteTsy("odd.tsy", {100}).substr(0), Bank::kModePowerOfTwo), 0);
  const int32_t id = Bank::Register(path, 0);
  ASSERT_GE(id, 0);
  PictureInfo info;
  Bank::Picture(id, &info);
  EXPECT_EQ(info.flags & Bank::kPowerOfTwo, 0u);
  int32_t ew, eh;
  EXPECT_FATAL_REPORT(Bank::PowerOfTwoPicture(id, &ew, &eh),
                      "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした");
}

TEST_F(PictureBankHighColor1Test, AnimationsShowTheFrameOfTheTime) {
  const std::string path = WriteTsy("anim.tsy", {100, 200, 300});
  const int32_t base = Bank::Register(path, Bank::kModePowerOfTwo);
  ASSERT_EQ(Bank::Count(), 4);
  EXPECT_EQ(base, 3);  // frames first, the base last
  EXPECT_EQ(Bank::Kind(base), Bank::kAnimationBase);
  EXPECT_EQ(Bank::FrameCount(base), 3);
  EXPECT_EQ(Bank::TotalTime(base), 600);
  EXPECT_EQ(Bank::Path(Bank::FrameId(base, 1)), path + "_1");
  EXPECT_EQ(Bank::FrameDelay(Bank::FrameId(base, 2)), 300);
  PictureInfo info;
  EXPECT_EQ(Word(Bank::Picture(base, &info, 250), 0), 2);
  EXPECT_EQ(info.delay, 200);
  EXPECT_EQ(Word(Bank::Picture(base, &info, 650), 0), 1);
  EXPECT_EQ(Word(Bank::Picture(base, &info, 599), 0), 3);
  EXPECT_EQ(Word(Bank::Picture(base, &info, 0xFFFFFFFFu), 0), 3);  // 4294967295 % 600 = 495
  int32_t ew, eh;
  EXPECT_EQ(Word(Bank::PowerOfTwoPicture(base, &ew, &eh), 0), 1);
  EXPECT_FATAL_REPORT(Bank::FrameDelay(base), "アニメーションベースから遅延時間を求めようとした");
  EXPECT_FATAL_REPORT(Bank::FrameId(0, 1), "単品画像なのに範囲を超えてアクセス");

  // A shared registration of the same file shares the base; releasing the base for the
  // last time releases its frames with it.
  EXPECT_EQ(Bank::Register(path, 0), base);
  Bank::Release(base);
  EXPECT_EQ(Bank::Count(), 4);
  Bank::AddRef(Bank::FrameId(base, 0));  // someone keeps frame 0
  Bank::Release(base);
  EXPECT_EQ(Bank::Count(), 1);
  EXPECT_TRUE(Bank::IsPicture(0));
  EXPECT_EQ(Bank::ReferenceCount(0), 1);

  // A single-frame file is a plain picture with the file's delay.
  const int32_t still = Bank::Register(WriteTsy("one.tsy", {0}), 0);
  EXPECT_EQ(Bank::Kind(still), Bank::kPicture);
  EXPECT_EQ(Bank::FrameDelay(still), 100);
}

TEST_F(PictureBankHighColor1Test, TsyTransparencyNeedsATransparentPixel) {
  std::vector<TsyFrameLayout> frames(2);
  frames[0] = {100, 1, 0x7C00, {0x7C00, 1, 2, 3}};
  frames[1] = {100, 1, 0x7C00, {0xFC00, 1, 2, 3}};  // no pixel matches
  const int32_t base = Bank::Register(folder_.Write("t.tsy", BuildTsy(2, 2, frames)), 0);
  PictureInfo info;
  Bank::Picture(Bank::FrameId(base, 0), &info);
  EXPECT_EQ(info.transparency_switch, 1);
  EXPECT_EQ(info.transparent_colour, 0x7C00u);
  Bank::Picture(Bank::FrameId(base, 1), &info);
  EXPECT_EQ(info.transparency_switch, 0);
  Bank::SetTransparentColour(Bank::FrameId(base, 1), 3);
  Bank::Picture(Bank::FrameId(base, 1), &info);
  EXPECT_EQ(info.transparency_switch, 1);
  EXPECT_EQ(info.transparent_colour, 3u);
  Bank::SetTransparentColour(Bank::FrameId(base, 1), -1);
  Bank::Picture(Bank::FrameId(base, 1), &info);
  EXPECT_EQ(info.transparency_switch, 0);

  HighColorBankTextures textures;
  TextureTexels texels;
  ASSERT_TRUE(textures.Texture(base, 150, &texels));
  EXPECT_EQ(texels.width_exponent, 1);
  EXPECT_EQ(texels.bytes_per_texel, 2);
  EXPECT_FALSE(texels.has_transparent_colour);  // frame 1 at 150 ms
  ASSERT_TRUE(textures.Texture(base, 50, &texels));
  EXPECT_TRUE(texels.has_transparent_colour);
  EXPECT_FALSE(textures.Texture(99, 0, &texels));
}

TEST_F(PictureBankHighColor1Test, BankImageLoadsBackWithIdsInSavedOrder) {
  const int32_t a = Bank::Register(WriteBmp("a.bmp", 4, 4), 0);
  const int32_t gone = Bank::Register(WriteBmp("gone.bmp", 2, 2), 0);
  const int32_t odd = Bank::RegisterUnique(WriteBmp("odd.bmp", 3, 5), 0);
  Bank::Release(gone);  // leaves a hole the animation fills
  const int32_t base = Bank::Register(WriteTsy("anim.tsy", {10, 20}), 0);
  Bank::AddRef(a);
  Bank::SetTransparentColour(odd, 0x1234);
  ASSERT_EQ(Bank::Count(), 5);

  ByteWriter saved;
  Bank::SaveBank(saved);
  // Expected state after loading: record n is the n-th ID in ascending order.
  std::vector<int32_t> old_ids;
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) old_ids.push_back(id);
  std::vector<std::string> paths;
  std::vector<int32_t> references;
  std::vector<std::vector<uint8_t>> pixels;
  for (const int32_t id : old_ids) {
    paths.push_back(Bank::Path(id));
    references.push_back(Bank::ReferenceCount(id));
    PictureInfo info;
    const uint8_t* p = Bank::Picture(id, &info);
    pixels.emplace_back(p, p + info.byte_count);
  }
  EXPECT_EQ(Bank::SaveOrdinal(base), 4);

  // Load into a bank that holds something else: it is replaced entirely.
  Bank::Release(a);
  Bank::Register(WriteBmp("other.bmp", 8, 8), 0);
  ByteReader reader(saved.Data());
  ASSERT_EQ(Bank::LoadBank(reader), Bank::kBankLoaded);
  EXPECT_TRUE(reader.AtEnd());
  ASSERT_EQ(Bank::Count(), 5);
  for (int32_t n = 0; n < 5; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(Bank::IsPicture(n));
    EXPECT_EQ(Bank::Path(n), paths[n]);
    EXPECT_EQ(Bank::ReferenceCount(n), references[n]);
    PictureInfo info;
    const uint8_t* p = Bank::Picture(n, &info);
    EXPECT_EQ(std::vector<uint8_t>(p, p + info.byte_count), pixels[n]);
  }
  EXPECT_EQ(Bank::Kind(4), Bank::kAnimationBase);
  EXPECT_EQ(Bank::TotalTime(4), 30);
  EXPECT_EQ(Bank::FrameId(4, 0), 1);  // the frames took the hole (ID 1) and ID 3
  EXPECT_EQ(Bank::FrameId(4, 1), 3);
  PictureInfo info;
  Bank::Picture(2, &info);
  EXPECT_EQ(info.flags, Bank::kUnique);
  EXPECT_EQ(info.transparent_colour, 0x1234u);
  ByteWriter again;
  Bank::SaveBank(again);
  EXPECT_EQ(again.Data(), saved.Data());
}

TEST_F(PictureBankHighColor1Test, BadBankImagesAreRefusedAndKeepTheBank) {
  Bank::Register(WriteBmp("a.bmp", 2, 2), 0);
  Bank::Register(WriteTsy("anim.tsy", {10, 20}), 0);
  ByteWriter saved;
  Bank::SaveBank(saved);
  const std::string image = saved.Data();
  // Every truncation is refused and the live bank stays as it was.
  for (size_t cut = 0; cut < image.size(); ++cut) {
    ByteReader reader(image.data(), cut);
    ASSERT_EQ(Bank::LoadBank(reader), Bank::kBankImageBad) << cut;
  }
  EXPECT_EQ(Bank::Count(), 4);

  const auto patched = [&](size_t at, int32_t value) {
    std::string bytes = image;
    std::memcpy(&bytes[at], &value, 4);
    return bytes;
  };
  // Offsets: colour bits 0, count 4, first record 8 (kind, w, h, ew, eh, bytes, flags ...).
  const size_t first = 8;
  const size_t path_end = image.find('\0', first + 44);
  const size_t base_frames = image.size() - 8;  // the base's last frame position
  const std::vector<std::pair<const char*, std::string>> bad = {
      {"other colour bits", patched(0, 24)},
      {"negative count", patched(4, -1)},
      {"huge count", patched(4, 1 << 30)},
      {"unknown kind", patched(first, 7)},
      {"negative width", patched(first + 4, -2)},
      {"negative reference count", patched(first + 28, INT32_MIN)},
      {"byte count not the size", patched(first + 20, 9)},
      {"exponent not the size", patched(first + 12, 5)},
      {"frame position beyond", patched(base_frames + 4, 9)},
      {"frame position a base", patched(base_frames + 4, 3)},
      {"frame used twice", patched(base_frames + 4, 1)},
      {"no frames", patched(base_frames - 4, 0) },
  };
  (void)path_end;
  for (const auto& [name, bytes] : bad) {
    ByteReader reader(bytes);
    EXPECT_EQ(Bank::LoadBank(reader), Bank::kBankImageBad) << name;
  }
  std::string long_path = image.substr(0, first + 44) + std::string(300, 'x') + image.substr(path_end);
  ByteReader long_reader(long_path);
  EXPECT_EQ(Bank::LoadBank(long_reader), Bank::kBankImageBad);
  EXPECT_EQ(Bank::Count(), 4);
  EXPECT_EQ(Bank::Kind(3), Bank::kAnimationBase);
}

TEST_F(PictureBankHighColor1Test, TwentyFourBitBanksHoldThreeBytesPerPixelEverywhere) {
  Bank::ShutDown();
  Bank::StartUp(24);
  const int32_t bmp = Bank::Register(WriteBmp("a.bmp", 2, 1), 0);
  PictureInfo info;
  const uint8_t* p = Bank::Picture(bmp, &info);
  EXPECT_EQ(info.byte_count, 6);
  const std::vector<uint8_t> expected = {0, 0, 0, 3, 2, 1};  // blue, green, red
  EXPECT_EQ(std::vector<uint8_t>(p, p + 6), expected);

  std::vector<TsyFrameLayout> frames(1);
  frames[0] = {100, 1, 0x7C00, {0x7C00, 0x001F, 0x03E0, 0}};
  const int32_t tsy = Bank::Register(folder_.Write("t.tsy", BuildTsy(2, 2, frames)), 0);
  p = Bank::Picture(tsy, &info);
  EXPECT_EQ(info.byte_count, 12);
  EXPECT_EQ(info.transparent_colour, 0xF80000u);
  const std::vector<uint8_t> tsy_expected = {0, 0, 248, 248, 0, 0, 0, 248, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(p, p + 12), tsy_expected);

  ByteWriter saved;
  Bank::SaveBank(saved);
  ByteReader reader(saved.Data());
  EXPECT_EQ(Bank::LoadBank(reader), Bank::kBankLoaded);
  EXPECT_TRUE(reader.AtEnd());  // 6 + 12 pixel bytes, not 4 per pixel
  p = Bank::Picture(tsy, &info);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 12), tsy_expected);

  // The writer packs 24-bit pictures back to words.
  const std::string out = folder_.File("out.tsy");
  ASSERT_TRUE(TsyFileWriter::Write(out, {1}, {0}));
  TSYFile1::StartUp();
  const int32_t id = TSYFile1::Load(out);
  ASSERT_GE(id, 0);
  EXPECT_EQ(TSYFile1::FramePixels(id, 0)[0], 0x7C00);
  EXPECT_EQ(TSYFile1::FrameTransparentColour(id, 0), 0x7C00);
  TSYFile1::ShutDown();
}

TEST_F(PictureBankHighColor1Test, WriterSavesTheListAsTsy) {
  const int32_t a = Bank::Register(WriteTsy("a.tsy", {0}), 0);
  const int32_t base = Bank::RegisterUnique(WriteTsy("b.tsy", {40, 50}), 0);
  Bank::SetTransparentColour(a, 1);
  const std::string bytes = TsyFileWriter::Build({a, Bank::FrameId(base, 1)}, {200, 70});
  EXPECT_EQ(bytes.size(), 55u);  // two frames of 2 x 2
  EXPECT_EQ(TsyFileWriter::Build({}, {}), std::string("TSY\0\0\0\0\0\0\0\0\0\0\0\0", 15));

  const std::string path = folder_.File("out.tsy");
  ASSERT_TRUE(TsyFileWriter::Write(path, {a, Bank::FrameId(base, 1)}, {200, 70}));
  const int32_t again = Bank::RegisterUnique(path, 0);
  EXPECT_EQ(Bank::FrameCount(again), 2);
  EXPECT_EQ(Bank::TotalTime(again), 270);
  PictureInfo info;
  EXPECT_EQ(Word(Bank::Picture(Bank::FrameId(again, 0), &info), 0), 1);
  EXPECT_EQ(info.transparency_switch, 1);
  EXPECT_EQ(Word(Bank::Picture(Bank::FrameId(again, 1), &info), 0), 2);
  EXPECT_EQ(info.transparency_switch, 0);

  // A failed save reports it and leaves the old file.
  EXPECT_FALSE(TsyFileWriter::Write(folder_.File("missing/out.tsy"), {a}, {1}));
  EXPECT_EQ(TempFolder::Read(path).size(), 55u);

  const int32_t big = Bank::Register(WriteBmp("big.bmp", 4, 4), 0);
  EXPECT_FATAL_REPORT(TsyFileWriter::Build({a, big}, {1, 1}), "サイズの違う画像が含まれている");
}

TEST_F(PictureBankHighColor1Test, ClassStartUpIsCounted) {
  Bank::StartUp(16);  // a second start keeps the bank
  Bank::Register(WriteBmp("a.bmp", 2, 2), 0);
  Bank::ShutDown();
  EXPECT_EQ(Bank::Count(), 1);
  Bank::ShutDown();
  EXPECT_FATAL_REPORT(Bank::Register("a.bmp", 0), "初期化されていないのに登録しようとした");
  EXPECT_FATAL_REPORT(Bank::Release(0), "初期化されていないのに削除しようとした");
  EXPECT_FATAL_REPORT(Bank::ColourBits(), "初期化されていないのに設定カラービットを獲得しようとした");
  EXPECT_FATAL_REPORT(Bank::ShutDown(), "クラスの初期化数とデストラクト数が合わない");
  EXPECT_FATAL_REPORT(Bank::StartUp(15), "対応していないｶﾗｰﾋﾞｯﾄが設定されました");
  Bank::StartUp(16);
  EXPECT_FATAL_REPORT(Bank::Register("noextension", 0), "拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている");
}

}  // namespace
