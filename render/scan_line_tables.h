// The per-scan-line edge tables of the span fills: `kCount` arrays of one 32-bit value per
// row, sized to the surface height and re-created when it changes, plus the range of rows
// written since the last preparation. Allocation goes through Heap1.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"

template <int kCount>
class ScanLineTables {
 public:
  static constexpr int32_t kTopRowReset = 36635;
  static constexpr int32_t kBottomRowReset = -36636;

  // Reports "空のテーブルを作成しようとした" for rows < 1 and "設定されているメモリにさらに
  // 設定しようとした" when tables exist; an allocation failure reports
  // "テーブルメモリの獲得に失敗" and leaves no tables.
  void Create(int32_t rows, const char* class_tag) {
    SUITE_CHECK(rows >= 1, class_tag, "空のテーブルを作成しようとした");
    SUITE_CHECK(length_ == 0, class_tag, "設定されているメモリにさらに設定しようとした");
    (void)class_tag;
    if (rows < 1) return;
    Free();
    for (int t = 0; t < kCount; ++t) {
      tables_[t] = static_cast<int32_t*>(Heap1::GetCleared(static_cast<size_t>(rows), 4));
      SUITE_CHECK(tables_[t] != nullptr, class_tag, "テーブルメモリの獲得に失敗");
      if (tables_[t] == nullptr) {
        Free();
        return;
      }
    }
    length_ = rows;
  }
  void Free() {
    for (int32_t*& table : tables_) {
      if (table != nullptr) Heap1::Free(table);
      table = nullptr;
    }
    length_ = 0;
  }
  void Prepare(int32_t rows, const char* class_tag) {
    if (rows != length_) {
      Free();
      Create(rows, class_tag);
    }
    top_ = kTopRowReset;
    bottom_ = kBottomRowReset;
  }
  void Widen(int32_t first_row, int32_t last_row) {
    top_ = std::min(top_, first_row);
    bottom_ = std::max(bottom_, last_row);
  }

  int32_t* Table(int index) const { return tables_[index]; }
  int32_t Length() const { return length_; }
  int32_t Top() const { return top_; }
  int32_t Bottom() const { return bottom_; }

 private:
  int32_t* tables_[kCount] = {};
  int32_t length_ = 0;
  int32_t top_ = kTopRowReset;
  int32_t bottom_ = kBottomRowReset;
};

// A convex polygon the fills may draw: every vertex finite and inside the surface (its
// rounded row and column are pixels of it). Anything else is not drawn.
template <typename Point>
bool PolygonInsideSurface(const Point* points, int32_t n, int32_t width, int32_t height) {
  for (int32_t i = 0; i < n; ++i) {
    // Written so that NaN fails every test.
    if (!(points[i].x >= -0.5f && static_cast<double>(points[i].x) + 0.5 < width)) return false;
    if (!(points[i].y >= -0.5f && static_cast<double>(points[i].y) + 0.5 < height)) {
      return false;
    }
  }
  return true;
}
