#include "stage/terrain.h"

#include <gtest/gtest.h>

#include "pictures/picture_bank_high_color1.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::StageTest;

class TerrainTest : public StageTest {
 protected:
  // Partitions 0 .. count-1 along z, partition p closed at z = 10 (p + 1).
  void MakeRoad(int32_t count) {
    StartLine start;
    start.right_end = {5.0f, 0.0f, 0.0f};
    start.left_end = {-5.0f, 0.0f, 0.0f};
    terrain_.SetStart(start);
    for (int32_t p = 0; p < count; ++p) {
      const float z = 10.0f * static_cast<float>(p + 1);
      terrain_.AppendPartition({5.0f, 0.0f, z}, {-5.0f, 0.0f, z}, LineFrame());
    }
  }
  void TearDown() override {
    terrain_.ReleaseAll();
    StageTest::TearDown();
  }

  Terrain terrain_;
};

TEST_F(TerrainTest, NewPartitionsAreInTheirInitialStateAndQuadsUseTheLineBefore) {
  MakeRoad(2);
  const Partition& first = terrain_.PartitionAt(0);
  EXPECT_EQ(first.wires[kLeftSide].Count(), 0);
  EXPECT_EQ(first.road_face, FaceAttribute());
  EXPECT_EQ(first.road_face.green, 0.4f);
  EXPECT_EQ(first.road_face.picture, -1);
  EXPECT_EQ(first.glue.Count(), 0);

  Point3f corners[4];
  ASSERT_TRUE(terrain_.PartitionCorners(0, corners));
  EXPECT_EQ(corners[0], (Point3f{-5, 0, 10}));
  EXPECT_EQ(corners[1], (Point3f{5, 0, 10}));
  EXPECT_EQ(corners[2], (Point3f{5, 0, 0}));  // the start line
  EXPECT_EQ(corners[3], (Point3f{-5, 0, 0}));
  ASSERT_TRUE(terrain_.PartitionCorners(1, corners));
  EXPECT_EQ(corners[2], (Point3f{5, 0, 10}));
  EXPECT_FALSE(terrain_.PartitionCorners(2, corners));
  EXPECT_FALSE(terrain_.PartitionCorners(-1, corners));
}

TEST_F(TerrainTest, FaceFlagsFollowTheWiresOfThePartitionBefore) {
  MakeRoad(3);
  // Partition 0 never has faces.
  ASSERT_TRUE(terrain_.AddWire(0, kLeftSide, {-15, 0, 10}));
  EXPECT_EQ(terrain_.Wire(0, kLeftSide, 0).face_flag, 0);
  EXPECT_EQ(terrain_.FaceRun(0, kLeftSide), 0);
  // The same index in partition 1 gets a face; a second wire there does not.
  terrain_.AddWire(1, kLeftSide, {-15, 0, 20});
  terrain_.AddWire(1, kLeftSide, {-25, 0, 20});
  EXPECT_EQ(terrain_.Wire(1, kLeftSide, 0).face_flag, 1);
  EXPECT_EQ(terrain_.Wire(1, kLeftSide, 1).face_flag, 0);
  EXPECT_EQ(terrain_.FaceRun(1, kLeftSide), 1);
  // Adding the second wire to partition 0 gives partition 1's second wire its face.
  terrain_.AddWire(0, kLeftSide, {-25, 0, 10});
  EXPECT_EQ(terrain_.Wire(1, kLeftSide, 1).face_flag, 1);
  EXPECT_EQ(terrain_.FaceRun(1, kLeftSide), 2);
  // The right side is independent.
  EXPECT_EQ(terrain_.WireCount(1, kRightSide), 0);
  EXPECT_EQ(terrain_.FaceRun(1, kRightSide), 0);
  EXPECT_TRUE(terrain_.FollowsFaceRule());
}

TEST_F(TerrainTest, DeletingAWireRemovesTheFaceAfterItAndReleasesItsTexture) {
  MakeRoad(2);
  terrain_.AddWire(0, kLeftSide, {-15, 0, 10});
  terrain_.AddWire(0, kLeftSide, {-25, 0, 10});
  terrain_.AddWire(1, kLeftSide, {-15, 0, 20});
  terrain_.AddWire(1, kLeftSide, {-25, 0, 20});
  const int32_t picture = Bank::Register(Picture("a.bmp"), Bank::kModePowerOfTwo);
  ASSERT_GE(picture, 0);
  ASSERT_TRUE(terrain_.SetFacePicture({1, kLeftSide, 1}, picture));
  EXPECT_EQ(Bank::ReferenceCount(picture), 2);

  ASSERT_TRUE(terrain_.DeleteWire(0, kLeftSide));
  const TerrainWire outer = terrain_.Wire(1, kLeftSide, 1);
  EXPECT_EQ(outer.face_flag, 0);
  EXPECT_EQ(outer.face.texture_switch, 0);
  EXPECT_EQ(outer.face.picture, -1);
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);
  EXPECT_EQ(terrain_.FaceRun(1, kLeftSide), 1);
  EXPECT_TRUE(terrain_.FollowsFaceRule());

  // Deleting the textured wire itself releases its own texture too.
  terrain_.AddWire(0, kLeftSide, {-25, 0, 10});
  terrain_.SetFacePicture({1, kLeftSide, 1}, picture);
  terrain_.DeleteWire(1, kLeftSide);
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);
  Bank::Release(picture);
  EXPECT_FALSE(Bank::IsPicture(picture));

  // Nothing to delete: nothing happens.
  terrain_.DeleteWire(1, kRightSide);
  EXPECT_FALSE(terrain_.DeleteWire(1, kRightSide));
  EXPECT_FALSE(terrain_.DeleteWire(7, kLeftSide));
}

TEST_F(TerrainTest, FaceQuadsJoinTheWiresOfTwoPartitions) {
  MakeRoad(2);
  terrain_.AddWire(0, kRightSide, {15, 0, 10});
  terrain_.AddWire(0, kRightSide, {25, 0, 10});
  terrain_.AddWire(1, kRightSide, {15, 0, 20});
  terrain_.AddWire(1, kRightSide, {25, 0, 20});
  // Separate ends: A of partition 0 is what partition 1's faces start from.
  terrain_.SetWireEnds(0, kRightSide, 0, {16, 1, 10}, {14, 0, 10}, 0);
  Point3f quad[4];
  ASSERT_EQ(terrain_.FaceQuad(1, kRightSide, 0, quad), 0);
  EXPECT_EQ(quad[0], (Point3f{5, 0, 20}));   // road end of partition 1
  EXPECT_EQ(quad[1], (Point3f{15, 0, 20}));  // B of wire 0 of partition 1
  EXPECT_EQ(quad[2], (Point3f{16, 1, 10}));  // A of wire 0 of partition 0
  EXPECT_EQ(quad[3], (Point3f{5, 0, 10}));   // road end of partition 0
  ASSERT_EQ(terrain_.FaceQuad(1, kRightSide, 1, quad), 0);
  EXPECT_EQ(quad[0], (Point3f{15, 0, 20}));
  EXPECT_EQ(quad[3], (Point3f{16, 1, 10}));

  EXPECT_EQ(terrain_.FaceQuad(0, kRightSide, 0, quad), 1);  // partition 0: no faces
  EXPECT_EQ(terrain_.FaceQuad(1, kRightSide, 2, quad), 1);
  EXPECT_EQ(terrain_.FaceQuad(1, 2, 0, quad), 1);
  EXPECT_EQ(terrain_.FaceQuad(5, kRightSide, 0, quad), 1);
  EXPECT_EQ(terrain_.FaceQuad(-1, kRightSide, 0, quad), 1);
}

TEST_F(TerrainTest, JoinedWiresMoveAsOnePoint) {
  MakeRoad(1);
  terrain_.AddWire(0, kLeftSide, {-15, 0, 10});
  terrain_.MovePoint(0, kLeftSide, 0, kEndB, {-16, 2, 10});
  TerrainWire wire = terrain_.Wire(0, kLeftSide, 0);
  EXPECT_EQ(wire.end_a, (Point3f{-16, 2, 10}));
  EXPECT_EQ(wire.end_b, (Point3f{-16, 2, 10}));

  terrain_.SetWireEnds(0, kLeftSide, 0, {-1, 0, 0}, {-2, 0, 0}, 1);  // joined: A into both
  wire = terrain_.Wire(0, kLeftSide, 0);
  EXPECT_EQ(wire.end_b, (Point3f{-1, 0, 0}));

  terrain_.SetJoined(0, kLeftSide, 0, 0);
  terrain_.MovePoint(0, kLeftSide, 0, kEndA, {-3, 0, 0});
  wire = terrain_.Wire(0, kLeftSide, 0);
  EXPECT_EQ(wire.end_a, (Point3f{-3, 0, 0}));
  EXPECT_EQ(wire.end_b, (Point3f{-1, 0, 0}));

  WirePoint road;
  ASSERT_TRUE(terrain_.ReadWirePoint(0, kRoadEndWire, kLeftSide, &road));
  EXPECT_EQ(road.end_a, (Point3f{-5, 0, 10}));
  EXPECT_EQ(road.end_b, road.end_a);
  EXPECT_FALSE(terrain_.ReadWirePoint(0, 1, kLeftSide, &road));
  EXPECT_FALSE(terrain_.MovePoint(0, kLeftSide, 3, kEndA, {}));
  EXPECT_FALSE(terrain_.MovePoint(0, kLeftSide, 0, 2, {}));
  EXPECT_FALSE(terrain_.AddWire(1, kLeftSide, {}));
  EXPECT_FALSE(terrain_.AddWire(0, 2, {}));
}

TEST_F(TerrainTest, FacePicturesHoldOneReferenceEach) {
  MakeRoad(2);
  const std::string path = Picture("tex.bmp");
  const FaceRef road{0, kRoadFaceSide, -1};
  ASSERT_EQ(terrain_.SetFacePictureFromFile(road, path), 1);
  const int32_t picture = terrain_.Face(road).picture;
  EXPECT_EQ(terrain_.Face(road).texture_switch, 1);
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);

  // The same picture again: still one reference for the face.
  terrain_.SetFacePicture(road, picture);
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);
  terrain_.SetFacePicture({1, kRoadFaceSide, -1}, picture);
  EXPECT_EQ(Bank::ReferenceCount(picture), 2);

  // A refused file leaves the face as it was and returns the bank's result.
  const std::string odd = folder_.Write("odd.bmp", stage_test::BmpBytes(6, 4, 1, 2, 3));
  EXPECT_EQ(terrain_.SetFacePictureFromFile(road, odd), Bank::kNotPowerOfTwo);
  EXPECT_EQ(terrain_.Face(road).picture, picture);
  EXPECT_EQ(terrain_.SetFacePictureFromFile(road, folder_.File("missing.bmp")), Bank::kCannotOpen);

  // Faces that do not exist take nothing.
  EXPECT_EQ(terrain_.SetFacePictureFromFile({0, kLeftSide, 0}, path), 0);
  EXPECT_FALSE(terrain_.SetFacePicture({9, kRoadFaceSide, -1}, picture));
  EXPECT_EQ(Bank::ReferenceCount(picture), 2);

  terrain_.ClearFaceTexture(road);
  EXPECT_EQ(terrain_.Face(road).picture, -1);
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);
  terrain_.ReleaseAll();
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(TerrainTest, FaceLookChangesColourAndCornersOnly) {
  MakeRoad(1);
  const FaceRef road{0, kRoadFaceSide, -1};
  const TextureCorner turned[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  ASSERT_TRUE(terrain_.SetFaceLook(road, 1.0f, 0.5f, 0.25f, turned));
  const FaceAttribute face = terrain_.Face(road);
  EXPECT_EQ(face.red, 1.0f);
  EXPECT_EQ(face.blue, 0.25f);
  EXPECT_EQ(face.corners[1], (TextureCorner{0, 1}));
  EXPECT_EQ(face.texture_switch, 0);
  EXPECT_FALSE(terrain_.SetFaceLook({0, kLeftSide, 0}, 0, 0, 0, turned));
}

}  // namespace
