#include "foundation/gui/message_window.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include "tests/foundation/gui/gui_test_app.h"

namespace {

TEST(BalloonPlacementTest, GoesTowardsTheCentreFromEachQuarter) {
  const QRect desktop(0, 0, 1000, 800);
  const QSize size(120, 50);
  // Upper left: right of and below the button.
  EXPECT_EQ(MessageWindow1::BalloonPosition(QRect(100, 100, 22, 22), size, desktop),
            QPoint(127, 127));
  // Upper right: left of and below.
  EXPECT_EQ(MessageWindow1::BalloonPosition(QRect(800, 100, 22, 22), size, desktop),
            QPoint(800 - 5 - 120, 127));
  // Lower left: right of and above.
  EXPECT_EQ(MessageWindow1::BalloonPosition(QRect(100, 700, 22, 22), size, desktop),
            QPoint(127, 700 - 5 - 50));
  // Lower right corner: above and to the left.
  EXPECT_EQ(MessageWindow1::BalloonPosition(QRect(970, 770, 22, 22), size, desktop),
            QPoint(970 - 5 - 120, 770 - 5 - 50));
  // A second screen to the right has its own centre.
  EXPECT_EQ(MessageWindow1::BalloonPosition(QRect(1100, 100, 22, 22), size,
                                            QRect(1000, 0, 1000, 800)),
            QPoint(1127, 127));
}

TEST(BalloonTest, MeasuresItsLinesInTheGothicFont) {
  EnsureTestApplication();
  const QFont font = MessageWindow1::BalloonFont();
  EXPECT_EQ(font.pixelSize(), 12);
  const QFontMetrics metrics(font);
  const std::string text = "[Function]\n  カメラを移動する\n[Operate]";
  const QSize size = MessageWindow1::BalloonSize(text);
  const int widest = std::max(metrics.horizontalAdvance(QStringLiteral("  カメラを移動する")),
                              metrics.horizontalAdvance(QStringLiteral("[Function]")));
  EXPECT_EQ(size.width(), widest + 20);
  EXPECT_EQ(size.height(), 3 * (metrics.height() + metrics.leading()) + 20);
}

TEST(BalloonTest, OneBalloonAtATimePlacedBesideTheRectangle) {
  EnsureTestApplication();
  MessageWindow1::StartUp();
  QWidget owner;
  MessageWindow1::ShowBalloon(&owner, "one", QRect(10, 10, 22, 22));
  MessageWindow1* first = MessageWindow1::Current();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->objectName(), QStringLiteral("MessageWindow1"));
  EXPECT_EQ(first->pos(), QPoint(37, 37));
  MessageWindow1::ShowBalloon(&owner, "two\nlines", QRect(10, 10, 22, 22));
  ASSERT_NE(MessageWindow1::Current(), nullptr);
  EXPECT_NE(MessageWindow1::Current(), first);
  EXPECT_EQ(MessageWindow1::Current()->Lines().size(), 2);
  EXPECT_TRUE(MessageWindow1::Current()->isVisible());
  MessageWindow1::HideBalloon();
  EXPECT_EQ(MessageWindow1::Current(), nullptr);
  MessageWindow1::ShutDown();
}

}  // namespace
