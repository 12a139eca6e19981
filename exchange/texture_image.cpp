#include "exchange/texture_image.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <climits>
#include <memory>

namespace {

void AppendBytes(void* context, void* data, int size) {
  if (size > 0) static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
}

bool Encodable(const TextureImage& image) {
  return image.width > 0 && image.height > 0 && (image.channels == 3 || image.channels == 4) &&
         image.pixels.size() == static_cast<size_t>(image.width) * image.height * image.channels;
}

}  // namespace

bool IsPowerOfTwoSide(int64_t side) { return side >= 2 && (side & (side - 1)) == 0; }

TextureDecode DecodeTexture(std::string_view bytes, TextureImage* image) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
    return TextureDecode::kNotAPicture;
  }
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(data, length, &width, &height, &channels) == 0 || width == 0 ||
      height == 0) {
    return TextureDecode::kNotAPicture;
  }
  // The library tells a bitmap stored top row first by a negative height.
  const int64_t side_x = width < 0 ? -static_cast<int64_t>(width) : width;
  const int64_t side_y = height < 0 ? -static_cast<int64_t>(height) : height;
  if (!IsPowerOfTwoSide(side_x) || !IsPowerOfTwoSide(side_y)) {
    return TextureDecode::kNotPowerOfTwo;
  }
  if (side_x > kMaxTextureSide || side_y > kMaxTextureSide) return TextureDecode::kNotAPicture;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(data, length, &width, &height, &channels, 3), stbi_image_free);
  // The header may promise what the data does not hold.
  if (pixels == nullptr || !IsPowerOfTwoSide(width) || !IsPowerOfTwoSide(height) ||
      width > kMaxTextureSide || height > kMaxTextureSide) {
    return TextureDecode::kNotAPicture;
  }
  image->width = width;
  image->height = height;
  image->channels = 3;
  image->pixels.assign(pixels.get(), pixels.get() + static_cast<size_t>(width) * height * 3);
  return TextureDecode::kDecoded;
}

std::string EncodeBmp24(const TextureImage& image) {
  std::string bytes;
  if (!Encodable(image)) return bytes;
  const uint8_t* source = image.pixels.data();
  std::vector<uint8_t> rgb;
  if (image.channels == 4) {
    rgb.reserve(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
      rgb.insert(rgb.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
                 image.pixels.begin() + static_cast<std::ptrdiff_t>(i + 3));
    }
    source = rgb.data();
  }
  stbi_write_bmp_to_func(AppendBytes, &bytes, image.width, image.height, 3, source);
  return bytes;
}

std::string EncodePng(const TextureImage& image) {
  std::string bytes;
  if (!Encodable(image)) return bytes;
  stbi_write_png_to_func(AppendBytes, &bytes, image.width, image.height, image.channels,
                         image.pixels.data(), image.width * image.channels);
  return bytes;
}

TextureImage ImageFrom555(const uint8_t* words, int32_t width, int32_t height, bool transparent,
                          uint16_t transparent_colour) {
  TextureImage image;
  image.width = width;
  image.height = height;
  image.channels = transparent ? 4 : 3;
  const size_t count = static_cast<size_t>(width) * height;
  image.pixels.reserve(count * image.channels);
  for (size_t i = 0; i < count; ++i) {
    const auto word = static_cast<uint16_t>(words[2 * i] | (words[2 * i + 1] << 8));
    for (const int shift : {10, 5, 0}) {
      image.pixels.push_back(static_cast<uint8_t>(((word >> shift) & 31) * 255 / 31));
    }
    if (transparent) {
      image.pixels.push_back((word & 0x7FFF) == (transparent_colour & 0x7FFF) ? 0 : 255);
    }
  }
  return image;
}
