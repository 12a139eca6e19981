// The common part of the stage views: the window shows its 16-bit surface below an optional
// button bar, and runs the mouse protocol of MouseTracker: a press captures the mouse; a move
// of more than 5 pixels starts a drag that hides the cursor and puts it at the centre of the
// desktop, each further move applying one drag step and putting it back; the release shows
// the cursor where it was, or, without a drag, hands a click to the editing tool. A drag
// that changed the stage ends with exactly one ViewChange::kEditFinished. The mouse wheel
// zooms about the pointer.
#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <cstdint>

#include "foundation/surface16.h"
#include "stage/gui/stage_view_context.h"
#include "stage/views/view_input.h"

class StageViewWindow : public QWidget {
  Q_OBJECT

 public:
  // What a view shows over its picture while the stage has no road.
  static constexpr const char* kNoRoadText =
      "路面データがありません。\n(.pat)または(.ste)ファイルをロードしてください";
  static constexpr QColor kNoRoadTextColour{210, 210, 210};

  StageViewWindow(QWidget* parent, StageViewContext* context, int32_t kind, int bar_height);

  int32_t Kind() const { return kind_; }
  // Draws into the surface, then repaints.
  void Redraw();
  // The items of the last drawing that a click can hit (view pixels, below the bar).
  const std::vector<HitRecord>& Hits() const { return picture_.hits; }
  const WirePicture& LastPicture() const { return picture_; }
  virtual const Surface16* ViewSurface() const = 0;
  bool Dragging() const { return tracker_.Dragging(); }
  bool CursorHidden() const { return cursor_hidden_; }
  // Where the pointer rests between drag steps (view pixels): the desktop centre when the
  // platform puts the cursor back there, else where the last step ended.
  QPoint DragReference() const { return reference_; }
  int BarHeight() const { return bar_height_; }

  // The mouse protocol, in view pixels (below the bar), for the window's events and tests.
  void PressAt(int32_t button_bit, QPoint at, bool shift);
  void MoveTo(QPoint at);
  void ReleaseButton(int32_t button_bit);

 protected:
  // Draws the view into its surface (the picture's hits are filled for picking).
  virtual void Draw() = 0;
  // The surface follows the window's size (below the bar).
  virtual void Resized(int32_t width, int32_t height) = 0;
  // One drag step of the active tool: true when the stage changed (the view has then
  // redrawn everything), false when only this view's camera moved or nothing did.
  virtual bool DragStep(int32_t buttons, int32_t dx, int32_t dy, bool* camera_moved) = 0;
  virtual void Wheel(double notches, QPoint at) = 0;

  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

  StageViewContext* context_;
  WirePicture picture_;

 private:
  void EndDrag();
  void Click(int32_t button_bit, bool shift, QPoint at);

  int32_t kind_;
  int bar_height_;
  MouseTracker tracker_;
  bool cursor_hidden_ = false;
  bool warps_ = false;  // the platform moved the cursor to the centre
  QPoint cursor_before_drag_;
  QPoint centre_;  // global
  QPoint reference_;
  bool edited_ = false;
};
