// The fills the views draw polygons with. A view window is often wider than the surfaces the
// span engines fill flat polygons, and textures with a transparent colour, into (1024
// pixels), so the views use the engines' fills without that limit: pixel for pixel what the
// engines draw on narrower surfaces. Polygons come clipped and projected (screen x, screen
// y, depth).
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

}  // namespace view_fill
