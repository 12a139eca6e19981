#include "stage/gui/stage_view_window.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>

#include "foundation/gui/surface_view.h"
#include "stage/views/view_tools.h"

StageViewWindow::StageViewWindow(QWidget* parent, StageViewContext* context, int32_t kind,
                                 int bar_height)
    : QWidget(parent), context_(context), kind_(kind), bar_height_(bar_height) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void StageViewWindow::Redraw() {
  Draw();
  update();
}

void StageViewWindow::resizeEvent(QResizeEvent*) {
  Resized(std::max(width(), 0), std::max(height() - bar_height_, 0));
  Redraw();
}

void StageViewWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (bar_height_ > 0) {
    painter.fillRect(QRect(0, 0, width(), bar_height_), palette().window());
  }
  const Surface16* surface = ViewSurface();
  const QRect picture(0, bar_height_, width(), height() - bar_height_);
  if (surface == nullptr || surface->Empty()) {
    painter.fillRect(picture, Qt::black);
  } else {
    PaintSurface(painter, *surface, QPoint(0, bar_height_));
    // A surface rounded to whole words may be narrower or shorter than the window.
    if (surface->Width() < width()) {
      painter.fillRect(
          QRect(surface->Width(), bar_height_, width() - surface->Width(), picture.height()),
          Qt::black);
    }
    if (surface->Height() < picture.height()) {
      painter.fillRect(
          QRect(0, bar_height_ + surface->Height(), width(), picture.height() - surface->Height()),
          Qt::black);
    }
  }
  // With no road a view has nothing to draw: it says where a road comes from instead of
  // showing a black picture.
  if (context_->stage != nullptr && context_->stage->GetTerrain().PartitionCount() == 0) {
    painter.setPen(kNoRoadTextColour);
    painter.drawText(picture.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromUtf8(kNoRoadText));
  }
}

namespace {
int32_t ButtonBit(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButtonBit;
    case Qt::RightButton:
      return kRightButtonBit;
    default:
      return 0;
  }
}
}  // namespace

void StageViewWindow::mousePressEvent(QMouseEvent* event) {
  const int32_t bit = ButtonBit(event->button());
  if (bit == 0) return;
  PressAt(bit, event->position().toPoint() - QPoint(0, bar_height_),
          (event->modifiers() & Qt::ShiftModifier) != 0);
}

void StageViewWindow::mouseMoveEvent(QMouseEvent* event) {
  MoveTo(event->position().toPoint() - QPoint(0, bar_height_));
}

void StageViewWindow::mouseReleaseEvent(QMouseEvent* event) {
  const int32_t bit = ButtonBit(event->button());
  if (bit != 0) ReleaseButton(bit);
}

void StageViewWindow::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0.0) return;
  Wheel(notches, event->position().toPoint() - QPoint(0, bar_height_));
  event->accept();
}

void StageViewWindow::PressAt(int32_t button_bit, QPoint at, bool shift) {
  if (tracker_.Press(button_bit, at.x(), at.y(), shift)) grabMouse();
}

void StageViewWindow::MoveTo(QPoint at) {
  switch (tracker_.MoveTo(at.x(), at.y())) {
    case MouseTracker::Move::kDragStarts: {
      cursor_before_drag_ = QCursor::pos();
      setCursor(Qt::BlankCursor);
      cursor_hidden_ = true;
      edited_ = false;
      QScreen* desktop = screen();
      centre_ = desktop != nullptr ? desktop->geometry().center() : QPoint();
      QCursor::setPos(centre_);
      // Where the platform does not move the cursor, drags use the raw movements.
      warps_ = desktop != nullptr && QCursor::pos() == centre_;
      reference_ = warps_ ? mapFromGlobal(centre_) - QPoint(0, bar_height_) : at;
      tracker_.SetReference(reference_.x(), reference_.y());
      break;
    }
    case MouseTracker::Move::kDragStep: {
      bool camera_moved = false;
      if (DragStep(tracker_.Buttons(), tracker_.DragX(), tracker_.DragY(), &camera_moved)) {
        edited_ = true;
      } else if (camera_moved) {
        Redraw();
      }
      if (warps_) {
        QCursor::setPos(centre_);
      } else {
        reference_ = at;
        tracker_.SetReference(at.x(), at.y());
      }
      break;
    }
    case MouseTracker::Move::kNothing:
      break;
  }
}

void StageViewWindow::ReleaseButton(int32_t button_bit) {
  const int32_t press_x = tracker_.PressX();
  const int32_t press_y = tracker_.PressY();
  const MouseTracker::Release release = tracker_.ReleaseButton(button_bit);
  if (tracker_.Buttons() == 0) releaseMouse();
  switch (release) {
    case MouseTracker::Release::kDragEnds:
      EndDrag();
      break;
    case MouseTracker::Release::kClick:
      Click(tracker_.ClickButton(), tracker_.ClickShift(), QPoint(press_x, press_y));
      break;
    case MouseTracker::Release::kNothing:
      break;
  }
}

void StageViewWindow::EndDrag() {
  if (cursor_hidden_) {
    unsetCursor();
    QCursor::setPos(cursor_before_drag_);
    cursor_hidden_ = false;
  }
  if (edited_) {
    edited_ = false;
    context_->Changed(ViewChange::kEditFinished);
  }
}

void StageViewWindow::Click(int32_t button_bit, bool shift, QPoint at) {
  if (ApplyClick(*context_->stage, context_->Tools(), picture_.hits, at.x(), at.y(), button_bit,
                 shift)) {
    context_->RedrawAll();
    context_->Changed(ViewChange::kSelection);
  }
}
