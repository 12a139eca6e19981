#include "stage/stage.h"

#include <gtest/gtest.h>

#include "pictures/picture_bank_high_color1.h"
#include "stage/partition_loading.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::StageTest;

// A triangle shape with one attribute.
ObjectShape Triangle(const std::string& name, int32_t picture = -1) {
  ObjectShape shape;
  shape.name = name;
  shape.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  shape.map_coordinates = {{0, 0}, {1, 0}, {0, 1}};
  ShapeAttribute attribute;
  attribute.red = 0.5f;
  if (picture >= 0) {
    attribute.texture_switch = 1;
    attribute.picture = picture;
  }
  shape.attributes = {attribute};
  shape.polygons = {{3, 0, 1, 2, 0, 1, 2, 0}};
  shape.use_count = 1;
  return shape;
}

class StageModelTest : public StageTest {
 protected:
  void Load(int32_t lines) {
    const std::string path = folder_.Write("road.pat", stage_test::StraightPat(lines));
    ASSERT_EQ(LoadPartitionFile(stage_, path), kPartitionLoaded);
    stage_.SelectPartition(0);
  }
  int32_t NewObject(const std::string& name, const Point3f& where = {}) {
    int32_t shape = stage_.MutableShapes().TakeByName(name);
    if (shape == -1) shape = stage_.MutableShapes().Add(Triangle(name));
    return stage_.CreateObject(where, shape);
  }
  void TearDown() override {
    stage_.Reset();
    StageTest::TearDown();
  }

  Stage stage_;
};

TEST_F(StageModelTest, SelectingAPartitionPrunesTheOtherSelections) {
  Load(62);  // partitions 0 .. 60
  for (int32_t p : {4, 5}) {
    stage_.AddWire(p, kLeftSide, {-15, 0, 0});
  }
  stage_.SelectPartition(5);
  ASSERT_TRUE(stage_.AddPicked({5, kLeftSide, 0}));
  ASSERT_TRUE(stage_.AddPicked({12, kRoadFaceSide, -1}));
  EXPECT_FALSE(stage_.AddPicked({12, kRoadFaceSide, -1}));  // no duplicates
  EXPECT_FALSE(stage_.AddPicked({6, kLeftSide, 0}));        // no such face
  stage_.AddWire(51, kRightSide, {15, 0, 0});
  ASSERT_TRUE(stage_.SelectPoint({51, kRightSide, 0, kEndA}));
  ASSERT_TRUE(stage_.SelectGlueTarget({45, kRightSide, kRoadEndWire, kEndB}));

  stage_.SelectPartition(30);
  EXPECT_EQ(stage_.SelectedPartition(), 30);
  ASSERT_EQ(stage_.PickedCount(), 1);
  EXPECT_EQ(stage_.PickedAt(0), (FaceRef{12, kRoadFaceSide, -1}));
  EXPECT_FALSE(stage_.SelectedPoint().Selected());  // 51 is 21 away
  EXPECT_EQ(stage_.GlueTarget().partition, 45);     // 15 away: kept
  int32_t first = 0;
  int32_t last = 0;
  ASSERT_TRUE(stage_.ActiveRange(&first, &last));
  EXPECT_EQ(first, 10);
  EXPECT_EQ(last, 50);
  stage_.SelectPartition(55);
  ASSERT_TRUE(stage_.ActiveRange(&first, &last));
  EXPECT_EQ(last, 60);

  // No partition: every selection item goes.
  stage_.SelectPartition(-1);
  EXPECT_EQ(stage_.PickedCount(), 0);
  EXPECT_FALSE(stage_.GlueTarget().Selected());
  EXPECT_FALSE(stage_.ActiveRange(&first, &last));
  stage_.SelectPartition(61);  // does not exist: none selected
  EXPECT_EQ(stage_.SelectedPartition(), -1);
}

TEST_F(StageModelTest, SelectingAPartitionKeepsOnlyVisibleObjects) {
  Load(60);
  const int32_t free_object = NewObject("a.po3");
  const int32_t glued = NewObject("a.po3");
  stage_.GlueObject(glued, 40);
  stage_.SelectPartition(30);
  stage_.SelectObject(glued);
  stage_.SelectPartition(25);
  EXPECT_EQ(stage_.SelectedObject(), glued);  // 40 is within 25 + 20
  stage_.SelectPartition(10);
  EXPECT_EQ(stage_.SelectedObject(), -1);
  stage_.SelectObject(free_object);
  stage_.SelectPartition(59);
  EXPECT_EQ(stage_.SelectedObject(), free_object);
  EXPECT_FALSE(stage_.SelectObject(77));
}

TEST_F(StageModelTest, PickedFacesCycleThroughTheLastTakenPoint) {
  Load(4);
  stage_.AddPicked({0, kRoadFaceSide, -1});
  stage_.AddPicked({1, kRoadFaceSide, -1});
  ASSERT_TRUE(stage_.TakeLastPicked());
  EXPECT_EQ(stage_.LastTaken(), (FaceRef{1, kRoadFaceSide, -1}));
  EXPECT_EQ(stage_.PickedCount(), 1);
  stage_.AddPicked({2, kRoadFaceSide, -1});
  EXPECT_EQ(stage_.LastTaken().partition, -1);  // a new pick clears it
  stage_.ClearPicked();
  EXPECT_FALSE(stage_.TakeLastPicked());
  EXPECT_FALSE(stage_.Modified());  // selection changes are no change
}

TEST_F(StageModelTest, DeletingAWireClearsSelectionsOnIt) {
  Load(3);
  stage_.AddWire(0, kLeftSide, {-15, 0, 10});
  stage_.AddWire(1, kLeftSide, {-15, 0, 20});
  stage_.AddWire(1, kLeftSide, {-25, 0, 20});
  stage_.SelectPartition(1);
  stage_.SelectPoint({1, kLeftSide, 1, kEndA});
  stage_.SelectGlueTarget({1, kLeftSide, 0, kEndB});
  stage_.AddPicked({1, kLeftSide, 0});
  stage_.DeleteWire(0, kLeftSide);  // partition 1 loses its face of wire 0
  EXPECT_EQ(stage_.PickedCount(), 0);
  EXPECT_TRUE(stage_.SelectedPoint().Selected());
  stage_.DeleteWire(1, kLeftSide);
  EXPECT_FALSE(stage_.SelectedPoint().Selected());
  EXPECT_TRUE(stage_.GlueTarget().Selected());
  EXPECT_FALSE(stage_.SelectPoint({1, kLeftSide, 1, kEndA}));
  EXPECT_TRUE(stage_.SelectPoint({1, kLeftSide, kRoadEndWire, kEndA}));
}

TEST_F(StageModelTest, EditsSetTheModifiedFlagAndFailedOnesDoNot) {
  Load(2);
  EXPECT_FALSE(stage_.Modified());
  EXPECT_FALSE(stage_.AddWire(5, kLeftSide, {}));
  EXPECT_FALSE(stage_.DeleteWire(0, kLeftSide));
  EXPECT_FALSE(stage_.Modified());
  stage_.AddWire(0, kLeftSide, {});
  EXPECT_TRUE(stage_.Modified());
  stage_.ClearModified();
  stage_.MovePoint(0, kLeftSide, 0, kEndA, {1, 2, 3});
  EXPECT_TRUE(stage_.Modified());
}

TEST_F(StageModelTest, ObjectsShareShapesAndReleaseThemWhenDeleted) {
  Load(2);
  const int32_t a = NewObject("house.po3", {1, 2, 3});
  const int32_t b = NewObject("house.po3");
  const int32_t shape = stage_.Object(a).shape;
  EXPECT_EQ(stage_.GetShapes().Shape(shape).use_count, 2);
  const PlacedObject placed = stage_.Object(a);
  EXPECT_EQ(placed.origin, (Point3f{1, 2, 3}));
  EXPECT_EQ(placed.zoom, (Point3f{100, 100, 100}));
  EXPECT_EQ(placed.scale, (Point3f{100, 100, 100}));
  EXPECT_TRUE(stage_.IsFreeObject(a));

  stage_.SelectObject(a);
  const int32_t copy = stage_.CopyObject(a);
  EXPECT_EQ(stage_.SelectedObject(), copy);
  EXPECT_EQ(stage_.Object(copy).position, (Point3f{11, 12, 13}));
  EXPECT_EQ(stage_.GetShapes().Shape(shape).use_count, 3);

  stage_.GlueObject(b, 0);
  ASSERT_TRUE(stage_.DeleteObject(b));
  EXPECT_EQ(stage_.GetTerrain().GlueCount(0), 0);
  stage_.DeleteObject(copy);
  EXPECT_EQ(stage_.SelectedObject(), -1);
  EXPECT_TRUE(stage_.GetShapes().Contains(shape));
  stage_.DeleteObject(a);
  EXPECT_FALSE(stage_.GetShapes().Contains(shape));
  EXPECT_EQ(stage_.FreeObjectCount(), 0);
  EXPECT_FALSE(stage_.DeleteObject(a));
  EXPECT_EQ(stage_.CreateObject({}, 42), -1);
}

TEST_F(StageModelTest, AShapeReleasesItsPicturesWithItsLastUse) {
  const int32_t picture = Bank::Register(Picture("skin.bmp"), Bank::kModePowerOfTwo);
  const int32_t shape = stage_.MutableShapes().Add(Triangle("[tree]", picture));
  const int32_t pictures[1] = {picture};
  EXPECT_EQ(stage_.MutableShapes().TakeTemplate("[tree]", pictures, 1), shape);
  const int32_t other[1] = {picture + 1};
  EXPECT_EQ(stage_.MutableShapes().TakeTemplate("[tree]", other, 1), -1);
  EXPECT_EQ(stage_.MutableShapes().TakeTemplate("[tree]", pictures, 0), -1);
  const int32_t a = stage_.CreateObject({}, shape);
  const int32_t b = stage_.CreateObject({}, shape);
  stage_.DeleteObject(a);
  EXPECT_TRUE(Bank::IsPicture(picture));
  stage_.DeleteObject(b);
  EXPECT_FALSE(Bank::IsPicture(picture));
}

TEST_F(StageModelTest, ANewBackgroundObjectReplacesTheOld) {
  const int32_t first_shape = stage_.MutableShapes().Add(Triangle("[sky]"));
  const int32_t first = stage_.CreateBackgroundObject(first_shape);
  EXPECT_EQ(stage_.BackgroundObject(), first);
  EXPECT_FALSE(stage_.IsFreeObject(first));
  const int32_t second_shape = stage_.MutableShapes().Add(Triangle("[hills]"));
  const int32_t second = stage_.CreateBackgroundObject(second_shape);
  EXPECT_EQ(stage_.BackgroundObject(), second);
  EXPECT_EQ(stage_.ObjectCount(), 1);
  EXPECT_FALSE(stage_.GetShapes().Contains(first_shape));
  EXPECT_EQ(stage_.Object(second).position, (Point3f{0, 0, 0}));
}

TEST_F(StageModelTest, GlueChainsLinkThePartitionsOfAnObject) {
  Load(10);
  const int32_t object = NewObject("lamp.po3");
  ASSERT_TRUE(stage_.GlueObject(object, 3));
  EXPECT_FALSE(stage_.IsFreeObject(object));
  ASSERT_TRUE(stage_.GlueObject(object, 7));
  ASSERT_TRUE(stage_.GlueObject(object, 5));
  EXPECT_FALSE(stage_.GlueObject(object, 5));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(3, 0), (GlueEntry{object, -1, 5}));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(5, 0), (GlueEntry{object, 3, 7}));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(7, 0), (GlueEntry{object, 5, -1}));

  stage_.UnglueObject(object, 5);
  EXPECT_EQ(stage_.GetTerrain().GlueAt(3, 0), (GlueEntry{object, -1, 7}));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(7, 0), (GlueEntry{object, 3, -1}));
  stage_.UnglueObject(object, 3);
  EXPECT_EQ(stage_.GetTerrain().GlueAt(7, 0), (GlueEntry{object, -1, -1}));
  EXPECT_FALSE(stage_.IsFreeObject(object));
  EXPECT_FALSE(stage_.UnglueObject(object, 3));
  stage_.UnglueObject(object, 7);
  EXPECT_TRUE(stage_.IsFreeObject(object));
  EXPECT_FALSE(stage_.GlueObject(object, 10));
}

TEST_F(StageModelTest, ObjectCoordinatesCarryTheObjectAndResetOntoIt) {
  const int32_t object = NewObject("a.po3", {10, 0, 0});
  stage_.MoveObjectOrigin(object, {15, 1, 0});
  PlacedObject placed = stage_.Object(object);
  EXPECT_EQ(placed.position, (Point3f{15, 1, 0}));
  placed.origin = {0, 0, 0};
  placed.rotation = {0.5f, 0, 0};
  placed.shape = 99;  // the shape is not replaced
  stage_.UpdateObject(object, placed);
  EXPECT_NE(stage_.Object(object).shape, 99);
  stage_.ResetObjectCoordinates(object);
  placed = stage_.Object(object);
  EXPECT_EQ(placed.origin, placed.position);
  EXPECT_EQ(placed.axes, (Point3f{0.5f, 0, 0}));
  EXPECT_EQ(placed.scale, placed.zoom);
}

TEST_F(StageModelTest, ResetEmptiesTheStageAndTheBankButKeepsTheStartReserves) {
  Load(3);
  stage_.AddWire(0, kLeftSide, {});
  stage_.SetFacePictureFromFile({1, kRoadFaceSide, -1}, Picture("t.bmp"));
  Bank::Register(Picture("loose.bmp"), 0);
  NewObject("a.po3");
  stage_.CreateBackgroundObject(stage_.MutableShapes().Add(Triangle("[sky]")));
  stage_.AddPicked({1, kRoadFaceSide, -1});
  ASSERT_TRUE(stage_.Modified());

  stage_.Reset();
  EXPECT_EQ(stage_.GetTerrain().PartitionCount(), 0);
  EXPECT_EQ(stage_.ObjectCount(), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 0);
  EXPECT_EQ(stage_.FreeObjectCount(), 0);
  EXPECT_EQ(stage_.BackgroundObject(), -1);
  EXPECT_EQ(stage_.SelectedPartition(), -1);
  EXPECT_EQ(stage_.PickedCount(), 0);
  EXPECT_EQ(Bank::Count(), 0);
  EXPECT_FALSE(stage_.Modified());

  // With no partition every partition operation does nothing.
  stage_.SelectPartition(0);
  EXPECT_EQ(stage_.SelectedPartition(), -1);
  EXPECT_FALSE(stage_.AddWire(0, kLeftSide, {}));
  EXPECT_FALSE(stage_.AddPicked({0, kRoadFaceSide, -1}));
  EXPECT_FALSE(stage_.GlueObject(NewObject("b.po3"), 0));
  Point3f corners[4];
  EXPECT_FALSE(stage_.GetTerrain().PartitionCorners(0, corners));
}

}  // namespace
