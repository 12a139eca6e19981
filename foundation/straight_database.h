// Records of one fixed size addressed by position.
#pragma once

#include <cstdint>

class StraightDataBase1 {
 public:
  void Init(int32_t record_size);
  void Release();
  int32_t Append(const void* record);
  int32_t InsertAt(const void* record, int32_t index);
  void RemoveAt(int32_t index);
  void Fetch(void* buffer, int32_t index) const;
  // No check, also in the diagnostic build: the caller keeps 0 <= index < Count().
  void Store(const void* record, int32_t index);
  int32_t Count() const { return count_; }
  int32_t RecordSize() const { return record_size_; }
  bool IsEmptyStorage() const { return data_ == nullptr; }

 private:
  uint8_t* data_ = nullptr;
  int32_t record_size_ = 0;
  int32_t count_ = 0;
};
