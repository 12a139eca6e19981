// Builds the bytes of a binary file field by field, little-endian, with no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
  void U16(uint16_t value);
  void I16(int16_t value) { U16(static_cast<uint16_t>(value)); }
  void U32(uint32_t value);
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void F32(float value);
  void F64(double value);
  void Bytes(const void* data, size_t count);
  void Text(std::string_view text) { bytes_.append(text); }
  // Writes `count` zero bytes.
  void Zeros(size_t count) { bytes_.append(count, '\0'); }

  size_t Size() const { return bytes_.size(); }
  const std::string& Data() const { return bytes_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};
