#include "render/surface_registry.h"

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"

SurfaceRegistry::~SurfaceRegistry() {
  slots_.ForEach([](int32_t, const Slot& slot) { delete slot.surface; });
}

int32_t SurfaceRegistry::Make(int32_t width, int32_t height) {
  return slots_.Add(Slot{new Surface16(width, height)});
}

bool SurfaceRegistry::Resize(int32_t id, int32_t width, int32_t height) {
  Surface16* surface = Surface(id);
  if (surface == nullptr) return false;
  surface->Resize(width, height);
  return true;
}

void SurfaceRegistry::Release(int32_t id) {
  if (!Contains(id)) return;
  delete slots_.Fetch(id).surface;
  slots_.Delete(id);
}

bool SurfaceRegistry::Contains(int32_t id) const { return id >= 0 && slots_.IsLive(id); }

bool SurfaceRegistry::Size(int32_t id, int32_t* width, int32_t* height) const {
  const Surface16* surface = Surface(id);
  *width = surface != nullptr ? surface->Width() : 0;
  *height = surface != nullptr ? surface->Height() : 0;
  return surface != nullptr;
}

Surface16* SurfaceRegistry::Surface(int32_t id) const {
  return Contains(id) ? slots_.Fetch(id).surface : nullptr;
}

void SurfaceRegistry::Clear(int32_t id, uint16_t colour) {
  if (Surface16* surface = Surface(id)) surface->Fill(colour);
}

int32_t SurfaceRegistry::FillFlat(int32_t id, const Point3f* points, int32_t n,
                                  uint16_t colour) {
  Surface16* surface = Surface(id);
  return surface != nullptr ? FlatSpanFill1::Fill(*surface, points, n, colour) : 0;
}

int32_t SurfaceRegistry::FillAffine(int32_t id, const Point3f* points, const TexCoord2f* coords,
                                    int32_t n, const TextureSource& textures,
                                    int32_t texture_id) {
  Surface16* surface = Surface(id);
  return surface != nullptr
             ? AffineSpanFill1::Fill(*surface, points, coords, n, textures, texture_id)
             : 0;
}

int32_t SurfaceRegistry::FillPerspective(int32_t id, const Point3f* points,
                                         const TexCoord2f* coords, int32_t n,
                                         const TextureSource& textures, int32_t texture_id) {
  Surface16* surface = Surface(id);
  return surface != nullptr ? PerspecTextureEngine1::DrawPolygon(*surface, points, coords, n,
                                                                 textures, texture_id)
                            : 0;
}

void SurfaceRegistry::DrawLine(int32_t id, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                               const Pen& pen) {
  if (Surface16* surface = Surface(id)) ::DrawLine(*surface, x0, y0, x1, y1, pen);
}

void SurfaceRegistry::DrawPolyline(int32_t id, const Point3f* points, int32_t n, bool closed,
                                   const Pen& pen) {
  if (Surface16* surface = Surface(id)) ::DrawPolyline(*surface, points, n, closed, pen);
}
