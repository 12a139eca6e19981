// Drawing shared by the picture windows, on 16-bit bottom-up surfaces: the checkerboard
// background and a bank picture stretched into a rectangle.
#pragma once

#include <QRect>
#include <cstdint>

#include "foundation/surface16.h"

struct PictureInfo;

namespace picture_drawing {

inline const uint16_t kLightBlue = PackColour555(200, 200, 255);
inline const uint16_t kGrey = PackColour555(100, 100, 100);
inline const uint16_t kRed = PackColour555(255, 0, 0);
constexpr int kSquare = 5;

// Light blue with grey 5 x 5 squares wherever (square row + square column) is even.
void Checkerboard(Surface16& surface);

// Stretches a 16-bit picture into `target` (screen coordinates of the surface, clipped to
// it). Source row of target row y: y * (source height / target height) truncated; source
// column of target column x: x * (source width / target width) truncated.
// With transparency on, pixels of the transparent colour are left out.
void StretchPicture(Surface16& surface, const QRect& target, const uint8_t* pixels,
                    const PictureInfo& info);

// The picture pixel that StretchPicture draws at (x, y) inside `target`, or -1 outside.
int32_t SourcePixelAt(const QRect& target, const PictureInfo& info, int x, int y,
                      int32_t* source_x, int32_t* source_y);

// A frame `thickness` pixels wide along the inside of `rect`.
void Frame(Surface16& surface, const QRect& rect, uint16_t colour, int thickness);

// The 5-5-5 word at pixel `index` of a 16-bit picture.
inline uint16_t Word(const uint8_t* pixels, int64_t index) {
  return static_cast<uint16_t>(pixels[2 * index] | (pixels[2 * index + 1] << 8));
}

}  // namespace picture_drawing
