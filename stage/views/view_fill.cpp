#include "stage/views/view_fill.h"

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"

namespace view_fill {

void Flat(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour) {
  FlatSpanFill1::FillAnyWidth(surface, points, n, colour);
}

void Affine(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
            const TextureSource& textures, int32_t texture_id) {
  TextureView texture;
  if (textures.Texture(texture_id, &texture)) {
    AffineSpanFill1::FillAnyWidth(surface, points, coords, n, texture);
  }
}

void Perspective(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
                 const TextureSource& textures, int32_t texture_id) {
  PerspecTextureEngine1::DrawPolygon(surface, points, coords, n, textures, texture_id);
}

}  // namespace view_fill
