#include "stage/views/view_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/numeric_conversion.h"
#include "render/perspec_texture_engine.h"
#include "render/scan_line_tables.h"

namespace view_fill {
namespace {

// Edge tables of the wide paths: x of A and B, then u and v of A and of B.
struct WideTables {
  std::vector<int32_t> column[6];
  int32_t top = 0;
  int32_t bottom = 0;

  void Prepare(int32_t rows, int32_t columns) {
    for (int32_t c = 0; c < columns; ++c) column[c].assign(static_cast<size_t>(rows), 0);
    top = ScanLineTables<1>::kTopRowReset;
    bottom = ScanLineTables<1>::kBottomRowReset;
  }
  void Widen(int32_t first, int32_t last) {
    top = std::min(top, first);
    bottom = std::max(bottom, last);
  }
};

WideTables& Tables() {
  static WideTables tables;
  return tables;
}

int32_t Row(float y) { return TruncToInt32(static_cast<double>(y) + 0.5); }

void WalkFlatEdge(Point3f p0, Point3f p1, int32_t* x_table, WideTables& tables) {
  int32_t ys = Row(p0.y);
  int32_t ye = Row(p1.y);
  if (ye < ys) {
    std::swap(p0, p1);
    std::swap(ys, ye);
  }
  tables.Widen(ys, ye);
  const float step = (p1.x - p0.x) / static_cast<float>(ye - ys);
  float x = p0.x;
  for (int32_t r = ys; r <= ye; ++r) {
    x_table[r] = TruncFloatToInt32(x + 0.5f);
    x += step;
  }
}

struct FixedVertex {
  float x;
  float y;
  int32_t u;
  int32_t v;
};

void WalkTextureEdge(FixedVertex p0, FixedVertex p1, int32_t* x_table, int32_t* u_table,
                     int32_t* v_table, WideTables& tables) {
  int32_t ys = Row(p0.y);
  int32_t ye = Row(p1.y);
  if (ye < ys) {
    std::swap(p0, p1);
    std::swap(ys, ye);
  }
  const int32_t k = ye - ys;
  const float x_step = (p1.x - p0.x) / static_cast<float>(k);
  const int32_t u_step = (p1.u - p0.u) / k;
  const int32_t v_step = (p1.v - p0.v) / k;
  tables.Widen(ys, ye);
  float x = p0.x;
  int32_t u = p0.u;
  int32_t v = p0.v;
  for (int32_t r = ys; r <= ye; ++r) {
    x_table[r] = TruncFloatToInt32(x + 0.5f);
    u_table[r] = u;
    v_table[r] = v;
    x += x_step;
    u += u_step;
    v += v_step;
  }
}

}  // namespace

void WideFlat(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour) {
  const int32_t width = surface.Width();
  const int32_t height = surface.Height();
  if (width < 1 || height < 1 || n < 2 || !PolygonInsideSurface(points, n, width, height)) {
    return;
  }
  WideTables& tables = Tables();
  tables.Prepare(height, 2);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const int32_t ri = Row(points[i].y);
    const int32_t rj = Row(points[j].y);
    if (ri == rj) continue;
    WalkFlatEdge(points[i], points[j], tables.column[ri > rj ? 0 : 1].data(), tables);
  }
  for (int32_t r = tables.top; r <= tables.bottom; ++r) {
    const int32_t xa = std::max(tables.column[0][static_cast<size_t>(r)], 0);
    const int32_t xb = std::min(tables.column[1][static_cast<size_t>(r)], width - 1);
    if (xb < xa) continue;
    std::fill_n(surface.ScreenRow(r) + xa, xb - xa + 1, colour);
  }
}

void WideAffine(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
                const TextureView& texture) {
  const int32_t width = surface.Width();
  const int32_t height = surface.Height();
  if (!texture.Usable() || width < 1 || height < 1 || n < 2 ||
      !PolygonInsideSurface(points, n, width, height)) {
    return;
  }
  constexpr float kFixedLimit = 1073741824.0f;  // 2^30, as the engine
  const float u_unit = std::ldexp(1.0f, texture.width_exponent + 12);
  const float v_unit = std::ldexp(1.0f, texture.height_exponent + 12);
  WideTables& tables = Tables();
  tables.Prepare(height, 6);
  FixedVertex vertices[kPolygonCapacity + 1];
  const int32_t count = std::min(n, kPolygonCapacity);
  for (int32_t i = 0; i < count; ++i) {
    const float u = coords[i].u * u_unit;
    const float v = coords[i].v * v_unit;
    if (!(std::fabs(u) < kFixedLimit && std::fabs(v) < kFixedLimit)) return;
    vertices[i] = {points[i].x, points[i].y, TruncFloatToInt32(u), TruncFloatToInt32(v)};
  }
  vertices[count] = vertices[0];
  for (int32_t i = 0; i < count; ++i) {
    const int32_t ri = Row(vertices[i].y);
    const int32_t rj = Row(vertices[i + 1].y);
    if (ri > rj) {
      WalkTextureEdge(vertices[i], vertices[i + 1], tables.column[0].data(),
                      tables.column[2].data(), tables.column[3].data(), tables);
    } else if (ri < rj) {
      WalkTextureEdge(vertices[i], vertices[i + 1], tables.column[1].data(),
                      tables.column[4].data(), tables.column[5].data(), tables);
    }
  }
  const int32_t we = texture.width_exponent;
  const uint16_t* texels = texture.texels;
  for (int32_t r = tables.top; r <= tables.bottom; ++r) {
    const size_t row = static_cast<size_t>(r);
    const int32_t xa = std::max(tables.column[0][row], 0);
    const int32_t xb = std::min(tables.column[1][row], width - 1);
    const int32_t m = xb - xa;
    if (m < 0) continue;
    const int32_t ua = tables.column[2][row];
    const int32_t va = tables.column[3][row];
    const int32_t ub = tables.column[4][row];
    const int32_t vb = tables.column[5][row];
    uint16_t* line = surface.ScreenRow(r);
    if (!texture.has_transparent_colour) {
      const int32_t du = m != 0 ? (ub - ua) / m : 0;
      const int32_t dv = m != 0 ? (vb - va) / m : 0;
      const uint32_t u_mask = static_cast<uint32_t>(texture.Width() - 1);
      const uint32_t v_mask = static_cast<uint32_t>(texture.Height() - 1);
      uint32_t u = static_cast<uint32_t>(ua);
      uint32_t v = static_cast<uint32_t>(va);
      for (int32_t i = 0; i <= m; ++i) {
        const uint32_t index =
            ((static_cast<uint32_t>(static_cast<int32_t>(v) >> 12) & v_mask) << we) +
            (static_cast<uint32_t>(static_cast<int32_t>(u) >> 12) & u_mask);
        line[xa + i] = texels[index];
        u += static_cast<uint32_t>(du);
        v += static_cast<uint32_t>(dv);
      }
      continue;
    }
    // Transparent textures walk from the B end down to the A end, as the engine does.
    const int32_t du = m != 0 ? (ua - ub) / m : 0;
    const int32_t dv = m != 0 ? static_cast<int32_t>(static_cast<uint32_t>(va - vb) << we) / m : 0;
    const uint32_t u_mask = static_cast<uint32_t>(texture.Width() - 1) << 12;
    const uint32_t v_mask = (static_cast<uint32_t>(texture.Height() - 1) << 12) << we;
    uint32_t u = static_cast<uint32_t>(ub);
    uint32_t v = static_cast<uint32_t>(vb) << we;
    for (int32_t i = 0; i <= m; ++i) {
      const uint16_t texel = texels[((u & u_mask) + (v & v_mask)) >> 12];
      if (texel != texture.transparent_colour) line[xb - i] = texel;
      u += static_cast<uint32_t>(du);
      v += static_cast<uint32_t>(dv);
    }
  }
}

void Flat(Surface16& surface, const Point3f* points, int32_t n, uint16_t colour) {
  if (surface.Width() > FlatSpanFill1::kMaxWidth) {
    WideFlat(surface, points, n, colour);
  } else {
    FlatSpanFill1::Fill(surface, points, n, colour);
  }
}

void Affine(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
            const TextureSource& textures, int32_t texture_id) {
  if (surface.Width() > AffineSpanFill1::kMaxWidth) {
    TextureView texture;
    if (textures.Texture(texture_id, &texture)) WideAffine(surface, points, coords, n, texture);
  } else {
    AffineSpanFill1::Fill(surface, points, coords, n, textures, texture_id);
  }
}

void Perspective(Surface16& surface, const Point3f* points, const TexCoord2f* coords, int32_t n,
                 const TextureSource& textures, int32_t texture_id) {
  PerspecTextureEngine1::DrawPolygon(surface, points, coords, n, textures, texture_id);
}

}  // namespace view_fill
