#include "foundation/byte_reader.h"

#include <cstring>

bool ByteReader::Take(size_t count, const uint8_t*& where) {
  if (!ok_ || count > size_ - position_) {
    ok_ = false;
    return false;
  }
  where = data_ + position_;
  position_ += count;
  return true;
}

bool ByteReader::Seek(size_t position) {
  if (position > size_) {
    ok_ = false;
    return false;
  }
  position_ = position;
  return true;
}

bool ByteReader::Skip(size_t count) {
  const uint8_t* where = nullptr;
  return Take(count, where);
}

uint8_t ByteReader::U8() {
  const uint8_t* p = nullptr;
  return Take(1, p) ? p[0] : 0;
}

uint16_t ByteReader::U16() {
  const uint8_t* p = nullptr;
  if (!Take(2, p)) return 0;
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ByteReader::U32() {
  const uint8_t* p = nullptr;
  if (!Take(4, p)) return 0;
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

float ByteReader::F32() {
  const uint32_t bits = U32();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double ByteReader::F64() {
  const uint64_t low = U32();
  const uint64_t high = U32();
  const uint64_t bits = low | (high << 32);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool ByteReader::Bytes(void* out, size_t count) {
  const uint8_t* p = nullptr;
  if (!Take(count, p)) return false;
  if (count > 0) std::memcpy(out, p, count);
  return true;
}

std::string_view ByteReader::View(size_t count) {
  const uint8_t* p = nullptr;
  if (!Take(count, p)) return {};
  return {reinterpret_cast<const char*>(p), count};
}

bool ByteReader::CanRead(int64_t count, size_t item_size) const {
  if (!ok_ || count < 0) return false;
  if (item_size == 0) return true;
  const uint64_t remaining = size_ - position_;
  return static_cast<uint64_t>(count) <= remaining / item_size;
}
