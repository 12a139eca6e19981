#include "foundation/gui/draw_button.h"

#include <gtest/gtest.h>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QToolTip>
#include <utility>
#include <vector>

#include "foundation/gui/message_window.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace {

// Starts the button and balloon classes for one test.
struct ButtonClasses {
  ButtonClasses() {
    EnsureTestApplication();
    DrawButton1::StartUp();
    MessageWindow1::StartUp();
  }
  ~ButtonClasses() {
    MessageWindow1::ShutDown();
    DrawButton1::ShutDown();
  }
};

// A strip of `states` cells of 32 x 32, cell n filled with grey level 40 * (n + 1).
QPixmap GreyStrip(int states) {
  QImage strip(32 * states, 32, QImage::Format_RGB32);
  QPainter painter(&strip);
  for (int n = 0; n < states; ++n) {
    painter.fillRect(32 * n, 0, 32, 32, QColor(40 * (n + 1), 40 * (n + 1), 40 * (n + 1)));
  }
  return QPixmap::fromImage(strip);
}

struct Parent {
  QWidget window;
  DrawButton1* button;
  std::vector<std::pair<int, int>> commands;

  explicit Parent(uint32_t id = 0x1234) {
    window.resize(200, 200);
    button = new DrawButton1(&window);
    button->setGeometry(10, 10, 32, 32);
    button->SetButtonStrip(GreyStrip(3), 3, id);
    QObject::connect(button, &DrawButton1::Command, [this](int command_id, int code, DrawButton1*) {
      commands.emplace_back(command_id, code);
    });
    window.show();
  }
};

TEST(DrawButtonTest, PressDragAndLeaveSendsEnterPressReleaseLeaveInOrder) {
  ButtonClasses classes;
  Parent parent;
  DrawButton1* button = parent.button;
  SendEnter(button, QPoint(5, 5));
  EXPECT_TRUE(DrawButton1::Captured());
  SendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(DrawButton1::LeftHeld());
  SendMouse(button, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton, Qt::LeftButton);
  SendMouse(button, QEvent::MouseMove, QPoint(40, 20), Qt::NoButton, Qt::LeftButton);
  // The platform brings the release to the pressed widget even outside it: not ours now.
  SendMouse(button, QEvent::MouseButtonRelease, QPoint(60, 20), Qt::LeftButton, Qt::NoButton);
  const std::vector<std::pair<int, int>> expected = {{0x1234, DrawButton1::kEntered},
                                                     {0x1234, DrawButton1::kPressed},
                                                     {0x1234, DrawButton1::kReleased},
                                                     {0x1234, DrawButton1::kLeft}};
  EXPECT_EQ(parent.commands, expected);
  EXPECT_FALSE(DrawButton1::Captured());
  EXPECT_FALSE(DrawButton1::LeftHeld());
}

TEST(DrawButtonTest, ClickInsideReleasesInsideAndKeepsTheMouse) {
  ButtonClasses classes;
  Parent parent(0x12345);  // only the low 16 bits are reported
  SendEnter(parent.button, QPoint(1, 1));
  SendMouse(parent.button, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
  SendMouse(parent.button, QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton);
  SendMouse(parent.button, QEvent::MouseMove, QPoint(31, 31));
  const std::vector<std::pair<int, int>> expected = {{0x2345, 2}, {0x2345, 0}, {0x2345, 1}};
  EXPECT_EQ(parent.commands, expected);
  EXPECT_TRUE(DrawButton1::Captured());
  SendMouse(parent.button, QEvent::MouseMove, QPoint(32, 10));
  EXPECT_EQ(parent.commands.back(), std::make_pair(0x2345, 3));
}

TEST(DrawButtonTest, PaintsTheCellOfItsState) {
  ButtonClasses classes;
  Parent parent;
  parent.button->SetButtonState(2);
  const QImage shown = parent.button->grab().toImage();
  // Cell 2 of the strip holds pixels 64..95: grey 120.
  EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(120, 120, 120));
  EXPECT_EQ(QColor(shown.pixel(31, 31)), QColor(120, 120, 120));
  int32_t state = -1, count = -1;
  parent.button->ButtonState(state, count);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(count, 3);
}

TEST(DrawButtonTest, StateByIdFindsTheButtonOfThatParent) {
  ButtonClasses classes;
  Parent first(100), second(100);
  auto* other = new DrawButton1(&first.window);
  other->SetButtonStrip(GreyStrip(2), 2, 101);
  DrawButton1::SetButtonStateById(&second.window, 100, 1);
  EXPECT_EQ(second.button->State(), 1);
  EXPECT_EQ(first.button->State(), 0);
  DrawButton1::SetButtonStateById(&first.window, 101, 1);
  EXPECT_EQ(other->State(), 1);
  EXPECT_EQ(DrawButton1::FindById(&first.window, 102), nullptr);
}

TEST(DrawButtonTest, RightButtonHoldsTheBalloonWhileDown) {
  ButtonClasses classes;
  Parent parent;
  parent.button->SetButtonHelp("[Function]\n  Moves the camera");
  SendEnter(parent.button, QPoint(5, 5));
  SendMouse(parent.button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
            Qt::RightButton);
  ASSERT_NE(MessageWindow1::Current(), nullptr);
  EXPECT_EQ(MessageWindow1::Current()->Lines().size(), 2);
  SendMouse(parent.button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton);
  EXPECT_EQ(MessageWindow1::Current(), nullptr);

  // Leaving with the right button held hides it too, and sends no release.
  SendMouse(parent.button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
            Qt::RightButton);
  ASSERT_NE(MessageWindow1::Current(), nullptr);
  parent.commands.clear();
  SendMouse(parent.button, QEvent::MouseMove, QPoint(-3, 5), Qt::NoButton, Qt::RightButton);
  EXPECT_EQ(MessageWindow1::Current(), nullptr);
  EXPECT_EQ(parent.commands, (std::vector<std::pair<int, int>>{{0x1234, 3}}));
}

TEST(DrawButtonTest, HoveringShowsTheBalloonTextAsATooltip) {
  ButtonClasses classes;
  Parent parent;
  const std::string help = "[Function]\n  カメラを移動させる";
  parent.button->SetButtonHelp(help);
  QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), parent.button->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(parent.button, &hover);
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text().toStdString(), help);
  // The right button's balloon takes its place.
  SendMouse(parent.button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
            Qt::RightButton);
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_NE(MessageWindow1::Current(), nullptr);
  SendMouse(parent.button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton);
}

TEST(DrawButtonDeathTest, MisuseEndsTheProgram) {
  TempFolder folder;
  CurrentDirectory here(folder.Path());
  EXPECT_EXIT(
      {
        CurrentDirectory inside(folder.Path());
        ButtonClasses classes;
        Parent parent;
        parent.button->SetButtonState(3);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_NE(TempFolder::Read(folder.File("ErrorLog.err")).find("DrawButton1"), std::string::npos);
  EXPECT_EXIT(
      {
        CurrentDirectory inside(folder.Path());
        ButtonClasses classes;
        Parent parent;
        DrawButton1::SetButtonStateById(&parent.window, 999, 0);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EXIT(
      {
        EnsureTestApplication();
        QWidget window;
        DrawButton1 button(&window);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
