// Serves the engines' textures from a picture bank: the frame an animation shows at the
// current time, as 16-bit texels. Pictures that are not 16-bit power-of-two pictures are
// not drawn.
#pragma once

#include <cstdint>

#include "pictures/picture_textures.h"
#include "render/texture_source.h"

class BankTextureSource : public TextureSource {
 public:
  explicit BankTextureSource(const PictureTextures& bank) : bank_(bank) {}

  // The animation clock in milliseconds used for every following lookup.
  void SetTime(uint32_t time) { time_ = time; }
  uint32_t Time() const { return time_; }

  bool Texture(int32_t picture_id, TextureView* view) const override;

 private:
  const PictureTextures& bank_;
  uint32_t time_ = 0;
};
