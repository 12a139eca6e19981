#include "packer/picture_pack_list.h"

#include <gtest/gtest.h>

#include <optional>

#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"
#include "tests/packer/packer_test_support.h"

namespace {

using Bank = PictureBankHighColor1;

class PicturePackListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Bank::StartUp(16);
    list_.emplace();
  }
  void TearDown() override {
    list_.reset();
    Bank::ShutDown();
  }
  PicturePackList& List() { return *list_; }

  TempFolder folder_;
  std::optional<PicturePackList> list_;
};

TEST_F(PicturePackListTest, StillPicturesGetTheDefaultDelayAndFilesKeepTheirFrames) {
  const std::string bmp = folder_.Write("still.bmp", SolidBmp(2, 2, 0x102030));
  const std::string tsy = folder_.Write("anim.tsy", TsyWithDelays(2, 2, {100, 0, 300}));
  EXPECT_FALSE(List().Changed());
  int32_t first = -1;
  ASSERT_EQ(List().AddFile(bmp, &first), PicturePackList::kAdded);
  EXPECT_EQ(first, 0);
  ASSERT_EQ(List().AddFile(tsy, &first), PicturePackList::kAdded);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(List().Delays(), (std::vector<int32_t>{200, 100, 100, 300}));
  EXPECT_EQ(List().TotalTime(), 700);
  EXPECT_EQ(List().Width(), 2);
  EXPECT_EQ(List().Height(), 2);
  EXPECT_TRUE(List().Changed());
  // The animation base is gone; each frame is held by the list alone.
  EXPECT_EQ(Bank::Count(), 4);
  for (int32_t i = 0; i < List().Count(); ++i) {
    EXPECT_EQ(Bank::Kind(List().PictureId(i)), Bank::kPicture);
    EXPECT_EQ(Bank::ReferenceCount(List().PictureId(i)), 1);
  }
  // The same file twice gives entries of their own (unique registration).
  ASSERT_EQ(List().AddFile(bmp), PicturePackList::kAdded);
  EXPECT_NE(List().PictureId(4), List().PictureId(0));

  list_.reset();
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(PicturePackListTest, DefaultDelayCanBeReplacedForPicturesWithoutTheirOwn) {
  List().SetDefaultDelay(50);
  ASSERT_EQ(List().AddFile(folder_.Write("a.bmp", SolidBmp(2, 2, 0))), PicturePackList::kAdded);
  ASSERT_EQ(List().AddFile(folder_.Write("b.tsy", TsyWithDelays(2, 2, {70}))),
            PicturePackList::kAdded);
  EXPECT_EQ(List().Delays(), (std::vector<int32_t>{50, 70}));
}

TEST_F(PicturePackListTest, PicturesOfAnotherSizeAreRefusedAndNothingIsKept) {
  ASSERT_EQ(List().AddFile(folder_.Write("big.bmp", SolidBmp(64, 64, 0))), PicturePackList::kAdded);
  List().SetChanged(false);
  EXPECT_EQ(List().AddFile(folder_.Write("small.bmp", SolidBmp(32, 32, 0))),
            PicturePackList::kDifferentSize);
  // A file whose later frames differ cannot exist, but a wider one of equal height can.
  EXPECT_EQ(List().AddFile(folder_.Write("wide.tsy", TsyWithDelays(64, 32, {10, 20}))),
            PicturePackList::kDifferentSize);
  EXPECT_EQ(List().Count(), 1);
  EXPECT_EQ(List().TotalTime(), 200);
  EXPECT_FALSE(List().Changed());
  EXPECT_EQ(Bank::Count(), 1);

  // Emptying the list lets the next picture set a new size.
  List().RemoveAt(0);
  EXPECT_EQ(List().Width(), 0);
  EXPECT_EQ(List().AddFile(folder_.File("small.bmp")), PicturePackList::kAdded);
  EXPECT_EQ(List().Width(), 32);
}

TEST_F(PicturePackListTest, UnreadableFilesReportTheBankResultAndChangeNothing) {
  EXPECT_EQ(List().AddFile(folder_.File("missing.bmp")), PicturePackList::kCannotLoad);
  EXPECT_EQ(List().BankResult(), Bank::kCannotOpen);
  EXPECT_EQ(List().AddFile(folder_.Write("bad.tsy", "TSX")), PicturePackList::kCannotLoad);
  EXPECT_EQ(List().BankResult(), Bank::kWrongFormat);
  EXPECT_EQ(List().Count(), 0);
  EXPECT_FALSE(List().Changed());
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(PicturePackListTest, DeletingKeepsTotalsAndClearsTheFlagWhenEmpty) {
  ASSERT_EQ(List().AddFile(folder_.Write("anim.tsy", TsyWithDelays(2, 2, {100, 300}))),
            PicturePackList::kAdded);
  List().SetChanged(false);
  List().RemoveAt(0);
  EXPECT_EQ(List().Delays(), std::vector<int32_t>{300});
  EXPECT_EQ(List().TotalTime(), 300);
  EXPECT_TRUE(List().Changed());
  List().RemoveAt(0);
  EXPECT_EQ(List().Count(), 0);
  EXPECT_EQ(List().TotalTime(), 0);
  EXPECT_FALSE(List().Changed());
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(PicturePackListTest, EntrySettingsSetTheTransparentColourAndTheDelay) {
  ASSERT_EQ(List().AddFile(folder_.Write("a.bmp", SolidBmp(2, 2, 0))), PicturePackList::kAdded);
  List().SetChanged(false);
  EXPECT_EQ(List().TransparentColour(0), -1);
  List().SetEntry(0, 0x7C00, 120);
  EXPECT_EQ(List().TransparentColour(0), 0x7C00);
  EXPECT_EQ(List().Delay(0), 120);
  EXPECT_EQ(List().TotalTime(), 120);
  EXPECT_TRUE(List().Changed());
  List().SetEntry(0, -1, 0);
  EXPECT_EQ(List().TransparentColour(0), -1);
  EXPECT_EQ(List().TotalTime(), 0);
}

TEST(PicturePackListPreview, EntryFollowsTheClockAndRepeats) {
  const std::vector<int32_t> delays = {100, 300};
  for (int64_t clock = 0; clock <= 90; clock += 10) {
    EXPECT_EQ(PicturePackList::EntryAtTime(delays, clock), 0) << clock;
  }
  for (int64_t clock = 100; clock <= 390; clock += 10) {
    EXPECT_EQ(PicturePackList::EntryAtTime(delays, clock), 1) << clock;
  }
  EXPECT_EQ(PicturePackList::EntryAtTime(delays, 400), 0);
  EXPECT_EQ(PicturePackList::EntryAtTime(delays, 4000 + 150), 1);
  EXPECT_EQ(PicturePackList::EntryAtTime({}, 50), -1);
  // A total time of 0 shows the first entry instead of dividing by zero.
  EXPECT_EQ(PicturePackList::EntryAtTime({0, 0}, 50), 0);
  EXPECT_EQ(PicturePackList::EntryAtTime({0, 20}, 10), 1);
  // A clock far beyond 32 bits still walks correctly.
  EXPECT_EQ(PicturePackList::EntryAtTime(delays, (int64_t{1} << 40) + 100), 1);
}

TEST_F(PicturePackListTest, TicksAdvanceThePreviewTenMillisecondsAtATime) {
  EXPECT_EQ(List().PreviewEntry(), -1);
  ASSERT_EQ(List().AddFile(folder_.Write("anim.tsy", TsyWithDelays(2, 2, {100, 300}))),
            PicturePackList::kAdded);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(List().PreviewEntry(), 0);
    List().Tick();
  }
  EXPECT_EQ(List().Clock(), 100);
  EXPECT_EQ(List().PreviewEntry(), 1);
}

TEST_F(PicturePackListTest, WrittenFileHoldsEveryEntryInOrder) {
  ASSERT_EQ(List().AddFile(folder_.Write("a.bmp", SolidBmp(2, 1, 0xF80000))),
            PicturePackList::kAdded);
  ASSERT_EQ(List().AddFile(folder_.Write("b.tsy", TsyWithDelays(2, 1, {40, 60}, 1))),
            PicturePackList::kAdded);
  List().SetEntry(0, 0x7C01, 250);
  const std::string out = folder_.File("out.tsy");
  std::string error;
  ASSERT_TRUE(List().Write(out, &error)) << error;
  EXPECT_FALSE(List().Changed());
  const TsyRead read = ReadTsyBytes(TempFolder::Read(out));
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.width, 2);
  EXPECT_EQ(read.height, 1);
  ASSERT_EQ(read.frames.size(), 3u);
  EXPECT_EQ(read.frames[0].delay, 250);
  EXPECT_EQ(read.frames[0].transparency_switch, 1);
  EXPECT_EQ(read.frames[0].transparent_colour, 0x7C01u);
  EXPECT_EQ(read.frames[0].pixels, (std::vector<uint16_t>{0x7C00, 0x7C01}));
  EXPECT_EQ(read.frames[1].delay, 40);
  EXPECT_EQ(read.frames[1].transparency_switch, 0);
  EXPECT_EQ(read.frames[2].delay, 60);
  EXPECT_EQ(read.frames[2].transparency_switch, 1);
  EXPECT_EQ(read.frames[2].transparent_colour, 2u);
  EXPECT_EQ(read.frames[2].pixels, (std::vector<uint16_t>{2, 2}));
}

bool FailRename(FileOperation operation) { return operation == FileOperation::kRename; }

TEST_F(PicturePackListTest, FailedWriteKeepsTheFlagAndTheOldFile) {
  const std::string out = folder_.Write("out.tsy", "old contents");
  ASSERT_EQ(List().AddFile(folder_.Write("a.bmp", SolidBmp(2, 2, 0))), PicturePackList::kAdded);
  SetFileFaultHookForTesting(&FailRename);
  std::string error;
  EXPECT_FALSE(List().Write(out, &error));
  SetFileFaultHookForTesting(nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(List().Changed());
  EXPECT_EQ(TempFolder::Read(out), "old contents");
  EXPECT_FALSE(List().Write(folder_.File("no/such/folder/out.tsy"), &error));
  EXPECT_TRUE(List().Changed());
}

}  // namespace
