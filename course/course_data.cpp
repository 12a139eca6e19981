#include "course/course_data.h"

#include <cmath>

#include "foundation/misuse_check.h"

namespace {
constexpr const char* kTag = "CourseData1";
}  // namespace

void CourseData1::Initialise() {
  SUITE_CHECK(initialised_ == 0, kTag, "初期化を２度使用とした");
  for (UnitSpline1& spline : splines_) {
    spline.Clear();
    spline.SetShape(UnitSpline1::kOpen);
  }
  sample_counts_.Clear();
  initialised_ = 1;
}

void CourseData1::Destroy() {
  SUITE_CHECK(initialised_ != 0, kTag, "初期化していないのにデストラクトしようとした");
  for (UnitSpline1& spline : splines_) spline.Clear();
  sample_counts_.Clear();
  ResetState();
  initialised_ = 0;
}

void CourseData1::NewCourse() {
  Destroy();
  Initialise();
  ResetState();
}

void CourseData1::ResetState() {
  loop_ = 0;
  loop_button_ = 0;
  width_factor_ = 1.0;
  selected_point_ = kNoPoint;
  handle_state_ = 0;
  side_ = kLeftSide;
  marker_segment_ = kNoMarker;
  marker_t_ = 0.0;
  changed_ = 0;
}

int32_t CourseData1::SegmentCount() const {
  const int32_t n = PointCount();
  // A loop of a single point has no segment to evaluate.
  if (loop_ != 0) return n >= 2 ? n : 0;
  return n >= 1 ? n - 1 : 0;
}

int32_t CourseData1::AddPoint(double x, double y, double z) {
  const int32_t n = PointCount();
  if (n >= 2 && selected_point_ == kNoPoint) return -1;
  // A click must not end the program: the splines' own limit is a fatal misuse.
  if (n >= UnitSpline1::kMaxPoints) return -1;
  const int32_t index = n < 2 ? n : selected_point_ + 1;
  const double values[kQuantityCount] = {x, y, z, 0.0, kDefaultWidth, kDefaultWidth};
  for (int32_t q = 0; q < kQuantityCount; ++q) {
    splines_[q].InsertPoint(values[q], 0.0, UnitSpline1::kFree, index);
  }
  sample_counts_.InsertAt(kDefaultSampleCount, index);
  selected_point_ = index;
  if (n == 1) marker_segment_ = 0;
  changed_ = 1;
  return index;
}

void CourseData1::DeletePoint(int32_t k) {
  const int32_t n = PointCount();
  for (UnitSpline1& spline : splines_) spline.DeletePoint(k);
  sample_counts_.RemoveAt(k);

  if (selected_point_ == k) {
    selected_point_ = kNoPoint;
  } else if (selected_point_ > k) {
    --selected_point_;
  }

  if (n <= 2) {
    marker_segment_ = kNoMarker;
  } else if (k == 0 && marker_segment_ == 0 && loop_ == 0) {
    marker_segment_ = 0;
  } else if (k == 0 && marker_segment_ == 0) {
    marker_segment_ = n - 2;
  } else if (loop_ == 0 && k == n - 1 && marker_segment_ == n - 2) {
    marker_segment_ = n - 3;
  } else if (k <= marker_segment_) {
    --marker_segment_;
  }
  changed_ = 1;
}

CourseVector CourseData1::PointPosition(int32_t i) const {
  return {splines_[kX].Point(i).value, splines_[kY].Point(i).value, splines_[kZ].Point(i).value};
}

void CourseData1::ReplaceValue(Quantity quantity, int32_t i, double value) {
  const SplinePoint point = splines_[quantity].Point(i);
  splines_[quantity].ReplacePoint(value, point.tangent, point.kind, i);
}

void CourseData1::ReplaceTangent(Quantity quantity, int32_t i, double tangent, int32_t fixed) {
  const SplinePoint point = splines_[quantity].Point(i);
  splines_[quantity].ReplacePoint(point.value, tangent,
                                  fixed != 0 ? UnitSpline1::kFixed : UnitSpline1::kFree, i);
}

void CourseData1::ReplaceKind(Quantity quantity, int32_t i, int32_t fixed) {
  const SplinePoint point = splines_[quantity].Point(i);
  splines_[quantity].ReplacePoint(point.value, point.tangent,
                                  fixed != 0 ? UnitSpline1::kFixed : UnitSpline1::kFree, i);
}

void CourseData1::SetPointPosition(int32_t i, double x, double y, double z) {
  ReplaceValue(kX, i, x);
  ReplaceValue(kY, i, y);
  ReplaceValue(kZ, i, z);
  changed_ = 1;
}

CourseTangents CourseData1::PointTangents(int32_t i) const {
  const SplinePoint x = splines_[kX].Point(i);
  const SplinePoint y = splines_[kY].Point(i);
  const SplinePoint z = splines_[kZ].Point(i);
  return {x.tangent,
          y.tangent,
          z.tangent,
          x.kind == UnitSpline1::kFixed ? 1 : 0,
          y.kind == UnitSpline1::kFixed ? 1 : 0,
          z.kind == UnitSpline1::kFixed ? 1 : 0};
}

void CourseData1::SetPointTangents(int32_t i, double tx, double ty, double tz, int32_t fixed_x,
                                   int32_t fixed_y, int32_t fixed_z) {
  ReplaceTangent(kX, i, tx, fixed_x);
  ReplaceTangent(kY, i, ty, fixed_y);
  ReplaceTangent(kZ, i, tz, fixed_z);
  changed_ = 1;
}

void CourseData1::SetPointFixedFlags(int32_t i, int32_t fixed_x, int32_t fixed_y, int32_t fixed_z) {
  ReplaceKind(kX, i, fixed_x);
  ReplaceKind(kY, i, fixed_y);
  ReplaceKind(kZ, i, fixed_z);
  changed_ = 1;
}

double CourseData1::PointRoll(int32_t i) const { return splines_[kRoll].Point(i).value; }

void CourseData1::SetPointRoll(int32_t i, double roll) {
  ReplaceValue(kRoll, i, roll);
  changed_ = 1;
}

double CourseData1::PointRollTangent(int32_t i, int32_t* fixed) const {
  const SplinePoint point = splines_[kRoll].Point(i);
  *fixed = point.kind == UnitSpline1::kFixed ? 1 : 0;
  return point.tangent;
}

void CourseData1::SetPointRollTangent(int32_t i, double tangent, int32_t fixed) {
  ReplaceTangent(kRoll, i, tangent, fixed);
  changed_ = 1;
}

CourseWidths CourseData1::PointWidths(int32_t i) const {
  return {splines_[kLeftWidth].Point(i).value * width_factor_,
          splines_[kRightWidth].Point(i).value * width_factor_};
}

void CourseData1::SetPointWidths(int32_t i, double left, double right) {
  ReplaceValue(kLeftWidth, i, left / width_factor_);
  ReplaceValue(kRightWidth, i, right / width_factor_);
  changed_ = 1;
}

CourseWidths CourseData1::PointWidthTangents(int32_t i) const {
  return {splines_[kLeftWidth].Point(i).tangent, splines_[kRightWidth].Point(i).tangent};
}

void CourseData1::PointWidthFixedFlags(int32_t i, int32_t* fixed_left, int32_t* fixed_right) const {
  *fixed_left = splines_[kLeftWidth].Point(i).kind == UnitSpline1::kFixed ? 1 : 0;
  *fixed_right = splines_[kRightWidth].Point(i).kind == UnitSpline1::kFixed ? 1 : 0;
}

void CourseData1::SetPointWidthTangents(int32_t i, double left_tangent, double right_tangent,
                                        int32_t fixed_left, int32_t fixed_right) {
  ReplaceTangent(kLeftWidth, i, left_tangent, fixed_left);
  ReplaceTangent(kRightWidth, i, right_tangent, fixed_right);
  changed_ = 1;
}

void CourseData1::ChangeSampleCount(int32_t delta) {
  if (selected_point_ == kNoPoint) return;
  int64_t count = static_cast<int64_t>(sample_counts_.At(selected_point_)) + delta;
  if (count < 0) count = 0;
  // The count has no upper bound of its own; keep it representable.
  if (count > INT32_MAX) count = INT32_MAX;
  sample_counts_.Store(static_cast<int32_t>(count), selected_point_);
  changed_ = 1;
}

CourseVector CourseData1::PositionAt(int32_t segment, double t) const {
  return {splines_[kX].Value(segment, t), splines_[kY].Value(segment, t),
          splines_[kZ].Value(segment, t)};
}

CourseVector CourseData1::DerivativeAt(int32_t segment, double t) const {
  return {splines_[kX].Derivative(segment, t), splines_[kY].Derivative(segment, t),
          splines_[kZ].Derivative(segment, t)};
}

double CourseData1::RollAt(int32_t segment, double t) const {
  return splines_[kRoll].Value(segment, t);
}

double CourseData1::RollDerivativeAt(int32_t segment, double t) const {
  return splines_[kRoll].Derivative(segment, t);
}

CourseWidths CourseData1::WidthsAt(int32_t segment, double t) const {
  return {splines_[kLeftWidth].Value(segment, t) * width_factor_,
          splines_[kRightWidth].Value(segment, t) * width_factor_};
}

void CourseData1::SetLoop(int32_t flag) {
  changed_ = 1;
  if (flag == 0) {
    loop_ = 0;
    for (UnitSpline1& spline : splines_) spline.SetShape(UnitSpline1::kOpen);
    // The closing segment is gone; an empty course has no marker to move.
    if (marker_segment_ != kNoMarker && marker_segment_ == PointCount() - 1) marker_segment_ = 0;
  } else {
    loop_ = 1;
    for (UnitSpline1& spline : splines_) spline.SetShape(UnitSpline1::kClosed);
  }
  loop_button_ = loop_;
}

void CourseData1::ChangeWidthFactor(double delta) {
  SetWidthFactor(width_factor_ + delta);
  changed_ = 1;
}

void CourseData1::SetWidthFactor(double factor) {
  width_factor_ = factor < kMinimumWidthFactor ? kMinimumWidthFactor : factor;
}

void CourseData1::Select(int32_t point, int32_t handle_state) {
  SUITE_CHECK(handle_state >= 0 && handle_state <= 2, kTag, "ハンドルにありえない状態を設定");
  selected_point_ = point;
  handle_state_ = handle_state;
}

void CourseData1::SetSide(int32_t side) {
  SUITE_CHECK(side == kLeftSide || side == kRightSide, kTag, "ありえないサイドを検出");
  side_ = side;
}

void CourseData1::SetMarker(int32_t segment, double t) {
  marker_segment_ = segment;
  marker_t_ = t;
}

void CourseData1::MoveMarker(double dt) {
  // An endless step would never leave the loops below.
  if (marker_segment_ == kNoMarker || !std::isfinite(dt)) return;
  const int32_t last = SegmentCount() - 1;
  double t = marker_t_ + dt;
  int32_t segment = marker_segment_;
  if (dt >= 0.0) {
    while (t > 1.0) {
      t -= 1.0;
      ++segment;
      if (segment > last) {
        if (loop_ != 0) {
          segment = 0;
        } else {
          segment = last;
          t = 1.0;
          break;
        }
      }
    }
  } else {
    while (t < 0.0) {
      t += 1.0;
      --segment;
      if (segment < 0) {
        if (loop_ != 0) {
          segment = last;
        } else {
          segment = 0;
          t = 0.0;
          break;
        }
      }
    }
  }
  marker_segment_ = segment;
  marker_t_ = t;
}

void CourseData1::AppendStoredPoint(const SplinePoint (&entries)[kQuantityCount],
                                    int32_t sample_count) {
  for (int32_t q = 0; q < kQuantityCount; ++q) {
    splines_[q].AppendPoint(entries[q].value, entries[q].tangent, entries[q].kind);
  }
  sample_counts_.Append(sample_count);
}
