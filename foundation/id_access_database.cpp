#include "foundation/id_access_database.h"

#include <cstring>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"

namespace {
constexpr const char* kTag = "IDAccessDataBase1";
}

void IDAccessDataBase1::Init(int32_t record_size) {
  access_table_size_ = 0;
  access_table_ = nullptr;
  record_count_ = 0;
  records_ = nullptr;
  record_size_ = record_size;
}

void IDAccessDataBase1::Release() {
  if (access_table_ != nullptr) Heap1::Free(access_table_);
  if (records_ != nullptr) Heap1::Free(records_);
  Init(-1);
}

int32_t IDAccessDataBase1::Add(const void* record, int32_t size) {
  SUITE_CHECK(size == record_size_, kTag, "異なるサイズのデータを格納しようとした");
  int32_t id = -1;
  // Only a table with fewer live records than entries has a freed ID to reuse; skipping the
  // scan otherwise spares filling a large table (a loaded bank) a pass per record.
  const int32_t scan_end = record_count_ < access_table_size_ ? access_table_size_ : 0;
  for (int32_t i = 0; i < scan_end; ++i) {
    if (access_table_[i] == -1) {
      id = i;
      break;
    }
  }
  if (id == -1) {
    auto* table = static_cast<int32_t*>(Heap1::Resize(
        access_table_, sizeof(int32_t) * static_cast<size_t>(access_table_size_ + 1)));
    SUITE_CHECK(table != nullptr, kTag, "アクセステーブルの再配置のメモリ獲得に失敗");
    access_table_ = table;
    id = access_table_size_;
    ++access_table_size_;
  }
  auto* store = static_cast<uint8_t*>(Heap1::Resize(
      records_, static_cast<size_t>(record_count_ + 1) * static_cast<size_t>(record_size_)));
  SUITE_CHECK(store != nullptr, kTag, "格納データの再配置のメモリ獲得に失敗");
  records_ = store;
  std::memcpy(records_ + static_cast<size_t>(record_count_) * record_size_, record,
              static_cast<size_t>(record_size_));
  ++record_count_;
  access_table_[id] = record_count_ - 1;
  return id;
}

void IDAccessDataBase1::Delete(int32_t id) {
  SUITE_CHECK(id >= 0 && id < access_table_size_, kTag,
              "範囲外のアクセスIDでアクセスしようとした");
  const int32_t p = access_table_[id];
  SUITE_CHECK(p >= 0 && p < record_count_, kTag, "範囲外の格納データIDを検出");
  const size_t stride = static_cast<size_t>(record_size_);
  const size_t after = static_cast<size_t>(record_count_ - 1 - p) * stride;
  if (after > 0) std::memmove(records_ + p * stride, records_ + (p + 1) * stride, after);
  if (record_count_ - 1 == 0) {
    Heap1::Free(records_);
    records_ = nullptr;
  } else {
    auto* store =
        static_cast<uint8_t*>(Heap1::Resize(records_, static_cast<size_t>(record_count_ - 1) * stride));
    SUITE_CHECK(store != nullptr, kTag, "格納データの再配置のメモリの獲得に失敗");
    records_ = store;
  }
  --record_count_;

  if (id != access_table_size_ - 1) {
    access_table_[id] = -1;
  } else {
    int32_t k = id;
    while (k > 0 && access_table_[k - 1] == -1) --k;
    if (k == 0) {
      Heap1::Free(access_table_);
      access_table_ = nullptr;
    } else {
      auto* table = static_cast<int32_t*>(
          Heap1::Resize(access_table_, sizeof(int32_t) * static_cast<size_t>(k)));
      SUITE_CHECK(table != nullptr, kTag, "アクセステーブルの再配置のメモリ獲得に失敗");
      access_table_ = table;
    }
    access_table_size_ = k;
  }
  for (int32_t i = 0; i < access_table_size_; ++i) {
    if (access_table_[i] != -1 && access_table_[i] > p) --access_table_[i];
  }
}

void IDAccessDataBase1::Fetch(int32_t id, void* buffer, int32_t size) const {
  SUITE_CHECK(size == record_size_, kTag, "サイズの異なるデータでデータを獲得しようとした");
  SUITE_CHECK(id >= 0 && id < access_table_size_, kTag,
              "アクセステーブルの範囲を超えてアクセスしようとした");
  SUITE_CHECK(access_table_[id] != -1, kTag, "削除されたデータにアクセスしようとした");
  std::memcpy(buffer, records_ + static_cast<size_t>(access_table_[id]) * record_size_,
              static_cast<size_t>(record_size_));
}

void IDAccessDataBase1::Update(int32_t id, const void* record, int32_t size) {
  SUITE_CHECK(size == record_size_, kTag, "サイズの異なるデータでデータを更新しようとした");
  SUITE_CHECK(id >= 0 && id < access_table_size_, kTag,
              "アクセステーブルの範囲を超えてアクセスしようとした");
  SUITE_CHECK(access_table_[id] != -1, kTag, "削除されたデータにアクセスしようとした");
  std::memcpy(records_ + static_cast<size_t>(access_table_[id]) * record_size_, record,
              static_cast<size_t>(record_size_));
}

int32_t IDAccessDataBase1::FirstId() const { return NextId(-1); }

int32_t IDAccessDataBase1::NextId(int32_t id) const {
  for (int32_t i = id + 1; i < access_table_size_; ++i) {
    if (i >= 0 && access_table_[i] != -1) return i;
  }
  return -1;
}
