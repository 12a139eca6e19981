#include "render/flat_span_fill.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "foundation/class_startup.h"
#include "render/numeric_conversion.h"

#include "render/scan_line_tables.h"

namespace {

constexpr const char* kTag = "FlatSpanFill1";
ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);
// x of set A, x of set B.
ScanLineTables<2> tables;

// One edge being walked: x steps once per row, in float, from the upper endpoint.
struct EdgeWalk {
  float x;
  float x_step;
  int32_t row;
  int32_t last_row;
  int32_t* x_table;
};

EdgeWalk StartEdge(Point3f p0, Point3f p1, int32_t* x_table) {
  int32_t ys = TruncToInt32(static_cast<double>(p0.y) + 0.5);
  int32_t ye = TruncToInt32(static_cast<double>(p1.y) + 0.5);
  if (ye < ys) {
    std::swap(p0, p1);
    std::swap(ys, ye);
  }
  tables.Widen(ys, ye);
  return {p0.x, (p1.x - p0.x) / static_cast<float>(ye - ys), ys, ye, x_table};
}

void FinishEdge(EdgeWalk& e) {
  for (; e.row <= e.last_row; ++e.row) {
    e.x_table[e.row] = TruncFloatToInt32(e.x + 0.5f);
    e.x += e.x_step;
  }
}

// Each edge's x is a chain of dependent additions; walking two edges in the same loop lets
// their chains run side by side. Every edge still takes exactly its own steps.
void WalkTogether(EdgeWalk& a, EdgeWalk& b) {
  while (a.row <= a.last_row && b.row <= b.last_row) {
    a.x_table[a.row++] = TruncFloatToInt32(a.x + 0.5f);
    b.x_table[b.row++] = TruncFloatToInt32(b.x + 0.5f);
    a.x += a.x_step;
    b.x += b.x_step;
  }
  FinishEdge(a);
  FinishEdge(b);
}

// Writes count pixels of the colour: an odd pixel, then 32-bit words of two pixels. Long
// runs of words go to the C library's wide-character fill, which stores them with the
// widest registers the processor has (selected at run time).
inline void FillSpan(uint16_t* p, int32_t count, uint16_t colour, uint32_t pair) {
  if (count & 1) {
    *p++ = colour;
    --count;
  }
  if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
    if (count >= 32) {
      if ((reinterpret_cast<uintptr_t>(p) & 2) != 0) {
        // Word stores start at a 4-byte boundary; the pair is split over both ends.
        p[0] = colour;
        p[count - 1] = colour;
        ++p;
        count -= 2;
      }
      std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(pair),
                   static_cast<size_t>(count / 2));
      return;
    }
  }
  for (int32_t w = 0; w < count; w += 2) std::memcpy(p + w, &pair, sizeof(pair));
}

}  // namespace

void FlatSpanFill1::StartUp() {
  if (startup.StartUp()) tables.Free();
}

void FlatSpanFill1::ShutDown() {
  if (startup.ShutDown()) tables.Free();
}

bool FlatSpanFill1::Started() { return startup.Started(); }

void FlatSpanFill1::Prepare(int32_t rows) { tables.Prepare(rows, kTag); }

int32_t FlatSpanFill1::Fill(uint16_t* pixels, int32_t width, int32_t height, const Point3f* points,
                            int32_t n, uint16_t colour) {
  SUITE_CHECK(startup.Started(), kTag, "クラスを初期化していません");
  if (width > kMaxWidth) return 1;
  FillAnyWidth(pixels, width, height, points, n, colour);
  return 0;
}

void FlatSpanFill1::FillAnyWidth(uint16_t* pixels, int32_t width, int32_t height,
                                 const Point3f* points, int32_t n, uint16_t colour) {
  SUITE_CHECK(startup.Started(), kTag, "クラスを初期化していません");
  if (pixels == nullptr || width < 1 || height < 1) return;
  Prepare(height);
  if (tables.Length() != height) return;
  if (n < 2 || !PolygonInsideSurface(points, n, width, height)) return;
  int32_t* xa_table = tables.Table(0);
  int32_t* xb_table = tables.Table(1);
  EdgeWalk pending{};
  bool has_pending = false;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const int32_t ri = TruncToInt32(static_cast<double>(points[i].y) + 0.5);
    const int32_t rj = TruncToInt32(static_cast<double>(points[j].y) + 0.5);
    if (ri == rj) continue;
    EdgeWalk edge = StartEdge(points[i], points[j], ri > rj ? xa_table : xb_table);
    if (has_pending) {
      WalkTogether(pending, edge);
    } else {
      pending = edge;
    }
    has_pending = !has_pending;
  }
  if (has_pending) FinishEdge(pending);
  const uint32_t pair = static_cast<uint32_t>(colour) * 65537u;
  const int32_t last_x = width - 1;
  for (int32_t r = tables.Top(); r <= tables.Bottom(); ++r) {
    const int32_t xa = std::max(xa_table[r], 0);
    const int32_t xb = std::min(xb_table[r], last_x);
    int32_t count = xb - xa + 1;
    if (count <= 0) continue;
    FillSpan(pixels + static_cast<ptrdiff_t>(width) * (height - 1 - r) + xa, count, colour, pair);
  }
}

int32_t FlatSpanFill1::TableLength() { return tables.Length(); }
int32_t FlatSpanFill1::TopRow() { return tables.Top(); }
int32_t FlatSpanFill1::BottomRow() { return tables.Bottom(); }
