#include "foundation/gui/qt_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/foundation/gui/gui_test_app.h"

namespace {

TEST(QtPrompterTest, NameFiltersShowEachPatternOnce) {
  FileDialogRequest request;
  request.filters = {{"Tessaly(*.tsy)", "*.tsy"},
                     {"Pictures", "*.bmp;*.gif"},
                     {"", "*.*"}};
  const QStringList filters = QtPrompter::NameFilters(request);
  ASSERT_EQ(filters.size(), 3);
  EXPECT_EQ(filters[0], QStringLiteral("Tessaly (*.tsy)"));
  EXPECT_EQ(filters[1], QStringLiteral("Pictures (*.bmp *.gif)"));
  EXPECT_EQ(filters[2], QStringLiteral("*.* (*.*)"));
}

// Presses the button with `button` role on the message box that is about to be shown.
void PressWhenShown(QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [button] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
        box->button(button)->click();
        return;
      }
    }
  });
}

TEST(QtPrompterTest, MessageBoxReturnsThePressedButton) {
  EnsureTestApplication();
  QtPrompter prompter;
  PressWhenShown(QMessageBox::No);
  EXPECT_EQ(prompter.Message(nullptr, "確認", "保存しますか？", PromptIcon::kQuestion,
                             PromptButtons::kYesNoCancel),
            PromptAnswer::kNo);
  PressWhenShown(QMessageBox::Ok);
  EXPECT_EQ(prompter.Message(nullptr, "", "OK", PromptIcon::kNone, PromptButtons::kOk),
            PromptAnswer::kOk);
}

TEST(QtPrompterTest, ColourDialogKeepsTheCallersCustomColours) {
  EnsureTestApplication();
  QtPrompter prompter;
  std::array<uint32_t, 16> custom{};
  custom[3] = 0x00112233;  // blue 0x11, green 0x22, red 0x33
  QTimer::singleShot(0, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QColorDialog*>(widget); dialog && dialog->isVisible()) {
        EXPECT_EQ(QColorDialog::customColor(3), QColor(0x33, 0x22, 0x11));
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
      }
    }
  });
  PromptColour colour{200, 100, 50};
  ASSERT_TRUE(prompter.ChooseColour(nullptr, colour, custom));
  EXPECT_EQ(colour.red, 10);
  EXPECT_EQ(colour.green, 20);
  EXPECT_EQ(colour.blue, 30);
  EXPECT_EQ(custom[3], 0x00112233u);
}

}  // namespace
