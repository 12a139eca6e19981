// A bounded little-endian reader over the bytes of a file. Every read is checked against
// the bytes that remain: a read past the end yields zeros and marks the reader failed, so
// format code checks `Ok()` once and never sees garbage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, size_t size)
      : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

  bool Ok() const { return ok_; }
  size_t Position() const { return position_; }
  size_t Size() const { return size_; }
  size_t Remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ == size_; }

  // Moves to an absolute position; beyond the end fails.
  bool Seek(size_t position);
  bool Skip(size_t count);

  uint8_t U8();
  uint16_t U16();
  int16_t I16() { return static_cast<int16_t>(U16()); }
  uint32_t U32();
  int32_t I32() { return static_cast<int32_t>(U32()); }
  float F32();
  double F64();
  // Copies `count` bytes; fails (and copies nothing) when fewer remain.
  bool Bytes(void* out, size_t count);
  std::string_view View(size_t count);

  // True when `count` items of `item_size` bytes fit in what remains (overflow-safe, and
  // refusing negative counts). Check this before allocating for a count read from a file.
  bool CanRead(int64_t count, size_t item_size) const;
  // Marks the reader failed (a format check found a bad value).
  void Fail() { ok_ = false; }

 private:
  bool Take(size_t count, const uint8_t*& where);

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t position_ = 0;
  bool ok_ = true;
};
