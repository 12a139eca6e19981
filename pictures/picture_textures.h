// What a texture-mapping renderer needs of a picture, served by either picture bank: the
// texels of a power-of-two picture (the frame shown at a given time for animations), its
// size exponents and its transparent colour.
#pragma once

#include <cstdint>

struct TextureTexels {
  const uint8_t* texels = nullptr;  // rows of 2^width_exponent texels, top row first
  int32_t width_exponent = 0;
  int32_t height_exponent = 0;
  int32_t bytes_per_texel = 2;  // 2: 5-5-5 words; 3: blue, green, red; 1: palette index
  bool has_transparent_colour = false;
  uint32_t transparent_colour = 0;
};

class PictureTextures {
 public:
  virtual ~PictureTextures() = default;
  // Fills `out` for picture `picture_id` at `time` ms; false when the picture is not a
  // power-of-two picture of this source.
  virtual bool Texture(int32_t picture_id, uint32_t time, TextureTexels* out) const = 0;
};

// Textures from PictureBankHighColor1 by picture ID (animation bases by time).
class HighColorBankTextures : public PictureTextures {
 public:
  bool Texture(int32_t picture_id, uint32_t time, TextureTexels* out) const override;
};

// Textures from the decided PictureBank1 by picture index (no transparency, no animation).
class PictureBank1Textures : public PictureTextures {
 public:
  bool Texture(int32_t picture_id, uint32_t time, TextureTexels* out) const override;
};
