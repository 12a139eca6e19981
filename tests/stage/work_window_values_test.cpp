#include "stage/work_window_values.h"

#include <gtest/gtest.h>

#include <string>

#include "stage/object_placement.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;

const CoordinateTexts kNone = {"?????", "?????", "?????"};

class WorkWindowValuesTest : public ObjectsTest {};

TEST_F(WorkWindowValuesTest, NothingSelectedShowsQuestionMarks) {
  LoadRoad(4);
  for (ToolPanel panel : {ToolPanel::kMode0Work2, ToolPanel::kMode1Work0, ToolPanel::kMode1Work1,
                          ToolPanel::kMode1Work2}) {
    EXPECT_TRUE(ShowsCoordinates(panel));
    EXPECT_EQ(WorkWindowTexts(stage_, panel), kNone);
  }
  for (ToolPanel panel : {ToolPanel::kMode0Work0, ToolPanel::kMode0Work3, ToolPanel::kMode1Work3,
                          ToolPanel::kMode1Work4, ToolPanel::kMode0Tools}) {
    EXPECT_FALSE(ShowsCoordinates(panel));
  }
}

TEST_F(WorkWindowValuesTest, PointMoveShowsTheSelectedEnd) {
  LoadRoad(4);
  stage_.SelectPartition(1);
  ASSERT_TRUE(stage_.AddWire(1, kLeftSide, {-15, 0, 20}));
  ASSERT_TRUE(stage_.SetWireEnds(1, kLeftSide, 0, {-15, 1, 20}, {-16, 2.5f, 20}, 0));
  const struct {
    PointRef point;
    CoordinateTexts texts;
  } cases[] = {
      {{1, kLeftSide, 0, kEndA}, {"-15.000000", "1.000000", "20.000000"}},
      {{1, kLeftSide, 0, kEndB}, {"-16.000000", "2.500000", "20.000000"}},
      {{1, kRightSide, kRoadEndWire, kEndA}, {"5.000000", "0.000000", "20.000000"}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(stage_.SelectPoint(c.point));
    EXPECT_EQ(WorkWindowTexts(stage_, ToolPanel::kMode0Work2), c.texts);
  }
  // The wire goes, and with it the selection.
  ASSERT_TRUE(stage_.SelectPoint({1, kLeftSide, 0, kEndA}));
  ASSERT_TRUE(stage_.DeleteWire(1, kLeftSide));
  EXPECT_EQ(WorkWindowTexts(stage_, ToolPanel::kMode0Work2), kNone);
}

TEST_F(WorkWindowValuesTest, ObjectToolsShowOriginAxesInDegreesAndScale) {
  LoadRoad(4);
  ObjectShape shape;
  shape.use_count = 1;
  const int32_t id = stage_.CreateObject({1, 2, 3}, stage_.MutableShapes().Add(shape));
  ASSERT_TRUE(stage_.SelectObject(id));
  ASSERT_TRUE(SetObjectOrigin(stage_, id, {4, 5, -6}));
  ASSERT_TRUE(SetObjectAxes(stage_, id, {3.14159265f / 2, 0, -3.14159265f / 2}));
  ASSERT_TRUE(SetObjectScale(stage_, id, {50, 100, 250}));
  EXPECT_EQ(WorkWindowTexts(stage_, ToolPanel::kMode1Work0),
            (CoordinateTexts{"4.000000", "5.000000", "-6.000000"}));
  const CoordinateTexts axes = WorkWindowTexts(stage_, ToolPanel::kMode1Work1);
  EXPECT_NEAR(std::stod(axes[0]), 90.0, 1e-3);
  EXPECT_EQ(axes[1], "0.000000");
  EXPECT_NEAR(std::stod(axes[2]), 270.0, 1e-3);
  EXPECT_EQ(WorkWindowTexts(stage_, ToolPanel::kMode1Work2),
            (CoordinateTexts{"50.000000", "100.000000", "250.000000"}));
  ASSERT_TRUE(stage_.SelectObject(-1));
  EXPECT_EQ(WorkWindowTexts(stage_, ToolPanel::kMode1Work1), kNone);
}

}  // namespace
