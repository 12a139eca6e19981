// Texture pictures between the image library and our files: PNG, JPEG, TGA (and whatever
// else the library decodes) read into 8-bit pixels, written as the 24-bit Windows bitmaps the
// stage editor loads, or as PNG for glTF files. Sizes are checked before anything is decoded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Pixels top row first, `channels` (3: red, green, blue; 4: with alpha) bytes each.
struct TextureImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t channels = 3;
  std::vector<uint8_t> pixels;
};

// The largest side a texture may have; the stage editor's textures are far smaller.
constexpr int32_t kMaxTextureSide = 8192;

enum class TextureDecode : int {
  kDecoded = 0,
  kNotAPicture,    // the image library does not know the bytes, or the picture is too large
  kNotPowerOfTwo,  // a side is not a power of two of at least 2
};

bool IsPowerOfTwoSide(int64_t side);

// Decodes a picture file's bytes into 3 channels. The sides are checked (powers of two, at
// most kMaxTextureSide) before the pixels are decoded.
TextureDecode DecodeTexture(std::string_view bytes, TextureImage* image);

// A 24-bit uncompressed Windows bitmap of the image (its alpha is dropped).
std::string EncodeBmp24(const TextureImage& image);
// A PNG file of the image, with alpha when it has 4 channels.
std::string EncodePng(const TextureImage& image);

// The little-endian 5-5-5 words of a picture-bank picture as 8-bit channels (each 5-bit value
// v as v * 255 / 31); 4 channels when `transparent`, with alpha 0 where the word is
// `transparent_colour`.
TextureImage ImageFrom555(const uint8_t* words, int32_t width, int32_t height, bool transparent,
                          uint16_t transparent_colour);
