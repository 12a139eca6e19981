#include "course/partition_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "course/course_data.h"
#include "course/partition_line.h"
#include "foundation/byte_reader.h"
#include "foundation/file_io.h"
#include "foundation/shift_jis.h"
#include "render/road_frame.h"
#include "render/rotation_matrix.h"
#include "tests/course/course_test_util.h"
#include "tests/support/temp_folder.h"

namespace {

std::string WriteAndRead(const CourseData1& course, const TempFolder& folder,
                         std::string* listing = nullptr) {
  const std::string path = folder.File("course.pat");
  EXPECT_EQ(WritePartitionFile(course, path), kPartitionWritten);
  if (listing != nullptr) *listing = TempFolder::Read(folder.File("course.txt"));
  return TempFolder::Read(path);
}

bool fail_renames = false;
bool FailRenames(FileOperation operation) {
  return fail_renames && operation == FileOperation::kRename;
}

}  // namespace

TEST(PartitionFileTest, TwoOpenPointsGiveTwoRecordsByteForByte) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 0}, {100, 0, 0, 0}});
  TempFolder folder;
  std::string listing;
  const std::string bytes = WriteAndRead(course, folder, &listing);
  ASSERT_EQ(bytes.size(), 11u + 208u);
  EXPECT_EQ(bytes.substr(0, 7), "PATV1.0");
  EXPECT_EQ(IntAt(bytes, 7), 2);
  for (int k = 0; k < 2; ++k) {
    const size_t r = 11 + 104 * static_cast<size_t>(k);
    const float x = 100.0f * static_cast<float>(k);
    // Travelling along +x the left side is -z; the right end comes first.
    EXPECT_EQ(FloatAt(bytes, r + 0), x);
    EXPECT_EQ(FloatAt(bytes, r + 4), 0.0f);
    EXPECT_EQ(FloatAt(bytes, r + 8), 20.0f);
    EXPECT_EQ(FloatAt(bytes, r + 12), x);
    EXPECT_EQ(FloatAt(bytes, r + 20), -20.0f);
    EXPECT_EQ(DoubleAt(bytes, r + 24), x);
    EXPECT_EQ(DoubleAt(bytes, r + 48), 100.0);  // derivative times step 1
    EXPECT_EQ(DoubleAt(bytes, r + 56), 0.0);
    EXPECT_EQ(DoubleAt(bytes, r + 72), 0.0);
    EXPECT_EQ(DoubleAt(bytes, r + 80), 0.0);
    EXPECT_EQ(DoubleAt(bytes, r + 88), 20.0);
    EXPECT_EQ(DoubleAt(bytes, r + 96), 20.0);
  }

  const std::string expected = Utf8ToShiftJis(
      "ファイル認識コード\nPATV1.0\n"
      "\nパーテーション数+1(long)\n2 \n"
      "\nパーテーションライン<float,float,float>-<float,float,float>\n"
      "サンプリング位置<double,double,double>\n"
      "位置の微分値<double,double,double>\n"
      "ロール角度<double>\n"
      "ロール角度の微分値<double>\n"
      "コースの左右の幅<double double>\n\n"
      "<0.000000 20.000000 0.000000>-<0.000000 -20.000000 0.000000>\n"
      "<0.000000 0.000000 0.000000>\n"
      "<100.000000 0.000000 0.000000>\n"
      "<0.000000>\n"
      "<0.000000>\n"
      "<20.000000 20.000000>\n\n"
      "<100.000000 20.000000 0.000000>-<100.000000 -20.000000 0.000000>\n"
      "<100.000000 0.000000 0.000000>\n"
      "<100.000000 0.000000 0.000000>\n"
      "<0.000000>\n"
      "<0.000000>\n"
      "<20.000000 20.000000>\n\n");
  EXPECT_EQ(listing, expected);
  EXPECT_EQ(static_cast<unsigned char>(listing[0]), 0x83u);  // Shift-JIS, not UTF-8
}

TEST(PartitionFileTest, LoopEndsAtPointZeroAndZeroDerivativePutsEndsOnTheCentre) {
  CourseData1 course;
  BuildCourse(course, {{10, 5, -3, 0}, {100, 0, 0, 0}}, true);
  TempFolder folder;
  const std::string bytes = WriteAndRead(course, folder);
  ASSERT_EQ(bytes.size(), 11u + 3u * 104u);
  EXPECT_EQ(IntAt(bytes, 7), 3);
  // A two-point loop has zero tangents: the start line degenerates to its centre.
  const size_t last = 11 + 2 * 104;
  for (size_t r : {size_t{11}, last}) {
    EXPECT_EQ(DoubleAt(bytes, r + 24), 10.0);
    EXPECT_EQ(DoubleAt(bytes, r + 32), 5.0);
    EXPECT_EQ(DoubleAt(bytes, r + 40), -3.0);
    EXPECT_EQ(FloatAt(bytes, r + 0), 10.0f);
    EXPECT_EQ(FloatAt(bytes, r + 4), 5.0f);
    EXPECT_EQ(FloatAt(bytes, r + 8), -3.0f);
    EXPECT_EQ(FloatAt(bytes, r + 12), 10.0f);
    EXPECT_EQ(FloatAt(bytes, r + 16), 5.0f);
    EXPECT_EQ(FloatAt(bytes, r + 20), -3.0f);
  }
}

TEST(PartitionFileTest, SampleCountsSetTheLinesAndTheDerivativeScale) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 3}, {100, 20, 50, 5}, {300, 0, 0, 9}});
  EXPECT_EQ(PartitionLineCount(course), 11);
  TempFolder folder;
  const std::string bytes = WriteAndRead(course, folder);
  ASSERT_EQ(bytes.size(), 11u + 11u * 104u);
  // Record 2 is segment 0 at t = 0.5 (step 0.25, added twice).
  const size_t r = 11 + 2 * 104;
  const CourseVector p = course.PositionAt(0, 0.5);
  const CourseVector d = course.DerivativeAt(0, 0.5);
  EXPECT_EQ(DoubleAt(bytes, r + 24), p.x);
  EXPECT_EQ(DoubleAt(bytes, r + 32), p.y);
  EXPECT_EQ(DoubleAt(bytes, r + 48), d.x * 0.25);
  EXPECT_EQ(DoubleAt(bytes, r + 64), d.z * 0.25);
  // The start line's derivative is point 0's stored tangent times 1/(3+1).
  EXPECT_EQ(DoubleAt(bytes, 11 + 48), course.PointTangents(0).x * 0.25);
  // The last record lies at the last point.
  EXPECT_NEAR(DoubleAt(bytes, 11 + 10 * 104 + 24), 300.0, 1e-9);
}

TEST(PartitionFileTest, RolledLineTiltsTheLateralDirection) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 0}, {100, 0, 0, 0}});
  course.SetPointRoll(0, 0.5);
  course.SetPointRoll(1, 0.5);
  const std::vector<PartitionRecord> lines = SamplePartitionLines(course);
  ASSERT_EQ(lines.size(), 2u);
  // Along +x at roll r the lateral unit vector is (0, -sin r, -cos r).
  const float sr = static_cast<float>(std::sin(0.5));
  const float cr = static_cast<float>(std::cos(0.5));
  EXPECT_FLOAT_EQ(lines[0].left_end[1], -20.0f * sr);
  EXPECT_FLOAT_EQ(lines[0].left_end[2], -20.0f * cr);
  EXPECT_FLOAT_EQ(lines[0].right_end[1], 20.0f * sr);
  EXPECT_FLOAT_EQ(lines[0].right_end[2], 20.0f * cr);
}

TEST(PartitionFileTest, VerticalDerivativeKeepsTheHeadingBeforeIt) {
  // Point 1's tangent is fixed straight up: its line has no horizontal direction.
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 3}, {100, 0, 0, 0}});
  course.SetPointTangents(1, 0.0, 100.0, 0.0, 1, 1, 1);
  const std::vector<PartitionRecord> lines = SamplePartitionLines(course);
  ASSERT_EQ(lines.size(), 5u);
  const PartitionRecord& top = lines.back();
  for (int k = 0; k < 3; ++k) {
    EXPECT_FALSE(std::isnan(top.left_end[k]));
    EXPECT_FALSE(std::isnan(top.right_end[k]));
  }
  // The samples before it travel along +x, so the road keeps its left side at -z.
  EXPECT_FLOAT_EQ(top.left_end[0], 100.0f);
  EXPECT_FLOAT_EQ(top.left_end[2], -20.0f);
  EXPECT_FLOAT_EQ(top.right_end[2], 20.0f);

  // With no sample before it the lateral direction is the x axis turned by the roll.
  CourseData1 rising;
  BuildCourse(rising, {{0, 0, 0, 0}, {0, 100, 0, 0}});
  rising.SetPointRoll(0, 0.3);
  const PartitionRecord start = SamplePartitionLines(rising).front();
  EXPECT_FLOAT_EQ(start.left_end[0], 20.0f * static_cast<float>(std::cos(0.3)));
  EXPECT_FLOAT_EQ(start.left_end[1], 0.0f);
  EXPECT_FLOAT_EQ(start.left_end[2], 20.0f * static_cast<float>(std::sin(0.3)));
}

TEST(PartitionFileTest, CoursesWithoutSegments) {
  TempFolder folder;
  CourseData1 empty;
  empty.Initialise();
  std::string listing;
  EXPECT_EQ(WriteAndRead(empty, folder, &listing), "PATV1.0");
  EXPECT_EQ(listing, Utf8ToShiftJis("ファイル認識コード\nPATV1.0\n"));

  CourseData1 single;
  BuildCourse(single, {{1, 2, 3, 4}}, true);
  const std::string bytes = WriteAndRead(single, folder, &listing);
  ASSERT_EQ(bytes.size(), 11u);
  EXPECT_EQ(IntAt(bytes, 7), 1);
  EXPECT_EQ(listing,
            Utf8ToShiftJis("ファイル認識コード\nPATV1.0\n\nパーテーション数+1(long)\n1 \n"));
  std::vector<PartitionRecord> records(3);
  EXPECT_EQ(ReadPartitionRecords(bytes, &records), kPartitionRead);
  EXPECT_TRUE(records.empty());
}

TEST(PartitionFileTest, ListingPathCutsOnlyAnExtensionOfTheFileName) {
  EXPECT_EQ(PartitionListingPath("a/b/course.pat"), "a/b/course.txt");
  EXPECT_EQ(PartitionListingPath("dir.v2/course"), "dir.v2/course.txt");
  EXPECT_EQ(PartitionListingPath("C:\\dir.v2\\course"), "C:\\dir.v2\\course.txt");
  EXPECT_EQ(PartitionListingPath("course.final.pat"), "course.final.txt");
}

TEST(PartitionFileTest, ReaderOperationsKeepThePositionAndCheckTheBytes) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 2}, {100, 10, 40, 1}, {200, 0, 90, 0}});
  course.SetPointRoll(1, 0.2);
  TempFolder folder;
  const std::string bytes = WriteAndRead(course, folder);
  const std::vector<PartitionRecord> expected = SamplePartitionLines(course);

  ByteReader reader(bytes);
  reader.Seek(50);
  EXPECT_TRUE(IsPartitionFile(reader));
  int32_t count = 0;
  EXPECT_TRUE(ReadPartitionLineCount(reader, &count));
  EXPECT_EQ(count, 6);
  PartitionRecord record{};
  ASSERT_TRUE(ReadPartitionRecord(reader, 4, &record));
  EXPECT_EQ(std::memcmp(&record, &expected[4], sizeof record), 0);
  EXPECT_FALSE(ReadPartitionRecord(reader, 6, &record));
  EXPECT_FALSE(ReadPartitionRecord(reader, -1, &record));
  EXPECT_EQ(reader.Position(), 50u);

  std::vector<PartitionRecord> all;
  EXPECT_EQ(ReadPartitionRecords(bytes, &all), kPartitionRead);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(std::memcmp(all.data(), expected.data(), 6 * sizeof(PartitionRecord)), 0);

  EXPECT_EQ(ReadPartitionRecords(bytes.substr(0, bytes.size() - 1), &all), kPartitionDamaged);
  EXPECT_TRUE(all.empty());
  std::string negative = bytes;
  negative[10] = '\x80';
  EXPECT_EQ(ReadPartitionRecords(negative, &all), kPartitionDamaged);
  EXPECT_EQ(ReadPartitionRecords(bytes.substr(0, 9), &all), kPartitionDamaged);
  std::string wrong = bytes;
  wrong[6] = '1';
  EXPECT_EQ(ReadPartitionRecords(wrong, &all), kPartitionWrongKind);
  EXPECT_EQ(ReadPartitionRecords("PAT", &all), kPartitionWrongKind);

  std::string read;
  EXPECT_EQ(ReadPartitionFileBytes(folder.File("course.pat"), &read), kPartitionRead);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(ReadPartitionFileBytes(folder.File("missing.pat"), &read), kPartitionCannotOpen);
  EXPECT_EQ(ReadPartitionFileBytes(folder.Write("other.pat", wrong), &read), kPartitionWrongKind);
}

TEST(PartitionFileTest, FailedWritesReplaceNothing) {
  CourseData1 course;
  BuildCourse(course, {{0, 0, 0, 0}, {100, 0, 0, 0}});
  TempFolder folder;
  EXPECT_EQ(WritePartitionFile(course, folder.File("no/such/dir/course.pat")),
            kPartitionCannotCreate);

  const std::string pat = folder.Write("course.pat", "old pat");
  const std::string txt = folder.Write("course.txt", "old txt");
  fail_renames = true;
  SetFileFaultHookForTesting(FailRenames);
  std::string error;
  EXPECT_EQ(WritePartitionFile(course, pat, &error), kPartitionCannotCreate);
  SetFileFaultHookForTesting(nullptr);
  fail_renames = false;
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(TempFolder::Read(pat), "old pat");
  EXPECT_EQ(TempFolder::Read(txt), "old txt");

  course.Select(0, 0);
  course.ChangeSampleCount(2000000);
  EXPECT_EQ(WritePartitionFile(course, pat), kPartitionTooManyLines);
  EXPECT_EQ(TempFolder::Read(pat), "old pat");
}

TEST(PartitionFileTest, ListingNumbersAreExactlyThoseOfPrintf) {
  CourseData1 course;
  BuildCourse(course,
              {{-0.0000004, 1e15, -3.0000005, 3},
               {123.4567895, -2.5e-7, 1e-300, 2},
               {-987654.3210125, 0.5, 7.0, 1}},
              true);
  course.SetPointRoll(1, -1.2345675);
  course.ChangeWidthFactor(0.3333);
  PartitionFileImage image;
  ASSERT_EQ(BuildPartitionFile(course, &image), kPartitionWritten);
  std::string numbers;
  char buffer[1024];
  for (const PartitionRecord& r : SamplePartitionLines(course)) {
    std::snprintf(
        buffer, sizeof buffer,
        "<%f %f %f>-<%f %f %f>\n<%lf %lf %lf>\n<%lf %lf %lf>\n<%lf>\n<%lf>\n<%lf %lf>\n\n",
        r.right_end[0], r.right_end[2], r.right_end[1], r.left_end[0], r.left_end[2], r.left_end[1],
        r.position[0], r.position[1], r.position[2], r.derivative[0], r.derivative[1],
        r.derivative[2], r.roll, r.roll_derivative, r.left_width, r.right_width);
    numbers += buffer;
  }
  ASSERT_GT(image.listing.size(), numbers.size());
  EXPECT_EQ(image.listing.substr(image.listing.size() - numbers.size()), numbers);
}

namespace {

// The lateral direction of a partition line is the first column of the along-the-road
// frame's camera matrix, the frame the stage editor's road camera and wire copy use.
TEST(PartitionLineFrameTest, LinesRunAlongTheRoadFramesLateralAxis) {
  const double derivatives[][3] = {{0, 0, 3}, {2, 0.5, -1}, {-1, -0.2, 0.4}, {0.3, 0, 0}};
  for (const auto& d : derivatives) {
    for (double roll : {0.0, 0.3, -0.5}) {
      const double position[3] = {10, 2, -4};
      LateralHeading heading;
      float right[3], left[3];
      BuildPartitionLine(position, d, roll, 1.0, 1.0, &heading, right, left);
      AlongRoadFrame frame;
      ASSERT_TRUE(MakeAlongRoadFrame(d, roll, &frame));
      const AngleSines s{float(frame.sin_x), float(frame.cos_x), float(frame.sin_y),
                         float(frame.cos_y), float(frame.sin_z), float(frame.cos_z)};
      const RotationMatrix m = CameraMatrix(s);
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR((left[k] - right[k]) / 2.0f, m.m[3 * k], 1e-5) << d[0] << " " << roll;
      }
    }
  }
}

}  // namespace
