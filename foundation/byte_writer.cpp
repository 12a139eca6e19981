#include "foundation/byte_writer.h"

#include <cstring>

void ByteWriter::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) U8(static_cast<uint8_t>(value >> shift));
}

void ByteWriter::F32(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  U32(bits);
}

void ByteWriter::F64(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  U32(static_cast<uint32_t>(bits));
  U32(static_cast<uint32_t>(bits >> 32));
}

void ByteWriter::Bytes(const void* data, size_t count) {
  if (count > 0) bytes_.append(static_cast<const char*>(data), count);
}
