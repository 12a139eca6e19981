#include "stage/object_placement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "stage/stage_rotation.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;

class ObjectPlacementTest : public ObjectsTest {
 protected:
  // A free object at `position` showing a shape of its own, selected.
  int32_t Place(const Point3f& position) {
    ObjectShape shape;
    shape.points = {{0, 0, 0}, {0.1f, 0.2f, 0.3f}};
    shape.use_count = 1;
    const int32_t id = stage_.CreateObject(position, stage_.MutableShapes().Add(shape));
    stage_.SelectObject(id);
    return id;
  }
  PlacedObject Object(int32_t id) { return stage_.Object(id); }
  // Where model point p of the object lies in the world.
  Point3f World(int32_t id, const Point3f& p) {
    const PlacedObject o = Object(id);
    const Point3f turned =
        CameraRotation(o.rotation).Apply({o.zoom.x * p.x, o.zoom.y * p.y, o.zoom.z * p.z});
    return {o.position.x + turned.x, o.position.y + turned.y, o.position.z + turned.z};
  }
};

void ExpectNear(const Point3f& a, const Point3f& b, float tolerance = 1e-3f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

float Distance(const Point3f& a, const Point3f& b) {
  return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

TEST_F(ObjectPlacementTest, MovingTheOriginMovesTheObjectAlongTheViewsAxes) {
  const int32_t id = Place({1, 2, 3});
  ASSERT_TRUE(DragMoveObject(stage_, DragView::kPlan, 3, 2, {}));
  EXPECT_EQ(Object(id).position, (Point3f{4, 2, 1}));
  EXPECT_EQ(Object(id).origin, (Point3f{4, 2, 1}));
  AxisSwitches held;
  held.z = true;
  ASSERT_TRUE(DragMoveObject(stage_, DragView::kSide, 5, -1, held));
  EXPECT_EQ(Object(id).position, (Point3f{4, 3, 1}));
  stage_.SelectObject(-1);
  EXPECT_FALSE(DragMoveObject(stage_, DragView::kPlan, 3, 2, {}));
}

TEST_F(ObjectPlacementTest, SettingTheAxesTurnsTheObjectRigidlyAboutTheOrigin) {
  const int32_t id = Place({10, 0, 0});
  ASSERT_TRUE(DragObjectOrigin(stage_, DragView::kPlan, -10, 0, 0.001));  // origin to (0, 0, 0)
  EXPECT_EQ(Object(id).origin, (Point3f{0, 0, 0}));
  EXPECT_EQ(Object(id).position, (Point3f{10, 0, 0}));
  const Point3f tip = World(id, {0.1f, 0.2f, 0.3f});
  const Point3f axes{0.3f, -1.1f, 0.7f};
  ASSERT_TRUE(SetObjectAxes(stage_, id, axes));
  EXPECT_EQ(Object(id).axes, axes);
  // Distances to the origin and between points stay; the turn is the change of the axes.
  EXPECT_NEAR(Distance(Object(id).position, {0, 0, 0}), 10.0f, 1e-4f);
  const Point3f turned_tip = World(id, {0.1f, 0.2f, 0.3f});
  EXPECT_NEAR(Distance(turned_tip, Object(id).position), Distance(tip, {10, 0, 0}), 1e-3f);
  ExpectNear(turned_tip, CameraRotation(axes).Apply(tip));
  // Turning back restores the object.
  ASSERT_TRUE(SetObjectAxes(stage_, id, {0, 0, 0}));
  ExpectNear(Object(id).position, {10, 0, 0});
  ExpectNear(Object(id).rotation, {0, 0, 0});

  // RESETMOVE puts the object coordinates back onto the object.
  ASSERT_TRUE(ResetObjectMove(stage_));
  EXPECT_EQ(Object(id).origin, Object(id).position);
  EXPECT_EQ(Object(id).axes, Object(id).rotation);
  EXPECT_EQ(Object(id).scale, Object(id).zoom);
}

TEST_F(ObjectPlacementTest, TurnDragsGoAboutScreenOrObjectAxes) {
  const int32_t id = Place({0, 0, 0});
  // Plan view: horizontal movement turns about y, here by 0.003 * 100.
  ASSERT_TRUE(DragTurnObject(stage_, DragView::kPlan, 100, 0, TurnAxes::kScreen, {}));
  ExpectNear(Object(id).axes, {0, 0.3f, 0});
  ExpectNear(Object(id).rotation, {0, 0.3f, 0});
  AxisSwitches held;
  held.x = true;
  ASSERT_TRUE(DragTurnObject(stage_, DragView::kPlan, 0, 50, TurnAxes::kScreen, held));
  ExpectNear(Object(id).axes, {0, 0.3f, 0});

  // A turn about the object's own x axis after a turn about y differs from a turn about the
  // world's x axis, and both keep the rotation and the axes together.
  ASSERT_TRUE(DragTurnObject(stage_, DragView::kPlan, 0, 100, TurnAxes::kObject, {}));
  const Point3f object_turn = Object(id).axes;
  ExpectNear(Object(id).rotation, object_turn);
  ASSERT_TRUE(SetObjectAxes(stage_, id, {0, 0.3f, 0}));
  ASSERT_TRUE(DragTurnObject(stage_, DragView::kPlan, 0, 100, TurnAxes::kScreen, {}));
  const Rotation3 a = CameraRotation(object_turn);
  const Rotation3 b = CameraRotation(Object(id).axes);
  double difference = 0.0;
  for (int i = 0; i < 9; ++i) difference += std::fabs(a.m[i] - b.m[i]);
  EXPECT_GT(difference, 0.01);
  EXPECT_TRUE(stage_.Modified());
}

TEST_F(ObjectPlacementTest, ScaleIsClampedAndScalesAboutTheOrigin) {
  const int32_t id = Place({10, 0, 0});
  stage_.MoveObjectOrigin(id, {0, 0, 0});  // moves the object too
  ASSERT_TRUE(DragObjectOrigin(stage_, DragView::kFront, -10, 0, 0.001));
  EXPECT_EQ(Object(id).position, (Point3f{0, 0, 0}));
  EXPECT_EQ(Object(id).origin, (Point3f{-10, 0, 0}));
  ASSERT_TRUE(SetObjectScale(stage_, id, {200, 100, 50}));
  ExpectNear(Object(id).position, {10, 0, 0});
  ExpectNear(Object(id).zoom, {200, 100, 50});
  EXPECT_EQ(Object(id).scale, (Point3f{200, 100, 50}));
  ASSERT_TRUE(SetObjectScale(stage_, id, {0, 20000, -5}));
  EXPECT_EQ(Object(id).scale, (Point3f{1, 10000, 1}));
  ExpectNear(Object(id).zoom, {1, 10000, 1});
  ExpectNear(Object(id).position, {-9.9f, 0, 0});

  // Zoom drag: 10 pixels down takes 5 from every free component.
  ASSERT_TRUE(SetObjectScale(stage_, id, {100, 100, 100}));
  AxisSwitches held;
  held.y = true;
  ASSERT_TRUE(DragZoomObject(stage_, 10, held));
  EXPECT_EQ(Object(id).scale, (Point3f{95, 100, 95}));
  ASSERT_TRUE(DragZoomObject(stage_, -20, {}));
  EXPECT_EQ(Object(id).scale, (Point3f{105, 110, 105}));
}

TEST_F(ObjectPlacementTest, ScaleFollowsTheObjectAxesOfATurnedObject) {
  const int32_t id = Place({0, 0, 0});
  ASSERT_TRUE(SetObjectAxes(stage_, id, {0, 1.5707963f, 0}));  // model x along the world z
  ASSERT_TRUE(SetObjectScale(stage_, id, {300, 100, 100}));
  ExpectNear(Object(id).zoom, {300, 100, 100}, 1e-2f);
}

TEST_F(ObjectPlacementTest, CopyDeleteGlueAndUnglue) {
  LoadRoad();
  const int32_t id = Place({1, 1, 1});
  stage_.SelectPartition(3);
  stage_.SelectObject(id);
  ASSERT_TRUE(GlueSelectedObject(stage_));
  stage_.SelectPartition(7);
  stage_.SelectObject(id);
  ASSERT_TRUE(GlueSelectedObject(stage_));
  EXPECT_FALSE(stage_.IsFreeObject(id));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(3, 0), (GlueEntry{id, -1, 7}));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(7, 0), (GlueEntry{id, 3, -1}));

  const int32_t copy = CopySelectedObject(stage_);
  ASSERT_NE(copy, -1);
  EXPECT_TRUE(stage_.IsFreeObject(copy));
  EXPECT_EQ(stage_.SelectedObject(), copy);
  EXPECT_EQ(Object(copy).position, (Point3f{11, 11, 11}));
  EXPECT_EQ(Object(copy).origin, (Point3f{11, 11, 11}));
  EXPECT_EQ(stage_.GetShapes().Shape(Object(copy).shape).use_count, 2);

  stage_.SelectObject(id);
  stage_.SelectPartition(3);
  ASSERT_TRUE(UnglueSelectedObject(stage_));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(7, 0), (GlueEntry{id, -1, -1}));
  EXPECT_FALSE(stage_.IsFreeObject(id));
  EXPECT_FALSE(UnglueSelectedObject(stage_));
  stage_.SelectPartition(7);
  ASSERT_TRUE(UnglueSelectedObject(stage_));
  EXPECT_TRUE(stage_.IsFreeObject(id));

  ASSERT_TRUE(DeleteSelectedObject(stage_));
  EXPECT_EQ(stage_.SelectedObject(), -1);
  EXPECT_FALSE(stage_.HasObject(id));
  EXPECT_EQ(stage_.GetShapes().Shape(Object(copy).shape).use_count, 1);
  EXPECT_FALSE(DeleteSelectedObject(stage_));
  EXPECT_EQ(CopySelectedObject(stage_), -1);
}

TEST_F(ObjectPlacementTest, CreationNeedsAPartitionOrARoad) {
  EXPECT_FALSE(CanCreateBitmapObject(stage_, nullptr));
  EXPECT_FALSE(CanCreateBackgroundObject(stage_, nullptr));
  EXPECT_EQ(prompter_.MessageTexts(),
            (std::vector<std::string>{
                "パーテーションを選択してください",
                "路面データがありません。(.pat)または(.ste)ファイルをロードしてください"}));
  EXPECT_EQ(prompter_.AskedQuestions()[1].caption, "Error");
  LoadRoad();
  EXPECT_TRUE(CanCreateBitmapObject(stage_, nullptr));
  stage_.SelectPartition(-1);
  EXPECT_FALSE(CanCreateBitmapObject(stage_, nullptr));
  EXPECT_TRUE(CanCreateBackgroundObject(stage_, nullptr));
}

}  // namespace
