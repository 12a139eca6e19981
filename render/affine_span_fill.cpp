#include "render/affine_span_fill.h"

#include <algorithm>
#include <cmath>

#include "foundation/class_startup.h"
#include "render/numeric_conversion.h"
#include "render/scan_line_tables.h"

namespace {

constexpr const char* kTag = "AffineSpanFill1";
ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);
// x of A, x of B, u of A, v of A, u of B, v of B (u, v in 20.12 texel units).
ScanLineTables<6> tables;
// Fixed-point coordinates stay below this, so differences and steps fit 32 bits.
constexpr float kFixedLimit = 1073741824.0f;  // 2^30

struct FixedVertex {
  float x;
  float y;
  int32_t u;
  int32_t v;
};

void WalkEdge(FixedVertex p0, FixedVertex p1, int32_t* x_table, int32_t* u_table,
              int32_t* v_table) {
  int32_t ys = TruncToInt32(static_cast<double>(p0.y) + 0.5);
  int32_t ye = TruncToInt32(static_cast<double>(p1.y) + 0.5);
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

void PlainSpans(uint16_t* pixels, int32_t width, int32_t height, const TextureView& texture) {
  const int32_t* xa_table = tables.Table(0);
  const int32_t* xb_table = tables.Table(1);
  const int32_t* ua_table = tables.Table(2);
  const int32_t* va_table = tables.Table(3);
  const int32_t* ub_table = tables.Table(4);
  const int32_t* vb_table = tables.Table(5);
  const int32_t we = texture.width_exponent;
  const uint32_t u_mask = static_cast<uint32_t>(texture.Width() - 1);
  const uint32_t v_mask = static_cast<uint32_t>(texture.Height() - 1);
  const uint16_t* texels = texture.texels;
  const int32_t last_x = width - 1;
  for (int32_t r = tables.Top(); r <= tables.Bottom(); ++r) {
    const int32_t xa = std::max(xa_table[r], 0);
    const int32_t xb = std::min(xb_table[r], last_x);
    const int32_t m = xb - xa;
    if (m < 0) continue;
    int32_t du = 0;
    int32_t dv = 0;
    if (m != 0) {
      du = (ub_table[r] - ua_table[r]) / m;
      dv = (vb_table[r] - va_table[r]) / m;
    }
    uint16_t* dest = pixels + static_cast<ptrdiff_t>(width) * (height - 1 - r) + xa;
    // Unsigned steps wrap instead of overflowing; the masks take the same bits.
    uint32_t u = static_cast<uint32_t>(ua_table[r]);
    uint32_t v = static_cast<uint32_t>(va_table[r]);
    for (int32_t i = 0; i <= m; ++i) {
      const uint32_t index =
          ((static_cast<uint32_t>(static_cast<int32_t>(v) >> 12) & v_mask) << we) +
          (static_cast<uint32_t>(static_cast<int32_t>(u) >> 12) & u_mask);
      dest[i] = texels[index];
      u += static_cast<uint32_t>(du);
      v += static_cast<uint32_t>(dv);
    }
  }
}

// Spans from the B end down to the A end, leaving transparent texels out.
void TransparentSpans(uint16_t* pixels, int32_t width, int32_t height, const TextureView& texture) {
  const int32_t* xa_table = tables.Table(0);
  const int32_t* xb_table = tables.Table(1);
  const int32_t* ua_table = tables.Table(2);
  const int32_t* va_table = tables.Table(3);
  const int32_t* ub_table = tables.Table(4);
  const int32_t* vb_table = tables.Table(5);
  const int32_t we = texture.width_exponent;
  const uint32_t u_mask = static_cast<uint32_t>(texture.Width() - 1) << 12;
  const uint32_t v_mask = (static_cast<uint32_t>(texture.Height() - 1) << 12) << we;
  const uint16_t* texels = texture.texels;
  const uint16_t key = texture.transparent_colour;
  uint16_t scratch = 0;
  const int32_t last_x = width - 1;
  for (int32_t r = tables.Top(); r <= tables.Bottom(); ++r) {
    const int32_t xa = std::max(xa_table[r], 0);
    const int32_t xb = std::min(xb_table[r], last_x);
    const int32_t m = xb - xa;
    if (m < 0) continue;
    int32_t du = 0;
    int32_t dv = 0;
    if (m != 0) {
      du = (ua_table[r] - ub_table[r]) / m;
      // The row offset may pass 2^31 for large textures; the wrapped word is what the
      // mask takes apart, as the 32-bit arithmetic always did.
      dv = static_cast<int32_t>(static_cast<uint32_t>(va_table[r] - vb_table[r]) << we) / m;
    }
    uint16_t* dest = pixels + static_cast<ptrdiff_t>(width) * (height - 1 - r) + xb;
    uint32_t u = static_cast<uint32_t>(ub_table[r]);
    uint32_t v = static_cast<uint32_t>(vb_table[r]) << we;
    for (int32_t i = 0; i <= m; ++i) {
      const uint16_t texel = texels[((u & u_mask) + (v & v_mask)) >> 12];
      // Transparent texels go to a scratch word: a select, not a branch, per pixel.
      *(texel == key ? &scratch : dest - i) = texel;
      u += static_cast<uint32_t>(du);
      v += static_cast<uint32_t>(dv);
    }
  }
}

}  // namespace

void AffineSpanFill1::StartUp() {
  if (startup.StartUp()) tables.Free();
}

void AffineSpanFill1::ShutDown() {
  if (startup.ShutDown()) tables.Free();
}

bool AffineSpanFill1::Started() { return startup.Started(); }

void AffineSpanFill1::Prepare(int32_t rows) { tables.Prepare(rows, kTag); }

int32_t AffineSpanFill1::Fill(uint16_t* pixels, int32_t width, int32_t height,
                              const Point3f* points, const TexCoord2f* coords, int32_t n,
                              const TextureSource& textures, int32_t texture_id) {
  SUITE_CHECK(startup.Started(), kTag, "クラスを初期化していません");
  TextureView texture;
  if (!textures.Texture(texture_id, &texture) || !texture.Usable()) return 0;
  if (texture.has_transparent_colour && width > kMaxWidth) return 1;
  FillAnyWidth(pixels, width, height, points, coords, n, texture);
  return 0;
}

void AffineSpanFill1::FillAnyWidth(uint16_t* pixels, int32_t width, int32_t height,
                                   const Point3f* points, const TexCoord2f* coords, int32_t n,
                                   const TextureView& texture) {
  SUITE_CHECK(startup.Started(), kTag, "クラスを初期化していません");
  if (!texture.Usable()) return;
  if (pixels == nullptr || width < 1 || height < 1) return;
  Prepare(height);
  if (tables.Length() != height) return;
  if (n < 2 || !PolygonInsideSurface(points, n, width, height)) return;
  const float u_unit = std::ldexp(1.0f, texture.width_exponent + 12);
  const float v_unit = std::ldexp(1.0f, texture.height_exponent + 12);
  FixedVertex first{};
  FixedVertex previous{};
  for (int32_t i = 0; i <= n; ++i) {
    FixedVertex vertex{};
    if (i == n) {
      vertex = first;
    } else {
      const float u = coords[i].u * u_unit;
      const float v = coords[i].v * v_unit;
      if (!(std::fabs(u) < kFixedLimit && std::fabs(v) < kFixedLimit)) return;
      vertex = {points[i].x, points[i].y, TruncFloatToInt32(u), TruncFloatToInt32(v)};
    }
    if (i == 0) {
      first = vertex;
    } else {
      const int32_t ri = TruncToInt32(static_cast<double>(previous.y) + 0.5);
      const int32_t rj = TruncToInt32(static_cast<double>(vertex.y) + 0.5);
      if (ri > rj) {
        WalkEdge(previous, vertex, tables.Table(0), tables.Table(2), tables.Table(3));
      } else if (ri < rj) {
        WalkEdge(previous, vertex, tables.Table(1), tables.Table(4), tables.Table(5));
      }
    }
    previous = vertex;
  }
  if (texture.has_transparent_colour) {
    TransparentSpans(pixels, width, height, texture);
  } else {
    PlainSpans(pixels, width, height, texture);
  }
}

int32_t AffineSpanFill1::TableLength() { return tables.Length(); }
int32_t AffineSpanFill1::TopRow() { return tables.Top(); }
int32_t AffineSpanFill1::BottomRow() { return tables.Bottom(); }
