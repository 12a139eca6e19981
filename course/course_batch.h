// What the course designer's batch mode does without a window: load a course file and
// export its partition file (with the listing beside it) or its COB mesh. Results are codes;
// CourseBatchMessage gives the text to print for one.
#pragma once

#include <cstdint>
#include <string>

enum CourseBatchResult : int32_t {
  kBatchDone = 0,
  kBatchCannotOpenCourse = 1,  // the course file cannot be read
  kBatchDamagedCourse = 2,     // the course file is short or holds impossible values
  kBatchCannotWrite = 3,       // the output could not be written (nothing was replaced)
  kBatchTooManyLines = 4,      // the course samples into more lines than a file may hold
};

// Loads `course_path` and writes the partition file at `pat_path` and its listing. When the
// system refused to read or write a file, `reason` (optional) receives its reason.
int32_t ExportPartitionFromCourseFile(const std::string& course_path, const std::string& pat_path,
                                      std::string* reason = nullptr);

// Loads `course_path` and writes the COB mesh at `cob_path`.
int32_t ExportCobFromCourseFile(const std::string& course_path, const std::string& cob_path,
                                std::string* reason = nullptr);

// A one-line UTF-8 message for a result.
const char* CourseBatchMessage(int32_t result);

// The line a batch run prints for a result: the program, the file the result is about (the
// output when it could not be written, else the course), the message and the reason.
std::string CourseBatchLine(int32_t result, const std::string& course_path,
                            const std::string& output_path, const std::string& reason);
