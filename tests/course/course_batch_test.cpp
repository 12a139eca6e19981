#include "course/course_batch.h"

#include <gtest/gtest.h>

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
