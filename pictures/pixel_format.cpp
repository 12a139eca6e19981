#include "pictures/pixel_format.h"

#include "foundation/surface16.h"

int32_t PackColour(int32_t red, int32_t green, int32_t blue, int32_t bits) {
  if (bits == 16) {
    return PackColour555(static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                         static_cast<uint8_t>(blue));
  }
  if (bits == 24) return (red << 16) + (green << 8) + blue;
  return -1;
}

int32_t BytesPerPixel(int32_t bits) {
  switch (bits) {
    case 8:
      return 1;
    case 16:
      return 2;
    case 24:
      return 3;
    default:
      return -1;
  }
}
