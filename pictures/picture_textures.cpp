#include "pictures/picture_textures.h"

#include "pictures/picture_bank1.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/pixel_format.h"

bool HighColorBankTextures::Texture(int32_t picture_id, uint32_t time,
                                    TextureTexels* out) const {
  if (!PictureBankHighColor1::IsPicture(picture_id)) return false;
  const int32_t frame = PictureBankHighColor1::FrameAtTime(picture_id, time);
  if (frame < 0) return false;
  PictureInfo info;
  PictureBankHighColor1::Picture(frame, &info, 0);
  if ((info.flags & PictureBankHighColor1::kPowerOfTwo) == 0) return false;
  out->texels = PictureBankHighColor1::PowerOfTwoPicture(frame, &out->width_exponent,
                                                         &out->height_exponent, &info);
  out->bytes_per_texel = BytesPerPixel(PictureBankHighColor1::ColourBits());
  out->has_transparent_colour = info.transparency_switch == 1;
  out->transparent_colour = info.transparent_colour;
  return true;
}

bool PictureBank1Textures::Texture(int32_t picture_id, uint32_t time, TextureTexels* out) const {
  (void)time;
  if (PictureBank1::State() != PictureBank1::kDecided || picture_id < 0 ||
      picture_id >= PictureBank1::Count()) {
    return false;
  }
  int32_t width = 0, height = 0, byte_count = 0;
  uint8_t flags = 0;
  PictureBank1::Picture(picture_id, &width, &height, &byte_count, &flags);
  if ((flags & PictureBank1::kPowerOfTwo) == 0) return false;
  out->texels =
      PictureBank1::PowerOfTwoPicture(picture_id, &out->width_exponent, &out->height_exponent);
  const int32_t pixel_count = width * height;
  out->bytes_per_texel = pixel_count > 0 ? byte_count / pixel_count : 2;
  out->has_transparent_colour = false;
  out->transparent_colour = 0;
  return true;
}
