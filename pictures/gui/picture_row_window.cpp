#include "pictures/gui/picture_row_window.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "foundation/gui/surface_view.h"
#include "pictures/gui/picture_drawing.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

int RoundUpTo4(int value) { return (value + 3) / 4 * 4; }

}  // namespace

PictureRowWindow::PictureRowWindow(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  scroll_->setObjectName(QStringLiteral("SCROLLBAR"));
  path_ = new QLineEdit(this);
  path_->setObjectName(QStringLiteral("EDIT"));
  path_->setReadOnly(true);
  path_->setText(QStringLiteral("??"));
  connect(scroll_, &QScrollBar::valueChanged, this, &PictureRowWindow::Redraw);
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PictureRowWindow::Tick);
  timer_->start(kTickMs);
}

int PictureRowWindow::CellSize() const {
  return std::max(1, height() - kBarHeight - 2 * kSpacing);
}

void PictureRowWindow::resizeEvent(QResizeEvent*) {
  Layout();
  RowChanged();
}

void PictureRowWindow::Layout() {
  laid_out_ = size();
  surface_.Resize(RoundUpTo4(width()), RoundUpTo4(height()));
  const int bar_width = int(width() * 0.7);
  scroll_->setGeometry(0, height() - kBarHeight, bar_width, kBarHeight);
  path_->setGeometry(bar_width, height() - kBarHeight, width() - bar_width, kBarHeight);
}

void PictureRowWindow::RowChanged() {
  // A hidden window gets its resize event only when shown: lay it out for its size now.
  if (laid_out_ != size()) Layout();
  if (selected_ >= Count()) selected_ = -1;
  const int step = CellSize() + kSpacing;
  const int length = kSpacing + Count() * step;
  scroll_->setRange(0, std::max(0, length - width()));
  scroll_->setSingleStep(step);
  scroll_->setPageStep(std::max(step, width()));
  UpdatePathField();
  Redraw();
}

int PictureRowWindow::IndexAt(QPoint point) const {
  if (laid_out_ != size()) const_cast<PictureRowWindow*>(this)->RowChanged();
  if (point.y() < kSpacing || point.y() >= kSpacing + CellSize()) return -1;
  const int step = CellSize() + kSpacing;
  const int x = point.x() + scroll_->value() - kSpacing;
  if (x < 0 || x % step >= CellSize()) return -1;
  const int index = x / step;
  return index < Count() ? index : -1;
}

void PictureRowWindow::SetSelected(int index) {
  if (index < -1 || index >= Count()) index = -1;
  selected_ = index;
  if (index >= 0) {
    const int step = CellSize() + kSpacing;
    const int left = kSpacing + index * step;
    if (left < scroll_->value()) scroll_->setValue(left - kSpacing);
    if (left + CellSize() > scroll_->value() + width()) {
      scroll_->setValue(left + CellSize() + kSpacing - width());
    }
  }
  UpdatePathField();
  Redraw();
  emit SelectionChanged(selected_);
}

void PictureRowWindow::UpdatePathField() {
  if (selected_ < 0) {
    path_->setText(QStringLiteral("??"));
    return;
  }
  // The field holds at most 99 bytes of the path.
  std::string path = PictureBankHighColor1::Path(IdAt(selected_));
  if (path.size() > 99) path.resize(99);
  path_->setText(QString::fromStdString(path));
}

void PictureRowWindow::Tick() {
  clock_ms_ += kTickMs;
  Redraw();
}

void PictureRowWindow::Redraw() {
  if (laid_out_ != size()) {
    RowChanged();
    return;
  }
  if (surface_.Empty()) return;
  picture_drawing::Checkerboard(surface_);
  const int cell = CellSize();
  const int step = cell + kSpacing;
  for (int i = 0; i < Count(); ++i) {
    const QRect rect(kSpacing + i * step - scroll_->value(), kSpacing, cell, cell);
    if (rect.right() < 0) continue;
    if (rect.left() >= width()) break;
    PictureInfo info;
    const uint8_t* pixels = PictureBankHighColor1::Picture(IdAt(i), &info, clock_ms_);
    picture_drawing::StretchPicture(surface_, rect, pixels, info);
    if (i == selected_) {
      picture_drawing::Frame(surface_, rect.adjusted(-2, -2, 2, 2), picture_drawing::kRed, 2);
    } else {
      picture_drawing::Frame(surface_, rect.adjusted(-1, -1, 1, 1), picture_drawing::kGrey, 1);
    }
  }
  update();
}

void PictureRowWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSurface(painter, surface_, QPoint(0, 0),
               QRect(0, 0, width(), std::max(0, height() - kBarHeight)));
}

void PictureRowWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int index = IndexAt(event->position().toPoint());
  if (index >= 0) SetSelected(index);
}

// The accessors lay a hidden window out first, so what they hand out fits its size.
QScrollBar* PictureRowWindow::ScrollBar() const {
  if (laid_out_ != size()) const_cast<PictureRowWindow*>(this)->RowChanged();
  return scroll_;
}

QLineEdit* PictureRowWindow::PathField() const {
  if (laid_out_ != size()) const_cast<PictureRowWindow*>(this)->RowChanged();
  return path_;
}

const Surface16& PictureRowWindow::Surface() const {
  if (laid_out_ != size()) const_cast<PictureRowWindow*>(this)->RowChanged();
  return surface_;
}
