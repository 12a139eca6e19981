#include "render/projection.h"

#include "render/numeric_conversion.h"

bool FacesAway(const Point3f* points, int32_t n) {
  if (n < 2) return false;
  const int64_t x0 = TruncToInt32(points[0].x);
  const int64_t y0 = TruncToInt32(points[0].y);
  float sum = 0.0f;
  for (int32_t i = 1; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const int64_t dxi = TruncToInt32(points[i].x) - x0;
    const int64_t dyi = TruncToInt32(points[i].y) - y0;
    const int64_t dxj = TruncToInt32(points[j].x) - x0;
    const int64_t dyj = TruncToInt32(points[j].y) - y0;
    sum = sum - static_cast<float>(dxi * dyj - dxj * dyi);
  }
  return sum > 1.0f;
}
