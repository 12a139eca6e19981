// How the fill engines reach textures: a picture bank (or a test) answers for a picture ID
// with the texels of a power-of-two picture. Both picture banks are served through small
// adapters implementing this interface; the engines know nothing else about them.
#pragma once

#include <cstdint>

struct TextureView {
  // Row-major 16-bit 5-5-5 texels, top row first, (1 << width_exponent) texels per row and
  // (1 << height_exponent) rows. The buffer stays valid until the bank changes.
  const uint16_t* texels = nullptr;
  int32_t width_exponent = 0;
  int32_t height_exponent = 0;
  // Texels equal to transparent_colour are not drawn when has_transparent_colour is set.
  bool has_transparent_colour = false;
  uint16_t transparent_colour = 0;

  int32_t Width() const { return 1 << width_exponent; }
  int32_t Height() const { return 1 << height_exponent; }
  // The engines draw textures whose exponents are 0..kMaxExponent each and 20 at most
  // together (1M texels; the 20.12 fixed point of the affine fill then stays in 32 bits).
  static constexpr int32_t kMaxExponent = 15;
  bool Usable() const {
    return texels != nullptr && width_exponent >= 0 && height_exponent >= 0 &&
           width_exponent <= kMaxExponent && height_exponent <= kMaxExponent &&
           width_exponent + height_exponent <= 20;
  }
};

class TextureSource {
 public:
  virtual ~TextureSource() = default;
  // Fills *view for the picture ID and returns true; false when the ID has no usable
  // power-of-two picture (the engines then draw nothing).
  virtual bool Texture(int32_t picture_id, TextureView* view) const = 0;
};
