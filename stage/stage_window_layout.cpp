#include "stage/stage_window_layout.h"

#include <algorithm>

#include "stage/tool_buttons.h"

StageWindowLayout LayOutStageWindow(int32_t width, int32_t height) {
  auto at_least_zero = [](int32_t value) { return std::max<int32_t>(value, 0); };
  const int32_t right_width = at_least_zero(width - kToolWindowWidth);
  StageWindowLayout layout;
  layout.mode_window = {0, 0, at_least_zero(width), kModeWindowHeight};
  layout.tool_window = {0, kModeWindowHeight, kToolWindowWidth,
                        at_least_zero(height - kModeWindowHeight)};
  layout.work_window = {kToolWindowWidth, height - kWorkWindowHeight, right_width,
                        kWorkWindowHeight};
  layout.views = {kToolWindowWidth, kModeWindowHeight, right_width,
                  at_least_zero(height - kModeWindowHeight - kWorkWindowHeight)};
  return layout;
}
