#include "course/course_batch.h"

#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"

namespace {

int32_t LoadForExport(const std::string& course_path, CourseData1* course) {
  course->Initialise();
  switch (LoadCourseFile(*course, course_path)) {
    case kCourseFileOk:
      return kBatchDone;
    case kCourseFileDamaged:
      return kBatchDamagedCourse;
    default:
      return kBatchCannotOpenCourse;
  }
}

}  // namespace

int32_t ExportPartitionFromCourseFile(const std::string& course_path, const std::string& pat_path) {
  CourseData1 course;
  const int32_t loaded = LoadForExport(course_path, &course);
  if (loaded != kBatchDone) return loaded;
  switch (WritePartitionFile(course, pat_path)) {
    case kPartitionWritten:
      return kBatchDone;
    case kPartitionTooManyLines:
      return kBatchTooManyLines;
    default:
      return kBatchCannotWrite;
  }
}

int32_t ExportCobFromCourseFile(const std::string& course_path, const std::string& cob_path) {
  CourseData1 course;
  const int32_t loaded = LoadForExport(course_path, &course);
  if (loaded != kBatchDone) return loaded;
  switch (WriteCobFile(course, cob_path)) {
    case kCobWritten:
      return kBatchDone;
    case kCobTooManyLines:
      return kBatchTooManyLines;
    default:
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
