#include "course/course_batch.h"

#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "foundation/file_io.h"

namespace {

void SetReason(std::string* reason, const std::string& text) {
  if (reason != nullptr) *reason = text;
}

int32_t LoadForExport(const std::string& course_path, CourseData1* course, std::string* reason) {
  course->Initialise();
  switch (LoadCourseFile(*course, course_path)) {
    case kCourseFileOk:
      return kBatchDone;
    case kCourseFileDamaged:
      return kBatchDamagedCourse;
    default:
      SetReason(reason, OpenFailureReason(course_path));
      return kBatchCannotOpenCourse;
  }
}

}  // namespace

int32_t ExportPartitionFromCourseFile(const std::string& course_path, const std::string& pat_path,
                                      std::string* reason) {
  CourseData1 course;
  const int32_t loaded = LoadForExport(course_path, &course, reason);
  if (loaded != kBatchDone) return loaded;
  std::string error;
  switch (WritePartitionFile(course, pat_path, &error)) {
    case kPartitionWritten:
      return kBatchDone;
    case kPartitionTooManyLines:
      return kBatchTooManyLines;
    default:
      SetReason(reason, SystemReasonOf(error));
      return kBatchCannotWrite;
  }
}

int32_t ExportCobFromCourseFile(const std::string& course_path, const std::string& cob_path,
                                std::string* reason) {
  CourseData1 course;
  const int32_t loaded = LoadForExport(course_path, &course, reason);
  if (loaded != kBatchDone) return loaded;
  std::string error;
  switch (WriteCobFile(course, cob_path, &error)) {
    case kCobWritten:
      return kBatchDone;
    case kCobTooManyLines:
      return kBatchTooManyLines;
    default:
      SetReason(reason, SystemReasonOf(error));
      return kBatchCannotWrite;
  }
}

const char* CourseBatchMessage(int32_t result) {
  switch (result) {
    case kBatchDone:
      return "出力しました";
    case kBatchCannotOpenCourse:
      return "ファイルのオープンに失敗";
    case kBatchDamagedCourse:
      return "コースファイルが壊れています";
    case kBatchCannotWrite:
      return "ファイルの書き込みに失敗しました";
    case kBatchTooManyLines:
      return "パーテーションラインが多すぎます";
    default:
      return "不明なエラー";
  }
}

std::string CourseBatchLine(int32_t result, const std::string& course_path,
                            const std::string& output_path, const std::string& reason) {
  const std::string& file =
      result == kBatchCannotWrite || result == kBatchDone ? output_path : course_path;
  std::string line = "merrowlindale: " + file + ": " + CourseBatchMessage(result);
  if (!reason.empty()) line += ": " + reason;
  return line;
}
