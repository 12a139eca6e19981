// An owned off-screen drawing surface of 16-bit 5-5-5 pixels, rows stored bottom row first
// (row 0 in memory is the lowest screen row), exactly the layout the drawing engines write.
// Windows show it flipped; the engines address screen row y at memory row height-1-y.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Surface16 {
 public:
  Surface16() = default;
  Surface16(int32_t width, int32_t height) { Resize(width, height); }

  // Makes the surface width x height (negative sizes count as 0); the pixels are cleared.
  void Resize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Memory rows, bottom row first: Bits()[memory_row * Width() + x].
  uint16_t* Bits() { return pixels_.data(); }
  const uint16_t* Bits() const { return pixels_.data(); }
  // The memory row that holds screen row y (0 = top).
  uint16_t* ScreenRow(int32_t y) { return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * width_; }
  const uint16_t* ScreenRow(int32_t y) const {
    return pixels_.data() + static_cast<size_t>(height_ - 1 - y) * width_;
  }
  // Pixel at screen coordinates (x right, y down); 0 outside.
  uint16_t At(int32_t x, int32_t y) const {
    return Inside(x, y) ? ScreenRow(y)[x] : 0;
  }
  void Set(int32_t x, int32_t y, uint16_t colour) {
    if (Inside(x, y)) ScreenRow(y)[x] = colour;
  }
  bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  void Fill(uint16_t colour);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint16_t> pixels_;
};

// The 5-5-5 word of an 8-bit colour (each channel shifted right by 3).
inline uint16_t PackColour555(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}
