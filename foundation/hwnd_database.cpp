#include "foundation/hwnd_database.h"

#include <cstring>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"

namespace {
constexpr const char* kTag = "HWNDDataBase2";
constexpr const char* kSizeDiffers = "データサイズが異なるものを追加しようとした";
}  // namespace

void HWNDDataBase2::Init(int32_t record_size) {
  entries_ = nullptr;
  record_size_ = record_size;
  count_ = 0;
}

void HWNDDataBase2::Release() {
  if (entries_ != nullptr) Heap1::Free(entries_);
  entries_ = nullptr;
  count_ = 0;
}

void HWNDDataBase2::Add(const void* record, int32_t size, Handle hwnd) {
  SUITE_CHECK(size == record_size_, kTag, kSizeDiffers);
  auto* grown =
      static_cast<uint8_t*>(Heap1::Resize(entries_, static_cast<size_t>(count_ + 1) * Stride()));
  SUITE_CHECK(grown != nullptr, kTag, "メモリの獲得に失敗しました");
  entries_ = grown;
  uint8_t* entry = entries_ + static_cast<size_t>(count_) * Stride();
  std::memcpy(entry, &hwnd, 4);
  std::memcpy(entry + 4, record, static_cast<size_t>(record_size_));
  ++count_;
}

int32_t HWNDDataBase2::Find(Handle hwnd) const {
  for (int32_t i = 0; i < count_; ++i) {
    Handle key;
    std::memcpy(&key, entries_ + static_cast<size_t>(i) * Stride(), 4);
    if (key == hwnd) return i;
  }
  return -1;
}

int32_t HWNDDataBase2::FindOrReport(Handle hwnd) const {
  const int32_t position = Find(hwnd);
  SUITE_CHECK(position >= 0, kTag, "登録していないＨＷＮＤにアクセスしようとした");
  return position;
}

void HWNDDataBase2::Delete(Handle hwnd) {
  const int32_t position = FindOrReport(hwnd);
  const size_t moved = static_cast<size_t>(count_ - position - 1) * Stride();
  if (moved > 0) {
    std::memmove(entries_ + position * Stride(), entries_ + (position + 1) * Stride(), moved);
  }
  --count_;
  if (count_ == 0) {
    Heap1::Free(entries_);
    entries_ = nullptr;
  } else {
    void* shrunk = Heap1::Resize(entries_, static_cast<size_t>(count_) * Stride());
    if (shrunk != nullptr) entries_ = static_cast<uint8_t*>(shrunk);
  }
}

void HWNDDataBase2::Fetch(void* buffer, int32_t size, Handle hwnd) const {
  SUITE_CHECK(size == record_size_, kTag, kSizeDiffers);
  const int32_t position = FindOrReport(hwnd);
  std::memcpy(buffer, entries_ + position * Stride() + 4, static_cast<size_t>(record_size_));
}

void HWNDDataBase2::Update(const void* record, int32_t size, Handle hwnd) {
  SUITE_CHECK(size == record_size_, kTag, kSizeDiffers);
  const int32_t position = FindOrReport(hwnd);
  std::memcpy(entries_ + position * Stride() + 4, record, static_cast<size_t>(record_size_));
}

HWNDDataBase2::Handle HWNDDataBase2::FetchAt(void* buffer, int32_t size, int32_t position) const {
  SUITE_CHECK(size == record_size_, kTag, kSizeDiffers);
  SUITE_CHECK(position < count_, kTag, "範囲外の番号でデータを獲得しようとした");
  const uint8_t* entry = entries_ + static_cast<size_t>(position) * Stride();
  Handle key;
  std::memcpy(&key, entry, 4);
  std::memcpy(buffer, entry + 4, static_cast<size_t>(record_size_));
  return key;
}
