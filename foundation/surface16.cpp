#include "foundation/surface16.h"

#include <algorithm>

void Surface16::Resize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

void Surface16::Fill(uint16_t colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }
