#include "foundation/gui/about_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "foundation/gui/named_resources.h"
#include "foundation/gui/startup_picture.h"
#include "foundation/string_bank.h"

namespace {

AboutWindow1* showing = nullptr;

QFont TextFont() { return GothicFont(14); }

}  // namespace

AboutWindow1* AboutWindow1::Show(QWidget* owner, int32_t height, const std::string& bitmap_name,
                                 int32_t width, const std::string& text,
                                 uint32_t text_colour) {
  if (showing != nullptr) return nullptr;
  showing = new AboutWindow1(owner, height, bitmap_name, width, text, text_colour);
  showing->show();
  return showing;
}

AboutWindow1* AboutWindow1::Current() { return showing; }

AboutWindow1::AboutWindow1(QWidget* owner, int32_t height, const std::string& bitmap_name,
                           int32_t width, const std::string& text, uint32_t text_colour)
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      width_(width),
      height_(height),
      text_colour_(ColourFromBgr(text_colour)),
      scroll_(height + 10),
      picture_(NamedBitmap(bitmap_name)),
      frame_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
  setObjectName(QStringLiteral("AboutWindow_aboutwnd1"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("バージョン情報"));
  StringBank1::StartUp();
  text_id_ = StringBank1::AddString(text.c_str());
  setFixedSize(width, height + 55);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  move(desktop.left() + (desktop.width() - width + 55) / 2,
       desktop.top() + (desktop.height() - height) / 2);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setProperty("control_id", kOkCommand);
  ok_->setGeometry(width / 2 - 50, height + 25, 100, 20);
  connect(ok_, &QPushButton::clicked, this, &QWidget::close);
  ComposeFrame();
  update();
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &AboutWindow1::Tick);
  timer_->start(100);
}

AboutWindow1::~AboutWindow1() {
  StringBank1::RemoveString(text_id_);
  StringBank1::ShutDown();
  if (showing == this) showing = nullptr;
}

QStringList AboutWindow1::Lines() const {
  return QString::fromUtf8(StringBank1::StringText(text_id_)).split(QLatin1Char('\n'));
}

bool AboutWindow1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) active_ = true;
  if (event->type() == QEvent::WindowDeactivate) active_ = false;
  return QWidget::event(event);
}

void AboutWindow1::Tick() {
  if (!active_) return;
  ComposeFrame();
  update();
}

void AboutWindow1::ComposeFrame() {
  QPainter painter(&frame_);
  painter.fillRect(frame_.rect(), Qt::black);
  if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
  painter.setFont(TextFont());
  painter.setPen(text_colour_);
  const QFontMetrics metrics(painter.font());
  const int step = metrics.height() + metrics.leading();
  int y = scroll_;
  for (const QString& line : Lines()) {
    const int x = width_ / 2 - metrics.horizontalAdvance(line) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), line);
    y += step;
  }
  if (y < -10) {
    scroll_ = height_ + 10;
  } else {
    --scroll_;
  }
}

void AboutWindow1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.drawImage(0, 0, frame_);
  painter.setPen(palette().windowText().color());
  painter.setFont(TextFont());
  painter.drawText(QRect(0, height_ + 5, width_ - 15, 20), Qt::AlignRight | Qt::AlignTop,
                   StartUpPicture1::VersionLine());
}
