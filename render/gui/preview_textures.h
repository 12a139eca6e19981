// The preview's textures: pictures of the decided PictureBank1 (a 16-bit bank, 5-5-5
// texels) served to the perspective texture engine by picture index.
#pragma once

#include <cstdint>
#include <string>

#include "render/texture_source.h"

class PreviewTextures : public TextureSource {
 public:
  bool Texture(int32_t picture_id, TextureView* view) const override;

  // Starts the bank (16-bit) when it is not started, registers the BMP at `path` and decides
  // the bank. Returns the picture index, or -1 when the file is missing, unreadable or not a
  // BMP (the preview then draws no texture).
  static int32_t LoadTexture(const std::string& path);
};
