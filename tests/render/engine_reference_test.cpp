// The engines against plain, literal implementations of their arithmetic written here: the
// fast span code must produce exactly the same pixels on random clipped polygons.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "render/affine_span_fill.h"
#include "render/clipping.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "tests/render/render_test_support.h"

namespace {

int32_t Row(float y) { return static_cast<int32_t>(static_cast<double>(y) + 0.5); }

struct PlainTables {
  explicit PlainTables(int32_t rows)
      : xa(rows), xb(rows), ua(rows), va(rows), ub(rows), vb(rows), za(rows), zb(rows) {}
  std::vector<int32_t> xa, xb;
  std::vector<float> ua, va, ub, vb, za, zb;
  std::vector<int32_t> iua, iva, iub, ivb;
  int32_t top = 36635, bottom = -36636;
};

float PlainReciprocal(int32_t f) {
  const PerspecTextureEngine1::Segment* table = PerspecTextureEngine1::SegmentTable();
  return table[f >> 16].value - static_cast<float>(f & 0xFFFF) * table[f >> 16].slope;
}

void PlainPerspective(Surface16& surface, const Point3f* p, const TexCoord2f* c, int32_t n,
                      const TextureView& t) {
  const int32_t height = surface.Height();
  PlainTables tables(height);
  const float us = static_cast<float>((1 << t.width_exponent) - 1);
  const float vs = static_cast<float>((1 << t.height_exponent) - 1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1) % n;
    if (Row(p[i].y) == Row(p[j].y)) continue;
    const bool set_a = Row(p[i].y) > Row(p[j].y);
    Point3f p0 = p[i], p1 = p[j];
    float u0 = c[i].u * us, v0 = c[i].v * vs, u1 = c[j].u * us, v1 = c[j].v * vs;
    if (Row(p1.y) < Row(p0.y)) {
      std::swap(p0, p1);
      std::swap(u0, u1);
      std::swap(v0, v1);
    }
    const int32_t ys = Row(p0.y), ye = Row(p1.y), k = ye - ys;
    const float x_step = (p1.x - p0.x) / static_cast<float>(k);
    const float t_step = p0.z / static_cast<float>(k);
    int32_t f = static_cast<int32_t>(p1.z * 268435456.0f);
    const int32_t f_step = static_cast<int32_t>((p0.z - p1.z) * 268435456.0f / static_cast<float>(k));
    tables.top = std::min(tables.top, ys);
    tables.bottom = std::max(tables.bottom, ye);
    float x = p0.x, tt = 0.0f;
    for (int32_t r = ys; r <= ye; ++r) {
      const float s = PlainReciprocal(f) * tt;
      (set_a ? tables.xa : tables.xb)[r] = static_cast<int32_t>(x + 0.5f);
      (set_a ? tables.ua : tables.ub)[r] = u0 + s * (u1 - u0);
      (set_a ? tables.va : tables.vb)[r] = v0 + s * (v1 - v0);
      (set_a ? tables.za : tables.zb)[r] = p0.z + s * (p1.z - p0.z);
      x += x_step;
      tt += t_step;
      f += f_step;
    }
  }
  const float row_scale = static_cast<float>(1 << t.width_exponent);
  const int32_t v_mask = ((1 << t.height_exponent) - 1) << t.width_exponent;
  for (int32_t r = tables.top; r < tables.bottom; ++r) {
    const int32_t xa = tables.xa[r], m = tables.xb[r] - xa;
    const float d = m == 0 ? 0.0f : 1.0f / static_cast<float>(m);
    uint16_t* dest = surface.ScreenRow(r) + xa;
    const float va = tables.va[r] * row_scale, vb = tables.vb[r] * row_scale;
    const float du = tables.ub[r] - tables.ua[r], dv = vb - va;
    int32_t g = static_cast<int32_t>(std::nearbyint(tables.zb[r] * 268435456.0f));
    const int32_t g_step = static_cast<int32_t>(
        std::nearbyint((tables.za[r] - tables.zb[r]) * d * 268435456.0f));
    float su = 0.0f, sv = 0.0f;
    const float su_step = d * tables.za[r] * du, sv_step = d * tables.za[r] * dv;
    for (int32_t i = 0; i <= m; ++i) {
      const float recip = PlainReciprocal(g);
      const int32_t u = static_cast<int32_t>(std::nearbyint(tables.ua[r] + su * recip));
      const int32_t v = static_cast<int32_t>(std::nearbyint(va + sv * recip)) & v_mask;
      // Rounding may step one texel past either end of the texture; the engine wraps
      // such reads into the texture, and so does this reference.
      const uint16_t texel = t.texels[(u + v) & ((1 << (t.width_exponent + t.height_exponent)) - 1)];
      if (!t.has_transparent_colour || texel != t.transparent_colour) dest[i] = texel;
      g += g_step;
      su += su_step;
      sv += sv_step;
    }
  }
}

void PlainAffine(Surface16& surface, const Point3f* p, const TexCoord2f* c, int32_t n,
                 const TextureView& t, bool flat, uint16_t colour) {
  const int32_t height = surface.Height();
  PlainTables tables(height);
  tables.iua.resize(height);
  tables.iva.resize(height);
  tables.iub.resize(height);
  tables.ivb.resize(height);
  const int32_t we = t.width_exponent, he = t.height_exponent;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1) % n;
    if (Row(p[i].y) == Row(p[j].y)) continue;
    const bool set_a = Row(p[i].y) > Row(p[j].y);
    Point3f p0 = p[i], p1 = p[j];
    int32_t u0 = static_cast<int32_t>(c[i].u * std::ldexp(1.0f, we + 12));
    int32_t v0 = static_cast<int32_t>(c[i].v * std::ldexp(1.0f, he + 12));
    int32_t u1 = static_cast<int32_t>(c[j].u * std::ldexp(1.0f, we + 12));
    int32_t v1 = static_cast<int32_t>(c[j].v * std::ldexp(1.0f, he + 12));
    if (Row(p1.y) < Row(p0.y)) {
      std::swap(p0, p1);
      std::swap(u0, u1);
      std::swap(v0, v1);
    }
    const int32_t ys = Row(p0.y), ye = Row(p1.y), k = ye - ys;
    const float x_step = (p1.x - p0.x) / static_cast<float>(k);
    tables.top = std::min(tables.top, ys);
    tables.bottom = std::max(tables.bottom, ye);
    float x = p0.x;
    int32_t u = u0, v = v0;
    for (int32_t r = ys; r <= ye; ++r) {
      (set_a ? tables.xa : tables.xb)[r] = static_cast<int32_t>(x + 0.5f);
      (set_a ? tables.iua : tables.iub)[r] = u;
      (set_a ? tables.iva : tables.ivb)[r] = v;
      x += x_step;
      u += (u1 - u0) / k;
      v += (v1 - v0) / k;
    }
  }
  for (int32_t r = tables.top; r <= tables.bottom; ++r) {
    const int32_t xa = tables.xa[r], xb = tables.xb[r], m = xb - xa;
    uint16_t* row = surface.ScreenRow(r);
    if (flat) {
      for (int32_t x = xa; x <= xb; ++x) row[x] = colour;
    } else if (!t.has_transparent_colour) {
      const int32_t du = m != 0 ? (tables.iub[r] - tables.iua[r]) / m : 0;
      const int32_t dv = m != 0 ? (tables.ivb[r] - tables.iva[r]) / m : 0;
      int32_t u = tables.iua[r], v = tables.iva[r];
      for (int32_t x = xa; x <= xb; ++x) {
        row[x] = t.texels[(((v >> 12) & ((1 << he) - 1)) << we) + ((u >> 12) & ((1 << we) - 1))];
        u += du;
        v += dv;
      }
    } else if (m >= 0) {
      const int32_t du = m != 0 ? (tables.iua[r] - tables.iub[r]) / m : 0;
      const int32_t dv = m != 0 ? ((tables.iva[r] - tables.ivb[r]) << we) / m : 0;
      int32_t u = tables.iub[r], v = tables.ivb[r] << we;
      for (int32_t x = xb; x >= xa; --x) {
        const uint16_t texel =
            t.texels[((u & (((1 << we) - 1) << 12)) + (v & ((((1 << he) - 1) << 12) << we))) >> 12];
        if (texel != t.transparent_colour) row[x] = texel;
        u += du;
        v += dv;
      }
    }
  }
}

class EngineReferenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PerspecTextureEngine1::StartUp();
    AffineSpanFill1::StartUp();
    FlatSpanFill1::StartUp();
    std::mt19937 random(3);
    for (int32_t we : {3, 5, 6}) {
      TestTextures::Entry entry{{}, we, 5, false, 0};
      for (int32_t i = 0; i < (1 << (we + 5)); ++i) {
        entry.texels.push_back(static_cast<uint16_t>(random() & 0x7FFF));
      }
      entry.texels[7] = entry.texels[100] = 0x0BAD;
      ids_.push_back(textures_.Add(entry));
      entry.has_transparent_colour = true;
      entry.transparent_colour = 0x0BAD;
      for (int32_t i = 0; i < static_cast<int32_t>(entry.texels.size()); i += 5) {
        entry.texels[i] = 0x0BAD;
      }
      ids_.push_back(textures_.Add(entry));
    }
  }
  void TearDown() override {
    FlatSpanFill1::ShutDown();
    AffineSpanFill1::ShutDown();
    PerspecTextureEngine1::ShutDown();
  }
  // A random clockwise convex polygon, clipped to the surface.
  int32_t RandomPolygon(std::mt19937& random, int32_t width, int32_t height, Point3f* points,
                        TexCoord2f* coords) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int32_t n = 3 + static_cast<int32_t>(random() % 4);
    const float cx = unit(random) * width, cy = unit(random) * height;
    const float radius = 2.0f + unit(random) * width * 0.6f;
    const float start = unit(random) * 6.2831853f;
    for (int32_t i = 0; i < n; ++i) {
      const float angle = start + 6.2831853f * i / n;  // clockwise with y down
      points[i] = {cx + radius * std::cos(angle), cy + radius * std::sin(angle),
                   0.02f + 0.98f * unit(random)};
      coords[i] = {unit(random), unit(random) * 1.5f};
    }
    return Clipping4::ClipToScreen(points, coords, n, width, height);
  }

  TestTextures textures_;
  std::vector<int32_t> ids_;
};

TEST_F(EngineReferenceTest, FastSpanCodeGivesExactlyThePixelsOfThePlainArithmetic) {
  std::mt19937 random(17);
  const int32_t width = 203, height = 151;
  int32_t polygons = 0;
  for (int32_t round = 0; round < 400; ++round) {
    Point3f points[kPolygonCapacity];
    TexCoord2f coords[kPolygonCapacity];
    const int32_t n = RandomPolygon(random, width, height, points, coords);
    if (n < 3) continue;
    ++polygons;
    const int32_t id = ids_[round % ids_.size()];
    TextureView texture;
    ASSERT_TRUE(textures_.Texture(id, &texture));
    Surface16 fast(width, height), plain(width, height);
    fast.Fill(0x7C00);
    plain.Fill(0x7C00);
    PerspecTextureEngine1::DrawPolygon(fast, points, coords, n, textures_, id);
    PlainPerspective(plain, points, coords, n, texture);
    ASSERT_TRUE(std::equal(fast.Bits(), fast.Bits() + width * height, plain.Bits()))
        << "perspective, round " << round;
    fast.Fill(0x7C00);
    plain.Fill(0x7C00);
    AffineSpanFill1::Fill(fast, points, coords, n, textures_, id);
    PlainAffine(plain, points, coords, n, texture, false, 0);
    ASSERT_TRUE(std::equal(fast.Bits(), fast.Bits() + width * height, plain.Bits()))
        << "affine, round " << round;
    fast.Fill(0x7C00);
    plain.Fill(0x7C00);
    FlatSpanFill1::Fill(fast, points, n, 0x1357);
    PlainAffine(plain, points, coords, n, texture, true, 0x1357);
    ASSERT_TRUE(std::equal(fast.Bits(), fast.Bits() + width * height, plain.Bits()))
        << "flat, round " << round;
  }
  EXPECT_GT(polygons, 300);
}

}  // namespace
