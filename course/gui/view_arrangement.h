// The view arrangements of the course designer's main window: which of the seven views each
// view button shows, in which slot, and the slot rectangles for a client size. Qt-free.
#pragma once

#include <cstdint>
#include <vector>

enum CourseViewId : int32_t {
  kTopView = 0,
  kSideView = 1,
  kFrontView = 2,
  kPointView = 3,
  kDevelopedTopView = 4,
  kDevelopedSideView = 5,
  kPreviewView = 6,
  kCourseViewCount = 7,
};

enum ViewButtonId : int32_t {
  kTopViewButton = 107,
  kSideViewButton = 108,
  kFrontViewButton = 109,
  kDevelopedTopButton = 111,
  kDevelopedSideButton = 112,
  kGridButton = 113,
  kHeightButton = 114,
  kWidthViewButton = 115,
  kRollButton = 116,
};

enum Arrangement : int32_t { kSingle = 0, kGrid = 1, kTwoOverOne = 2, kTwoBesideOne = 3 };

struct ViewPlacement {
  int32_t view;
  int32_t x, y, width, height;
};

bool IsViewButton(int32_t button_id);
// The arrangement and the views in slots 0..3 of a view button; a fatal misuse under
// "WinMain" for any other id.
Arrangement ArrangementOf(int32_t button_id);
std::vector<int32_t> ViewsOf(int32_t button_id);

// The shown views with their rectangles: the view area runs from x = tool_bar_width to the
// client's right edge and over the client's full height; halves are rounded down.
std::vector<ViewPlacement> ArrangeViews(int32_t button_id, int32_t tool_bar_width,
                                        int32_t client_width, int32_t client_height);
