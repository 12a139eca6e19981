// A spin (up-down) control without an edit field: two arrow buttons stepping a position
// within a range. The up arrow, the Up key and the wheel away from the user increase it.
#pragma once

#include <QWidget>

class QToolButton;

class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  UpDownControl(QWidget* parent, int minimum, int maximum, int position);

  int Position() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  // Clamps to the range; emits PositionChanged when the position changes.
  void SetPosition(int position);
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void PositionChanged(int position);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int minimum_, maximum_, position_;
  QToolButton* up_;
  QToolButton* down_;
};
