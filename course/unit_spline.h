// A one-dimensional interpolating cubic spline over control points one parameter unit apart.
// Each point carries a value and a tangent; a fixed tangent is kept as given, a free one is
// solved so that the curve has a continuous second derivative there (natural ends on an open
// spline). Segment i is the cubic Hermite piece from point i to point i + 1 (for a closed
// spline the last segment runs from the last point back to point 0), evaluated for local t in
// [0, 1]. The course designer keeps six of these per course; the stage editor uses one per
// road quantity as well.
#pragma once

#include <cstdint>

#include "foundation/typed_database.h"

// One control point as stored: the tangent is the curve's derivative at the point after
// every recomputation, for both kinds.
struct SplinePoint {
  double value;
  double tangent;
  int32_t kind;  // UnitSpline1::kFree or UnitSpline1::kFixed
};

// One segment's polynomial: value(t) = c0 + c1*t + c2*t^2 + c3*t^3.
struct SplineSegment {
  double c0;
  double c1;
  double c2;
  double c3;

  // Fills coefficient 1 ... 4 (c0 ... c3); any other selector is a fatal misuse.
  void Set(int32_t selector, double value);
};

class UnitSpline1 {
 public:
  static constexpr int32_t kClosed = 1;
  static constexpr int32_t kOpen = 2;
  static constexpr int32_t kFree = 2;
  static constexpr int32_t kFixed = 3;
  static constexpr int32_t kMaxPoints = 256;

  // An empty open spline.
  UnitSpline1() = default;

  // kClosed or kOpen; anything else is a fatal misuse. Recomputes.
  void SetShape(int32_t shape);
  int32_t Shape() const { return shape_; }

  // The point operations check the kind (kFree or kFixed, otherwise a fatal misuse) and
  // recompute before returning. For kFree the tangent argument is ignored and replaced by the
  // solved one. Index errors are reported by the point list.
  void AppendPoint(double value, double tangent, int32_t kind);
  // Inserts so that the new point gets position `index`; returns `index`.
  int32_t InsertPoint(double value, double tangent, int32_t kind, int32_t index);
  void ReplacePoint(double value, double tangent, int32_t kind, int32_t index);
  void DeletePoint(int32_t index);
  // Removes every point and segment; the shape stays.
  void Clear();

  // Value and tangent of point `index`; returns its kind.
  int32_t GetPoint(int32_t index, double* value, double* tangent) const;
  SplinePoint Point(int32_t index) const { return points_.At(index); }

  // Evaluation of segment `segment` at local parameter t (not clamped).
  double Value(int32_t segment, double t) const;
  double Derivative(int32_t segment, double t) const;
  SplineSegment Segment(int32_t segment) const { return segments_.At(segment); }

  int32_t PointCount() const { return points_.Count(); }
  // The number of segment records: N - 1 open, N closed, 0 with fewer than two points.
  int32_t SegmentCount() const { return segments_.Count(); }

  // Solves the tangent system of `count` rows: row i is
  //   lower[i]*m[i-1] + diagonal[i]*m[i] + upper[i]*m[i+1] = rhs[i],
  // with lower[0] and upper[count-1] unused; top_corner is row 0's coefficient of m[count-1]
  // and bottom_corner row count-1's coefficient of m[0] (both 0 for an open spline). Gaussian
  // elimination without pivoting, every quotient carried as a rescaled numerator/denominator
  // pair, fixed working storage of kMaxPoints rows. More than kMaxPoints rows is a fatal
  // misuse (and solves nothing). Needs count >= 2.
  static void SolveTangentSystem(int32_t count, const double* lower, const double* diagonal,
                                 const double* upper, double top_corner, double bottom_corner,
                                 const double* rhs, double* tangents);

 private:
  void CheckKind(int32_t kind) const;
  void Recompute();

  RecordList<SplinePoint> points_;
  RecordList<SplineSegment> segments_;
  int32_t shape_ = kOpen;
};
