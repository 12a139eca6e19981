#include "foundation/gui/value_edit_window.h"

#include <QLineEdit>
#include <cmath>
#include <cstdio>

#include "foundation/class_startup.h"
#include "foundation/gui/up_down_control.h"
#include "foundation/gui/window_handles.h"
#include "foundation/hwnd_database.h"
#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "ValueEditWindow1";
constexpr int kSpinWidth = 20;

ClassStartUp& Counter() {
  static ClassStartUp counter(kTag, ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Windows() {
  static HWNDDataBase2 windows;
  return windows;
}

}  // namespace

void ValueEditWindow1::StartUp() {
  if (Counter().StartUp()) Windows().Init(sizeof(ValueEditParameters));
}

void ValueEditWindow1::ShutDown() {
  if (Counter().ShutDown()) Windows().Release();
}

bool ValueEditWindow1::Started() { return Counter().Started(); }

bool ValueEditWindow1::Valid(const ValueEditParameters& p) {
  if (p.steps <= 0) return false;
  if (p.kind == kWhole) {
    return p.whole_minimum <= p.whole_maximum && p.whole_minimum <= p.whole_value &&
           p.whole_value <= p.whole_maximum;
  }
  if (p.kind == kReal) {
    return p.real_minimum <= p.real_maximum && p.real_minimum <= p.real_value &&
           p.real_value <= p.real_maximum;
  }
  return false;
}

int ValueEditWindow1::PositionOf(const ValueEditParameters& p) {
  // In double precision: (value - minimum) * steps overflows 32 bits for wide ranges.
  double span, offset;
  if (p.kind == kWhole) {
    span = double(p.whole_maximum) - double(p.whole_minimum);
    offset = double(p.whole_value) - double(p.whole_minimum);
  } else {
    span = double(p.real_maximum) - double(p.real_minimum);
    offset = double(p.real_value) - double(p.real_minimum);
  }
  if (span == 0) return 0;
  return int(std::lround(offset * p.steps / span));
}

void ValueEditWindow1::ApplyPosition(ValueEditParameters& p, int position) {
  if (p.kind == kWhole) {
    const double span = double(p.whole_maximum) - double(p.whole_minimum);
    double value = double(p.whole_minimum) + std::round(double(position) * span / p.steps);
    value = std::clamp(value, double(p.whole_minimum), double(p.whole_maximum));
    p.whole_value = int32_t(value);
  } else {
    const double span = double(p.real_maximum) - double(p.real_minimum);
    double value = double(p.real_minimum) + double(position) * span / p.steps;
    value = std::clamp(value, double(p.real_minimum), double(p.real_maximum));
    p.real_value = float(value);
  }
}

QString ValueEditWindow1::Format(const ValueEditParameters& p) {
  char text[64];
  if (p.kind == kWhole) {
    std::snprintf(text, sizeof text, "%d", p.whole_value);
  } else {
    std::snprintf(text, sizeof text, "%f", double(p.real_value));
  }
  return QString::fromLatin1(text);
}

ValueEditWindow1::ValueEditWindow1(QWidget* parent, const ValueEditParameters& parameters,
                                   const QRect& geometry)
    : QWidget(parent), parameters_(parameters) {
  Counter().Require("初期化されていないのにウィンドウを作ろうとした");
  SUITE_CHECK(Valid(parameters), kTag, "ウィンドウ作成パラメータがおかしい");
  SUITE_CHECK(parameters.steps < kMaximumSteps, kTag, "ステップ数が大きすぎてエラーを起こす");
  setObjectName(QStringLiteral("ValueEditWindow_valeditwnd1"));
  setGeometry(geometry);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("EDIT"));
  edit_->setReadOnly(true);
  edit_->setText(Format(parameters_));
  spin_ = new UpDownControl(this, 0, parameters_.steps, PositionOf(parameters_));
  connect(spin_, &UpDownControl::PositionChanged, this, &ValueEditWindow1::OnPosition);
  handle_ = WindowHandles::Of(this);
  Windows().Add(&parameters_, sizeof parameters_, handle_);
  resizeEvent(nullptr);
}

ValueEditWindow1::~ValueEditWindow1() {
  if (Counter().Started()) Windows().Delete(handle_);
}

void ValueEditWindow1::resizeEvent(QResizeEvent*) {
  const int edit_width = std::max(0, width() - kSpinWidth);
  edit_->setGeometry(0, 0, edit_width, height());
  spin_->setGeometry(edit_width, 0, kSpinWidth, height());
}

int ValueEditWindow1::Position() const { return spin_->Position(); }

void ValueEditWindow1::SetPosition(int position) { spin_->SetPosition(position); }

QString ValueEditWindow1::Text() const { return edit_->text(); }

void ValueEditWindow1::OnPosition(int position) {
  ApplyPosition(parameters_, position);
  if (Counter().Started()) Windows().Update(&parameters_, sizeof parameters_, handle_);
  edit_->setText(Format(parameters_));
  emit ValueChanged();
}
