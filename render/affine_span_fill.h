// AffineSpanFill1 fills one convex, clipped, projected polygon with a texture interpolated
// linearly in screen space (20.12 fixed point), into a bottom-up surface; texels equal to
// the texture's transparent colour leave the destination unchanged. Spans, rows and the
// winding rule are those of FlatSpanFill1 (every row top to bottom inclusive). A
// process-wide engine: start it up once before drawing.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/polygon.h"
#include "render/texture_source.h"

class AffineSpanFill1 {
 public:
  // Widest surface a texture with a transparent colour is drawn into.
  static constexpr int32_t kMaxWidth = 1024;

  static void StartUp();
  static void ShutDown();
  static bool Started();
  static void Prepare(int32_t rows);

  // Returns 0, or 1 (nothing drawn) when the texture has a transparent colour and
  // width > kMaxWidth. Coordinates u, v run 0..1 across the texture (v wraps, u = 1.0 lands
  // on column 0 again). A polygon with a vertex outside the surface, non-finite values or
  // texture coordinates beyond the fixed-point range is not drawn.
  static int32_t Fill(uint16_t* pixels, int32_t width, int32_t height, const Point3f* points,
                      const TexCoord2f* coords, int32_t n, const TextureSource& textures,
                      int32_t texture_id);
  static int32_t Fill(Surface16& surface, const Point3f* points, const TexCoord2f* coords,
                      int32_t n, const TextureSource& textures, int32_t texture_id) {
    return Fill(surface.Bits(), surface.Width(), surface.Height(), points, coords, n, textures,
                texture_id);
  }
  // The same fill with a texture at hand and without the width limit, for surfaces wider
  // than kMaxWidth (the stage views' windows): every pixel as Fill draws it on a narrower
  // surface.
  static void FillAnyWidth(uint16_t* pixels, int32_t width, int32_t height, const Point3f* points,
                           const TexCoord2f* coords, int32_t n, const TextureView& texture);
  static void FillAnyWidth(Surface16& surface, const Point3f* points, const TexCoord2f* coords,
                           int32_t n, const TextureView& texture) {
    FillAnyWidth(surface.Bits(), surface.Width(), surface.Height(), points, coords, n, texture);
  }

  static int32_t TableLength();
  static int32_t TopRow();
  static int32_t BottomRow();
};
