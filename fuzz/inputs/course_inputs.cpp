#include <cstdint>
#include <vector>

#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "course/partition_line.h"
#include "foundation/byte_reader.h"
#include "fuzz/inputs/fuzz_inputs.h"

namespace {

// Courses sampled into more lines than this are only loaded: writing hundreds of thousands of
// lines is legal but would slow every run down without reaching other code.
constexpr int64_t kMostSampledLines = 5000;

}  // namespace

std::string ExercisePartitionFile(std::string_view bytes) {
  std::string read;
  const int32_t opened = ReadPartitionFileBytes(ScratchFile(bytes, ".pat"), &read);
  if (opened != kPartitionRead) return "";
  if (read != bytes) return "the partition file was not read whole";
  std::vector<PartitionRecord> records;
  if (ReadPartitionRecords(read, &records) != kPartitionRead) return "";
  const ByteReader reader(read);
  int32_t line_count = 0;
  if (!records.empty() &&
      (!ReadPartitionLineCount(reader, &line_count) ||
       static_cast<size_t>(line_count) != records.size())) {
    return "the partition records do not match the line count";
  }
  PartitionRecord last;
  if (!records.empty() &&
      !ReadPartitionRecord(reader, static_cast<int32_t>(records.size() - 1), &last)) {
    return "the last partition record cannot be read on its own";
  }
  return "";
}

std::string ExerciseCourseFile(std::string_view bytes) {
  CourseData1 course;
  if (CourseFromBytes(bytes, &course) != kCourseFileOk) return "";
  if (course.IsChanged()) return "a loaded course counts as changed";

  // What is saved must load again and save to the same bytes.
  const std::string saved = CourseFileBytes(course);
  CourseData1 again;
  if (CourseFromBytes(saved, &again) != kCourseFileOk) return "a saved course does not load";
  if (CourseFileBytes(again) != saved) return "a course changes when saved again";

  if (PartitionLineCount(course) > kMostSampledLines) return "";
  PartitionFileImage image;
  if (BuildPartitionFile(course, &image) != kPartitionWritten) {
    return "the partition file of a small course was refused";
  }
  std::vector<PartitionRecord> records;
  if (ReadPartitionRecords(image.binary, &records) != kPartitionRead) {
    return "a written partition file does not read back";
  }
  if (course.SegmentCount() > 0 &&
      static_cast<int64_t>(records.size()) != PartitionLineCount(course)) {
    return "a written partition file holds the wrong number of lines";
  }
  std::string cob;
  if (BuildCobText(course, &cob) != kCobWritten) return "the COB text of a small course was refused";
  return "";
}
