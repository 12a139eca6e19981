// The mouse protocol of the stage views, without a window: a button press captures the mouse
// and remembers the press point; once the pointer has moved more than kDragThreshold pixels
// in x or y from it, the view is dragging: from then on each move is a drag step measured
// from a reference point (the centre the window puts the hidden cursor back to, or the last
// position where the platform cannot move the cursor). Releasing the last button ends the
// drag, or, when no drag began, is a click with the button and Shift state of the press.
#pragma once

#include <cstdint>

// Button bits.
constexpr int32_t kLeftButtonBit = 1;
constexpr int32_t kRightButtonBit = 2;

class MouseTracker {
 public:
  static constexpr int32_t kDragThreshold = 5;

  enum class Move { kNothing, kDragStarts, kDragStep };
  enum class Release { kNothing, kClick, kDragEnds };

  // A button goes down at (x, y). True for the first button (the window captures the mouse).
  bool Press(int32_t button_bit, int32_t x, int32_t y, bool shift);
  // The pointer moved to (x, y). kDragStarts: the window hides the cursor and calls
  // SetReference with where it put it; kDragStep: DragX/DragY hold the displacement from the
  // reference, which the window then restores (SetReference again when it cannot).
  Move MoveTo(int32_t x, int32_t y);
  void SetReference(int32_t x, int32_t y);
  // A button comes up. kClick: ClickButton/ClickShift/PressX/PressY describe the click;
  // kDragEnds: the window shows the cursor again. Either way the mouse is let go when no
  // button is left.
  Release ReleaseButton(int32_t button_bit);
  // Everything let go (the window lost the mouse).
  void Cancel();

  int32_t Buttons() const { return buttons_; }
  bool Dragging() const { return dragging_; }
  int32_t DragX() const { return drag_x_; }
  int32_t DragY() const { return drag_y_; }
  int32_t PressX() const { return press_x_; }
  int32_t PressY() const { return press_y_; }
  int32_t ClickButton() const { return click_button_; }
  bool ClickShift() const { return click_shift_; }

 private:
  int32_t buttons_ = 0;
  bool dragging_ = false;
  int32_t press_x_ = 0, press_y_ = 0;
  int32_t reference_x_ = 0, reference_y_ = 0;
  int32_t drag_x_ = 0, drag_y_ = 0;
  int32_t click_button_ = 0;
  bool click_shift_ = false;
};
