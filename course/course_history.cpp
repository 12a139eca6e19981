#include "course/course_history.h"

#include <cstring>
#include <vector>

#include "course/course_file.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

namespace {

// Header fields of the course file that are selection or view, not course.
constexpr size_t kSelectedPointOffset = 0;
constexpr size_t kHandleStateOffset = 4;
constexpr size_t kSideOffset = 8;
constexpr size_t kMarkerSegmentOffset = 24;
constexpr size_t kMarkerTOffset = 28;

const char* const kLabels[kCourseEditCount] = {
    "制御点の追加",        // kPointAdded
    "制御点の削除",        // kPointDeleted
    "制御点の移動",        // kPointMoved
    "接線の変更",          // kTangentChanged
    "接線の固定解除",      // kTangentFreed
    "ロールの変更",        // kRollChanged
    "ロールの接線の変更",  // kRollTangentChanged
    "幅の変更",            // kWidthChanged
    "幅の接線の変更",      // kWidthTangentChanged
    "サンプル数の変更",    // kSampleCountChanged
    "コース幅の変更",      // kWidthFactorChanged
    "ループの切り替え",    // kLoopChanged
    "変更",                // kOtherChange
};

void Put(std::string& bytes, size_t offset, const void* value, size_t size) {
  std::memcpy(bytes.data() + offset, value, size);
}

// The selection and the marker as the history keeps them, with the point count they refer
// to.
struct CourseSelection {
  int32_t point = CourseData1::kNoPoint;
  int32_t handle_state = 0;
  int32_t side = CourseData1::kLeftSide;
  int32_t marker_segment = CourseData1::kNoMarker;
  double marker_t = 0.0;
  int32_t point_count = 0;
};

std::string Encode(const CourseData1& course) {
  ByteWriter out;
  out.I32(course.SelectedPoint());
  out.I32(course.HandleState());
  out.I32(course.Side());
  out.I32(course.Marker().segment);
  out.F64(course.Marker().t);
  out.I32(course.PointCount());
  return out.Take();
}

CourseSelection Decode(const std::string& bytes) {
  ByteReader in(bytes);
  CourseSelection selection;
  selection.point = in.I32();
  selection.handle_state = in.I32();
  selection.side = in.I32();
  selection.marker_segment = in.I32();
  selection.marker_t = in.F64();
  selection.point_count = in.I32();
  if (!in.Ok()) return CourseSelection();
  return selection;
}

bool MarkerFits(const CourseData1& course, int32_t segment, double t) {
  return segment >= 0 && segment < course.SegmentCount() && t >= 0.0 && t <= 1.0;
}

void SelectIfFits(CourseData1& course, int32_t point, int32_t handle_state) {
  if (point < 0 || point >= course.PointCount()) point = CourseData1::kNoPoint;
  if (handle_state < 0 || handle_state > 2 || point == CourseData1::kNoPoint) handle_state = 0;
  course.Select(point, handle_state);
}

// The course file's model part, parsed for comparing two states.
struct ParsedCourse {
  int32_t loop = 0;
  double width_factor = 1.0;
  struct Point {
    SplinePoint entries[CourseData1::kQuantityCount];
    int32_t sample_count = 0;
  };
  std::vector<Point> points;
};

bool Parse(std::string_view bytes, ParsedCourse* course) {
  ByteReader in(bytes);
  in.Skip(12);
  course->loop = in.I32();
  course->width_factor = in.F64();
  in.Skip(12);
  const int32_t count = in.I32();
  if (!in.CanRead(count, kCoursePointRecordSize)) return false;
  course->points.resize(static_cast<size_t>(count));
  for (ParsedCourse::Point& point : course->points) {
    for (SplinePoint& entry : point.entries) {
      entry.value = in.F64();
      entry.tangent = in.F64();
      entry.kind = in.I32();
    }
    point.sample_count = in.I32();
  }
  return in.Ok();
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// How the tangents of quantities [first, last] changed between two states of the same
// points: 0 not at all, 1 only fixed tangents freed, 2 otherwise. A free tangent is solved
// from its neighbours, so its value alone says nothing.
int TangentChange(const ParsedCourse& before, const ParsedCourse& after, int32_t first,
                  int32_t last) {
  int change = 0;
  for (size_t i = 0; i < before.points.size(); ++i) {
    for (int32_t q = first; q <= last; ++q) {
      const SplinePoint& a = before.points[i].entries[q];
      const SplinePoint& b = after.points[i].entries[q];
      if (a.kind == b.kind) {
        if (a.kind == UnitSpline1::kFixed && !Same(a.tangent, b.tangent)) return 2;
      } else if (b.kind == UnitSpline1::kFree) {
        change = 1;
      } else {
        return 2;
      }
    }
  }
  return change;
}

bool ValuesChanged(const ParsedCourse& before, const ParsedCourse& after, int32_t first,
                   int32_t last) {
  for (size_t i = 0; i < before.points.size(); ++i) {
    for (int32_t q = first; q <= last; ++q) {
      if (!Same(before.points[i].entries[q].value, after.points[i].entries[q].value)) return true;
    }
  }
  return false;
}

}  // namespace

const char* CourseEditLabel(CourseEdit edit) {
  const auto index = static_cast<int32_t>(edit);
  return index >= 0 && index < kCourseEditCount ? kLabels[index] : kLabels[kCourseEditCount - 1];
}

std::string CourseModelImage(const CourseData1& course) {
  std::string bytes = CourseFileBytes(course);
  const int32_t none = -1;
  const int32_t zero = 0;
  const double origin = 0.0;
  Put(bytes, kSelectedPointOffset, &none, 4);
  Put(bytes, kHandleStateOffset, &zero, 4);
  Put(bytes, kSideOffset, &zero, 4);
  Put(bytes, kMarkerSegmentOffset, &none, 4);
  Put(bytes, kMarkerTOffset, &origin, 8);
  return bytes;
}

CourseEdit ClassifyCourseChange(std::string_view before_bytes, std::string_view after_bytes) {
  ParsedCourse before;
  ParsedCourse after;
  if (!Parse(before_bytes, &before) || !Parse(after_bytes, &after)) return CourseEdit::kOtherChange;
  const size_t n = before.points.size();
  if (after.points.size() == n + 1) return CourseEdit::kPointAdded;
  if (after.points.size() + 1 == n) return CourseEdit::kPointDeleted;
  if (after.points.size() != n) return CourseEdit::kOtherChange;
  if (before.loop != after.loop) return CourseEdit::kLoopChanged;
  if (!Same(before.width_factor, after.width_factor)) return CourseEdit::kWidthFactorChanged;
  for (size_t i = 0; i < n; ++i) {
    if (before.points[i].sample_count != after.points[i].sample_count) {
      return CourseEdit::kSampleCountChanged;
    }
  }
  using Q = CourseData1::Quantity;
  if (ValuesChanged(before, after, Q::kX, Q::kZ)) return CourseEdit::kPointMoved;
  if (ValuesChanged(before, after, Q::kLeftWidth, Q::kRightWidth)) return CourseEdit::kWidthChanged;
  if (ValuesChanged(before, after, Q::kRoll, Q::kRoll)) return CourseEdit::kRollChanged;
  switch (TangentChange(before, after, Q::kX, Q::kZ)) {
    case 1:
      return CourseEdit::kTangentFreed;
    case 2:
      return CourseEdit::kTangentChanged;
    default:
      break;
  }
  if (TangentChange(before, after, Q::kLeftWidth, Q::kRightWidth) != 0) {
    return CourseEdit::kWidthTangentChanged;
  }
  if (TangentChange(before, after, Q::kRoll, Q::kRoll) != 0) return CourseEdit::kRollTangentChanged;
  return CourseEdit::kOtherChange;
}

CourseHistory::CourseHistory(CourseData1& course, size_t budget)
    : DocumentHistory(budget), course_(course) {
  Clear();
}

void CourseHistory::Clear() {
  history_.Reset(CourseModelImage(course_), Encode(course_), !course_.IsChanged());
}

void CourseHistory::Settle() {
  if (history_.AtSavedState()) {
    course_.ClearChanged();
  } else {
    course_.MarkChanged();
  }
}

bool CourseHistory::Record() {
  const bool added = RecordChange();
  if (!added) history_.NoteSelection(Encode(course_));
  return added;
}

bool CourseHistory::RecordChange() {
  const std::string model = CourseModelImage(course_);
  const std::string current = history_.CurrentModel();
  const bool added =
      model != current && history_.Record(model, Encode(course_),
                                          CourseEditLabel(ClassifyCourseChange(current, model)));
  Settle();
  return added;
}

bool CourseHistory::ReadBack(const EditHistory::Target& target, bool undo) {
  CourseData1 fresh;
  if (CourseFromBytes(target.model, &fresh) != kCourseFileOk) return false;
  const CourseMarker marker = course_.Marker();
  course_ = fresh;
  if (undo) {
    history_.CommitUndo();
  } else {
    history_.CommitRedo();
  }
  // What is now held is what this state holds from here on, should the course read back
  // a hair differently from what was written.
  const std::string held = CourseModelImage(course_);
  if (held != target.model) history_.ReplaceCurrentModel(held);

  const CourseSelection own = Decode(target.selection);
  const CourseSelection step = Decode(target.step_selection);
  SelectIfFits(course_, own.point, own.handle_state);
  if (undo && step.point != CourseData1::kNoPoint && step.point_count == course_.PointCount()) {
    SelectIfFits(course_, step.point, step.handle_state);
  }
  const int32_t side = undo ? step.side : own.side;
  course_.SetSide(side == CourseData1::kRightSide ? side : CourseData1::kLeftSide);
  if (MarkerFits(course_, marker.segment, marker.t)) {
    course_.SetMarker(marker.segment, marker.t);
  } else if (MarkerFits(course_, own.marker_segment, own.marker_t)) {
    course_.SetMarker(own.marker_segment, own.marker_t);
  } else {
    course_.SetMarker(CourseData1::kNoMarker, 0.0);
  }
  Settle();
  return true;
}

bool CourseHistory::Undo() {
  RecordChange();
  EditHistory::Target target;
  return history_.PeekUndo(&target) && ReadBack(target, true);
}

bool CourseHistory::Redo() {
  RecordChange();
  EditHistory::Target target;
  return history_.PeekRedo(&target) && ReadBack(target, false);
}

void CourseHistory::MarkSaved() {
  RecordChange();
  history_.MarkSaved();
  Settle();
}
