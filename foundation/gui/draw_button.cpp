#include "foundation/gui/draw_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "foundation/class_startup.h"
#include "foundation/gui/message_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/window_handles.h"
#include "foundation/hwnd_database.h"
#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "DrawButton1";

ClassStartUp& Counter() {
  static ClassStartUp counter(kTag, ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Buttons() {
  static HWNDDataBase2 buttons;
  return buttons;
}

// One set for all buttons: only one button can hold the mouse.
bool left_held = false;
bool right_held = false;
bool captured = false;
DrawButton1* capturing = nullptr;

}  // namespace

void DrawButton1::StartUp() {
  if (Counter().StartUp()) {
    Buttons().Init(sizeof(Record));
    left_held = right_held = captured = false;
    capturing = nullptr;
  }
}

void DrawButton1::ShutDown() {
  if (Counter().ShutDown()) Buttons().Release();
}

bool DrawButton1::Started() { return Counter().Started(); }
bool DrawButton1::LeftHeld() { return left_held; }
bool DrawButton1::RightHeld() { return right_held; }
bool DrawButton1::Captured() { return captured; }

DrawButton1::DrawButton1(QWidget* parent) : QWidget(parent) {
  Counter().Require("初期化されていないのにボタンを作ろうとした");
  setObjectName(QStringLiteral("DrawButton_drawbutton1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Moves without a button held must arrive too: they tell the button the mouse has left.
  setMouseTracking(true);
  handle_ = WindowHandles::Of(this);
  const Record record{0, 0, WindowHandles::Of(parent), 0};
  Buttons().Add(&record, sizeof record, handle_);
}

DrawButton1::~DrawButton1() {
  Counter().Require("初期化されていないのにウィンドウを破棄しようとした");
  if (capturing == this) ReleaseCapture();
  Buttons().Delete(handle_);
}

DrawButton1::Record DrawButton1::Fetch() const {
  Record record;
  Buttons().Fetch(&record, sizeof record, handle_);
  return record;
}

void DrawButton1::Store(const Record& record) { Buttons().Update(&record, sizeof record, handle_); }

void DrawButton1::SetButtonBitmap(const std::string& bitmap_name, int32_t state_count,
                                  uint32_t command_id) {
  Counter().Require("初期化されていないのにビットマップを設定しようとした");
  SetButtonStrip(NamedBitmap(bitmap_name), state_count, command_id);
}

void DrawButton1::SetButtonStrip(const QPixmap& strip, int32_t state_count, uint32_t command_id) {
  Counter().Require("初期化されていないのにビットマップを設定しようとした");
  strip_ = strip;
  Record record = Fetch();
  record.state_count = state_count;
  record.command_id = command_id;
  Store(record);
  update();
}

void DrawButton1::SetButtonHelp(const std::string& text) {
  help_ = text;
  // Hovering shows the same text as a tooltip: users look for help there first, while the
  // right button's balloon stays for those who know it.
  setToolTip(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void DrawButton1::SetButtonState(int32_t state) {
  Record record = Fetch();
  SUITE_CHECK(state >= 0 && state < record.state_count, kTag,
              "設定された段回数をこえてボタンの状態を設定しようとした");
  record.state = state;
  Store(record);
  update();
}

DrawButton1* DrawButton1::FindById(QWidget* parent, uint32_t command_id) {
  if (!Started()) return nullptr;
  const uint32_t parent_handle = WindowHandles::Of(parent);
  Record record;
  for (int32_t i = 0; i < Buttons().Count(); ++i) {
    const uint32_t handle = Buttons().FetchAt(&record, sizeof record, i);
    if (record.parent == parent_handle && record.command_id == command_id) {
      return static_cast<DrawButton1*>(WindowHandles::Find(handle));
    }
  }
  return nullptr;
}

void DrawButton1::SetButtonStateById(QWidget* parent, uint32_t command_id, int32_t state) {
  DrawButton1* button = FindById(parent, command_id);
  SUITE_CHECK(button != nullptr, kTag, "登録されていないリソースIDでアクセスしようとした");
  if (button != nullptr) button->SetButtonState(state);
}

void DrawButton1::ButtonState(int32_t& state, int32_t& state_count) const {
  const Record record = Fetch();
  state = record.state;
  state_count = record.state_count;
}

int32_t DrawButton1::State() const { return Fetch().state; }
uint32_t DrawButton1::CommandId() const { return Fetch().command_id; }

void DrawButton1::Send(int code) {
  Counter().Require("初期化されていないのにメッセージを送ろうとした");
  emit Command(int(Fetch().command_id & 0xFFFF), code, this);
  // A receiver that opened a modal dialog must get the mouse: a held grab would lock it out.
  if (capturing == this && QApplication::activeModalWidget() != nullptr &&
      QApplication::activeModalWidget() != window()) {
    ReleaseCapture();
  }
}

void DrawButton1::Capture() {
  if (capturing != nullptr && capturing != this) capturing->ReleaseCapture();
  grabMouse();
  capturing = this;
  captured = true;
}

void DrawButton1::ReleaseCapture() {
  if (capturing == this) releaseMouse();
  capturing = nullptr;
  captured = false;
}

QRect DrawButton1::ScreenRect() const { return QRect(mapToGlobal(QPoint(0, 0)), size()); }

void DrawButton1::enterEvent(QEnterEvent* event) {
  Send(kEntered);
  Capture();
  QWidget::enterEvent(event);
}

void DrawButton1::mouseMoveEvent(QMouseEvent* event) {
  if (!captured || capturing != this) return;
  if (rect().contains(event->position().toPoint())) return;
  if (left_held) {
    left_held = false;
    Send(kReleased);
  } else if (right_held) {
    right_held = false;
    MessageWindow1::HideBalloon();
  }
  Send(kLeft);
  ReleaseCapture();
}

void DrawButton1::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    left_held = true;
    Send(kPressed);
  } else if (event->button() == Qt::RightButton) {
    right_held = true;
    if (!help_.empty()) {
      Counter().Require("初期化されていないのにメッセージを表示しようとした");
      QToolTip::hideText();
      MessageWindow1::ShowBalloon(this, help_, ScreenRect());
    }
  }
}

void DrawButton1::mouseReleaseEvent(QMouseEvent* event) {
  // The platform's implicit grab brings the release here even after the button let the
  // mouse go; a release away from a button that no longer holds the mouse is not its own.
  if (capturing != this && !rect().contains(event->position().toPoint())) return;
  if (event->button() == Qt::LeftButton) {
    left_held = false;
    Send(kReleased);
  } else if (event->button() == Qt::RightButton) {
    right_held = false;
    if (!help_.empty()) {
      Counter().Require("初期化されていないのにメッセージを非表示しようとした");
      MessageWindow1::HideBalloon();
    }
  }
}

void DrawButton1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  if (strip_.isNull()) return;
  painter.drawPixmap(QPoint(0, 0), strip_, QRect(State() * width(), 0, width(), height()));
}

void DrawButton1::hideEvent(QHideEvent* event) {
  if (capturing == this) ReleaseCapture();
  QWidget::hideEvent(event);
}

void DrawButton1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && capturing == this) {
    ReleaseCapture();
  }
  QWidget::changeEvent(event);
}
