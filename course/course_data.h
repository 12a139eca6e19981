// The designed course: a chain of control points through which the road's centre line
// (x, y = height, z), its roll and its two half-widths run as six unit splines, the sample
// count of every segment, the loop flag, a course-wide width factor, and the editing state
// every view shares (selection, handle, side, course marker, changed flag, and the state of
// the tool bar's loop button). The program keeps one instance; the views and the file
// writers read it through these operations, and every edit goes through them.
#pragma once

#include <cstdint>

#include "course/unit_spline.h"
#include "foundation/typed_database.h"

struct CourseVector {
  double x;
  double y;
  double z;
};

struct CourseWidths {
  double left;
  double right;
};

// Tangents of the centre line at a control point; a flag is 1 when that axis is fixed.
struct CourseTangents {
  double x;
  double y;
  double z;
  int32_t fixed_x;
  int32_t fixed_y;
  int32_t fixed_z;
};

struct CourseMarker {
  int32_t segment;  // CourseData1::kNoMarker when there is none
  double t;
};

class CourseData1 {
 public:
  // The six splines, in the order the course file stores them.
  enum Quantity : int32_t { kX, kY, kZ, kRoll, kLeftWidth, kRightWidth, kQuantityCount };

  static constexpr int32_t kNoPoint = -1;
  static constexpr int32_t kNoMarker = -1;
  static constexpr double kMinimumWidthFactor = 0.01;
  static constexpr double kDefaultWidth = 20.0;
  static constexpr int32_t kDefaultSampleCount = 10;
  static constexpr int32_t kLeftSide = 0;
  static constexpr int32_t kRightSide = 1;

  // Not yet initialised: the program calls Initialise once at start-up.
  CourseData1() = default;

  // --- Lifecycle. Initialise twice, or Destroy without Initialise, is a fatal misuse.
  void Initialise();
  // Frees the course and resets the course-wide state to its initial values.
  void Destroy();
  // Destroy, Initialise, initial state, loop button up.
  void NewCourse();
  bool IsInitialised() const { return initialised_ != 0; }

  // --- Control points. Every operation that changes the course sets the changed flag.
  // Adds a point with the default tangents, roll, widths and sample count. With fewer than
  // two points it is appended; otherwise it is inserted after the selected point, and with
  // no selection nothing happens and -1 is returned; a course that already has
  // UnitSpline1::kMaxPoints points also refuses with -1. The new point becomes the selected
  // point; its index is returned. The second point creates segment 0 and puts the marker
  // on it.
  int32_t AddPoint(double x, double y, double z);
  // Removes point k, moving the selection and the marker with the points that remain.
  void DeletePoint(int32_t k);
  int32_t PointCount() const { return splines_[kX].PointCount(); }
  // N for a loop of two or more points, N - 1 for an open course, never below 0.
  int32_t SegmentCount() const;

  CourseVector PointPosition(int32_t i) const;
  // Replaces the values, keeping tangents and kinds.
  void SetPointPosition(int32_t i, double x, double y, double z);
  CourseTangents PointTangents(int32_t i) const;
  // Each axis becomes fixed when its flag is non-zero, free otherwise (a free tangent is
  // replaced by the solved one).
  void SetPointTangents(int32_t i, double tx, double ty, double tz, int32_t fixed_x,
                        int32_t fixed_y, int32_t fixed_z);
  // Changes only the kinds; freeing an axis lets the spline solve its tangent again.
  void SetPointFixedFlags(int32_t i, int32_t fixed_x, int32_t fixed_y, int32_t fixed_z);

  double PointRoll(int32_t i) const;
  void SetPointRoll(int32_t i, double roll);
  // The roll tangent; *fixed is 1 when it is fixed.
  double PointRollTangent(int32_t i, int32_t* fixed) const;
  void SetPointRollTangent(int32_t i, double tangent, int32_t fixed);

  // Widths as the user sees them: the stored widths times the width factor.
  CourseWidths PointWidths(int32_t i) const;
  // Stores each width divided by the width factor.
  void SetPointWidths(int32_t i, double left, double right);
  // Stored width tangents (not scaled by the factor).
  CourseWidths PointWidthTangents(int32_t i) const;
  void PointWidthFixedFlags(int32_t i, int32_t* fixed_left, int32_t* fixed_right) const;
  void SetPointWidthTangents(int32_t i, double left_tangent, double right_tangent,
                             int32_t fixed_left, int32_t fixed_right);

  // Intermediate samples of the segment that starts at point i.
  int32_t PointSampleCount(int32_t i) const { return sample_counts_.At(i); }
  // Adds delta to the selected point's sample count (not below 0); nothing without a
  // selection.
  void ChangeSampleCount(int32_t delta);

  // --- Evaluation on segment i at local parameter t.
  CourseVector PositionAt(int32_t segment, double t) const;
  CourseVector DerivativeAt(int32_t segment, double t) const;
  double RollAt(int32_t segment, double t) const;
  double RollDerivativeAt(int32_t segment, double t) const;
  // Spline widths times the width factor.
  CourseWidths WidthsAt(int32_t segment, double t) const;

  // --- Course-wide state.
  // Closes (non-zero) or opens the course; opening moves a marker on the closing segment to
  // segment 0. Also sets the loop button to match.
  void SetLoop(int32_t flag);
  int32_t Loop() const { return loop_; }
  // The tool bar's loop button: changed together with the loop flag by SetLoop, NewCourse and
  // loading; the window mirrors it.
  int32_t LoopButton() const { return loop_button_; }

  // factor += delta, not below kMinimumWidthFactor.
  void ChangeWidthFactor(double delta);
  // Sets the factor (not below kMinimumWidthFactor); used when a course is read back.
  void SetWidthFactor(double factor);
  double WidthFactor() const { return width_factor_; }

  // Handle state 0 (the point), 1 or 2 (the ends of its tangent handle); any other handle
  // state is a fatal misuse. Both are stored.
  void Select(int32_t point, int32_t handle_state);
  int32_t SelectedPoint() const { return selected_point_; }
  int32_t HandleState() const { return handle_state_; }

  // kLeftSide or kRightSide; anything else is a fatal misuse.
  void SetSide(int32_t side);
  int32_t Side() const { return side_; }

  CourseMarker Marker() const { return {marker_segment_, marker_t_}; }
  bool HasMarker() const { return marker_segment_ != kNoMarker; }
  // Places the marker as given (kNoMarker removes it); used when a course is read back.
  void SetMarker(int32_t segment, double t);
  // Moves the marker along the course by dt segments' worth of parameter: a loop wraps
  // around, an open course stops at its ends.
  void MoveMarker(double dt);

  bool IsChanged() const { return changed_ != 0; }
  void ClearChanged() { changed_ = 0; }
  // Sets the changed flag without a change (the undo history, away from the saved state).
  void MarkChanged() { changed_ = 1; }

  // --- Direct access for the course file and other readers.
  const UnitSpline1& Spline(Quantity quantity) const { return splines_[quantity]; }
  // Appends a point exactly as stored (values, tangents and kinds of the six splines, in
  // Quantity order, and its sample count), without touching the selection or the marker.
  void AppendStoredPoint(const SplinePoint (&entries)[kQuantityCount], int32_t sample_count);

 private:
  void ResetState();
  void ReplaceValue(Quantity quantity, int32_t i, double value);
  void ReplaceTangent(Quantity quantity, int32_t i, double tangent, int32_t fixed);
  void ReplaceKind(Quantity quantity, int32_t i, int32_t fixed);

  UnitSpline1 splines_[kQuantityCount];
  RecordList<int32_t> sample_counts_;
  int32_t loop_ = 0;
  int32_t loop_button_ = 0;
  double width_factor_ = 1.0;
  int32_t selected_point_ = kNoPoint;
  int32_t handle_state_ = 0;
  int32_t side_ = kLeftSide;
  int32_t marker_segment_ = kNoMarker;
  double marker_t_ = 0.0;
  int32_t changed_ = 0;
  int32_t initialised_ = 0;
};
