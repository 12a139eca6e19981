#include "stage/terrain_editing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pictures/picture_bank_high_color1.h"
#include "tests/pictures/picture_test_support.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using objects_test::ObjectsTest;

// a + (a - b): one step beyond a, away from b.
Point3f Beyond(const Point3f& a, const Point3f& b) {
  return {a.x + (a.x - b.x), a.y + (a.y - b.y), a.z + (a.z - b.z)};
}

class TerrainEditingTest : public ObjectsTest {
 protected:
  Point3f EndA(int32_t p, int32_t side, int32_t wire) {
    return stage_.GetTerrain().Wire(p, side, wire).end_a;
  }
  FaceAttribute Face(int32_t p, int32_t side, int32_t wire) {
    return stage_.GetTerrain().Face({p, side, wire});
  }
  int32_t Picture(const std::string& name) {
    return Bank::Register(StageTest::Picture(name), Bank::kModePowerOfTwo);
  }
  // Two wires on each side of partitions 0 ... 3, partition `p` selected.
  void Wires(int32_t p) {
    for (int32_t q = 0; q < 4; ++q) {
      stage_.SelectPartition(q);
      for (int i = 0; i < 2; ++i) {
        AddWireOnSide(stage_, kLeftSide);
        AddWireOnSide(stage_, kRightSide);
      }
    }
    stage_.SelectPartition(p);
    stage_.ClearModified();
  }
};

TEST_F(TerrainEditingTest, WiresAreAddedOneStepOutwardOnEachSide) {
  LoadRoad();
  stage_.SelectPartition(1);  // ends (-5, 0, 20) and (5, 0, 20)
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(AddWireOnSide(stage_, kLeftSide));
  ASSERT_TRUE(AddWireOnSide(stage_, kRightSide));
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-15, 0, 20}));
  EXPECT_EQ(EndA(1, kLeftSide, 1), (Point3f{-25, 0, 20}));
  EXPECT_EQ(EndA(1, kLeftSide, 2), (Point3f{-35, 0, 20}));
  EXPECT_EQ(EndA(1, kRightSide, 0), (Point3f{15, 0, 20}));
  EXPECT_EQ(stage_.GetTerrain().Wire(1, kLeftSide, 2).joined, 1);

  // The step starts from end A of the outermost wire.
  stage_.MovePoint(1, kLeftSide, 2, kEndA, {-35, 4, 25});
  ASSERT_TRUE(AddWireOnSide(stage_, kLeftSide));
  EXPECT_EQ(EndA(1, kLeftSide, 3), (Point3f{-45, 4, 25}));

  stage_.SelectPoint({1, kLeftSide, 3, kEndB});
  ASSERT_TRUE(DeleteWireOnSide(stage_, kLeftSide));
  EXPECT_EQ(stage_.GetTerrain().WireCount(1, kLeftSide), 3);
  EXPECT_FALSE(stage_.SelectedPoint().Selected());

  stage_.SelectPartition(-1);
  EXPECT_FALSE(AddWireOnSide(stage_, kLeftSide));
  EXPECT_FALSE(DeleteWireOnSide(stage_, kLeftSide));
  EXPECT_FALSE(AddWireOnSide(stage_, 2));
}

TEST_F(TerrainEditingTest, WorldCopyOfARollOnlyChangeIsAPureTranslation) {
  LoadRoad();  // the lines differ only in roll
  Wires(2);
  stage_.MovePoint(1, kLeftSide, 1, kEndB, {-30, 3, 17});
  stage_.SetJoined(1, kLeftSide, 1, 0);
  stage_.MovePoint(1, kLeftSide, 1, kEndB, {-30, 3, 17});
  const TerrainWire before = stage_.GetTerrain().Wire(1, kLeftSide, 1);
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld));
  const TerrainWire copied = stage_.GetTerrain().Wire(2, kLeftSide, 1);
  EXPECT_EQ(copied.joined, 0);
  EXPECT_EQ(copied.end_a, (Point3f{before.end_a.x, before.end_a.y, before.end_a.z + 10}));
  EXPECT_EQ(copied.end_b, (Point3f{-30, 3, 27}));
  EXPECT_EQ(stage_.GetTerrain().WireCount(2, kRightSide), 2);
  EXPECT_TRUE(stage_.GetTerrain().FollowsFaceRule());

  // The partition copy turns by the roll change (0.01) about the road's direction.
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kPartition));
  const Point3f turned = stage_.GetTerrain().Wire(2, kLeftSide, 0).end_a;  // was (-15, 0, 20)
  const double dx = turned.x - 5.0;  // about the right end (5, 0, 30)
  const double dy = turned.y;
  EXPECT_NEAR(turned.z, 30.0, 1e-4);
  EXPECT_NEAR(std::hypot(dx, dy), 20.0, 1e-4);
  EXPECT_NEAR(std::fabs(std::atan2(dy, -dx)), 0.01, 1e-5);

  stage_.SelectPartition(0);
  EXPECT_FALSE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld));
}

// A course turning left through a quarter circle with a bank, its line ends built as the
// course designer builds them: left = P + w * lateral, right = P - w * lateral, the lateral
// direction turned by the roll about the direction of travel.
stage_test::PatLine TurningLine(int32_t k) {
  const double angle = 0.1 * k;  // heading from +z towards -x
  const double radius = 100.0;
  const double position[3] = {radius * (std::cos(angle) - 1.0), 0.0, radius * std::sin(angle)};
  const double derivative[3] = {-std::sin(angle) * 10.0, 0.0, std::cos(angle) * 10.0};
  const double roll = 0.05 * k;
  const double h = std::hypot(derivative[0], derivative[2]);
  const double c = -derivative[0] / h;
  const double d = derivative[2] / h;
  const double lateral[3] = {d * std::cos(roll), -std::sin(roll), c * std::cos(roll)};
  stage_test::PatLine line{};
  for (int i = 0; i < 3; ++i) {
    line.left[i] = static_cast<float>(position[i] + 5.0 * lateral[i]);
    line.right[i] = static_cast<float>(position[i] - 5.0 * lateral[i]);
    line.position[i] = position[i];
    line.derivative[i] = derivative[i];
  }
  line.roll = roll;
  line.roll_derivative = 0.05;
  return line;
}

TEST_F(TerrainEditingTest, PartitionCopyFollowsATurningBankedRoad) {
  std::vector<stage_test::PatLine> lines(5);
  for (int32_t k = 0; k < 5; ++k) lines[static_cast<size_t>(k)] = TurningLine(k);
  ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("turn.pat", stage_test::PatBytes(5, lines))),
            0);
  // A left wire 10 beyond the left end of partition 1, on the line's own lateral direction.
  stage_.SelectPartition(1);
  Point3f corners[4];
  stage_.GetTerrain().PartitionCorners(1, corners);
  const Point3f left = corners[0];
  const Point3f right = corners[1];
  stage_.AddWire(1, kLeftSide, Beyond(left, right));
  ASSERT_TRUE(AddWireOnSide(stage_, kRightSide));
  stage_.SelectPartition(2);
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kPartition));
  stage_.GetTerrain().PartitionCorners(2, corners);
  const Point3f expected_left = Beyond(corners[0], corners[1]);
  const Point3f copied = stage_.GetTerrain().Wire(2, kLeftSide, 0).end_a;
  EXPECT_NEAR(copied.x, expected_left.x, 2e-3);
  EXPECT_NEAR(copied.y, expected_left.y, 2e-3);
  EXPECT_NEAR(copied.z, expected_left.z, 2e-3);
  const Point3f expected_right = Beyond(corners[1], corners[0]);
  const Point3f copied_right = stage_.GetTerrain().Wire(2, kRightSide, 0).end_a;
  EXPECT_NEAR(copied_right.x, expected_right.x, 2e-3);
  EXPECT_NEAR(copied_right.z, expected_right.z, 2e-3);

  // In world coordinates the bank is left out: the wire stays level with its pivot.
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld));
  const Point3f level = stage_.GetTerrain().Wire(2, kRightSide, 0).end_a;
  stage_.GetTerrain().PartitionCorners(1, corners);
  const float drop_before = stage_.GetTerrain().Wire(1, kRightSide, 0).end_a.y - corners[0].y;
  stage_.GetTerrain().PartitionCorners(2, corners);
  EXPECT_NEAR(level.y - corners[0].y, drop_before, 1e-3);
}

TEST_F(TerrainEditingTest, CopyBringsFaceLooksAndKeepsTheTexturesOfTheNextPartition) {
  LoadRoad();
  Wires(2);
  const int32_t grass = Picture("grass.bmp");
  const int32_t rock = Picture("rock.bmp");
  const int32_t road = Picture("road.bmp");
  const TextureCorner turned[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  stage_.SetFaceLook({1, kLeftSide, 1}, 0.1f, 0.2f, 0.3f, turned);
  stage_.SetFacePicture({1, kLeftSide, 1}, grass);
  stage_.SetFacePicture({1, kRoadFaceSide, -1}, road);
  stage_.SetFacePicture({3, kRightSide, 0}, rock);  // the partition after the copy
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld));
  const FaceAttribute copied = Face(2, kLeftSide, 1);
  EXPECT_EQ(copied.red, 0.1f);
  EXPECT_EQ(copied.corners[1], (TextureCorner{0, 1}));
  EXPECT_EQ(copied.picture, grass);
  EXPECT_EQ(Face(2, kRoadFaceSide, -1).picture, road);
  EXPECT_EQ(Bank::ReferenceCount(grass), 3);  // the registration and two faces
  EXPECT_EQ(Face(3, kRightSide, 0).picture, rock);
  EXPECT_EQ(Bank::ReferenceCount(rock), 2);

  // A copy that leaves partition 2 with fewer wires takes the faces of 3 away for good.
  stage_.SelectPartition(1);
  while (stage_.GetTerrain().WireCount(1, kRightSide) > 0) DeleteWireOnSide(stage_, kRightSide);
  stage_.SelectPartition(2);
  ASSERT_TRUE(CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld));
  EXPECT_EQ(Face(3, kRightSide, 0).texture_switch, 0);
  EXPECT_EQ(Bank::ReferenceCount(rock), 1);
}

TEST_F(TerrainEditingTest, GlueSnapsAndJoinsAndUnglueSeparates) {
  LoadRoad();
  Wires(1);
  stage_.SetJoined(1, kLeftSide, 0, 0);
  stage_.MovePoint(1, kLeftSide, 0, kEndB, {-16, 1, 21});
  stage_.SelectPoint({1, kLeftSide, 0, kEndB});
  EXPECT_FALSE(GlueSelectedPoint(stage_));  // no glue target
  stage_.SelectGlueTarget({1, kLeftSide, 0, kEndA});
  ASSERT_TRUE(GlueSelectedPoint(stage_));
  TerrainWire wire = stage_.GetTerrain().Wire(1, kLeftSide, 0);
  EXPECT_EQ(wire.joined, 1);
  EXPECT_EQ(wire.end_b, (Point3f{-15, 0, 20}));
  stage_.MovePoint(1, kLeftSide, 0, kEndB, {-17, 2, 20});
  wire = stage_.GetTerrain().Wire(1, kLeftSide, 0);
  EXPECT_EQ(wire.end_a, wire.end_b);

  // Onto another wire's point: a one-time snap of the selected point (both ends, joined).
  stage_.SelectGlueTarget({0, kLeftSide, 1, kEndA});
  ASSERT_TRUE(GlueSelectedPoint(stage_));
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-25, 0, 10}));
  EXPECT_EQ(stage_.GetTerrain().Wire(1, kLeftSide, 0).end_b, (Point3f{-25, 0, 10}));

  ASSERT_TRUE(UnglueSelectedPoint(stage_));
  EXPECT_EQ(stage_.GetTerrain().Wire(1, kLeftSide, 0).joined, 0);
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-25, 0, 10}));

  // Road ends are not moved.
  stage_.SelectPoint({1, kLeftSide, kRoadEndWire, kEndA});
  EXPECT_FALSE(GlueSelectedPoint(stage_));
  EXPECT_FALSE(UnglueSelectedPoint(stage_));
}

TEST_F(TerrainEditingTest, DragMovesTheSelectedPointAlongTheViewsAxes) {
  LoadRoad();
  Wires(1);
  stage_.SelectPoint({1, kLeftSide, 0, kEndA});  // (-15, 0, 20), joined
  ASSERT_TRUE(DragSelectedPoint(stage_, DragView::kPlan, 3, 2, 0.001, {}));
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-12, 0, 18}));
  EXPECT_EQ(stage_.GetTerrain().Wire(1, kLeftSide, 0).end_b, (Point3f{-12, 0, 18}));
  ASSERT_TRUE(DragSelectedPoint(stage_, DragView::kSide, 4, -5, 0.002, {}));
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-12, 2.5f, 20}));
  AxisSwitches held;
  held.y = true;
  ASSERT_TRUE(DragSelectedPoint(stage_, DragView::kFront, 6, -6, 0.001, held));
  EXPECT_EQ(EndA(1, kLeftSide, 0), (Point3f{-6, 2.5f, 20}));
  stage_.SelectPoint(PointRef());
  EXPECT_FALSE(DragSelectedPoint(stage_, DragView::kFront, 6, -6, 0.001, {}));
}

TEST_F(TerrainEditingTest, ClicksBuildTheFaceSelection) {
  LoadRoad();
  Wires(2);
  const FaceRef road{2, kRoadFaceSide, -1};
  const FaceRef inner{2, kLeftSide, 0};
  const FaceRef outer{2, kLeftSide, 1};
  const std::vector<FaceRef> stack = {road, inner, outer};
  ASSERT_TRUE(ClickFace(stage_, stack));
  EXPECT_EQ(stage_.PickedAt(0), road);
  ASSERT_TRUE(ClickFace(stage_, stack));  // the one selected face is under the cursor
  EXPECT_EQ(stage_.PickedCount(), 1);
  EXPECT_EQ(stage_.PickedAt(0), inner);
  EXPECT_FALSE(ClickFace(stage_, {}));
  EXPECT_EQ(stage_.PickedAt(0), inner);

  // SHIFT adds the first face under the cursor not yet selected.
  ASSERT_TRUE(ShiftClickFace(stage_, stack));
  ASSERT_EQ(stage_.PickedCount(), 2);
  EXPECT_EQ(stage_.PickedAt(1), road);
  ASSERT_TRUE(ShiftClickFace(stage_, stack));
  EXPECT_EQ(stage_.PickedAt(2), outer);
  EXPECT_FALSE(ShiftClickFace(stage_, stack));
  EXPECT_EQ(stage_.PickedCount(), 3);

  // SHIFT with the right button takes the last one off; the next SHIFT click starts after it.
  ASSERT_TRUE(ShiftRightClickFace(stage_));
  ASSERT_TRUE(ShiftRightClickFace(stage_));
  EXPECT_EQ(stage_.LastTaken(), road);
  EXPECT_EQ(stage_.PickedCount(), 1);
  ASSERT_TRUE(ShiftClickFace(stage_, stack));
  EXPECT_EQ(stage_.PickedAt(1), outer);
  EXPECT_FALSE(stage_.Modified());
}

TEST_F(TerrainEditingTest, TextureCornersTurnAndMirrorBackToTheStart) {
  LoadRoad();
  Wires(2);
  ClickFace(stage_, {{2, kLeftSide, 0}});
  ShiftClickFace(stage_, {{2, kRoadFaceSide, -1}});
  const FaceAttribute start = Face(2, kLeftSide, 0);
  ASSERT_TRUE(RotateSelectedTextures(stage_));
  EXPECT_EQ(Face(2, kLeftSide, 0).corners[0], start.corners[1]);
  EXPECT_EQ(Face(2, kLeftSide, 0).corners[3], start.corners[0]);
  for (int i = 0; i < 3; ++i) RotateSelectedTextures(stage_);
  EXPECT_EQ(Face(2, kLeftSide, 0), start);
  ASSERT_TRUE(InvertSelectedTextures(stage_));
  EXPECT_EQ(Face(2, kRoadFaceSide, -1).corners[0], start.corners[1]);
  EXPECT_EQ(Face(2, kRoadFaceSide, -1).corners[2], start.corners[3]);
  InvertSelectedTextures(stage_);
  EXPECT_EQ(Face(2, kRoadFaceSide, -1), start);
  EXPECT_TRUE(stage_.Modified());
  stage_.ClearPicked();
  EXPECT_FALSE(RotateSelectedTextures(stage_));
}

TEST_F(TerrainEditingTest, NewTextureTexturesEverySelectedFaceOrSaysWhyNot) {
  LoadRoad();
  Wires(2);
  const std::string settings = folder_.Path() + "/Settei.ini";
  EXPECT_EQ(NewTextureForSelection(stage_, nullptr, settings), 1);
  EXPECT_EQ(prompter_.MessageTexts(), (std::vector<std::string>{"選択面がありません"}));
  EXPECT_EQ(prompter_.AskedQuestions()[0].caption, "Error");

  ClickFace(stage_, {{2, kLeftSide, 1}});
  ShiftClickFace(stage_, {{2, kRoadFaceSide, -1}});
  prompter_.ClearRecord();
  prompter_.QueuePath(StageTest::Picture("grass.bmp"));
  EXPECT_EQ(NewTextureForSelection(stage_, nullptr, settings), 0);
  const int32_t grass = Face(2, kLeftSide, 1).picture;
  EXPECT_EQ(Face(2, kRoadFaceSide, -1).picture, grass);
  EXPECT_EQ(Bank::ReferenceCount(grass), 2);
  EXPECT_TRUE(prompter_.MessageTexts().empty());

  struct Bad {
    std::string path;
    const char* message;
  };
  const std::string bmp = stage_test::BmpBytes(8, 8, 1, 2, 3);
  const Bad bad[] = {
      {folder_.Write("wide.bmp", stage_test::BmpBytes(12, 8, 1, 2, 3)),
       "画像のサイズが２のN乗出なくてはいけません！！"},
      {folder_.Write("text.bmp",
                     "not a picture at all, longer than a header......................"),
       "bmpファイルではありません"},
      {folder_.Path() + "/missing.bmp", "ファイルのオープンに失敗"},
      {folder_.Write("cut.bmp", bmp.substr(0, bmp.size() - 40)), "ファイルが破壊されている"},
  };
  for (const Bad& b : bad) {
    prompter_.ClearRecord();
    prompter_.QueuePath(b.path);
    EXPECT_LT(NewTextureForSelection(stage_, nullptr, settings), 0) << b.path;
    EXPECT_EQ(prompter_.MessageTexts(), (std::vector<std::string>{b.message})) << b.path;
    EXPECT_EQ(Face(2, kLeftSide, 1).picture, grass);
  }
  // A multi-picture file of the picture packer: an animated texture, offered by the dialog.
  std::vector<TsyFrameLayout> frames(3);
  for (TsyFrameLayout& frame : frames) frame.pixels.assign(16, 0x1234);
  prompter_.ClearRecord();
  prompter_.QueuePath(folder_.Write("sign.tsy", BuildTsy(4, 4, frames)));
  EXPECT_EQ(NewTextureForSelection(stage_, nullptr, settings), 0);
  const int32_t sign = Face(2, kLeftSide, 1).picture;
  EXPECT_EQ(Face(2, kRoadFaceSide, -1).picture, sign);
  EXPECT_EQ(Bank::FrameCount(sign), 3);
  EXPECT_TRUE(prompter_.MessageTexts().empty());
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  EXPECT_EQ(prompter_.AskedQuestions()[0].text, "*.bmp;*.tsy");

  prompter_.ClearRecord();
  EXPECT_EQ(NewTextureForSelection(stage_, nullptr, settings), 1);  // cancelled
  EXPECT_EQ(Face(2, kLeftSide, 1).picture, sign);
}

TEST_F(TerrainEditingTest, UsedTextureGoesOnEverySelectedFace) {
  LoadRoad();
  Wires(2);
  const int32_t rock = Picture("rock.bmp");
  EXPECT_FALSE(UsedTextureForSelection(stage_, rock));
  ClickFace(stage_, {{2, kRightSide, 0}});
  ShiftClickFace(stage_, {{2, kRightSide, 1}});
  EXPECT_FALSE(UsedTextureForSelection(stage_, -1));
  EXPECT_FALSE(UsedTextureForSelection(stage_, rock + 40));
  ASSERT_TRUE(UsedTextureForSelection(stage_, rock));
  EXPECT_EQ(Face(2, kRightSide, 1).picture, rock);
  EXPECT_EQ(Face(2, kRightSide, 1).texture_switch, 1);
  EXPECT_EQ(Bank::ReferenceCount(rock), 3);
}

}  // namespace
