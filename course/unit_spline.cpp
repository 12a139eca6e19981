#include "course/unit_spline.h"

#include <cmath>

#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "UnitSpline1";

// A quotient kept as numerator and denominator. The elimination multiplies these pairs step
// after step; Rescale keeps both parts within about six decimal digits so that nothing
// overflows over 256 rows.
struct Quotient {
  double numerator;
  double denominator;

  double Value() const { return numerator / denominator; }
};

// Divides both parts by 10^(k - 6) when k > 6, where k is one more than the integer part of
// the larger decimal logarithm of the two. A part that is not positive has no logarithm: it
// never wins the comparison, and when neither part has one the pair stays.
void Rescale(Quotient& q) {
  // Below 1e6 neither logarithm reaches 6, so k <= 6: skip the logarithms in the usual case.
  constexpr double kSurelySmall = 9.99e5;
  if (q.numerator < kSurelySmall && q.denominator < kSurelySmall) return;
  // The logarithm grows with its argument, so the larger logarithm is that of the larger
  // positive part: one logarithm instead of two.
  double larger_part;
  if (q.numerator > 0.0 && q.denominator > 0.0) {
    larger_part = std::fmax(q.numerator, q.denominator);
  } else if (q.numerator > 0.0) {
    larger_part = q.numerator;
  } else if (q.denominator > 0.0) {
    larger_part = q.denominator;
  } else {
    return;
  }
  // Infinity has no power of ten to divide by (and its logarithm no integer).
  if (std::isinf(larger_part)) return;
  const int k = static_cast<int>(std::trunc(std::log10(larger_part))) + 1;
  if (k > 6) {
    // Powers of ten up to 10^22 are exact doubles; the usual steps stay well within them.
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int exponent = k - 6;
    const double divisor = exponent <= 22 ? kPowers[exponent] : std::pow(10.0, exponent);
    q.numerator /= divisor;
    q.denominator /= divisor;
  }
}

Quotient Plain(double value) { return {value, 1.0}; }

// a - b * c
Quotient MinusProduct(Quotient a, Quotient b, Quotient c) {
  Quotient result{
      a.numerator * b.denominator * c.denominator - b.numerator * c.numerator * a.denominator,
      a.denominator * b.denominator * c.denominator};
  Rescale(result);
  return result;
}

// x / y
Quotient Divided(Quotient x, Quotient y) {
  Quotient result{x.numerator * y.denominator, x.denominator * y.numerator};
  Rescale(result);
  return result;
}

Quotient Sum(Quotient a, Quotient b) {
  Quotient result{a.numerator * b.denominator + b.numerator * a.denominator,
                  a.denominator * b.denominator};
  Rescale(result);
  return result;
}

}  // namespace

void SplineSegment::Set(int32_t selector, double value) {
  switch (selector) {
    case 1:
      c0 = value;
      break;
    case 2:
      c1 = value;
      break;
    case 3:
      c2 = value;
      break;
    case 4:
      c3 = value;
      break;
    default:
      SUITE_FATAL(kTag, "係数設定フラグにありえない値を検出");
      break;
  }
}

void UnitSpline1::CheckKind(int32_t kind) const {
  SUITE_CHECK(kind == kFree || kind == kFixed, kTag, "ありえない点の性質を設定しようとした");
}

void UnitSpline1::SetShape(int32_t shape) {
  SUITE_CHECK(shape == kClosed || shape == kOpen, kTag,
              "ありえないスプライン形状IDを設定しようとした");
  shape_ = shape;
  Recompute();
}

void UnitSpline1::AppendPoint(double value, double tangent, int32_t kind) {
  CheckKind(kind);
  points_.Append(SplinePoint{value, tangent, kind});
  Recompute();
}

int32_t UnitSpline1::InsertPoint(double value, double tangent, int32_t kind, int32_t index) {
  CheckKind(kind);
  const int32_t at = points_.InsertAt(SplinePoint{value, tangent, kind}, index);
  Recompute();
  return at;
}

void UnitSpline1::ReplacePoint(double value, double tangent, int32_t kind, int32_t index) {
  CheckKind(kind);
  points_.At(index);  // the list reports an index out of range
  points_.Store(SplinePoint{value, tangent, kind}, index);
  Recompute();
}

void UnitSpline1::DeletePoint(int32_t index) {
  points_.RemoveAt(index);
  Recompute();
}

void UnitSpline1::Clear() {
  points_.Clear();
  segments_.Clear();
}

int32_t UnitSpline1::GetPoint(int32_t index, double* value, double* tangent) const {
  const SplinePoint point = points_.At(index);
  *value = point.value;
  *tangent = point.tangent;
  return point.kind;
}

double UnitSpline1::Value(int32_t segment, double t) const {
  const SplineSegment s = segments_.At(segment);
  return s.c0 + s.c1 * t + s.c2 * t * t + s.c3 * t * t * t;
}

double UnitSpline1::Derivative(int32_t segment, double t) const {
  const SplineSegment s = segments_.At(segment);
  return s.c1 + 2.0 * s.c2 * t + 3.0 * s.c3 * t * t;
}

void UnitSpline1::Recompute() {
  const int32_t n = points_.Count();
  if (n > kMaxPoints) {
    SUITE_FATAL(kTag, "点の数が多すぎます");
    return;
  }
  if (shape_ != kClosed && shape_ != kOpen) {
    SUITE_FATAL(kTag, "スプライン形状にありえない値が設定されている");
    return;
  }
  if (n < 2) {
    // Nothing to solve; an old segment list would describe points that are gone.
    segments_.Clear();
    return;
  }

  SplinePoint points[kMaxPoints];
  for (int32_t i = 0; i < n; ++i) points[i] = points_.At(i);

  double lower[kMaxPoints];
  double diagonal[kMaxPoints];
  double upper[kMaxPoints];
  double rhs[kMaxPoints];
  double top_corner = 0.0;
  double bottom_corner = 0.0;
  const bool closed = shape_ == kClosed;
  for (int32_t i = 0; i < n; ++i) {
    const double p = points[i].value;
    if (points[i].kind == kFixed) {
      lower[i] = 0.0;
      diagonal[i] = 1.0;
      upper[i] = 0.0;
      rhs[i] = points[i].tangent;
      continue;
    }
    if (closed) {
      lower[i] = 1.0;
      diagonal[i] = 4.0;
      upper[i] = 1.0;
      const double next = points[i + 1 < n ? i + 1 : 0].value;
      const double previous = points[i > 0 ? i - 1 : n - 1].value;
      rhs[i] = i == 0 ? 3.0 * (next - p) - 3.0 * (previous - p) : 3.0 * (next - previous);
      if (i == 0) top_corner = 1.0;
      if (i == n - 1) bottom_corner = 1.0;
    } else if (i == 0) {
      lower[i] = 0.0;
      diagonal[i] = 1.0;
      upper[i] = 0.5;
      rhs[i] = (points[1].value - p) * 3.0 * 0.5;
    } else if (i == n - 1) {
      lower[i] = 2.0;
      diagonal[i] = 4.0;
      upper[i] = 0.0;
      rhs[i] = 6.0 * (p - points[i - 1].value);
    } else {
      lower[i] = 1.0;
      diagonal[i] = 4.0;
      upper[i] = 1.0;
      rhs[i] = 3.0 * (points[i + 1].value - points[i - 1].value);
    }
  }
  // Identity rows at the ends carry no corner coefficient.
  if (closed && points[0].kind == kFixed) top_corner = 0.0;
  if (closed && points[n - 1].kind == kFixed) bottom_corner = 0.0;

  double tangents[kMaxPoints];
  SolveTangentSystem(n, lower, diagonal, upper, top_corner, bottom_corner, rhs, tangents);
  // An identity row solves to its own right-hand side; take it as given rather than through
  // the rounding of the elimination, so a fixed tangent is kept exactly.
  for (int32_t i = 0; i < n; ++i) {
    if (points[i].kind == kFixed) tangents[i] = points[i].tangent;
  }

  const int32_t segment_count = closed ? n : n - 1;
  // The list grows one record per append; when the count is unchanged the records are
  // overwritten in place, which leaves the same list.
  if (segments_.Count() != segment_count) {
    segments_.Clear();
    const SplineSegment zero{0.0, 0.0, 0.0, 0.0};
    for (int32_t i = 0; i < segment_count; ++i) segments_.Append(zero);
  }
  for (int32_t i = 0; i < segment_count; ++i) {
    const int32_t j = i + 1 < n ? i + 1 : 0;
    const double p = points[i].value;
    const double m = tangents[i];
    const double q = points[j].value;
    const double t = tangents[j];
    SplineSegment segment;
    segment.Set(1, p);
    segment.Set(2, m);
    segment.Set(3, 3.0 * (q - p) - 2.0 * m - t);
    segment.Set(4, 2.0 * (p - q) + m + t);
    segments_.Store(segment, i);
  }
  for (int32_t i = 0; i < n; ++i) {
    points[i].tangent = tangents[i];
    points_.Store(points[i], i);
  }
}

void UnitSpline1::SolveTangentSystem(int32_t count, const double* lower, const double* diagonal,
                                     const double* upper, double top_corner, double bottom_corner,
                                     const double* rhs, double* tangents) {
  if (count > kMaxPoints) {
    SUITE_FATAL(kTag, "スプラインの点の数が多すぎます");
    return;
  }
  if (count < 2) return;
  const int32_t last = count - 1;

  // Row i (i < last) after elimination: m[i] + u[i]*m[i+1] + w[i]*m[last] = y[i]. The w column
  // is the fill-in below row 0's corner coefficient; where m[i+1] is m[last] it is folded
  // into u.
  Quotient u[kMaxPoints];
  Quotient w[kMaxPoints];
  Quotient y[kMaxPoints];

  {
    const Quotient pivot = Plain(diagonal[0]);
    Quotient right = Plain(upper[0]);
    Quotient corner = Plain(top_corner);
    if (last == 1) {
      right = Sum(right, corner);
      corner = Plain(0.0);
    }
    u[0] = Divided(right, pivot);
    w[0] = Divided(corner, pivot);
    y[0] = Divided(Plain(rhs[0]), pivot);
  }
  for (int32_t i = 1; i < last; ++i) {
    const Quotient factor = Plain(lower[i]);
    const Quotient pivot = MinusProduct(Plain(diagonal[i]), factor, u[i - 1]);
    Quotient right = Plain(upper[i]);
    Quotient corner = MinusProduct(Plain(0.0), factor, w[i - 1]);
    if (i + 1 == last) {
      right = Sum(right, corner);
      corner = Plain(0.0);
    }
    u[i] = Divided(right, pivot);
    w[i] = Divided(corner, pivot);
    y[i] = Divided(MinusProduct(Plain(rhs[i]), factor, y[i - 1]), pivot);
  }

  // The last row is eliminated by every row above it: `lead` is its coefficient in the
  // column being removed, starting with the bottom corner in column 0.
  Quotient lead = Plain(bottom_corner);
  if (last == 1) lead = Sum(lead, Plain(lower[last]));
  Quotient pivot = Plain(diagonal[last]);
  Quotient right_side = Plain(rhs[last]);
  for (int32_t j = 0; j < last; ++j) {
    Quotient next_lead = Plain(0.0);
    if (j + 1 == last) {
      pivot = MinusProduct(pivot, lead, u[j]);
    } else {
      next_lead = MinusProduct(Plain(0.0), lead, u[j]);
      if (j + 1 == last - 1) next_lead = Sum(next_lead, Plain(lower[last]));
    }
    pivot = MinusProduct(pivot, lead, w[j]);
    right_side = MinusProduct(right_side, lead, y[j]);
    lead = next_lead;
  }

  tangents[last] = Divided(right_side, pivot).Value();
  const double last_tangent = tangents[last];
  for (int32_t i = last - 1; i >= 0; --i) {
    tangents[i] = y[i].Value() - u[i].Value() * tangents[i + 1] - w[i].Value() * last_tangent;
  }
}
