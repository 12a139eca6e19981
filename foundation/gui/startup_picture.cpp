#include "foundation/gui/startup_picture.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "foundation/gui/named_resources.h"

namespace {

StartUpPicture1* showing = nullptr;
constexpr int kFrame = 3;  // the dialog frame on each side

}  // namespace

QColor ColourFromBgr(uint32_t value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QString StartUpPicture1::VersionLine() { return QStringLiteral("Version1.1"); }

QString StartUpPicture1::NoticeLine() {
  return QStringLiteral("コース作成ツール群  ご意見・不具合はサポートまで");
}

StartUpPicture1* StartUpPicture1::Show(const std::string& bitmap_name, uint32_t text_colour,
                                       int32_t width, int32_t height, int32_t time_ms) {
  if (showing != nullptr) return nullptr;
  showing = new StartUpPicture1(bitmap_name, text_colour, width, height, time_ms);
  showing->show();
  showing->raise();
  showing->activateWindow();
  return showing;
}

StartUpPicture1* StartUpPicture1::Current() { return showing; }

StartUpPicture1::StartUpPicture1(const std::string& bitmap_name, uint32_t text_colour,
                                 int32_t width, int32_t height, int32_t time_ms)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(NamedBitmap(bitmap_name)),
      text_colour_(ColourFromBgr(text_colour)),
      picture_width_(width),
      picture_height_(height) {
  setObjectName(QStringLiteral("StartUpPicture_startup1"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QSize size(width + 2 * kFrame, height + 2 * kFrame);
  setFixedSize(size);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  move(desktop.left() + (desktop.width() - width) / 2,
       desktop.top() + (desktop.height() - height) / 2);
  timer_ = new QTimer(this);
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &QWidget::close);
  timer_->start(std::max(0, time_ms));
}

StartUpPicture1::~StartUpPicture1() {
  if (showing == this) showing = nullptr;
}

bool StartUpPicture1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) was_active_ = true;
  // Clicking into another window takes the activation away: the picture goes at once.
  if (event->type() == QEvent::WindowDeactivate && was_active_ && isVisible()) {
    timer_->stop();
    QTimer::singleShot(0, this, &QWidget::close);
  }
  return QWidget::event(event);
}

void StartUpPicture1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The raised dialog frame.
  painter.fillRect(rect(), QColor(212, 208, 200));
  painter.setPen(Qt::white);
  painter.drawLine(0, 0, width() - 1, 0);
  painter.drawLine(0, 0, 0, height() - 1);
  painter.setPen(QColor(64, 64, 64));
  painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
  painter.translate(kFrame, kFrame);
  if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
  painter.setPen(text_colour_);
  painter.setFont(GothicFont(12));
  const QRect area(0, 0, picture_width_ - 15, picture_height_ - 15);
  painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                   VersionLine() + QLatin1Char('\n') + NoticeLine());
}
