// The fills the views draw polygons with. The span engines fill flat polygons, and textures
// with a transparent colour, only into surfaces up to 1024 pixels wide; a view window is
// often wider, so wider surfaces are filled here with the engines' own edge walk and spans,
// pixel for pixel what the engines draw on narrower ones. Polygons come clipped and
// projected (screen x, screen y, depth).
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"
#include "render/texture_source.h"

namespace view_fill {

void Flat(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour);
void Affine(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
            const TextureSource& textures, int32_t texture_id);
void Perspective(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
                 const TextureSource& textures, int32_t texture_id);

// The paths for wide surfaces, usable at any width.
void WideFlat(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour);
void WideAffine(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
                const TextureView& texture);

}  // namespace view_fill
