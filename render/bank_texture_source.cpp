#include "render/bank_texture_source.h"

bool BankTextureSource::Texture(int32_t picture_id, TextureView* view) const {
  TextureTexels texels;
  if (!bank_.Texture(picture_id, time_, &texels)) return false;
  if (texels.bytes_per_texel != 2 || texels.texels == nullptr) return false;
  // Bank pictures are stored as whole 16-bit words with even alignment.
  view->texels = reinterpret_cast<const uint16_t*>(texels.texels);
  view->width_exponent = texels.width_exponent;
  view->height_exponent = texels.height_exponent;
  view->has_transparent_colour = texels.has_transparent_colour;
  view->transparent_colour = static_cast<uint16_t>(texels.transparent_colour);
  return view->Usable();
}
