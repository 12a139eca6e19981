#include "course/gui/merrowlindale_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
  EXPECT_EQ(RunProgram({"--export-gltf", folder.File("out.obj"), course}), 64);
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
  // A wrong command line is a usage error, told apart from a bad input.
  for (const std::vector<std::string>& wrong :
       std::vector<std::vector<std::string>>{{"--export-pat", "only-one.pat"},
                                             {"--bogus"},
                                             {"a.cus", "b.cus"},
                                             {"--export-cob", "a.cob", "b.cus", "c"}}) {
    EXPECT_EQ(RunProgram(wrong), 64) << wrong[0];
  }
}

TEST(MerrowlindaleProgramTest, HelpIsJapaneseAndListsEveryModeAndExitStatus) {
  const std::string program = std::string(SUITE_BIN_DIR) + "/merrowlindale";
  if (!FileExists(program)) GTEST_SKIP() << "merrowlindale is not built";
  TempFolder folder;
  ASSERT_EQ(std::system((program + " --help > " + folder.File("help.txt")).c_str()), 0);
  const std::string help = TempFolder::Read(folder.File("help.txt"));
  for (const char* part : {"使い方", "--export-pat", "--export-cob", "COURSE.cus", "終了コード",
                           " 0  ", " 1  ", " 2  ", " 3  ", " 4  ", "64  "}) {
    EXPECT_NE(help.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(help.find("usage"), std::string::npos);
  EXPECT_EQ(help.find("Exit status"), std::string::npos);
}

}  // namespace
