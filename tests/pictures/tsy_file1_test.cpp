#include "pictures/tsy_file1.h"

#include <gtest/gtest.h>

#include "foundation/byte_writer.h"
#include "foundation/heap.h"
#include "tests/pictures/picture_test_support.h"

namespace {

class TsyFile1Test : public ::testing::Test {
 protected:
  void SetUp() override { TSYFile1::StartUp(); }
  void TearDown() override { TSYFile1::ShutDown(); }
  int32_t LoadBytes(const std::string& bytes) { return TSYFile1::Load(folder_.Write("t.tsy", bytes)); }
  TempFolder folder_;
};

TEST_F(TsyFile1Test, ReadsFramesDelaysAndTransparency) {
  std::vector<TsyFrameLayout> frames(3);
  frames[0] = {0, 0, 0x0000, {0x0000, 0x7C00, 0x0000, 0x001F}};  // delay 0 reads as 100
  frames[1] = {1, 1, 0x7C00, {0x7C00, 0xFC00, 0x03E0, 0x7C00}};
  frames[2] = {250, 0, 0x1234, {1, 2, 3, 4}};
  const std::string bytes = BuildTsy(2, 2, frames);
  EXPECT_EQ(bytes.size(), 15u + 3 * (12 + 8));
  const int32_t id = LoadBytes(bytes);
  ASSERT_GE(id, 0);
  int32_t width = 0, height = 0;
  TSYFile1::PictureSize(id, &width, &height);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(TSYFile1::FrameCount(id), 3);
  EXPECT_EQ(TSYFile1::FrameDelay(id, 0), 100);
  EXPECT_EQ(TSYFile1::FrameDelay(id, 1), 1);
  EXPECT_EQ(TSYFile1::FrameDelay(id, 2), 250);
  EXPECT_EQ(TSYFile1::FrameTransparentColour(id, 0), -1);
  EXPECT_EQ(TSYFile1::FrameTransparentColour(id, 1), 0x7C00);
  EXPECT_EQ(TSYFile1::FrameTransparentColour(id, 2), -1);  // colour stored, switch off
  uint16_t value = 0;
  EXPECT_EQ(TSYFile1::FramePixel(id, 0, 0, &value), 0);  // black, switch off
  EXPECT_EQ(value, 0);
  const int32_t transparent[4] = {1, 0, 0, 1};  // 0xFC00 differs in bit 15
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(TSYFile1::FramePixel(id, 1, i, &value), transparent[i]) << i;
    EXPECT_EQ(value, frames[1].pixels[i]);
  }
  EXPECT_EQ(TSYFile1::FramePixels(id, 2)[3], 4);
  TSYFile1::Unload(id);

  const int32_t empty = LoadBytes(BuildTsy(0, 0, {}));
  ASSERT_GE(empty, 0);
  EXPECT_EQ(TSYFile1::FrameCount(empty), 0);
}

TEST_F(TsyFile1Test, RefusesBadFilesBeforeAllocating) {
  EXPECT_EQ(TSYFile1::Load(folder_.File("none.tsy")), TSYFile1::kCannotOpen);
  const std::string good = BuildTsy(2, 2, std::vector<TsyFrameLayout>(2));
  for (int32_t letter = 0; letter < 3; ++letter) {
    std::string bad = good;
    bad[letter] = 'x';
    EXPECT_EQ(LoadBytes(bad), TSYFile1::kWrongFormat);
  }
  EXPECT_EQ(LoadBytes("TS"), TSYFile1::kWrongFormat);
  // Every cut after the magic ends early, also one inside the last frame's pixels.
  for (size_t cut = 3; cut < good.size(); ++cut) {
    EXPECT_EQ(LoadBytes(good.substr(0, cut)), TSYFile1::kEndsEarly) << cut;
  }
  const auto header = [](int32_t count, int32_t width, int32_t height) {
    ByteWriter out;
    out.Text("TSY");
    out.I32(count);
    out.I32(width);
    out.I32(height);
    out.Zeros(64);
    return out.Take();
  };
  const int32_t allocations = Heap1::AllocationCount();
  EXPECT_EQ(LoadBytes(header(-1, 2, 2)), TSYFile1::kEndsEarly);
  EXPECT_EQ(LoadBytes(header(1, -2, 2)), TSYFile1::kEndsEarly);
  EXPECT_EQ(LoadBytes(header(1, 2, -2)), TSYFile1::kEndsEarly);
  EXPECT_EQ(LoadBytes(header(INT32_MAX, 1, 1)), TSYFile1::kEndsEarly);
  EXPECT_EQ(LoadBytes(header(1, 65536, 65536)), TSYFile1::kEndsEarly);
  EXPECT_EQ(LoadBytes(header(1, INT32_MAX, INT32_MAX)), TSYFile1::kEndsEarly);
  EXPECT_EQ(Heap1::AllocationCount(), allocations);
}

TEST_F(TsyFile1Test, MisuseIsFatal) {
  const int32_t id = LoadBytes(BuildTsy(2, 2, std::vector<TsyFrameLayout>(1)));
  ASSERT_GE(id, 0);
  uint16_t value;
  EXPECT_FATAL_REPORT(TSYFile1::FramePixel(id, 0, 4, &value), "画像範囲を超えてアクセスしようとした");
  EXPECT_FATAL_REPORT(TSYFile1::FrameDelay(id, 1), "範囲外のデータにアクセスしようとした");
  TSYFile1::ShutDown();
  EXPECT_FATAL_REPORT(TSYFile1::Load("a.tsy"), "クラスが初期化されていません");
  TSYFile1::StartUp();
}

}  // namespace
