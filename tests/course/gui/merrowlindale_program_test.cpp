#include "course/gui/merrowlindale_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "course/course_batch.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/sample_circuit.h"
#include "exchange/course_gltf.h"
#include "foundation/file_io.h"
#include "tests/support/temp_folder.h"

namespace {

int RunProgram(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "merrowlindale");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return RunMerrowlindale(int(arguments.size()), argv.data());
}

std::string SampleCourse(const TempFolder& folder) {
  CourseData1 course;
  course.Initialise();
  BuildSampleCircuit(course);
  const std::string path = folder.File("circuit.cus");
  EXPECT_EQ(SaveCourseFile(course, path), kCourseFileOk);
  return path;
}

TEST(MerrowlindaleProgramTest, ExportsThePartitionFileAndItsListing) {
  TempFolder folder;
  const std::string course = SampleCourse(folder);
  EXPECT_EQ(RunProgram({"--export-pat", folder.File("out.pat"), course}), 0);
  ASSERT_EQ(ExportPartitionFromCourseFile(course, folder.File("ref.pat")), kBatchDone);
  EXPECT_EQ(TempFolder::Read(folder.File("out.pat")), TempFolder::Read(folder.File("ref.pat")));
  EXPECT_EQ(TempFolder::Read(folder.File("out.txt")), TempFolder::Read(folder.File("ref.txt")));
  EXPECT_EQ(TempFolder::Read(folder.File("out.pat")).compare(0, 7, "PATV1.0"), 0);
}

TEST(MerrowlindaleProgramTest, ExportsTheCobMesh) {
  TempFolder folder;
  const std::string course = SampleCourse(folder);
  EXPECT_EQ(RunProgram({"--export-cob", folder.File("out.cob"), course}), 0);
  ASSERT_EQ(ExportCobFromCourseFile(course, folder.File("ref.cob")), kBatchDone);
  EXPECT_EQ(TempFolder::Read(folder.File("out.cob")), TempFolder::Read(folder.File("ref.cob")));
}

TEST(MerrowlindaleProgramTest, ExportsTheRoadAsGltf) {
  TempFolder folder;
  const std::string course = SampleCourse(folder);
  EXPECT_EQ(RunProgram({"--export-gltf", folder.File("out.glb"), course}), 0);
  EXPECT_EQ(TempFolder::Read(folder.File("out.glb")).compare(0, 4, "glTF"), 0);
  EXPECT_EQ(RunProgram({"--export-gltf", folder.File("out.gltf"), course}), 0);
  EXPECT_TRUE(FileExists(folder.File("out.bin")));
  EXPECT_EQ(RunProgram({"--export-gltf", folder.File("out.obj"), course}), 2);
  EXPECT_EQ(RunProgram({"--export-gltf", folder.File("x.glb"), folder.File("missing.cus")}),
            kCourseGltfCannotOpenCourse);
  EXPECT_FALSE(FileExists(folder.File("out.obj")));
  EXPECT_FALSE(FileExists(folder.File("x.glb")));
}

TEST(MerrowlindaleProgramTest, FailuresEndWithTheirResultAndWriteNothing) {
  TempFolder folder;
  EXPECT_EQ(RunProgram({"--export-pat", folder.File("out.pat"), folder.File("missing.cus")}),
            kBatchCannotOpenCourse);
  const std::string damaged = folder.Write("damaged.cus", std::string(50, '\x7f'));
  EXPECT_EQ(RunProgram({"--export-cob", folder.File("out.cob"), damaged}), kBatchDamagedCourse);
  EXPECT_FALSE(FileExists(folder.File("out.pat")));
  EXPECT_FALSE(FileExists(folder.File("out.cob")));
  EXPECT_EQ(RunProgram({"--export-pat", folder.File("no/such/dir/out.pat"), SampleCourse(folder)}),
            kBatchCannotWrite);
}

TEST(MerrowlindaleProgramTest, HelpAndWrongArguments) {
  EXPECT_EQ(RunProgram({"--help"}), 0);
  EXPECT_EQ(RunProgram({"--export-pat", "only-one.pat"}), 2);
  EXPECT_EQ(RunProgram({"--bogus"}), 2);
  EXPECT_EQ(RunProgram({"a.cus", "b.cus"}), 2);
}

}  // namespace
