#include "foundation/gui/up_down_control.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

UpDownControl::UpDownControl(QWidget* parent, int minimum, int maximum, int position)
    : QWidget(parent),
      minimum_(std::min(minimum, maximum)),
      maximum_(std::max(minimum, maximum)),
      position_(std::clamp(position, minimum_, maximum_)) {
  setObjectName(QStringLiteral("msctls_updown32"));
  setFocusPolicy(Qt::StrongFocus);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setObjectName(QStringLiteral("UpArrow"));
  down_->setObjectName(QStringLiteral("DownArrow"));
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(60);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, [this] { SetPosition(position_ + 1); });
  connect(down_, &QToolButton::clicked, this, [this] { SetPosition(position_ - 1); });
}

void UpDownControl::SetPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_) return;
  position_ = position;
  emit PositionChanged(position_);
}

void UpDownControl::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      SetPosition(position_ + 1);
      break;
    case Qt::Key_Down:
      SetPosition(position_ - 1);
      break;
    case Qt::Key_PageUp:
      SetPosition(position_ + std::max(1, (maximum_ - minimum_) / 10));
      break;
    case Qt::Key_PageDown:
      SetPosition(position_ - std::max(1, (maximum_ - minimum_) / 10));
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void UpDownControl::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) SetPosition(position_ + steps);
  event->accept();
}
