#include "stage/views/view_input.h"

#include <cstdlib>

bool MouseTracker::Press(int32_t button_bit, int32_t x, int32_t y, bool shift) {
  const bool first = buttons_ == 0;
  buttons_ |= button_bit;
  if (first) {
    press_x_ = x;
    press_y_ = y;
    click_button_ = button_bit;
    click_shift_ = shift;
    dragging_ = false;
  }
  return first;
}

MouseTracker::Move MouseTracker::MoveTo(int32_t x, int32_t y) {
  if (buttons_ == 0) return Move::kNothing;
  if (!dragging_) {
    if (std::abs(x - press_x_) <= kDragThreshold && std::abs(y - press_y_) <= kDragThreshold) {
      return Move::kNothing;
    }
    dragging_ = true;
    reference_x_ = x;
    reference_y_ = y;
    return Move::kDragStarts;
  }
  drag_x_ = x - reference_x_;
  drag_y_ = y - reference_y_;
  if (drag_x_ == 0 && drag_y_ == 0) return Move::kNothing;
  return Move::kDragStep;
}

void MouseTracker::SetReference(int32_t x, int32_t y) {
  reference_x_ = x;
  reference_y_ = y;
}

MouseTracker::Release MouseTracker::ReleaseButton(int32_t button_bit) {
  if ((buttons_ & button_bit) == 0) return Release::kNothing;
  buttons_ &= ~button_bit;
  if (buttons_ != 0) return Release::kNothing;
  if (dragging_) {
    dragging_ = false;
    return Release::kDragEnds;
  }
  return Release::kClick;
}

void MouseTracker::Cancel() {
  buttons_ = 0;
  dragging_ = false;
}
