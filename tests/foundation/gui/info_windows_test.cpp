#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

#include "foundation/gui/about_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/startup_picture.h"
#include "foundation/gui/text_window.h"
#include "foundation/shift_jis.h"
#include "tests/foundation/gui/gui_test_app.h"

namespace {

// Antialiased text seldom hits its colour exactly.
bool Near(QRgb pixel, const QColor& colour) {
  return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
             std::abs(qBlue(pixel) - colour.blue()) <
         60;
}

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(StartUpPictureTest, CentredOnceAndClosedByDeactivation) {
  EnsureTestApplication();
  StartUpPicture1* picture = StartUpPicture1::Show("LOGO_BMP", 0x003663, 512, 256, 60000);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->objectName(), QStringLiteral("StartUpPicture_startup1"));
  EXPECT_EQ(StartUpPicture1::Show("LOGO_BMP", 0x003663, 512, 256, 60000), nullptr);
  const QRect desktop = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(picture->pos(), QPoint((desktop.width() - 512) / 2, (desktop.height() - 256) / 2));
  EXPECT_EQ(picture->size(), QSize(518, 262));

  // The version line is drawn in the given colour near the lower right.
  const QImage shown = picture->grab().toImage();
  bool version_colour_found = false;
  for (int y = 200; y < 250 && !version_colour_found; ++y) {
    for (int x = 350; x < 500; ++x) {
      if (Near(shown.pixel(x, y), QColor(0x63, 0x36, 0x00))) version_colour_found = true;
    }
  }
  EXPECT_TRUE(version_colour_found);

  SendActivation(picture, true);
  SendActivation(picture, false);
  Settle();
  EXPECT_EQ(StartUpPicture1::Current(), nullptr);
  EXPECT_NE(StartUpPicture1::Show("LOGO_BMP", 0, 512, 256, 60000), nullptr);
  StartUpPicture1::Current()->close();
  Settle();
}

TEST(StartUpPictureTest, ClosesWhenItsTimeIsUp) {
  EnsureTestApplication();
  ASSERT_NE(StartUpPicture1::Show("LOGO_BMP", 0x003663, 64, 32, 20), nullptr);
  QElapsedTimer waited;
  waited.start();
  while (StartUpPicture1::Showing() && waited.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_FALSE(StartUpPicture1::Showing());
}

TEST(AboutWindowTest, ScrollsOnlyWhileActiveAndWrapsBelowThePicture) {
  EnsureTestApplication();
  QWidget owner;
  AboutWindow1* about = AboutWindow1::Show(&owner, 100, "LOGO_BMP", 200, "一行目\n二行目", 0x003663);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(AboutWindow1::Show(&owner, 100, "LOGO_BMP", 200, "again", 0), nullptr);
  EXPECT_EQ(about->windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(about->Lines(), QStringList({QStringLiteral("一行目"), QStringLiteral("二行目")}));
  // The first frame was composed at creation.
  EXPECT_EQ(about->ScrollPosition(), 109);
  ASSERT_EQ(about->OkButton()->property("control_id").toInt(), AboutWindow1::kOkCommand);
  EXPECT_EQ(about->OkButton()->geometry(), QRect(50, 125, 100, 20));

  SendActivation(about, false);
  about->Tick();
  about->Tick();
  EXPECT_EQ(about->ScrollPosition(), 109);
  SendActivation(about, true);
  about->Tick();
  EXPECT_EQ(about->ScrollPosition(), 108);
  SendActivation(about, false);
  about->Tick();
  EXPECT_EQ(about->ScrollPosition(), 108);
  SendActivation(about, true);

  // Scroll until the text has gone more than 10 pixels above the top: it starts again at
  // height + 10.
  const QFontMetrics metrics(GothicFont(14));
  const int text_height = 2 * (metrics.height() + metrics.leading());
  int ticks = 0;
  while (about->ScrollPosition() + text_height >= -10 && ticks < 1000) {
    about->Tick();
    ++ticks;
  }
  EXPECT_EQ(about->ScrollPosition() + text_height, -11);
  about->Tick();
  EXPECT_EQ(about->ScrollPosition(), 110);

  about->OkButton()->click();
  Settle();
  EXPECT_EQ(AboutWindow1::Current(), nullptr);
}

TEST(TextWindowTest, KeepsFortyNineBytesOfTextAndDrawsOverItsBackground) {
  EnsureTestApplication();
  TextWindow1::StartUp();
  {
    QWidget work;
    auto* text = new TextWindow1(&work);
    text->setGeometry(37, 0, 100, 22);
    EXPECT_EQ(text->objectName(), QStringLiteral("TextWindow_textwnd1"));
    text->SetText(std::string(60, 'x'));
    EXPECT_EQ(text->Text(), QString(49, QLatin1Char('x')));
    // 25 double-byte characters are 50 bytes: 24 fit, never half of the 25th.
    std::string wide;
    for (int i = 0; i < 25; ++i) wide += "あ";
    text->SetText(wide);
    EXPECT_EQ(text->Text().size(), 24);

    text->SetBackgroundColour(0, 0, 255);
    text->SetTextColour(0x00FFFF);
    text->SetTextPosition(5, 5);
    text->SetText("");
    QImage shown = text->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(50, 11)), QColor(0, 0, 255));
    text->SetText("123.456");
    shown = text->grab().toImage();
    bool yellow = false;
    for (int y = 5; y < 20; ++y) {
      for (int x = 5; x < 60; ++x) yellow |= Near(shown.pixel(x, y), QColor(255, 255, 0));
    }
    EXPECT_TRUE(yellow);

    // A picture is drawn from its top-left corner instead of the colour.
    text->SetBackgroundPicture("GALLERY_TEXTBACK_BMP");
    text->SetText("");
    shown = text->grab().toImage();
    const QImage back = NamedImage("GALLERY_TEXTBACK_BMP");
    EXPECT_EQ(shown.pixel(50, 11), back.pixel(50, 11));
  }
  TextWindow1::ShutDown();
}

}  // namespace
