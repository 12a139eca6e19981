#include "course/cob_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "course/course_data.h"
#include "foundation/file_io.h"
#include "tests/course/course_test_util.h"
#include "tests/support/temp_folder.h"

namespace {

const char kHeader[] =
    "Caligari V00.01ALH             \n"
    "PolH V0.02 Id 1302524 Parent 0 Size 0\n"
    "Name Course\n"
    "center 0 0 0\n"
    "x axis 1 0 0\n"
    "y axis 0 1 0\n"
    "z axis 0 0 1\n"
    "Transform\n"
    "1 0 0 0\n"
    "0 1 0 0\n"
    "0 0 1 0\n"
    "0 0 0 1\n";
const char kTexture[] =
    "Texture Vertices 4\n"
    "0.000000 0.000000\n"
    "1.000000 0.000000\n"
    "1.000000 1.000000\n"
    "0.000000 1.000000\n";
const char kEnd[] =
    "Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109\n"
    "mat# 0\n"
    "shader: phong  facet: auto40\n"
    "rgb 0.8627451,0.5882353,0.5882353\n"
    "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\n"
    "END  V1.00 Id 0 Parent 0 Size        0\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(CobExportTest, TwoPointCourseIsOneScaledFace) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 0}, {100, 0, 0, 0}});
  TempFolder folder;
  const std::string path = folder.File("road.cob");
  ASSERT_EQ(WriteCobFile(course, path), kCobWritten);
  const std::string expected = std::string(kHeader) +
                               "World Vertices 4\n"
                               "0.000000 -0.200000 0.000000\n"
                               "0.000000 0.200000 0.000000\n"
                               "1.000000 -0.200000 0.000000\n"
                               "1.000000 0.200000 0.000000\n" +
                               kTexture +
                               "Faces 1\n"
                               "Face verts 4 flags 16 mat 0\n"
                               "<0,3> <1,2> <3,1> <2,0>\n" +
                               kEnd;
  EXPECT_EQ(TempFolder::Read(path), expected);
}

TEST(CobExportTest, HeightBecomesTheThirdColumn) {
  CourseData1 course;
  BuildCourse(course, {{0, 50, 0, 0}, {100, 50, 0, 0}});
  std::string text;
  ASSERT_EQ(BuildCobText(course, &text), kCobWritten);
  EXPECT_EQ(Lines(text)[13], "0.000000 -0.200000 0.500000");
}

TEST(CobExportTest, ThreePointLoopRepeatsTheStartLine) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 1}, {100, 0, 0, 1}, {50, 10, 80, 1}}, true);
  std::string text;
  ASSERT_EQ(BuildCobText(course, &text), kCobWritten);
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines[12], "World Vertices 14");
  // Lines 12 and 13 (vertices 12, 13) are line 0 written again.
  EXPECT_EQ(lines[13 + 12], lines[13 + 0]);
  EXPECT_EQ(lines[13 + 13], lines[13 + 1]);
  ASSERT_EQ(lines[13 + 14 + 5], "Faces 6");
  EXPECT_EQ(lines.size(), 13u + 14u + 5u + 1u + 12u + 6u);
  EXPECT_EQ(lines[13 + 14 + 5 + 1 + 10], "Face verts 4 flags 16 mat 0");
  EXPECT_EQ(lines[13 + 14 + 5 + 1 + 11], "<10,3> <11,2> <13,1> <12,0>");
}

TEST(CobExportTest, EmptyAndSinglePointCourses) {
  CourseData1 course;
  course.Initialise();
  std::string text;
  ASSERT_EQ(BuildCobText(course, &text), kCobWritten);
  EXPECT_EQ(text, std::string(kHeader) + kTexture + "Faces 0\n" + kEnd);

  course.AddPoint(100.0, 7.0, -300.0);
  ASSERT_EQ(BuildCobText(course, &text), kCobWritten);
  EXPECT_EQ(text, std::string(kHeader) +
                      "World Vertices 2\n"
                      "1.000000 -3.000000 0.070000\n"
                      "1.000000 -3.000000 0.070000\n" +
                      kTexture + "Faces 0\n" + kEnd);
}

TEST(CobExportTest, FailedWriteReportsIt) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 0}, {100, 0, 0, 0}});
  TempFolder folder;
  EXPECT_EQ(WriteCobFile(course, folder.File("missing/road.cob")), kCobCannotCreate);
  course.Select(0, 0);
  course.ChangeSampleCount(3000000);
  EXPECT_EQ(WriteCobFile(course, folder.File("road.cob")), kCobTooManyLines);
  EXPECT_FALSE(FileExists(folder.File("road.cob")));
}
