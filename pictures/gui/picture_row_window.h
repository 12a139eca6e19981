// The layout both picture row windows share: pictures side by side in square cells above a
// scroll bar (bottom 15 pixels, left 70 %) and a read-only field with the selected
// picture's path (right 30 %). A left click selects the picture under the pointer.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "foundation/surface16.h"

class QLineEdit;
class QScrollBar;
class QTimer;

class PictureRowWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBarHeight = 15;
  static constexpr int kSpacing = 4;
  static constexpr int kTickMs = 40;

  // The position of the selected picture in the row, or -1.
  int Selected() const { return selected_; }
  // Selects position `index` (-1 for none) and scrolls it into view.
  void SetSelected(int index);
  // The picture ID at a row position.
  virtual int32_t IdAt(int index) const = 0;
  virtual int Count() const = 0;
  // The row position under a point of the window, or -1.
  int IndexAt(QPoint point) const;
  // Side of the square cells.
  int CellSize() const;
  QScrollBar* ScrollBar() const;
  QLineEdit* PathField() const;
  const Surface16& Surface() const;
  uint32_t Clock() const { return clock_ms_; }
  // Draws the row anew (after the pictures changed).
  void Redraw();
  void Tick();

 signals:
  void SelectionChanged(int index);

 protected:
  explicit PictureRowWindow(QWidget* parent);
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Called when the row changed length: keeps the selection and the scroll range valid.
  void RowChanged();

 private:
  void UpdatePathField();
  // Surface, scroll bar and path field for the window's size.
  void Layout();
  QSize laid_out_;

  Surface16 surface_;
  QScrollBar* scroll_;
  QLineEdit* path_;
  QTimer* timer_;
  int selected_ = -1;
  uint32_t clock_ms_ = 0;
};
