#include "pictures/bmp_writer.h"

#include "foundation/byte_writer.h"

std::string Bmp24Bytes(int32_t width, int32_t height,
                       const std::function<uint32_t(int32_t x, int32_t y)>& colour) {
  const int32_t row = (width * 3 + 3) / 4 * 4;
  const int32_t image = row * height;
  ByteWriter out;
  out.Text("BM");
  out.U32(static_cast<uint32_t>(54 + image));
  out.U32(0);
  out.U32(54);
  out.U32(40);
  out.I32(width);
  out.I32(height);
  out.U16(1);
  out.U16(24);
  out.U32(0);
  out.U32(static_cast<uint32_t>(image));
  out.I32(2835);
  out.I32(2835);
  out.U32(0);
  out.U32(0);
  for (int32_t y = height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t rgb = colour(x, y);
      out.U8(static_cast<uint8_t>(rgb));
      out.U8(static_cast<uint8_t>(rgb >> 8));
      out.U8(static_cast<uint8_t>(rgb >> 16));
    }
    out.Zeros(static_cast<size_t>(row - width * 3));
  }
  return out.Take();
}
