#include "stage/value_dialog_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;

TEST(ValueFieldTest, OnlyPlainDecimalNumbersAreAccepted) {
  double value = 0.0;
  for (const char* good : {"-12.5", "0", "007", "5.", "-0.25", "-.5", "123456.75"}) {
    EXPECT_TRUE(ParseValueField(good, &value)) << good;
  }
  EXPECT_TRUE(ParseValueField("-12.5", &value));
  EXPECT_EQ(value, -12.5);
  for (const char* bad :
       {"", "1e5", "+1", "1.2.3", "-", "-.", ".5", "1-2", " 1", "1 ", "abc", "1,5", "0x10"}) {
    EXPECT_FALSE(ParseValueField(bad, &value)) << bad;
  }
}

TEST(ValueFieldTest, AnglesAreShownInDegreesWithinOneTurn) {
  EXPECT_EQ(ValueFieldText(1.5), "1.500000");
  EXPECT_EQ(ValueFieldText(-0.25), "-0.250000");
  EXPECT_NEAR(DegreesForField(3.14159265 / 2), 90.0, 1e-4);
  EXPECT_NEAR(DegreesForField(-3.14159265 / 2), 270.0, 1e-4);
  EXPECT_NEAR(DegreesForField(5 * 3.14159265), 180.0, 1e-3);
  EXPECT_NEAR(RadiansFromField(180.0), 3.14159, 1e-9);
}

class ValueDialogTest : public ObjectsTest {
 protected:
  int32_t Place() {
    ObjectShape shape;
    shape.use_count = 1;
    const int32_t id = stage_.CreateObject({1, 2, 3}, stage_.MutableShapes().Add(shape));
    stage_.SelectObject(id);
    return id;
  }
};

TEST_F(ValueDialogTest, FieldsShowTheObjectCoordinates) {
  EXPECT_FALSE(CanOpenObjectValueDialog(stage_, nullptr));
  EXPECT_EQ(prompter_.MessageTexts(),
            (std::vector<std::string>{"オブジェクトが選択されていません"}));
  const int32_t id = Place();
  EXPECT_TRUE(CanOpenObjectValueDialog(stage_, nullptr));
  PlacedObject object = stage_.Object(id);
  object.axes = {0.0f, -1.5707964f, 0.0f};
  stage_.UpdateObject(id, object);
  const ObjectValueTexts texts = ObjectValueFields(stage_.Object(id));
  EXPECT_EQ(texts[0], "1.000000");
  EXPECT_EQ(texts[2], "3.000000");
  EXPECT_EQ(texts[3], "0.000000");
  EXPECT_NEAR(std::stod(texts[4]), 270.0, 1e-2);
  EXPECT_EQ(texts[8], "100.000000");
}

TEST_F(ValueDialogTest, OkSetsOriginAxesAndScaleOrRefusesBadFields) {
  const int32_t id = Place();
  const PlacedObject before = stage_.Object(id);
  ObjectValueTexts texts = {"11", "2", "3", "0", "0", "0", "100", "100", "1e2"};
  EXPECT_FALSE(ApplyObjectValueFields(stage_, texts, nullptr));
  EXPECT_EQ(prompter_.MessageTexts(), (std::vector<std::string>{"設定値にエラー"}));
  EXPECT_EQ(stage_.Object(id), before);

  texts = {"-9.5", "2", "3", "0", "90", "0", "0", "100", "250"};
  ASSERT_TRUE(ApplyObjectValueFields(stage_, texts, nullptr));
  const PlacedObject after = stage_.Object(id);
  EXPECT_EQ(after.origin, (Point3f{-9.5f, 2, 3}));
  EXPECT_EQ(after.position, (Point3f{-9.5f, 2, 3}));
  EXPECT_FLOAT_EQ(after.axes.y, static_cast<float>(90 * 3.14159 * 0.005555555555555555));
  EXPECT_EQ(after.scale, (Point3f{1, 100, 250}));  // 0 is clamped to 1
  EXPECT_NEAR(after.zoom.x, 1.0f, 1e-3f);
  EXPECT_TRUE(stage_.Modified());
}

}  // namespace
