#include "stage/hit_picking.h"

#include <gtest/gtest.h>

#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;

// Three items A, B, C drawn in that order over the point (5, 5).
std::vector<HitRecord> Stack() {
  return {PartitionHit(0, 0, 10, 10, 1), PartitionHit(20, 20, 30, 30, 9),
          PartitionHit(4, 4, 6, 6, 2), PartitionHit(5, 5, 5, 5, 3)};
}

TEST(PickHitTest, StepsThroughStackedItemsFromTheSelectedOne) {
  const std::vector<HitRecord> records = Stack();
  const HitKinds kinds = HitKindBit(kHitPartition);
  const int32_t a = 1;
  const int32_t b = 2;
  const int32_t c = 3;
  const int32_t elsewhere = 9;
  EXPECT_EQ(PickHit(records, 5, 5, kinds, nullptr), 0);
  EXPECT_EQ(PickHit(records, 5, 5, kinds, &a), 2);
  EXPECT_EQ(PickHit(records, 5, 5, kinds, &b), 3);
  EXPECT_EQ(PickHit(records, 5, 5, kinds, &c), 0);
  EXPECT_EQ(PickHit(records, 5, 5, kinds, &elsewhere), 0);
  // Edges belong to the rectangle; other kinds and other places do not match.
  EXPECT_EQ(PickHit(records, 10, 0, kinds, nullptr), 0);
  EXPECT_EQ(PickHit(records, 11, 5, kinds, nullptr), -1);
  EXPECT_EQ(PickHit(records, 5, 5, HitKindBit(kHitPoint), nullptr), -1);
}

TEST(PickHitTest, PointsAreComparedByAllFourIds) {
  const std::vector<HitRecord> records = {PointHit(0, 0, 4, 4, {1, 0, 2, kEndA}),
                                          PointHit(0, 0, 4, 4, {1, 0, 2, kEndB})};
  const int32_t end_a[4] = {1, 0, 2, kEndA};
  const int32_t other_side[4] = {1, 1, 2, kEndA};
  EXPECT_EQ(PickHit(records, 2, 2, HitKindBit(kHitPoint), end_a), 1);
  EXPECT_EQ(PickHit(records, 2, 2, HitKindBit(kHitPoint), other_side), 0);
}

class ClickSelectTest : public ObjectsTest {};

TEST_F(ClickSelectTest, TwoPointsOnOnePlaceAreSelectedInTurn) {
  LoadRoad();
  stage_.SelectPartition(2);
  stage_.AddWire(2, kLeftSide, {-15, 0, 30});
  const std::vector<HitRecord> records = {PointHit(0, 0, 8, 8, {2, kLeftSide, 0, kEndA}),
                                          PointHit(2, 2, 8, 8, {2, kLeftSide, 0, kEndB})};
  ASSERT_TRUE(ClickSelectPoint(stage_, records, 4, 4, false));
  EXPECT_EQ(stage_.SelectedPoint(), (PointRef{2, kLeftSide, 0, kEndA}));
  ASSERT_TRUE(ClickSelectPoint(stage_, records, 4, 4, false));
  EXPECT_EQ(stage_.SelectedPoint(), (PointRef{2, kLeftSide, 0, kEndB}));
  ASSERT_TRUE(ClickSelectPoint(stage_, records, 4, 4, true));
  EXPECT_EQ(stage_.GlueTarget(), (PointRef{2, kLeftSide, 0, kEndA}));
  // A miss changes nothing.
  EXPECT_FALSE(ClickSelectPoint(stage_, records, 40, 4, false));
  EXPECT_EQ(stage_.SelectedPoint(), (PointRef{2, kLeftSide, 0, kEndB}));
}

TEST_F(ClickSelectTest, PartitionsAndObjectsCycleToo) {
  LoadRoad();
  const std::vector<HitRecord> partitions = {PartitionHit(0, 0, 9, 9, 4),
                                             PartitionHit(0, 0, 9, 9, 5)};
  ASSERT_TRUE(ClickSelectPartition(stage_, partitions, 1, 1));  // 0 selected: not under it
  EXPECT_EQ(stage_.SelectedPartition(), 4);
  ASSERT_TRUE(ClickSelectPartition(stage_, partitions, 1, 1));
  EXPECT_EQ(stage_.SelectedPartition(), 5);

  ObjectShape shape;
  shape.use_count = 2;
  const int32_t id = stage_.MutableShapes().Add(shape);
  const int32_t first = stage_.CreateObject({0, 0, 0}, id);
  const int32_t second = stage_.CreateObject({0, 0, 0}, id);
  const std::vector<HitRecord> objects = {ObjectHit(0, 0, 9, 9, kHitFreeObject, first),
                                          PartitionHit(0, 0, 9, 9, 5),
                                          ObjectHit(0, 0, 9, 9, kHitGluedObject, second)};
  ASSERT_TRUE(ClickSelectObject(stage_, objects, 3, 3));
  EXPECT_EQ(stage_.SelectedObject(), first);
  ASSERT_TRUE(ClickSelectObject(stage_, objects, 3, 3));
  EXPECT_EQ(stage_.SelectedObject(), second);
  ASSERT_TRUE(ClickSelectObject(stage_, objects, 3, 3));
  EXPECT_EQ(stage_.SelectedObject(), first);
}

}  // namespace
