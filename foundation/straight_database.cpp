#include "foundation/straight_database.h"

#include <cstring>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"

namespace {
constexpr const char* kTag = "StraightDataBase1";
constexpr const char* kOutOfRange = "範囲外のデータにアクセスしようとした";
}  // namespace

void StraightDataBase1::Init(int32_t record_size) {
  data_ = nullptr;
  record_size_ = record_size;
  count_ = 0;
}

void StraightDataBase1::Release() {
  if (data_ != nullptr) Heap1::Free(data_);
  data_ = nullptr;
  count_ = 0;
}

int32_t StraightDataBase1::Append(const void* record) { return InsertAt(record, count_); }

int32_t StraightDataBase1::InsertAt(const void* record, int32_t index) {
  // A negative index would write before the block: refused like one past the end.
  SUITE_CHECK(index >= 0 && index <= count_, kTag, "範囲外にデータを挿入しようとした");
  const size_t stride = static_cast<size_t>(record_size_);
  auto* grown = static_cast<uint8_t*>(Heap1::Resize(data_, static_cast<size_t>(count_ + 1) * stride));
  SUITE_CHECK(grown != nullptr, kTag, "メモリの獲得に失敗しました");
  data_ = grown;
  const size_t moved = static_cast<size_t>(count_ - index) * stride;
  if (moved > 0) std::memmove(data_ + (index + 1) * stride, data_ + index * stride, moved);
  std::memcpy(data_ + index * stride, record, stride);
  ++count_;
  return index;
}

void StraightDataBase1::RemoveAt(int32_t index) {
  SUITE_CHECK(index >= 0 && index < count_, kTag, kOutOfRange);
  const size_t stride = static_cast<size_t>(record_size_);
  const size_t moved = static_cast<size_t>(count_ - index - 1) * stride;
  if (moved > 0) std::memmove(data_ + index * stride, data_ + (index + 1) * stride, moved);
  --count_;
  if (count_ == 0) {
    Heap1::Free(data_);
    data_ = nullptr;
  } else {
    // A shrink that fails leaves the larger block, which still holds every record.
    void* shrunk = Heap1::Resize(data_, static_cast<size_t>(count_) * stride);
    if (shrunk != nullptr) data_ = static_cast<uint8_t*>(shrunk);
  }
}

void StraightDataBase1::Fetch(void* buffer, int32_t index) const {
  SUITE_CHECK(index >= 0 && index < count_, kTag, kOutOfRange);
  std::memcpy(buffer, data_ + static_cast<size_t>(index) * record_size_,
              static_cast<size_t>(record_size_));
}

void StraightDataBase1::Store(const void* record, int32_t index) {
  std::memcpy(data_ + static_cast<size_t>(index) * record_size_, record,
              static_cast<size_t>(record_size_));
}
