// The common part of the course designer's editing views: the mouse protocol (a button
// down captures the mouse and clicks the tool; moves with the left button held hide the
// cursor and drag the tool by the pixel deltas; the release lets the mouse go and puts the
// cursor back where the drag started) and showing the view's 16-bit surface.
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>

#include "course/course_data.h"
#include "course/gui/tool_input.h"
#include "foundation/surface16.h"

class CourseEditView : public QWidget {
  Q_OBJECT

 public:
  // `tool` is the tool bar's current tool, read at every mouse event.
  CourseEditView(QWidget* parent, CourseData1* course, const int32_t* tool);

  // Draws the course into the surface and repaints.
  virtual void Redraw() = 0;
  // Fits the camera to the course now, or when the view next gets a size. The fit is kept
  // through later changes of the view's size until the user moves or zooms its camera.
  void RequestFit();
  bool ShowsFit() const { return showing_fit_; }
  virtual const Surface16& ViewSurface() const = 0;
  virtual QString Caption() const = 0;

  bool Dragging() const { return drag_button_ != Qt::NoButton; }
  bool CursorHidden() const { return cursor_hidden_; }

 signals:
  // A click or drag changed something (a ToolEffect).
  void Edited(int effect);
  // The button was let go: the click or the drag since its press is over.
  void ActionFinished();

 protected:
  virtual ToolEffect Click(const ToolInput& input) = 0;
  virtual ToolEffect Drag(const ToolInput& input) = 0;
  // The mouse wheel at (x, y), `steps` notches away from the user (negative: towards); zooms
  // around the pointer where the view can.
  virtual ToolEffect Wheel(int32_t x, int32_t y, int32_t steps);
  virtual void Resized(int32_t width, int32_t height) = 0;
  virtual void Fit() = 0;
  // Texts drawn over the surface (y down, widget coordinates).
  virtual void PaintOverlay(QPainter& painter);

  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

  CourseData1* course_;
  const int32_t* tool_;

 private:
  void Report(ToolEffect effect);

  Qt::MouseButton drag_button_ = Qt::NoButton;
  bool cursor_hidden_ = false;
  QPoint last_position_;
  QPoint cursor_before_drag_;
  bool fit_pending_ = false;
  bool showing_fit_ = false;
  int wheel_remainder_ = 0;  // eighths of a degree short of a whole notch (fine wheels)
};
