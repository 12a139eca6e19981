// The pixel formats the picture code hands out. A 16-bit surface holds one little-endian
// 5-5-5 word per pixel (bit 15 zero, red 10-14, green 5-9, blue 0-4); a 24-bit surface holds
// three bytes per pixel, blue, green, red (the little-endian bytes of red<<16 | green<<8 |
// blue). Rows run top row first with no padding.
#pragma once

#include <cstdint>

// The surface value of an 8-bit colour: for 16 bits the 5-5-5 word, for 24 bits
// red<<16 | green<<8 | blue; -1 for any other bit count.
int32_t PackColour(int32_t red, int32_t green, int32_t blue, int32_t bits);

// Bytes per pixel for 8, 16 and 24 bits (1, 2, 3); -1 otherwise.
int32_t BytesPerPixel(int32_t bits);

// The 8-bit components of a 5-5-5 word (each 5-bit field shifted left by 3).
inline void UnpackColour555(uint16_t word, uint8_t* red, uint8_t* green, uint8_t* blue) {
  *red = static_cast<uint8_t>(((word >> 10) & 0x1F) << 3);
  *green = static_cast<uint8_t>(((word >> 5) & 0x1F) << 3);
  *blue = static_cast<uint8_t>((word & 0x1F) << 3);
}

// Stores a surface value (as PackColour gives it) at `pixel` in the surface format.
inline void StoreSurfacePixel(uint8_t* pixel, uint32_t value, int32_t bits) {
  if (bits == 16) {
    pixel[0] = static_cast<uint8_t>(value);
    pixel[1] = static_cast<uint8_t>(value >> 8);
  } else {
    pixel[0] = static_cast<uint8_t>(value);
    pixel[1] = static_cast<uint8_t>(value >> 8);
    pixel[2] = static_cast<uint8_t>(value >> 16);
  }
}
