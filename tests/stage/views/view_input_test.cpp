#include "stage/views/view_input.h"

#include <gtest/gtest.h>

namespace {

using Move = MouseTracker::Move;
using Release = MouseTracker::Release;

TEST(MouseTrackerTest, MovesOfUpToFivePixelsAreStillAClick) {
  struct Case {
    int32_t x, y;
    Move want;
  };
  for (const Case& c : {Case{105, 105, Move::kNothing}, Case{95, 95, Move::kNothing},
                        Case{106, 100, Move::kDragStarts}, Case{100, 94, Move::kDragStarts}}) {
    MouseTracker tracker;
    EXPECT_TRUE(tracker.Press(kLeftButtonBit, 100, 100, false));
    EXPECT_EQ(tracker.MoveTo(c.x, c.y), c.want) << c.x << "," << c.y;
    const Release release = tracker.ReleaseButton(kLeftButtonBit);
    EXPECT_EQ(release, c.want == Move::kNothing ? Release::kClick : Release::kDragEnds);
    EXPECT_EQ(tracker.Buttons(), 0);
  }
}

TEST(MouseTrackerTest, AClickKeepsItsPressPointButtonAndShift) {
  MouseTracker tracker;
  tracker.Press(kRightButtonBit, 40, 50, true);
  tracker.MoveTo(43, 52);
  ASSERT_EQ(tracker.ReleaseButton(kRightButtonBit), Release::kClick);
  EXPECT_EQ(tracker.ClickButton(), kRightButtonBit);
  EXPECT_TRUE(tracker.ClickShift());
  EXPECT_EQ(tracker.PressX(), 40);
  EXPECT_EQ(tracker.PressY(), 50);
}

TEST(MouseTrackerTest, DragStepsAreMeasuredFromTheReference) {
  MouseTracker tracker;
  tracker.Press(kLeftButtonBit, 10, 10, false);
  ASSERT_EQ(tracker.MoveTo(30, 10), Move::kDragStarts);
  tracker.SetReference(500, 400);  // the cursor was put at the centre
  ASSERT_EQ(tracker.MoveTo(507, 397), Move::kDragStep);
  EXPECT_EQ(tracker.DragX(), 7);
  EXPECT_EQ(tracker.DragY(), -3);
  // Put back at the centre: the next step is measured from there again.
  ASSERT_EQ(tracker.MoveTo(498, 400), Move::kDragStep);
  EXPECT_EQ(tracker.DragX(), -2);
  EXPECT_EQ(tracker.DragY(), 0);
  // The move the platform makes when the cursor is put back is no step.
  EXPECT_EQ(tracker.MoveTo(500, 400), Move::kNothing);
}

TEST(MouseTrackerTest, BothButtonsEndTheDragOnlyWhenBothAreUp) {
  MouseTracker tracker;
  EXPECT_TRUE(tracker.Press(kLeftButtonBit, 0, 0, false));
  EXPECT_FALSE(tracker.Press(kRightButtonBit, 0, 0, false));
  EXPECT_EQ(tracker.Buttons(), kLeftButtonBit | kRightButtonBit);
  ASSERT_EQ(tracker.MoveTo(20, 0), Move::kDragStarts);
  EXPECT_EQ(tracker.ReleaseButton(kLeftButtonBit), Release::kNothing);
  EXPECT_EQ(tracker.Buttons(), kRightButtonBit);
  EXPECT_EQ(tracker.ReleaseButton(kRightButtonBit), Release::kDragEnds);
  // A button that is not down is no release; nothing moves without a button.
  EXPECT_EQ(tracker.ReleaseButton(kLeftButtonBit), Release::kNothing);
  EXPECT_EQ(tracker.MoveTo(100, 100), Move::kNothing);
}

}  // namespace
