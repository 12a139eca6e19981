// Small Windows bitmaps for the converter tests.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/byte_writer.h"

// A 24-bit bitmap of the given size with grey pixels.
inline std::string BitmapBytes(int32_t width, int32_t height) {
  const int64_t row = ((static_cast<int64_t>(width < 0 ? -width : width) * 3 + 3) / 4) * 4;
  const int64_t image = row * (height < 0 ? -height : height);
  ByteWriter writer;
  writer.Text("BM");
  writer.U32(static_cast<uint32_t>(54 + image));
  writer.U32(0);
  writer.U32(54);
  writer.U32(40);
  writer.I32(width);
  writer.I32(height);
  writer.U16(1);
  writer.U16(24);
  writer.U32(0);
  writer.U32(static_cast<uint32_t>(image));
  writer.Zeros(16);
  writer.Text(std::string(static_cast<size_t>(image), '\x80'));
  return writer.Take();
}
