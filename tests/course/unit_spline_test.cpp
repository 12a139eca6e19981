#include "course/unit_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/course/fatal_report.h"

namespace {

// Dense Gaussian elimination with partial pivoting: deliberately a different method from the
// spline's own solver.
std::vector<double> SolveDense(std::vector<std::vector<double>> a, std::vector<double> b) {
  const size_t n = b.size();
  for (size_t col = 0; col < n; ++col) {
    size_t pivot = col;
    for (size_t r = col + 1; r < n; ++r) {
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    }
    std::swap(a[col], a[pivot]);
    std::swap(b[col], b[pivot]);
    for (size_t r = col + 1; r < n; ++r) {
      const double f = a[r][col] / a[col][col];
      for (size_t c = col; c < n; ++c) a[r][c] -= f * a[col][c];
      b[r] -= f * b[col];
    }
  }
  std::vector<double> x(n);
  for (size_t i = n; i-- > 0;) {
    double s = b[i];
    for (size_t c = i + 1; c < n; ++c) s -= a[i][c] * x[c];
    x[i] = s / a[i][i];
  }
  return x;
}

// Cubic spline through p at unit spacing in the second-derivative form: natural ends (open)
// or periodic (closed). Gives the value at (segment, t) and the derivative at each knot.
struct ReferenceSpline {
  std::vector<double> p;
  std::vector<double> m;  // second derivatives at the knots
  bool closed;

  ReferenceSpline(std::vector<double> values, bool is_closed)
      : p(std::move(values)), closed(is_closed) {
    const size_t n = p.size();
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    std::vector<double> b(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
      if (!closed && (i == 0 || i == n - 1)) {
        a[i][i] = 1.0;
        continue;
      }
      const size_t prev = (i + n - 1) % n;
      const size_t next = (i + 1) % n;
      a[i][prev] += 1.0;
      a[i][i] += 4.0;
      a[i][next] += 1.0;
      b[i] = 6.0 * (p[next] - 2.0 * p[i] + p[prev]);
    }
    m = SolveDense(a, b);
  }
  size_t Next(size_t i) const { return (i + 1) % p.size(); }
  double Value(size_t segment, double t) const {
    const size_t j = Next(segment);
    const double s = 1.0 - t;
    return s * p[segment] + t * p[j] + (s * s * s - s) * m[segment] / 6.0 +
           (t * t * t - t) * m[j] / 6.0;
  }
  double KnotDerivative(size_t i) const {
    if (!closed && i == p.size() - 1) {
      return (p[i] - p[i - 1]) + (m[i - 1] + 2.0 * m[i]) / 6.0;
    }
    const size_t j = Next(i);
    return (p[j] - p[i]) - (2.0 * m[i] + m[j]) / 6.0;
  }
};

void ExpectMatchesReference(const std::vector<double>& values, bool closed) {
  UnitSpline1 spline;
  if (closed) spline.SetShape(UnitSpline1::kClosed);
  for (double v : values) spline.AppendPoint(v, 123.0, UnitSpline1::kFree);
  const ReferenceSpline reference(values, closed);
  double scale = 1.0;
  for (double v : values) scale = std::fmax(scale, std::fabs(v));
  const double tolerance = 1e-9 * scale;
  const int32_t n = static_cast<int32_t>(values.size());
  ASSERT_EQ(spline.SegmentCount(), closed ? n : n - 1);
  for (int32_t i = 0; i < n; ++i) {
    double value = 0.0;
    double tangent = 0.0;
    EXPECT_EQ(spline.GetPoint(i, &value, &tangent), UnitSpline1::kFree);
    EXPECT_EQ(value, values[static_cast<size_t>(i)]);
    EXPECT_NEAR(tangent, reference.KnotDerivative(static_cast<size_t>(i)), tolerance) << i;
  }
  for (int32_t s = 0; s < spline.SegmentCount(); ++s) {
    for (double t : {0.0, 0.25, 0.5, 0.8, 1.0}) {
      EXPECT_NEAR(spline.Value(s, t), reference.Value(static_cast<size_t>(s), t), tolerance)
          << "segment " << s << " t " << t;
    }
  }
}

std::vector<double> RandomValues(size_t n, double magnitude, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> uniform(-magnitude, magnitude);
  std::vector<double> values(n);
  for (double& v : values) v = uniform(random);
  return values;
}

}  // namespace

TEST(UnitSplineTest, SmallCasesHaveTheirKnownTangentsAndCoefficients) {
  UnitSpline1 line;
  line.AppendPoint(0.0, 99.0, UnitSpline1::kFree);
  EXPECT_EQ(line.SegmentCount(), 0);
  line.AppendPoint(3.0, -7.0, UnitSpline1::kFree);
  const SplineSegment segment = line.Segment(0);
  EXPECT_DOUBLE_EQ(segment.c0, 0.0);
  EXPECT_DOUBLE_EQ(segment.c1, 3.0);
  EXPECT_DOUBLE_EQ(segment.c2, 0.0);
  EXPECT_DOUBLE_EQ(segment.c3, 0.0);
  EXPECT_DOUBLE_EQ(line.Point(1).tangent, 3.0);

  UnitSpline1 hump;
  for (double v : {0.0, 1.0, 0.0}) hump.AppendPoint(v, 0.0, UnitSpline1::kFree);
  EXPECT_DOUBLE_EQ(hump.Point(0).tangent, 1.5);
  EXPECT_NEAR(hump.Point(1).tangent, 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(hump.Point(2).tangent, -1.5);
  // Natural ends: the second derivative 2*c2 + 6*c3*t vanishes at both ends.
  EXPECT_NEAR(2.0 * hump.Segment(0).c2, 0.0, 1e-14);
  EXPECT_NEAR(2.0 * hump.Segment(1).c2 + 6.0 * hump.Segment(1).c3, 0.0, 1e-14);

  UnitSpline1 pair_loop;
  pair_loop.SetShape(UnitSpline1::kClosed);
  pair_loop.AppendPoint(2.0, 5.0, UnitSpline1::kFree);
  pair_loop.AppendPoint(7.0, 5.0, UnitSpline1::kFree);
  EXPECT_EQ(pair_loop.SegmentCount(), 2);
  EXPECT_EQ(pair_loop.Point(0).tangent, 0.0);
  EXPECT_EQ(pair_loop.Point(1).tangent, 0.0);
  EXPECT_DOUBLE_EQ(pair_loop.Value(1, 1.0), 2.0);  // the closing segment returns to point 0
}

TEST(UnitSplineTest, FreeOpenSplineIsTheNaturalCubicSpline) {
  ExpectMatchesReference({0.0, 2.0, -1.0, 5.0, 4.0}, false);
  ExpectMatchesReference(RandomValues(40, 1000.0, 1), false);
  // Large and tiny magnitudes run through the rescaled quotients without losing accuracy.
  ExpectMatchesReference(RandomValues(256, 1e9, 2), false);
  ExpectMatchesReference(RandomValues(100, 1e-6, 3), false);
}

TEST(UnitSplineTest, FreeClosedSplineIsThePeriodicCubicSpline) {
  ExpectMatchesReference({0.0, 10.0, 4.0}, true);
  ExpectMatchesReference({1.0, -3.0, 8.0, 2.0, 6.0, -4.0}, true);
  ExpectMatchesReference(RandomValues(256, 1e9, 4), true);
  ExpectMatchesReference(RandomValues(77, 50.0, 5), true);
}

TEST(UnitSplineTest, FixedTangentsAreKeptExactlyAndFreeNeighboursStayTwiceDifferentiable) {
  for (int32_t shape : {UnitSpline1::kOpen, UnitSpline1::kClosed}) {
    UnitSpline1 spline;
    spline.SetShape(shape);
    const std::vector<double> values = RandomValues(12, 100.0, 6);
    for (size_t i = 0; i < values.size(); ++i) {
      const bool fixed = i % 4 == 1 || i == 0;
      spline.AppendPoint(values[i], fixed ? 0.1 * static_cast<double>(i) + 0.3 : 0.0,
                         fixed ? UnitSpline1::kFixed : UnitSpline1::kFree);
    }
    const int32_t n = spline.PointCount();
    for (int32_t i = 0; i < n; ++i) {
      const SplinePoint point = spline.Point(i);
      if (point.kind == UnitSpline1::kFixed) {
        EXPECT_EQ(point.tangent, 0.1 * i + 0.3);
        continue;
      }
      // The stored tangent is the curve's derivative at the point.
      const int32_t out = i < spline.SegmentCount() ? i : i - 1;
      const double at = out == i ? 0.0 : 1.0;
      EXPECT_NEAR(point.tangent, spline.Derivative(out, at), 1e-12);
      const bool interior = shape == UnitSpline1::kClosed || (i > 0 && i < n - 1);
      if (interior) {
        const SplineSegment before = spline.Segment(i > 0 ? i - 1 : n - 1);
        const SplineSegment after = spline.Segment(i);
        EXPECT_NEAR(2.0 * before.c2 + 6.0 * before.c3, 2.0 * after.c2, 1e-9) << i;
      }
    }
  }
}

TEST(UnitSplineTest, PointEditsRecomputeAndFreeTangentsAreIgnored) {
  UnitSpline1 spline;
  for (double v : {0.0, 1.0, 4.0, 9.0}) spline.AppendPoint(v, 0.0, UnitSpline1::kFree);
  const double solved = spline.Point(2).tangent;
  spline.ReplacePoint(4.0, 1000.0, UnitSpline1::kFree, 2);
  EXPECT_EQ(spline.Point(2).tangent, solved);

  spline.ReplacePoint(4.0, -2.0, UnitSpline1::kFixed, 2);
  EXPECT_EQ(spline.Point(2).tangent, -2.0);
  EXPECT_EQ(spline.Derivative(2, 0.0), -2.0);
  EXPECT_NE(spline.Point(1).tangent, 0.0);

  EXPECT_EQ(spline.InsertPoint(2.0, 0.0, UnitSpline1::kFree, 2), 2);
  EXPECT_EQ(spline.PointCount(), 5);
  EXPECT_EQ(spline.Point(2).value, 2.0);
  EXPECT_EQ(spline.Point(3).kind, UnitSpline1::kFixed);
  EXPECT_EQ(spline.SegmentCount(), 4);
  spline.SetShape(UnitSpline1::kClosed);
  EXPECT_EQ(spline.SegmentCount(), 5);
  spline.DeletePoint(0);
  EXPECT_EQ(spline.SegmentCount(), 4);
  EXPECT_EQ(spline.Point(0).value, 1.0);
  for (int i = 0; i < 3; ++i) spline.DeletePoint(0);
  // Fewer than two points leave nothing to evaluate, also on a loop.
  EXPECT_EQ(spline.PointCount(), 1);
  EXPECT_EQ(spline.SegmentCount(), 0);
}

TEST(UnitSplineTest, TwoHundredFiftySixPointsAreTheLimit) {
  UnitSpline1 spline;
  for (int i = 0; i < UnitSpline1::kMaxPoints; ++i) {
    spline.AppendPoint(std::sin(i * 0.1), 0.0, UnitSpline1::kFree);
  }
  EXPECT_EQ(spline.SegmentCount(), 255);
  EXPECT_FATAL_REPORT(spline.AppendPoint(0.0, 0.0, UnitSpline1::kFree), "UnitSpline1",
                      "点の数が多すぎます");
}

TEST(UnitSplineTest, MisuseIsReportedAndEndsTheProgram) {
  UnitSpline1 spline;
  spline.AppendPoint(1.0, 0.0, UnitSpline1::kFree);
  EXPECT_FATAL_REPORT(spline.AppendPoint(0.0, 0.0, 1), "UnitSpline1",
                      "ありえない点の性質を設定しようとした");
  EXPECT_FATAL_REPORT(spline.InsertPoint(0.0, 0.0, 4, 0), "UnitSpline1",
                      "ありえない点の性質を設定しようとした");
  EXPECT_FATAL_REPORT(spline.ReplacePoint(0.0, 0.0, 0, 0), "UnitSpline1",
                      "ありえない点の性質を設定しようとした");
  EXPECT_FATAL_REPORT(spline.SetShape(3), "UnitSpline1",
                      "ありえないスプライン形状IDを設定しようとした");
  SplineSegment segment{};
  EXPECT_FATAL_REPORT(segment.Set(5, 1.0), "UnitSpline1", "係数設定フラグにありえない値を検出");
  std::vector<double> row(300, 1.0);
  std::vector<double> out(300, 0.0);
  EXPECT_FATAL_REPORT(UnitSpline1::SolveTangentSystem(257, row.data(), row.data(), row.data(), 0.0,
                                                      0.0, row.data(), out.data()),
                      "UnitSpline1", "スプラインの点の数が多すぎます");
  EXPECT_FATAL_REPORT(spline.ReplacePoint(0.0, 0.0, UnitSpline1::kFree, 1), "StraightDataBase1",
                      "範囲外のデータにアクセスしようとした");
}
