// Writes uncompressed 24-bit BMP files, the kind every program of the suite reads: for the
// pictures the suite draws itself (the sample stage's textures) and for test and benchmark
// inputs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The bytes of a `width` x `height` BMP (rows bottom up, each padded to 4 bytes, 2835
// pixels per metre). `colour` gives each pixel as 0xRRGGBB, x from the left and y from the
// top, and is called in the file's order: bottom row first, each row left to right.
std::string Bmp24Bytes(int32_t width, int32_t height,
                       const std::function<uint32_t(int32_t x, int32_t y)>& colour);
