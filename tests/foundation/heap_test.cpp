#include "foundation/heap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "foundation/debug_output.h"
#include "tests/support/temp_folder.h"

namespace {

class HeapTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetDebugSink([this](std::string_view text) { lines_.emplace_back(text); });
  }
  void TearDown() override { SetDebugSink(previous_); }
  static std::string Address(const void* p) {
    return std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(p)));
  }
  std::vector<std::string> lines_;
  DebugSink previous_;
};

TEST_F(HeapTraceTest, GetTracesCounterFullAddressAndSizeThenCounts) {
  const int32_t before = Heap1::AllocationCount();
  void* block = Heap1::Get(24);
  void* cleared = Heap1::GetCleared(3, 5);
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[0], "Heap1 Get " + std::to_string(before) + " " + Address(block) + " 24");
  EXPECT_EQ(lines_[1], "Heap1 Get " + std::to_string(before + 1) + " " + Address(cleared) + " 15");
  EXPECT_EQ(static_cast<unsigned char*>(cleared)[14], 0);
  EXPECT_EQ(Heap1::AllocationCount(), before + 2);
  const std::string block_address = Address(block);
  Heap1::Free(block);
  Heap1::Free(cleared);
  EXPECT_EQ(lines_[2], "Heap1 Free " + block_address);
  EXPECT_EQ(Heap1::AllocationCount(), before + 2);
}

TEST_F(HeapTraceTest, FreeOfNullTracesNothingAndResizeOfNullIsGet) {
  Heap1::Free(nullptr);
  EXPECT_TRUE(lines_.empty());
  const int32_t before = Heap1::AllocationCount();
  void* block = Heap1::Resize(nullptr, 8);
  ASSERT_EQ(lines_.size(), 1u);
  EXPECT_EQ(lines_[0], "Heap1 Get " + std::to_string(before) + " " + Address(block) + " 8");
  Heap1::Free(block);
}

TEST_F(HeapTraceTest, ResizeTracesFreeOfTheOldBlockThenGetOfTheNew) {
  void* block = Heap1::Get(4);
  const std::string old_address = Address(block);
  lines_.clear();
  const int32_t before = Heap1::AllocationCount();
  void* moved = Heap1::Resize(block, 4096);
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[0], "Heap1 Free " + old_address);
  EXPECT_EQ(lines_[1], "Heap1 Get " + std::to_string(before) + " " + Address(moved) + " 4096");
  Heap1::Free(moved);
}

TEST(HeapFileTraceTest, WritesLinesToHeapDebugTxtAndCountsFrees) {
  TempFolder folder;
  CurrentDirectory in(folder.Path());
  const int32_t before = Heap1::AllocationCount();
  void* block = Heap1::FileGet(10);
  const std::string address = std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(block)));
  Heap1::FileFree(block);
  EXPECT_EQ(TempFolder::Read(folder.File("HeapDebug.txt")),
            "Heap1 Get " + std::to_string(before) + " " + address + " 10\n" + "Heap1 Free " +
                std::to_string(before + 1) + " " + address + "\n");
  EXPECT_EQ(Heap1::AllocationCount(), before + 2);
}

}  // namespace
