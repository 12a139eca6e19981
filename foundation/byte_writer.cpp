#include "foundation/byte_writer.h"

#include <cstring>

void ByteWriter::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  U8(static_cast<uint8_t>(value >> 8));
}

// Whole fields are appended at once: a stage image is hundreds of thousands of them.
void ByteWriter::U32(uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  bytes_.append(bytes, sizeof bytes);
}

void ByteWriter::F32(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  U32(bits);
}

void ByteWriter::F64(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>(bits >> (8 * i));
  bytes_.append(bytes, sizeof bytes);
}

void ByteWriter::Bytes(const void* data, size_t count) {
  if (count > 0) bytes_.append(static_cast<const char*>(data), count);
}
