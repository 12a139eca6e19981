#include "packer/gui/picture_settings_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "foundation/gui/named_resources.h"
#include "foundation/gui/value_edit_window.h"
#include "pictures/gui/picture_color_select_wnd.h"

namespace {

QPushButton* CommandButton(QWidget* parent, const QString& text, int id, const QRect& at) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(text);
  button->setProperty("control_id", id);
  button->setGeometry(at);
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(QWidget* parent, const QString& text, const QRect& at) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(at);
  return label;
}

}  // namespace

void PictureSettingsDialog::DelayLimits(int32_t delay, int32_t* minimum, int32_t* maximum,
                                        int32_t* steps) {
  *minimum = std::min(0, delay);
  *maximum = std::max(10000, delay);
  const int64_t span = int64_t{*maximum} - *minimum;
  *steps =
      static_cast<int32_t>(std::clamp<int64_t>(span / 10, 1, ValueEditWindow1::kMaximumSteps - 1));
}

PictureSettingsDialog::PictureSettingsDialog(QWidget* owner, int32_t picture_id, int32_t delay,
                                             int32_t transparent_colour)
    : QDialog(owner),
      delay_(delay),
      transparent_(transparent_colour < 0 ? -1 : transparent_colour) {
  setObjectName(QStringLiteral("PICSET_DIALOG"));
  setWindowTitle(QStringLiteral("アニメーション設定ダイアログ"));
  setFont(GothicFont(13));
  setFixedSize(320, 205);

  auto* group = new QGroupBox(QStringLiteral("抜き色の設定"), this);
  group->setGeometry(10, 10, 185, 190);
  colour_window_ = new PictureColorSelectWnd1(this);
  colour_window_->setProperty("control_id", kColourSelectId);
  colour_window_->setGeometry(55, 50, 80, 81);
  colour_window_->ShowId(picture_id);
  colour_window_->SetTransparentColour(transparent_);
  Label(this, QStringLiteral("抜きたい色の上で左クリック"), QRect(18, 145, 168, 18));
  Label(this, QStringLiteral("キャンセル時は右クリック"), QRect(18, 167, 168, 18));
  connect(colour_window_, &PictureColorSelectWnd1::Command, this,
          [this](int code, PictureColorSelectWnd1*) { OnColourCommand(code); });

  Label(this, QStringLiteral("遅延速度(ms)"), QRect(200, 18, 110, 18));
  ValueEditParameters parameters;
  parameters.kind = ValueEditWindow1::kWhole;
  DelayLimits(delay, &parameters.whole_minimum, &parameters.whole_maximum, &parameters.steps);
  parameters.whole_value = delay;
  delay_edit_ = new ValueEditWindow1(this, parameters, QRect(200, 40, 100, 20));

  ok_ = CommandButton(this, QStringLiteral("OK"), kOkId, QRect(220, 140, 80, 25));
  cancel_ = CommandButton(this, QStringLiteral("Cancel"), kCancelId, QRect(220, 170, 80, 25));
  connect(ok_, &QPushButton::clicked, this, &PictureSettingsDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void PictureSettingsDialog::OnColourCommand(int code) {
  if (code == PictureColorSelectWnd1::kPicked) {
    if (colour_window_->PickedColour() >= 0) transparent_ = colour_window_->PickedColour();
  } else if (code == PictureColorSelectWnd1::kCancelled) {
    transparent_ = -1;
  }
  colour_window_->SetTransparentColour(transparent_);
}

void PictureSettingsDialog::OnOk() {
  delay_ = delay_edit_->WholeValue();
  accept();
}
