// The stage editor's store of 16-bit off-screen surfaces, addressed by surface ID (stable,
// lowest free ID reused). Views make their surface here and draw into it through the fill
// engines and the line drawing; the windows show Surface(id). Unknown IDs are ignored
// (nothing drawn, sizes 0, false results).
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "foundation/typed_database.h"
#include "render/line_drawing.h"
#include "render/polygon.h"
#include "render/texture_source.h"

class SurfaceRegistry {
 public:
  SurfaceRegistry() = default;
  ~SurfaceRegistry();
  SurfaceRegistry(const SurfaceRegistry&) = delete;
  SurfaceRegistry& operator=(const SurfaceRegistry&) = delete;

  // A new cleared surface of the size; returns its ID.
  int32_t Make(int32_t width, int32_t height);
  // Re-makes the surface at the size (pixels cleared); false for an unknown ID.
  bool Resize(int32_t id, int32_t width, int32_t height);
  void Release(int32_t id);
  bool Contains(int32_t id) const;
  int32_t Count() const { return slots_.Count(); }
  // False (and 0 x 0) for an unknown ID.
  bool Size(int32_t id, int32_t* width, int32_t* height) const;
  // Null for an unknown ID.
  Surface16* Surface(int32_t id) const;

  void Clear(int32_t id, uint16_t colour = 0);
  // The fills of the engines (results as theirs; 0 for an unknown ID).
  int32_t FillFlat(int32_t id, const Point3f* points, int32_t n, uint16_t colour);
  int32_t FillAffine(int32_t id, const Point3f* points, const TexCoord2f* coords, int32_t n,
                     const TextureSource& textures, int32_t texture_id);
  int32_t FillPerspective(int32_t id, const Point3f* points, const TexCoord2f* coords,
                          int32_t n, const TextureSource& textures, int32_t texture_id);
  void DrawLine(int32_t id, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Pen& pen);
  void DrawPolyline(int32_t id, const Point3f* points, int32_t n, bool closed, const Pen& pen);

 private:
  struct Slot {
    Surface16* surface;
  };
  IdTable<Slot> slots_;
};
