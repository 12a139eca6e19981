#include "course/gui/course_edit_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"

CourseEditView::CourseEditView(QWidget* parent, CourseData1* course, const int32_t* tool)
    : QWidget(parent), course_(course), tool_(tool) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

void CourseEditView::RequestFit() {
  showing_fit_ = true;
  if (width() > 0 && height() > 0 && !ViewSurface().Empty()) {
    Fit();
    fit_pending_ = false;
    Redraw();
  } else {
    fit_pending_ = true;
  }
}

void CourseEditView::resizeEvent(QResizeEvent*) {
  Resized(width(), height());
  // A view first laid out at another size (the window's placement, a new arrangement) would
  // otherwise keep a fit made for that size, with the course running off its edges.
  if ((fit_pending_ || showing_fit_) && width() > 0 && height() > 0) {
    Fit();
    fit_pending_ = false;
  }
  Redraw();
}

void CourseEditView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  PaintSurface(painter, ViewSurface());
  painter.setPen(QColor(40, 48, 64));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(GothicFont(12));
  painter.setPen(QColor(150, 170, 200));
  painter.drawText(QPoint(6, 15), Caption());
  PaintOverlay(painter);
}

void CourseEditView::PaintOverlay(QPainter&) {}

ToolEffect CourseEditView::Wheel(int32_t, int32_t, int32_t) { return kNothingChanged; }

void CourseEditView::wheelEvent(QWheelEvent* event) {
  // A notch is 120 eighths of a degree; finer wheels and touch pads send parts of one.
  wheel_remainder_ += event->angleDelta().y();
  const int steps = wheel_remainder_ / 120;
  wheel_remainder_ -= steps * 120;
  event->accept();
  if (steps == 0 || Dragging()) return;
  const QPoint at = event->position().toPoint();
  Report(Wheel(at.x(), at.y(), steps));
}

void CourseEditView::Report(ToolEffect effect) {
  if (effect == kNothingChanged) return;
  if (effect == kViewChanged) {
    showing_fit_ = false;
    Redraw();
  }
  emit Edited(effect);
}

void CourseEditView::mousePressEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if ((button != Qt::LeftButton && button != Qt::RightButton) || Dragging()) return;
  drag_button_ = button;
  grabMouse();
  last_position_ = event->position().toPoint();
  ToolInput input;
  input.tool = *tool_;
  input.button = button == Qt::LeftButton ? kLeftMouse : kRightMouse;
  input.x = last_position_.x();
  input.y = last_position_.y();
  Report(Click(input));
}

void CourseEditView::mouseMoveEvent(QMouseEvent* event) {
  if (!Dragging()) return;
  if (!cursor_hidden_) {
    cursor_before_drag_ = QCursor::pos();
    setCursor(Qt::BlankCursor);
    cursor_hidden_ = true;
  }
  const QPoint position = event->position().toPoint();
  ToolInput input;
  input.tool = *tool_;
  input.button = drag_button_ == Qt::LeftButton ? kLeftMouse : kRightMouse;
  input.x = position.x();
  input.y = position.y();
  input.dx = position.x() - last_position_.x();
  input.dy = position.y() - last_position_.y();
  last_position_ = position;
  if (drag_button_ == Qt::LeftButton && (input.dx != 0 || input.dy != 0)) Report(Drag(input));
}

void CourseEditView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != drag_button_) return;
  drag_button_ = Qt::NoButton;
  releaseMouse();
  if (cursor_hidden_) {
    unsetCursor();
    QCursor::setPos(cursor_before_drag_);
    cursor_hidden_ = false;
  }
  emit ActionFinished();
}
