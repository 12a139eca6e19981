#include "course/course_batch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "course/sample_circuit.h"
#include "tests/support/temp_folder.h"

TEST(CourseBatchTest, ExportsWhatTheDesignerWouldWrite) {
  TempFolder folder;
  CourseData1 circuit;
  circuit.Initialise();
  BuildSampleCircuit(circuit);
  const std::string course_path = folder.File("circuit.cus");
  ASSERT_EQ(SaveCourseFile(circuit, course_path), kCourseFileOk);

  EXPECT_EQ(ExportPartitionFromCourseFile(course_path, folder.File("out.pat")), kBatchDone);
  PartitionFileImage image;
  ASSERT_EQ(BuildPartitionFile(circuit, &image), kPartitionWritten);
  EXPECT_EQ(TempFolder::Read(folder.File("out.pat")), image.binary);
  EXPECT_EQ(TempFolder::Read(folder.File("out.txt")), image.listing);

  EXPECT_EQ(ExportCobFromCourseFile(course_path, folder.File("out.cob")), kBatchDone);
  std::string text;
  ASSERT_EQ(BuildCobText(circuit, &text), kCobWritten);
  EXPECT_EQ(TempFolder::Read(folder.File("out.cob")), text);
}

TEST(CourseBatchTest, FailuresComeBackAsResults) {
  TempFolder folder;
  EXPECT_EQ(ExportPartitionFromCourseFile(folder.File("none.cus"), folder.File("a.pat")),
            kBatchCannotOpenCourse);
  const std::string short_file = folder.Write("short.cus", std::string(20, '\0'));
  EXPECT_EQ(ExportCobFromCourseFile(short_file, folder.File("a.cob")), kBatchDamagedCourse);
  CourseData1 nothing;
  nothing.Initialise();
  const std::string empty = folder.File("empty.cus");
  ASSERT_EQ(SaveCourseFile(nothing, empty), kCourseFileOk);
  EXPECT_EQ(ExportPartitionFromCourseFile(empty, folder.File("a.pat")), kBatchDone);
  EXPECT_EQ(TempFolder::Read(folder.File("a.pat")), "PATV1.0");
  EXPECT_EQ(ExportCobFromCourseFile(empty, folder.File("no/dir/a.cob")), kBatchCannotWrite);
  for (int32_t result = kBatchDone; result <= kBatchTooManyLines; ++result) {
    EXPECT_STRNE(CourseBatchMessage(result), CourseBatchMessage(-1));
  }
}

TEST(CourseBatchTest, EachFailureIsOneLineNamingTheFileAndTheSystemsReason) {
  TempFolder folder;
  CourseData1 nothing;
  nothing.Initialise();
  const std::string course = folder.File("empty.cus");
  ASSERT_EQ(SaveCourseFile(nothing, course), kCourseFileOk);
  const std::string damaged = folder.Write("short.cus", std::string(20, '\0'));
  const struct {
    std::string course, output;
    int32_t result;
    std::string file, reason;
  } cases[] = {
      {folder.File("none.cus"), folder.File("a.pat"), kBatchCannotOpenCourse,
       folder.File("none.cus"), std::strerror(ENOENT)},
      {damaged, folder.File("a.pat"), kBatchDamagedCourse, damaged, ""},
      {course, folder.File("no/dir/a.pat"), kBatchCannotWrite, folder.File("no/dir/a.pat"),
       std::strerror(ENOENT)},
  };
  for (const auto& c : cases) {
    for (const bool cob : {false, true}) {
      std::string reason;
      const int32_t result = cob ? ExportCobFromCourseFile(c.course, c.output, &reason)
                                 : ExportPartitionFromCourseFile(c.course, c.output, &reason);
      EXPECT_EQ(result, c.result) << c.file;
      EXPECT_EQ(reason, c.reason) << c.file;
      const std::string line = CourseBatchLine(result, c.course, c.output, reason);
      EXPECT_EQ(line, "merrowlindale: " + c.file + ": " + CourseBatchMessage(c.result) +
                          (c.reason.empty() ? "" : ": " + c.reason));
      EXPECT_EQ(line.find('\n'), std::string::npos);
    }
  }
}
