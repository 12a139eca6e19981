// A map from a window handle to one fixed-size record, in insertion order. Window classes
// use it to find their object from a window.
#pragma once

#include <cstddef>
#include <cstdint>

class HWNDDataBase2 {
 public:
  using Handle = uint32_t;

  void Init(int32_t record_size);
  void Release();
  void Add(const void* record, int32_t size, Handle hwnd);
  void Delete(Handle hwnd);
  void Fetch(void* buffer, int32_t size, Handle hwnd) const;
  void Update(const void* record, int32_t size, Handle hwnd);
  Handle FetchAt(void* buffer, int32_t size, int32_t position) const;
  int32_t Count() const { return count_; }
  bool Contains(Handle hwnd) const { return Find(hwnd) >= 0; }

 private:
  int32_t Find(Handle hwnd) const;
  int32_t FindOrReport(Handle hwnd) const;
  size_t Stride() const { return static_cast<size_t>(record_size_) + 4; }

  uint8_t* entries_ = nullptr;
  int32_t record_size_ = 0;
  int32_t count_ = 0;
};
