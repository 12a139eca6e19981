#include "foundation/gui/value_edit_window.h"

#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "foundation/gui/up_down_control.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace {

ValueEditParameters Whole(int32_t minimum, int32_t maximum, int32_t value, int32_t steps) {
  ValueEditParameters p;
  p.kind = ValueEditWindow1::kWhole;
  p.whole_minimum = minimum;
  p.whole_maximum = maximum;
  p.whole_value = value;
  p.steps = steps;
  return p;
}

struct EditClass {
  EditClass() {
    EnsureTestApplication();
    ValueEditWindow1::StartUp();
  }
  ~EditClass() { ValueEditWindow1::ShutDown(); }
};

TEST(ValueEditTest, SpinPositionAndValueRoundTrip) {
  EditClass started;
  QWidget parent;
  ValueEditWindow1 edit(&parent, Whole(0, 1000, 500, 10), QRect(0, 0, 100, 20));
  EXPECT_EQ(edit.Position(), 5);
  EXPECT_EQ(edit.Text(), QStringLiteral("500"));
  auto* field = edit.findChild<QLineEdit*>(QStringLiteral("EDIT"));
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(field->isReadOnly());
  EXPECT_EQ(field->geometry(), QRect(0, 0, 80, 20));
  auto* spin = edit.findChild<UpDownControl*>();
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->geometry(), QRect(80, 0, 20, 20));
  EXPECT_EQ(spin->Maximum(), 10);

  spin->UpButton()->click();
  EXPECT_EQ(edit.WholeValue(), 600);
  EXPECT_EQ(edit.Text(), QStringLiteral("600"));
  edit.SetPosition(10);
  EXPECT_EQ(edit.WholeValue(), 1000);
  edit.SetPosition(11);  // beyond the range: stays at the maximum
  EXPECT_EQ(edit.WholeValue(), 1000);
  edit.SetPosition(0);
  EXPECT_EQ(edit.WholeValue(), 0);
  edit.SetPosition(3);
  EXPECT_EQ(edit.Position(), 3);
  EXPECT_EQ(ValueEditWindow1::PositionOf(edit.Parameters()), 3);
}

TEST(ValueEditTest, RoundsWholeValuesAndFormatsRealOnes) {
  ValueEditParameters p = Whole(0, 10, 5, 3);
  EXPECT_EQ(ValueEditWindow1::PositionOf(p), 2);  // 5 * 3 / 10 = 1.5 rounds to 2
  ValueEditWindow1::ApplyPosition(p, 1);           // 10 / 3 = 3.33 rounds to 3
  EXPECT_EQ(p.whole_value, 3);
  // A range that would overflow 32-bit products.
  p = Whole(-2000000000, 2000000000, 0, 20000);
  EXPECT_EQ(ValueEditWindow1::PositionOf(p), 10000);

  ValueEditParameters real;
  real.kind = ValueEditWindow1::kReal;
  real.real_minimum = 0.0f;
  real.real_maximum = 1.0f;
  real.real_value = 0.25f;
  real.steps = 100;
  EXPECT_EQ(ValueEditWindow1::PositionOf(real), 25);
  ValueEditWindow1::ApplyPosition(real, 50);
  EXPECT_FLOAT_EQ(real.real_value, 0.5f);
  EXPECT_EQ(ValueEditWindow1::Format(real), QStringLiteral("0.500000"));
  // Minimum equal to maximum: position 0.
  EXPECT_EQ(ValueEditWindow1::PositionOf(Whole(7, 7, 7, 5)), 0);
}

TEST(ValueEditTest, ChecksItsParameters) {
  EXPECT_TRUE(ValueEditWindow1::Valid(Whole(0, 1000, 0, 10)));
  EXPECT_FALSE(ValueEditWindow1::Valid(Whole(10, 0, 5, 10)));
  EXPECT_FALSE(ValueEditWindow1::Valid(Whole(0, 10, 11, 10)));
  EXPECT_FALSE(ValueEditWindow1::Valid(Whole(0, 10, 5, 0)));
  ValueEditParameters wrong_kind = Whole(0, 10, 5, 1);
  wrong_kind.kind = 2;
  EXPECT_FALSE(ValueEditWindow1::Valid(wrong_kind));
}

TEST(ValueEditDeathTest, RefusesWrongParametersAndTooManySteps) {
  TempFolder folder;
  CurrentDirectory here(folder.Path());
  EXPECT_EXIT(
      {
        CurrentDirectory inside(folder.Path());
        EditClass started;
        QWidget parent;
        ValueEditWindow1 edit(&parent, Whole(0, 1000, 0, 30000));
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_NE(TempFolder::Read(folder.File("ErrorLog.err")).find("ValueEditWindow1"),
            std::string::npos);
  EXPECT_EXIT(
      {
        CurrentDirectory inside(folder.Path());
        EditClass started;
        QWidget parent;
        ValueEditWindow1 edit(&parent, Whole(0, 10, 20, 10));
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
