#include "foundation/gui/message_window.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "foundation/class_startup.h"
#include "foundation/gui/named_resources.h"

namespace {

constexpr const char* kTag = "MessageWindow1";
constexpr int kMargin = 10;
constexpr int kGap = 5;

ClassStartUp& Counter() {
  static ClassStartUp counter(kTag, ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

MessageWindow1* shown = nullptr;

QStringList SplitLines(const std::string& text) {
  return QString::fromUtf8(text.c_str()).split(QLatin1Char('\n'));
}

int LineStep(const QFontMetrics& metrics) { return metrics.height() + metrics.leading(); }

}  // namespace

void MessageWindow1::StartUp() { Counter().StartUp(); }

void MessageWindow1::ShutDown() {
  if (Counter().ShutDown()) HideBalloon();
}

bool MessageWindow1::Started() { return Counter().Started(); }

QFont MessageWindow1::BalloonFont() { return GothicFont(12); }

QSize MessageWindow1::BalloonSize(const std::string& text) {
  const QFontMetrics metrics(BalloonFont());
  int width = 0, height = 0;
  for (const QString& line : SplitLines(text)) {
    width = std::max(width, metrics.horizontalAdvance(line));
    height += LineStep(metrics);
  }
  return QSize(width + 2 * kMargin, height + 2 * kMargin);
}

QPoint MessageWindow1::BalloonPosition(const QRect& explained, const QSize& size,
                                       const QRect& desktop) {
  // QRect's right() and bottom() are the last pixels; the sides here are one past them.
  const int right = explained.left() + explained.width();
  const int bottom = explained.top() + explained.height();
  const int centre_x = (explained.left() + right) / 2;
  const int centre_y = (explained.top() + bottom) / 2;
  const int desktop_centre_x = desktop.left() + desktop.width() / 2;
  const int desktop_centre_y = desktop.top() + desktop.height() / 2;
  const int x = centre_x < desktop_centre_x ? right + kGap : explained.left() - kGap - size.width();
  const int y = centre_y < desktop_centre_y ? bottom + kGap : explained.top() - kGap - size.height();
  return QPoint(x, y);
}

MessageWindow1::MessageWindow1(QWidget* owner, const std::string& text)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      lines_(SplitLines(text)) {
  setObjectName(QStringLiteral("MessageWindow1"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(BalloonFont());
  setFixedSize(BalloonSize(text));
}

MessageWindow1::~MessageWindow1() {
  if (shown == this) shown = nullptr;
}

void MessageWindow1::ShowBalloon(QWidget* owner, const std::string& text,
                                 const QRect& explained) {
  Counter().Require("初期化されていないのにメッセージを表示しようとした");
  HideBalloon();
  shown = new MessageWindow1(owner, text);
  QScreen* screen = QGuiApplication::screenAt(explained.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  shown->move(BalloonPosition(explained, shown->size(), desktop));
  shown->show();
}

void MessageWindow1::HideBalloon() {
  if (shown == nullptr) return;
  MessageWindow1* balloon = shown;
  shown = nullptr;
  balloon->hide();
  balloon->deleteLater();
}

MessageWindow1* MessageWindow1::Current() { return shown; }

void MessageWindow1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(230, 230, 230));
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(BalloonFont());
  const QFontMetrics metrics(painter.font());
  int y = kMargin;
  for (const QString& line : lines_) {
    painter.drawText(QPoint(kMargin, y + metrics.ascent()), line);
    y += LineStep(metrics);
  }
}
