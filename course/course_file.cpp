#include "course/course_file.h"

#include <cmath>

#include "course/course_data.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/file_io.h"

namespace {

struct CourseHeader {
  int32_t selected_point;
  int32_t handle_state;
  int32_t side;
  int32_t loop;
  double width_factor;
  int32_t marker_segment;
  double marker_t;
  int32_t point_count;
};

bool HeaderFits(const CourseHeader& header) {
  const int32_t n = header.point_count;
  if (n < 0 || n > UnitSpline1::kMaxPoints) return false;
  if (header.selected_point < CourseData1::kNoPoint || header.selected_point >= n) return false;
  if (header.handle_state < 0 || header.handle_state > 2) return false;
  if (header.side != CourseData1::kLeftSide && header.side != CourseData1::kRightSide) {
    return false;
  }
  if (header.loop != 0 && header.loop != 1) return false;
  if (!std::isfinite(header.width_factor) ||
      header.width_factor < CourseData1::kMinimumWidthFactor) {
    return false;
  }
  if (header.marker_segment != CourseData1::kNoMarker) {
    const int32_t segments = header.loop != 0 ? (n >= 2 ? n : 0) : (n >= 1 ? n - 1 : 0);
    if (header.marker_segment < 0 || header.marker_segment >= segments) return false;
    if (!(header.marker_t >= 0.0 && header.marker_t <= 1.0)) return false;
  }
  return true;
}

}  // namespace

std::string CourseFileBytes(const CourseData1& course) {
  ByteWriter writer;
  const CourseMarker marker = course.Marker();
  const int32_t n = course.PointCount();
  writer.I32(course.SelectedPoint());
  writer.I32(course.HandleState());
  writer.I32(course.Side());
  writer.I32(course.Loop());
  writer.F64(course.WidthFactor());
  writer.I32(marker.segment);
  writer.F64(marker.t);
  writer.I32(n);
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t q = 0; q < CourseData1::kQuantityCount; ++q) {
      const SplinePoint point = course.Spline(static_cast<CourseData1::Quantity>(q)).Point(i);
      writer.F64(point.value);
      writer.F64(point.tangent);
      writer.I32(point.kind);
    }
    writer.I32(course.PointSampleCount(i));
  }
  return writer.Take();
}

int32_t SaveCourseFile(CourseData1& course, const std::string& path, std::string* error) {
  if (!AtomicWriteFile(path, CourseFileBytes(course), error)) return kCourseFileCannotOpen;
  course.ClearChanged();
  return kCourseFileOk;
}

int32_t CourseFromBytes(std::string_view bytes, CourseData1* fresh) {
  ByteReader reader(bytes);
  if (!reader.CanRead(1, kCourseHeaderSize)) return kCourseFileDamaged;
  CourseHeader header;
  header.selected_point = reader.I32();
  header.handle_state = reader.I32();
  header.side = reader.I32();
  header.loop = reader.I32();
  header.width_factor = reader.F64();
  header.marker_segment = reader.I32();
  header.marker_t = reader.F64();
  header.point_count = reader.I32();
  if (!reader.Ok() || !HeaderFits(header)) return kCourseFileDamaged;
  if (!reader.CanRead(header.point_count, kCoursePointRecordSize)) return kCourseFileDamaged;

  // Check every record before building anything: a bad kind would be a fatal misuse of the
  // spline.
  {
    ByteReader check = reader;
    for (int32_t i = 0; i < header.point_count; ++i) {
      for (int32_t q = 0; q < CourseData1::kQuantityCount; ++q) {
        check.Skip(16);
        const int32_t kind = check.I32();
        if (kind != UnitSpline1::kFree && kind != UnitSpline1::kFixed) return kCourseFileDamaged;
      }
      if (check.I32() < 0) return kCourseFileDamaged;
    }
    if (!check.Ok()) return kCourseFileDamaged;
  }

  fresh->Initialise();
  fresh->Select(header.selected_point, header.handle_state);
  fresh->SetSide(header.side);
  fresh->SetWidthFactor(header.width_factor);
  fresh->SetMarker(header.marker_segment, header.marker_t);
  // The loop comes first, so that every point is appended to splines of the right shape.
  fresh->SetLoop(header.loop);
  for (int32_t i = 0; i < header.point_count; ++i) {
    SplinePoint entries[CourseData1::kQuantityCount];
    for (SplinePoint& entry : entries) {
      entry.value = reader.F64();
      entry.tangent = reader.F64();
      entry.kind = reader.I32();
    }
    fresh->AppendStoredPoint(entries, reader.I32());
  }
  fresh->ClearChanged();
  return kCourseFileOk;
}

int32_t LoadCourseFile(CourseData1& course, const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return kCourseFileCannotOpen;
  CourseData1 fresh;
  const int32_t result = CourseFromBytes(bytes, &fresh);
  if (result != kCourseFileOk) return result;
  course = fresh;
  return kCourseFileOk;
}
