// One picture stretched over the checkerboard, on which the user picks a colour with the
// eyedropper: a left click takes the colour of the picture pixel under the pointer and
// reports kPicked, a right click reports kCancelled. Pixels of the transparent colour set by
// the owner are left out, so the checkerboard marks them.
#pragma once

#include <QWidget>
#include <cstdint>

#include "foundation/surface16.h"

class PictureColorSelectWnd1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPicked = 0x400;
  static constexpr int kCancelled = 0x401;

  static void StartUp();
  static void ShutDown();
  static bool Started();

  explicit PictureColorSelectWnd1(QWidget* parent);
  ~PictureColorSelectWnd1() override;

  // Shows a registered picture (taking a reference); -1 shows nothing.
  void ShowId(int32_t id);
  int32_t PictureId() const { return picture_id_; }
  // The colour marked as transparent, a 5-5-5 word, or -1 for none.
  void SetTransparentColour(int32_t colour);
  int32_t TransparentColour() const { return transparent_; }
  // The colour picked by the last left click (5-5-5 word), -1 before any.
  int32_t PickedColour() const { return picked_; }
  const Surface16& Surface() const { return surface_; }
  void Redraw();

 signals:
  // kPicked or kCancelled.
  void Command(int code, PictureColorSelectWnd1* window);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Surface16 surface_;
  int32_t picture_id_ = -1;
  int32_t transparent_ = -1;
  int32_t picked_ = -1;
};
