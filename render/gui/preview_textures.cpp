#include "render/gui/preview_textures.h"

#include "foundation/file_io.h"
#include "pictures/picture_bank1.h"

bool PreviewTextures::Texture(int32_t picture_id, TextureView* view) const {
  if (PictureBank1::State() != PictureBank1::kDecided || PictureBank1::ColourBits() != 16 ||
      picture_id < 0 || picture_id >= PictureBank1::Count()) {
    return false;
  }
  int32_t width = 0, height = 0, byte_count = 0;
  uint8_t flags = 0;
  PictureBank1::Picture(picture_id, &width, &height, &byte_count, &flags);
  if ((flags & PictureBank1::kPowerOfTwo) == 0) return false;
  TextureView result;
  result.texels = reinterpret_cast<const uint16_t*>(
      PictureBank1::PowerOfTwoPicture(picture_id, &result.width_exponent, &result.height_exponent));
  if (!result.Usable()) return false;
  *view = result;
  return true;
}

namespace {
// The texture is loaded once per run: a decided bank takes no more pictures.
bool loaded = false;
int32_t loaded_id = -1;
}  // namespace

int32_t PreviewTextures::LoadTexture(const std::string& path) {
  if (PictureBank1::State() == PictureBank1::kNotStarted) {
    PictureBank1::StartUp(16);
    loaded = false;
  }
  if (loaded || PictureBank1::State() == PictureBank1::kDecided) return loaded ? loaded_id : -1;
  loaded = true;
  loaded_id = FileExists(path) ? PictureBank1::Register(path) : -1;
  if (PictureBank1::State() == PictureBank1::kRegistered) PictureBank1::Decide();
  return loaded_id;
}
