#include "stage/partition_loading.h"

#include <gtest/gtest.h>

#include "pictures/picture_bank_high_color1.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::PatBytes;
using stage_test::StageTest;
using stage_test::StraightLine;
using stage_test::StraightPat;

class PartitionLoadingTest : public StageTest {
 protected:
  void TearDown() override {
    stage_.Reset();
    StageTest::TearDown();
  }
  Stage stage_;
};

TEST_F(PartitionLoadingTest, TwoLinesMakeOnePartitionOpenedByTheStartLine) {
  stage_test::PatLine start = StraightLine(0);
  start.right[1] = 1.0f;
  start.position[0] = 0.25;
  start.roll = 0.5;
  const std::string path = folder_.Write("two.pat", PatBytes(2, {start, StraightLine(1)}));
  int32_t read = -1;
  ASSERT_EQ(LoadPartitionFile(stage_, path, &read), kPartitionLoaded);
  EXPECT_EQ(read, 2);
  const Terrain& terrain = stage_.GetTerrain();
  ASSERT_EQ(terrain.PartitionCount(), 1);
  EXPECT_EQ(terrain.Start().right_end, (Point3f{5, 1, 0}));
  EXPECT_EQ(terrain.Start().frame.sampling_position[0], 0.25);
  EXPECT_EQ(terrain.Start().frame.roll, 0.5);
  EXPECT_EQ(terrain.Start().frame.roll_derivative, 0.01);
  Point3f corners[4];
  ASSERT_TRUE(terrain.PartitionCorners(0, corners));
  EXPECT_EQ(corners[0], (Point3f{-5, 0, 10}));  // left end of record 1
  EXPECT_EQ(corners[1], (Point3f{5, 0, 10}));   // right end of record 1
  EXPECT_EQ(corners[2], (Point3f{5, 1, 0}));    // right end of record 0
  EXPECT_EQ(corners[3], (Point3f{-5, 0, 0}));   // left end of record 0
  EXPECT_EQ(terrain.PartitionAt(0).frame.position_derivative[2], 10.0);
  EXPECT_EQ(terrain.PartitionAt(0).road_face, FaceAttribute());
  EXPECT_EQ(terrain.StartReserve(0), 0.0);
}

TEST_F(PartitionLoadingTest, OneLineOrNoneLeavesNoPartition) {
  for (const std::string& bytes :
       {StraightPat(1), StraightPat(0), std::string("PATV1.0"), StraightPat(1).substr(0, 11)}) {
    const std::string path = folder_.Write("short.pat", bytes);
    int32_t read = -1;
    const int32_t result = LoadPartitionFile(stage_, path, &read);
    EXPECT_TRUE(result == kPartitionLoaded || result == kPartitionEndsEarly);
    EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
    stage_.SelectPartition(0);
    EXPECT_EQ(stage_.SelectedPartition(), -1);
    EXPECT_FALSE(stage_.AddWire(0, kLeftSide, {}));
  }
}

TEST_F(PartitionLoadingTest, AFileShorterThanItsCountKeepsTheWholeRecords) {
  const std::vector<stage_test::PatLine> lines = {StraightLine(0), StraightLine(1), StraightLine(2),
                                                  StraightLine(3)};
  const std::string path = folder_.Write("cut.pat", PatBytes(6, lines, 30));
  int32_t read = 0;
  int32_t count = 0;
  EXPECT_EQ(LoadPartitionFile(stage_, path, &read, &count), kPartitionEndsEarly);
  EXPECT_EQ(read, 3);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 2);

  EXPECT_EQ(LoadPartitionFile(stage_, folder_.Write("neg.pat", PatBytes(-3, lines))),
            kPartitionCountDamaged);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
}

TEST_F(PartitionLoadingTest, WrongKindsAndMissingFilesGiveTheirResults) {
  EXPECT_EQ(LoadPartitionFile(stage_, folder_.File("missing.pat")), kPartitionOpenFailed);
  EXPECT_EQ(
      LoadPartitionFile(stage_, folder_.Write("bmp.pat", stage_test::BmpBytes(2, 2, 0, 0, 0))),
      kPartitionNotPartitionFile);
  EXPECT_EQ(LoadPartitionFile(stage_, folder_.Write("tiny.pat", "PAT")),
            kPartitionNotPartitionFile);
}

TEST_F(PartitionLoadingTest, ASecondFileAfterAResetLeavesNothingOfTheFirstStage) {
  ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("a.pat", StraightPat(5))), kPartitionLoaded);
  stage_.AddWire(1, kLeftSide, {});
  stage_.SetFacePictureFromFile({1, kRoadFaceSide, -1}, Picture("t.bmp"));
  ObjectShape shape;
  shape.name = "a.po3";
  shape.use_count = 1;
  stage_.CreateObject({}, stage_.MutableShapes().Add(shape));
  stage_.Reset();
  ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("b.pat", StraightPat(3))), kPartitionLoaded);
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 2);
  EXPECT_EQ(stage_.GetTerrain().WireCount(1, kLeftSide), 0);
  EXPECT_EQ(stage_.ObjectCount(), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 0);
  EXPECT_EQ(Bank::Count(), 0);
}

}  // namespace
