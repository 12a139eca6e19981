#include "course/gui/view_arrangement.h"

#include <algorithm>

#include "foundation/error.h"

namespace {

constexpr const char* kTag = "WinMain";

struct ButtonArrangement {
  int32_t button;
  Arrangement arrangement;
  int32_t views[4];  // -1: slot unused
};

constexpr ButtonArrangement kArrangements[] = {
    {kTopViewButton, kSingle, {kTopView, -1, -1, -1}},
    {kSideViewButton, kSingle, {kSideView, -1, -1, -1}},
    {kFrontViewButton, kSingle, {kFrontView, -1, -1, -1}},
    {kDevelopedTopButton, kSingle, {kDevelopedTopView, -1, -1, -1}},
    {kDevelopedSideButton, kSingle, {kDevelopedSideView, -1, -1, -1}},
    {kGridButton, kGrid, {kTopView, kSideView, kFrontView, kPointView}},
    {kHeightButton, kTwoOverOne, {kTopView, kPreviewView, kDevelopedSideView, -1}},
    {kWidthViewButton, kTwoBesideOne, {kTopView, kPreviewView, kDevelopedTopView, -1}},
    {kRollButton, kGrid, {kTopView, kPreviewView, kPointView, -1}},
};

const ButtonArrangement* Find(int32_t button_id) {
  for (const ButtonArrangement& entry : kArrangements) {
    if (entry.button == button_id) return &entry;
  }
  return nullptr;
}

const ButtonArrangement& Require(int32_t button_id) {
  const ButtonArrangement* entry = Find(button_id);
  if (entry == nullptr) {
    Error1::Report(kTag, "ありえないビューボタングループリメ[スIDを検出", 3);
    return kArrangements[0];  // not reached in the diagnostic build
  }
  return *entry;
}

}  // namespace

bool IsViewButton(int32_t button_id) { return Find(button_id) != nullptr; }

Arrangement ArrangementOf(int32_t button_id) { return Require(button_id).arrangement; }

std::vector<int32_t> ViewsOf(int32_t button_id) {
  std::vector<int32_t> views;
  for (int32_t view : Require(button_id).views) {
    if (view >= 0) views.push_back(view);
  }
  return views;
}

std::vector<ViewPlacement> ArrangeViews(int32_t button_id, int32_t tool_bar_width,
                                        int32_t client_width, int32_t client_height) {
  const ButtonArrangement& entry = Require(button_id);
  const int32_t x0 = tool_bar_width;
  const int32_t w = std::max(client_width - tool_bar_width, 0);
  const int32_t h = std::max(client_height, 0);
  const int32_t half_w = w / 2, half_h = h / 2;
  ViewPlacement slots[4] = {};
  switch (entry.arrangement) {
    case kSingle:
      slots[0] = {0, x0, 0, w, h};
      break;
    case kGrid:
      slots[0] = {0, x0, 0, half_w, half_h};
      slots[1] = {0, x0 + half_w, 0, half_w, half_h};
      slots[2] = {0, x0, half_h, half_w, half_h};
      slots[3] = {0, x0 + half_w, half_h, half_w, half_h};
      break;
    case kTwoOverOne:
      slots[0] = {0, x0, 0, half_w, half_h};
      slots[1] = {0, x0 + half_w, 0, half_w, half_h};
      slots[2] = {0, x0, half_h, w, half_h};
      break;
    case kTwoBesideOne:
      slots[0] = {0, x0, 0, half_w, half_h};
      slots[1] = {0, x0, half_h, half_w, half_h};
      slots[2] = {0, x0 + half_w, 0, half_w, h};
      break;
    default:
      Error1::Report(kTag, "ウィンドウ分割フラグにありえない値を検出", 3);
      break;
  }
  std::vector<ViewPlacement> placements;
  for (int32_t slot = 0; slot < 4; ++slot) {
    if (entry.views[slot] < 0) continue;
    ViewPlacement placement = slots[slot];
    placement.view = entry.views[slot];
    placements.push_back(placement);
  }
  return placements;
}
