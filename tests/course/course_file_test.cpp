#include "course/course_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "course/course_data.h"
#include "course/sample_circuit.h"
#include "foundation/file_io.h"
#include "tests/course/course_test_util.h"
#include "tests/support/temp_folder.h"

namespace {

// A course that uses every field: fixed and free tangents, roll, widths at a width factor,
// a loop, a selection, a side and a marker.
void BuildRichCourse(CourseData1& course) {
  BuildCourse(course, {{0, 0, 0, 4}, {300, 20, 50, 0}, {500, 60, -100, 7}, {100, 10, -300, 2}},
              true);
  course.SetPointTangents(1, 250.0, 0.0, -40.0, 1, 0, 1);
  course.SetPointRoll(2, 0.3);
  course.SetPointRollTangent(3, -0.1, 1);
  course.ChangeWidthFactor(-0.25);
  course.SetPointWidths(2, 12.0, 30.0);
  course.SetPointWidthTangents(0, 1.5, 0.0, 1, 0);
  course.Select(2, 1);
  course.SetSide(1);
  course.SetMarker(3, 0.375);
}

bool fail_renames = false;
bool FailRenames(FileOperation operation) {
  return fail_renames && operation == FileOperation::kRename;
}

}  // namespace

TEST(CourseFileTest, SavedFieldsSitAtTheirOffsets) {
  CourseData1 course;
  BuildCourse(course, {{1, 2, 3, 5}, {10, 20, 30, 6}, {40, 0, 0, 7}});
  course.SetLoop(1);
  course.SetWidthFactor(0.5);
  course.Select(1, 2);
  course.SetSide(1);
  course.SetMarker(2, 0.25);
  course.SetPointTangents(1, 0.0, 9.0, 0.0, 0, 1, 0);
  const std::string bytes = CourseFileBytes(course);
  ASSERT_EQ(bytes.size(), 412u);
  EXPECT_EQ(IntAt(bytes, 0), 1);
  EXPECT_EQ(IntAt(bytes, 4), 2);
  EXPECT_EQ(IntAt(bytes, 8), 1);
  EXPECT_EQ(IntAt(bytes, 12), 1);
  EXPECT_EQ(DoubleAt(bytes, 16), 0.5);
  EXPECT_EQ(IntAt(bytes, 24), 2);
  EXPECT_EQ(DoubleAt(bytes, 28), 0.25);
  EXPECT_EQ(IntAt(bytes, 36), 3);
  const size_t point1 = 40 + 124;
  EXPECT_EQ(DoubleAt(bytes, point1 + 0), 10.0);   // x value
  EXPECT_EQ(DoubleAt(bytes, point1 + 20), 20.0);  // y value
  EXPECT_EQ(DoubleAt(bytes, point1 + 28), 9.0);   // y tangent
  EXPECT_EQ(IntAt(bytes, point1 + 36), 3);        // y kind: fixed
  EXPECT_EQ(IntAt(bytes, point1 + 16), 2);        // x kind: free
  EXPECT_EQ(DoubleAt(bytes, point1 + 80), 20.0);  // left width, stored before the factor
  EXPECT_EQ(IntAt(bytes, point1 + 120), 6);       // sample count
}

TEST(CourseFileTest, SaveThenLoadReproducesTheCourse) {
  TempFolder folder;
  CourseData1 original;
  BuildRichCourse(original);
  const std::string path = folder.File("rich.cus");
  ASSERT_TRUE(original.IsChanged());
  EXPECT_EQ(SaveCourseFile(original, path), kCourseFileOk);
  EXPECT_FALSE(original.IsChanged());

  CourseData1 loaded;
  BuildCourse(loaded, {{5, 5, 5, 1}, {6, 6, 6, 1}});
  EXPECT_EQ(LoadCourseFile(loaded, path), kCourseFileOk);
  EXPECT_EQ(CourseFileBytes(loaded), CourseFileBytes(original));
  EXPECT_EQ(TempFolder::Read(path), CourseFileBytes(original));
  EXPECT_FALSE(loaded.IsChanged());
  EXPECT_EQ(loaded.LoopButton(), 1);
  EXPECT_EQ(loaded.Spline(CourseData1::kRightWidth).Shape(), UnitSpline1::kClosed);
  EXPECT_EQ(loaded.PointTangents(1).x, 250.0);
  EXPECT_EQ(loaded.PointWidths(2).right, 30.0);
  EXPECT_EQ(loaded.Marker().t, 0.375);
  for (double t : {0.0, 0.3, 1.0}) {
    EXPECT_EQ(loaded.PositionAt(3, t).z, original.PositionAt(3, t).z);
  }
  // A loaded course goes on being edited like any other.
  EXPECT_EQ(loaded.AddPoint(1.0, 1.0, 1.0), 3);
}

TEST(CourseFileTest, EmptyCourseKeepsLoopAndFactor) {
  TempFolder folder;
  CourseData1 empty;
  empty.Initialise();
  empty.SetLoop(1);
  empty.ChangeWidthFactor(1.5);
  const std::string path = folder.File("empty.cus");
  ASSERT_EQ(SaveCourseFile(empty, path), kCourseFileOk);
  EXPECT_EQ(TempFolder::Read(path).size(), 40u);
  CourseData1 loaded;
  loaded.Initialise();
  ASSERT_EQ(LoadCourseFile(loaded, path), kCourseFileOk);
  EXPECT_EQ(loaded.PointCount(), 0);
  EXPECT_EQ(loaded.Loop(), 1);
  EXPECT_EQ(loaded.WidthFactor(), 2.5);
}

TEST(CourseFileTest, DamagedFilesAreRefusedAndTheCourseStays) {
  CourseData1 rich;
  BuildRichCourse(rich);
  const std::string good = CourseFileBytes(rich);
  auto with_int = [&](size_t offset, int32_t value) {
    std::string bytes = good;
    std::memcpy(bytes.data() + offset, &value, 4);
    return bytes;
  };
  auto with_double = [&](size_t offset, double value) {
    std::string bytes = good;
    std::memcpy(bytes.data() + offset, &value, 8);
    return bytes;
  };
  const std::string damaged[] = {
      good.substr(0, 39),
      good.substr(0, good.size() - 1),
      with_int(36, 5),  // more points than bytes
      with_int(36, -1),
      with_int(0, 4),  // selection past the last point
      with_int(0, -2),
      with_int(4, 3),        // handle state
      with_int(8, 2),        // side
      with_int(12, 2),       // loop flag
      with_double(16, 0.0),  // width factor
      with_double(16, std::numeric_limits<double>::quiet_NaN()),
      with_int(24, 4),  // marker past the closing segment
      with_double(28, 1.5),
      with_int(40 + 124 * 2 + 20 * 3 + 16, 1),  // roll kind
      with_int(40 + 124 * 3 + 120, -3),         // sample count
  };
  TempFolder folder;
  CourseData1 live;
  BuildCourse(live, {{1, 2, 3, 4}, {5, 6, 7, 8}});
  const std::string before = CourseFileBytes(live);
  for (const std::string& bytes : damaged) {
    EXPECT_EQ(LoadCourseFile(live, folder.Write("bad.cus", bytes)), kCourseFileDamaged)
        << bytes.size();
    EXPECT_EQ(CourseFileBytes(live), before);
    EXPECT_TRUE(live.IsChanged());
  }
  std::string open_marker = with_int(12, 0);  // opening the loop removes segment 3
  EXPECT_EQ(LoadCourseFile(live, folder.Write("bad.cus", open_marker)), kCourseFileDamaged);
  EXPECT_EQ(LoadCourseFile(live, folder.File("missing.cus")), kCourseFileCannotOpen);
  EXPECT_EQ(CourseFileBytes(live), before);

  // 257 points are more than a spline holds.
  std::string too_many = with_int(36, 257);
  too_many.resize(40 + 124 * 257, '\0');
  EXPECT_EQ(LoadCourseFile(live, folder.Write("big.cus", too_many)), kCourseFileDamaged);
}

TEST(CourseFileTest, FailedSaveKeepsTheOldFileAndTheChangedFlag) {
  TempFolder folder;
  CourseData1 course;
  BuildRichCourse(course);
  const std::string path = folder.Write("kept.cus", "old");
  fail_renames = true;
  SetFileFaultHookForTesting(FailRenames);
  std::string error;
  EXPECT_EQ(SaveCourseFile(course, path, &error), kCourseFileCannotOpen);
  SetFileFaultHookForTesting(nullptr);
  fail_renames = false;
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(course.IsChanged());
  EXPECT_EQ(TempFolder::Read(path), "old");
  EXPECT_EQ(SaveCourseFile(course, folder.File("no/dir/x.cus")), kCourseFileCannotOpen);
  EXPECT_TRUE(course.IsChanged());
}

TEST(CourseFileTest, CommittedSampleCircuitIsWhatTheCodeMakes) {
  CourseData1 circuit;
  circuit.Initialise();
  BuildSampleCircuit(circuit);
  EXPECT_EQ(circuit.Loop(), 1);
  EXPECT_EQ(circuit.PointCount(), 10);
  EXPECT_FALSE(circuit.IsChanged());
  const std::string committed =
      TempFolder::Read(std::string(SUITE_SOURCE_DIR) + "/samples/circuit.cus");
  EXPECT_EQ(committed, CourseFileBytes(circuit))
      << "rebuild it with build/bin/make_sample_course samples/circuit.cus";
  CourseData1 loaded;
  loaded.Initialise();
  TempFolder folder;
  ASSERT_EQ(LoadCourseFile(loaded, folder.Write("c.cus", committed)), kCourseFileOk);
  EXPECT_EQ(CourseFileBytes(loaded), committed);
}
