#include "stage/gui/divset_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr int32_t kPaneButtonId = 1150;
constexpr int32_t kKindButtonId = 1142;
constexpr int32_t kOkId = 1147;
constexpr int32_t kCancelId = 1148;
constexpr const char* kKindTexts[kPaneKindCount] = {"TOP VIEW", "SIDE VIEW", "FRONT VIEW",
                                                    "PERS VIEW", "PAT VIEW"};
// The pane buttons stand as the panes do on screen, inside a picture of the view area.
constexpr int kPaneLeft = 22, kPaneTop = 40, kPaneWidth = 96, kPaneHeight = 60, kPaneGap = 6;

void Identify(QAbstractButton* button, int32_t id) {
  button->setObjectName(QStringLiteral("Control%1").arg(id));
  button->setProperty("id", id);
}
}  // namespace

DivsetDialog::DivsetDialog(const PaneKinds& panes, QWidget* owner) : QDialog(owner), panes_(panes) {
  setObjectName(QStringLiteral("DIVSET_DIALOG"));
  setWindowTitle(QStringLiteral("分割画面設定ダイアログ"));
  setFixedSize(390, 222);

  auto* label = new QLabel(QStringLiteral("設定する画面をクリックしてください"), this);
  label->setGeometry(16, 12, 220, 20);
  for (int32_t pane = 0; pane < 4; ++pane) {
    auto* button = new QPushButton(this);
    Identify(button, kPaneButtonId + pane);
    button->setGeometry(kPaneLeft + (pane % 2) * (kPaneWidth + kPaneGap),
                        kPaneTop + (pane / 2) * (kPaneHeight + kPaneGap), kPaneWidth, kPaneHeight);
    connect(button, &QPushButton::clicked, this, [this, pane] { ChoosePane(pane); });
    pane_buttons_[static_cast<size_t>(pane)] = button;
  }

  auto* group = new QGroupBox(QStringLiteral("表示するビュー"), this);
  group->setGeometry(240, 30, 134, 146);
  auto* radios = new QButtonGroup(this);
  for (int32_t kind = 0; kind < kPaneKindCount; ++kind) {
    auto* radio = new QRadioButton(QString::fromLatin1(kKindTexts[kind]), group);
    Identify(radio, kKindButtonId + kind);
    radio->setGeometry(12, 22 + kind * 24, 116, 20);
    radios->addButton(radio, kind);
    kind_buttons_[static_cast<size_t>(kind)] = radio;
  }
  connect(radios, &QButtonGroup::idClicked, this, [this](int kind) { ChooseKind(kind); });

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  Identify(ok_, kOkId);
  ok_->setGeometry(190, 186, 88, 24);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  Identify(cancel_, kCancelId);
  cancel_->setGeometry(286, 186, 88, 24);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ShowPanes();
}

QAbstractButton* DivsetDialog::Control(int32_t id) const {
  return findChild<QAbstractButton*>(QStringLiteral("Control%1").arg(id));
}

void DivsetDialog::ChoosePane(int32_t pane) {
  if (pane < 0 || pane >= 4) return;
  current_ = pane;
  ShowPanes();
}

void DivsetDialog::ChooseKind(int32_t kind) {
  panes_ = ChooseSplitKind(panes_, current_, kind);
  ShowPanes();
}

void DivsetDialog::ShowPanes() {
  for (size_t pane = 0; pane < pane_buttons_.size(); ++pane) {
    pane_buttons_[pane]->setText(QString::fromLatin1(SplitKindName(panes_[pane])));
  }
  const int32_t kind = panes_[static_cast<size_t>(current_)];
  if (kind >= 0 && kind < kPaneKindCount)
    kind_buttons_[static_cast<size_t>(kind)]->setChecked(true);
  update();
}

void DivsetDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  // The view area the panes stand for, and the frame of the current pane.
  const QRect area(kPaneLeft - 8, kPaneTop - 8, 2 * kPaneWidth + kPaneGap + 16,
                   2 * kPaneHeight + kPaneGap + 16);
  painter.fillRect(area, QColor(24, 28, 44));
  const QRect current =
      pane_buttons_[static_cast<size_t>(current_)]->geometry().adjusted(-4, -4, 4, 4);
  painter.setPen(QPen(QColor(220, 30, 30), 3));
  painter.drawRect(current);
}
