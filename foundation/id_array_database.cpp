#include "foundation/id_array_database.h"

#include <cstring>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"

namespace {
constexpr const char* kTag = "IDArrayDataBase1";
constexpr const char* kOutOfRange = "範囲を超えてデータにアクセスしようとした";
}  // namespace

void IDArrayDataBase1::Init() {
  count_ = 0;
  values_ = nullptr;
}

void IDArrayDataBase1::Release() {
  if (values_ != nullptr) Heap1::Free(values_);
  Init();
}

int32_t IDArrayDataBase1::Append(int32_t value) {
  auto* grown = static_cast<int32_t*>(
      Heap1::Resize(values_, sizeof(int32_t) * static_cast<size_t>(count_ + 1)));
  SUITE_CHECK(grown != nullptr, kTag, "メモリの再獲得に失敗");
  values_ = grown;
  values_[count_] = value;
  ++count_;
  return count_ - 1;
}

void IDArrayDataBase1::InsertAt(int32_t index, int32_t value) {
  auto* grown = static_cast<int32_t*>(
      Heap1::Resize(values_, sizeof(int32_t) * static_cast<size_t>(count_ + 1)));
  SUITE_CHECK(grown != nullptr, kTag, "メモリの再獲得に失敗");
  values_ = grown;
  const size_t moved = static_cast<size_t>(count_ - index);
  if (moved > 0) std::memmove(values_ + index + 1, values_ + index, moved * sizeof(int32_t));
  values_[index] = value;
  ++count_;
}

void IDArrayDataBase1::RemoveAt(int32_t index) {
  SUITE_CHECK(index >= 0 && index < count_, kTag, kOutOfRange);
  const size_t moved = static_cast<size_t>(count_ - index - 1);
  if (moved > 0) std::memmove(values_ + index, values_ + index + 1, moved * sizeof(int32_t));
  --count_;
  if (count_ == 0) {
    Heap1::Free(values_);
    values_ = nullptr;
  } else {
    auto* shrunk = static_cast<int32_t*>(
        Heap1::Resize(values_, sizeof(int32_t) * static_cast<size_t>(count_)));
    SUITE_CHECK(shrunk != nullptr, kTag, "メモリの再アロケートに失敗");
    values_ = shrunk;
  }
}

int32_t IDArrayDataBase1::ValueAt(int32_t index) const {
  SUITE_CHECK(index >= 0 && index < count_, kTag, kOutOfRange);
  return values_[index];
}

void IDArrayDataBase1::Assign(const int32_t* values, int32_t n) {
  Release();
  if (n <= 0) return;
  values_ = static_cast<int32_t*>(Heap1::Get(sizeof(int32_t) * static_cast<size_t>(n)));
  SUITE_CHECK(values_ != nullptr, kTag, "メモリの獲得に失敗");
  std::memcpy(values_, values, sizeof(int32_t) * static_cast<size_t>(n));
  count_ = n;
}

int32_t IDArrayDataBase1::CopyOut(int32_t* buffer, int32_t capacity) const {
  SUITE_CHECK(count_ <= capacity, kTag, "格納するバッファサイズが小さすぎます");
  if (count_ > 0) std::memcpy(buffer, values_, sizeof(int32_t) * static_cast<size_t>(count_));
  return count_;
}
