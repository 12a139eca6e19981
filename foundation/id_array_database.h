// A growable array of 32-bit values, used for ID lists.
#pragma once

#include <cstdint>

class IDArrayDataBase1 {
 public:
  void Init();
  void Release();
  int32_t Append(int32_t value);
  // The caller keeps 0 <= index <= Count().
  void InsertAt(int32_t index, int32_t value);
  void RemoveAt(int32_t index);
  int32_t ValueAt(int32_t index) const;
  void Assign(const int32_t* values, int32_t n);
  int32_t CopyOut(int32_t* buffer, int32_t capacity) const;
  int32_t Count() const { return count_; }
  bool IsEmptyStorage() const { return values_ == nullptr; }

 private:
  int32_t count_ = 0;
  int32_t* values_ = nullptr;
};
