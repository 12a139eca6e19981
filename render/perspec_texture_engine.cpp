#include "render/perspec_texture_engine.h"

#include <algorithm>
#include <bit>
#include <cfloat>

#include "foundation/class_startup.h"
#include "foundation/heap.h"
#include "foundation/misuse_check.h"
#include "render/numeric_conversion.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr const char* kTag = "PerspecTextureEngine1";
constexpr float kDepthScale = 268435456.0f;  // 2^28: depth 1.0 is segment 4096
// Largest fixed-point depth that stays inside the segment table.
constexpr int32_t kMaxDepthFixed = (PerspecTextureEngine1::kSegmentCount << 16) - 1;
// Vertex depths beyond this would index past the last segment.
constexpr float kMaxDepth = 1.0f + 1.0f / 4096.0f;

ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);

struct EngineState {
  PerspecTextureEngine1::Segment* segments = nullptr;
  // In order: x of A, x of B (int32), u of A, v of A, u of B, v of B, depth of A, depth of B.
  void* tables[8] = {};
  int32_t length = 0;
  int32_t top = PerspecTextureEngine1::kTopRowReset;
  int32_t bottom = PerspecTextureEngine1::kBottomRowReset;

  int32_t* XA() const { return static_cast<int32_t*>(tables[0]); }
  int32_t* XB() const { return static_cast<int32_t*>(tables[1]); }
  float* UA() const { return static_cast<float*>(tables[2]); }
  float* VA() const { return static_cast<float*>(tables[3]); }
  float* UB() const { return static_cast<float*>(tables[4]); }
  float* VB() const { return static_cast<float*>(tables[5]); }
  float* ZA() const { return static_cast<float*>(tables[6]); }
  float* ZB() const { return static_cast<float*>(tables[7]); }
};
EngineState state;

bool TablesPresent() { return state.length > 0; }

inline float SegmentReciprocal(const PerspecTextureEngine1::Segment* segments, int32_t f) {
  const PerspecTextureEngine1::Segment& s = segments[f >> 16];
  return s.value - static_cast<float>(f & 0xFFFF) * s.slope;
}

// Walks one edge into a set: row ys (the upper endpoint) to ye inclusive.
void WalkEdge(Point3f p0, float u0, float v0, Point3f p1, float u1, float v1, int32_t* x_table,
              float* u_table, float* v_table, float* z_table) {
  int32_t ys = TruncToInt32(static_cast<double>(p0.y) + 0.5);
  int32_t ye = TruncToInt32(static_cast<double>(p1.y) + 0.5);
  if (ye < ys) {
    std::swap(p0, p1);
    std::swap(u0, u1);
    std::swap(v0, v1);
    std::swap(ys, ye);
  }
  const int32_t k = ye - ys;
  const float fk = static_cast<float>(k);
  const float x_step = (p1.x - p0.x) / fk;
  const float t_step = p0.z / fk;
  int32_t f = TruncFloatToInt32(p1.z * kDepthScale);
  const int32_t f_step = TruncFloatToInt32((p0.z - p1.z) * kDepthScale / fk);
  const float du = u1 - u0;
  const float dv = v1 - v0;
  const float dz = p1.z - p0.z;
  state.top = std::min(state.top, ys);
  state.bottom = std::max(state.bottom, ye);
  float x = p0.x;
  float t = 0.0f;
  const PerspecTextureEngine1::Segment* segments = state.segments;
  for (int32_t r = ys; r <= ye; ++r) {
    x_table[r] = TruncFloatToInt32(x + 0.5f);
    // The truncated steps may drift a few units past the endpoints; keep inside the table.
    const int32_t f_inside = std::clamp(f, 0, kMaxDepthFixed);
    const float s = SegmentReciprocal(segments, f_inside) * t;
    u_table[r] = u0 + s * du;
    v_table[r] = v0 + s * dv;
    z_table[r] = p0.z + s * dz;
    x += x_step;
    t += t_step;
    f += f_step;
  }
}

bool VerticesInside(const Point3f* points, int32_t n, int32_t width, int32_t height) {
  for (int32_t i = 0; i < n; ++i) {
    const Point3f& p = points[i];
    // Written so that NaN fails every test.
    if (!(p.x >= -0.5f && static_cast<double>(p.x) + 0.5 < width)) return false;
    if (!(p.y >= -0.5f && static_cast<double>(p.y) + 0.5 < height)) return false;
    if (!(p.z > 0.0f && p.z < kMaxDepth)) return false;
  }
  return true;
}

template <bool kTransparent>
void SpanPass(uint16_t* pixels, int32_t width, int32_t height, const TextureView& texture) {
  const PerspecTextureEngine1::Segment* segments = state.segments;
  const uint16_t* texels = texture.texels;
  const float row_scale = static_cast<float>(texture.Width());
  const int32_t v_mask = ((1 << texture.height_exponent) - 1) << texture.width_exponent;
  // U is not masked by the arithmetic; the overall mask only keeps rounding overshoot at the
  // texture's first and last texel from reading outside it.
  const uint32_t index_mask =
      (1u << (texture.width_exponent + texture.height_exponent)) - 1u;
  const uint16_t key = texture.transparent_colour;
  uint16_t scratch = 0;
  const int32_t last_x = width - 1;
  for (int32_t r = state.top; r < state.bottom; ++r) {
    const int32_t xa = std::max(state.XA()[r], 0);
    const int32_t xb = std::min(state.XB()[r], last_x);
    const int32_t m = xb - xa;
    if (m < 0) continue;
    const float d = (m == 0) ? 0.0f : 1.0f / static_cast<float>(m);
    uint16_t* dest = pixels + static_cast<ptrdiff_t>(width) * (height - 1 - r) + xa;
    const float ua = state.UA()[r];
    const float va = state.VA()[r] * row_scale;
    const float vb = state.VB()[r] * row_scale;
    const float du = state.UB()[r] - ua;
    const float dv = vb - va;
    const float za = state.ZA()[r];
    const float zb = state.ZB()[r];
    int32_t g = RoundToInt32(zb * kDepthScale);
    int32_t g_step = RoundToInt32((za - zb) * d * kDepthScale);
    // G is linear along the span: both ends inside the table keep every pixel inside.
    const int64_t g_end = static_cast<int64_t>(g) + static_cast<int64_t>(g_step) * m;
    if (g < 0 || g > kMaxDepthFixed || g_end < 0 || g_end > kMaxDepthFixed) {
      const int64_t start = std::clamp<int64_t>(g, 0, kMaxDepthFixed);
      const int64_t end = std::clamp<int64_t>(g_end, 0, kMaxDepthFixed);
      g = static_cast<int32_t>(start);
      g_step = (m == 0) ? 0 : static_cast<int32_t>((end - start) / m);
    }
    const float dza = d * za;
    const float su_step = dza * du;
    const float sv_step = dza * dv;
    uint32_t depth = static_cast<uint32_t>(g);
    const uint32_t depth_step = static_cast<uint32_t>(g_step);
#if defined(__SSE2__)
    // Two pixels per step: lanes (u, v) of pixel i and (u, v) of pixel i + 1. Each lane
    // computes exactly the scalar float expression of its coordinate, and the running
    // fractions take exactly the scalar sequence of additions (the second pixel's from the
    // first's), so the pixels are those of the plain arithmetic.
    const __m128 base = _mm_setr_ps(ua, va, ua, va);
    const __m128 step = _mm_setr_ps(su_step, sv_step, su_step, sv_step);
    const __m128i lane_masks = _mm_setr_epi32(-1, v_mask, -1, v_mask);
    // Fractions of the pair's first pixel (lanes 0, 1 of `first`) and second (`second`):
    // two dependent additions per pair, the shortest chain the exact sequence allows.
    __m128 first = _mm_setzero_ps();
    __m128 second = _mm_add_ps(first, step);
    // Depths of the pair as [d0, d0, d1, d1]: every lane lines up with its u or v lane.
    const uint32_t second_depth = depth + depth_step;
    __m128i depths = _mm_setr_epi32(static_cast<int>(depth), static_cast<int>(depth),
                                    static_cast<int>(second_depth),
                                    static_cast<int>(second_depth));
    const __m128i depth_step_pair = _mm_set1_epi32(static_cast<int>(depth_step * 2));
    const __m128i fraction_mask = _mm_set1_epi32(0xFFFF);
    const __m128i texel_mask = _mm_set1_epi32(static_cast<int>(index_mask));
    uint16_t* pixel = dest;
    uint16_t* const end = dest + m;
    for (; pixel < end; pixel += 2) {
      const __m128i segment_indexes = _mm_srli_epi32(depths, 16);
      const uint32_t i0 = static_cast<uint32_t>(_mm_cvtsi128_si32(segment_indexes));
      const uint32_t i1 = static_cast<uint32_t>(
          _mm_cvtsi128_si32(_mm_unpackhi_epi64(segment_indexes, segment_indexes)));
      // (value, slope) of both segments: [v0, s0, v1, s1].
      const __m128 segment = _mm_castpd_ps(
          _mm_loadh_pd(_mm_load_sd(reinterpret_cast<const double*>(&segments[i0])),
                       reinterpret_cast<const double*>(&segments[i1])));
      const __m128 fractions = _mm_cvtepi32_ps(_mm_and_si128(depths, fraction_mask));
      const __m128 recip_pairs =  // [r0, r0, r1, r1]
          _mm_sub_ps(_mm_shuffle_ps(segment, segment, _MM_SHUFFLE(2, 2, 0, 0)),
                     _mm_mul_ps(fractions,
                                _mm_shuffle_ps(segment, segment, _MM_SHUFFLE(3, 3, 1, 1))));
      depths = _mm_add_epi32(depths, depth_step_pair);
      const __m128 suv = _mm_movelh_ps(first, second);
      const __m128i rounded = _mm_and_si128(
          _mm_cvtps_epi32(_mm_add_ps(base, _mm_mul_ps(suv, recip_pairs))), lane_masks);
      const __m128i indexes = _mm_and_si128(
          _mm_add_epi32(rounded, _mm_shuffle_epi32(rounded, _MM_SHUFFLE(3, 3, 1, 1))),
          texel_mask);
      const uint16_t texel0 = texels[static_cast<uint32_t>(_mm_cvtsi128_si32(indexes))];
      const uint16_t texel1 = texels[static_cast<uint32_t>(
          _mm_cvtsi128_si32(_mm_unpackhi_epi64(indexes, indexes)))];
      if constexpr (kTransparent) {
        // Transparent texels go to a scratch word: a select, not a branch, per pixel.
        *(texel0 == key ? &scratch : pixel) = texel0;
        *(texel1 == key ? &scratch : pixel + 1) = texel1;
      } else {
        pixel[0] = texel0;
        pixel[1] = texel1;
      }
      first = _mm_add_ps(second, step);
      second = _mm_add_ps(first, step);
    }
    depth = static_cast<uint32_t>(_mm_cvtsi128_si32(depths));
    if (pixel == end) {
      // The last pixel of an odd count: lanes 0 and 1 hold its fractions.
      const PerspecTextureEngine1::Segment& s = segments[depth >> 16];
      const float recip = s.value - static_cast<float>(depth & 0xFFFF) * s.slope;
      const __m128i rounded = _mm_and_si128(
          _mm_cvtps_epi32(_mm_add_ps(base, _mm_mul_ps(first, _mm_set1_ps(recip)))),
          lane_masks);
      const uint32_t index = static_cast<uint32_t>(_mm_cvtsi128_si32(
          _mm_add_epi32(rounded, _mm_shuffle_epi32(rounded, _MM_SHUFFLE(1, 1, 1, 1)))));
      const uint16_t texel = texels[index & index_mask];
      if constexpr (kTransparent) {
        *(texel == key ? &scratch : pixel) = texel;
      } else {
        *pixel = texel;
      }
    }
#else
    float su = 0.0f;
    float sv = 0.0f;
    for (int32_t i = 0; i <= m; ++i) {
      const PerspecTextureEngine1::Segment& s = segments[depth >> 16];
      const float recip = s.value - static_cast<float>(depth & 0xFFFF) * s.slope;
      const uint32_t u = static_cast<uint32_t>(RoundToInt32(ua + su * recip));
      const uint32_t v = static_cast<uint32_t>(RoundToInt32(va + sv * recip) & v_mask);
      const uint16_t texel = texels[(u + v) & index_mask];
      if constexpr (kTransparent) {
        *(texel == key ? &scratch : dest + i) = texel;
      } else {
        dest[i] = texel;
      }
      depth += depth_step;
      su += su_step;
      sv += sv_step;
    }
#endif
  }
}

}  // namespace

void PerspecTextureEngine1::StartUp() {
  if (!startup.StartUp()) return;
  for (void*& table : state.tables) table = nullptr;
  state.length = 0;
  state.top = kTopRowReset;
  state.bottom = kBottomRowReset;
  state.segments = static_cast<Segment*>(Heap1::Get(sizeof(Segment) * kSegmentCount));
  SUITE_CHECK(state.segments != nullptr, kTag, "セグメント値テーブルのメモリの獲得に失敗");
  if (state.segments == nullptr) return;
  state.segments[0].value = std::bit_cast<float>(0x7F7FFFFFu);
  state.segments[0].slope = std::bit_cast<float>(0x777FFFFFu);
  for (int32_t i = 1; i < 4096; ++i) {
    const double di = i;
    state.segments[i].value = static_cast<float>(4096.0 / di);
    state.segments[i].slope = static_cast<float>(4096.0 / (65536.0 * di * (di + 1.0)));
  }
  state.segments[4096].value = 1.0f;
  state.segments[4096].slope = 0.0f;
}

void PerspecTextureEngine1::ShutDown() {
  if (!startup.ShutDown()) return;
  Heap1::Free(state.segments);
  state.segments = nullptr;
  FreeTables();
  state.top = kTopRowReset;
  state.bottom = kBottomRowReset;
}

bool PerspecTextureEngine1::Started() { return startup.Started() && state.segments != nullptr; }

void PerspecTextureEngine1::CreateTables(int32_t rows) {
  SUITE_CHECK(rows >= 1, kTag, "空のテーブルを作成しようとした");
  SUITE_CHECK(!TablesPresent(), kTag, "設定されているメモリにさらに設定しようとした");
  if (rows < 1) return;
  FreeTables();
  for (int32_t t = 0; t < 8; ++t) {
    void* table = Heap1::GetCleared(static_cast<size_t>(rows), 4);
    SUITE_CHECK(table != nullptr, kTag, "テーブルメモリの獲得に失敗");
    if (table == nullptr) {
      FreeTables();
      return;
    }
    state.tables[t] = table;
  }
  state.length = rows;
}

void PerspecTextureEngine1::FreeTables() {
  for (void*& table : state.tables) {
    if (table != nullptr) Heap1::Free(table);
    table = nullptr;
  }
  state.length = 0;
}

void PerspecTextureEngine1::Prepare(int32_t rows) {
  if (rows != state.length) {
    FreeTables();
    CreateTables(rows);
  }
  state.top = kTopRowReset;
  state.bottom = kBottomRowReset;
}

int32_t PerspecTextureEngine1::DrawPolygon(uint16_t* pixels, int32_t width, int32_t height,
                                           const Point3f* points, const TexCoord2f* coords,
                                           int32_t n, const TextureSource& textures,
                                           int32_t texture_id) {
  SUITE_CHECK(startup.Started(), kTag, "クラスを初期化していません");
  if (state.segments == nullptr || pixels == nullptr || width < 1 || height < 1) return 0;
  Prepare(height);
  if (state.length != height) return 0;
  TextureView texture;
  if (!textures.Texture(texture_id, &texture) || !texture.Usable()) return 0;
  if (n < 2 || !VerticesInside(points, n, width, height)) return 0;
  const float u_scale = static_cast<float>(texture.Width() - 1);
  const float v_scale = static_cast<float>(texture.Height() - 1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const int32_t ri = TruncToInt32(static_cast<double>(points[i].y) + 0.5);
    const int32_t rj = TruncToInt32(static_cast<double>(points[j].y) + 0.5);
    if (ri == rj) continue;
    const float ui = coords[i].u * u_scale;
    const float vi = coords[i].v * v_scale;
    const float uj = coords[j].u * u_scale;
    const float vj = coords[j].v * v_scale;
    if (ri > rj) {
      WalkEdge(points[i], ui, vi, points[j], uj, vj, state.XA(), state.UA(), state.VA(), state.ZA());
    } else {
      WalkEdge(points[i], ui, vi, points[j], uj, vj, state.XB(), state.UB(), state.VB(), state.ZB());
    }
  }
  if (texture.has_transparent_colour) {
    SpanPass<true>(pixels, width, height, texture);
  } else {
    SpanPass<false>(pixels, width, height, texture);
  }
  return 0;
}

const PerspecTextureEngine1::Segment* PerspecTextureEngine1::SegmentTable() {
  return state.segments;
}
int32_t PerspecTextureEngine1::TableLength() { return state.length; }
int32_t PerspecTextureEngine1::TopRow() { return state.top; }
int32_t PerspecTextureEngine1::BottomRow() { return state.bottom; }

float PerspecTextureEngine1::Reciprocal(int32_t f) {
  return SegmentReciprocal(state.segments, std::clamp(f, 0, kMaxDepthFixed));
}
