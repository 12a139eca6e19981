#include "stage/stage_window_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(StageWindowLayoutTest, PartsFollowTheClientSizeAndNeverGoBelowZero) {
  struct Case {
    int32_t width, height;
    PanelRect mode, tools, work, views;
  };
  const Case cases[] = {
      {800, 600, {0, 0, 800, 24}, {0, 24, 95, 576}, {95, 574, 705, 26}, {95, 24, 705, 550}},
      {95, 50, {0, 0, 95, 24}, {0, 24, 95, 26}, {95, 24, 0, 26}, {95, 24, 0, 0}},
      // Narrower than the tool window: the work window and the views get no width.
      {60, 40, {0, 0, 60, 24}, {0, 24, 95, 16}, {95, 14, 0, 26}, {95, 24, 0, 0}},
      {0, 0, {0, 0, 0, 24}, {0, 24, 95, 0}, {95, -26, 0, 26}, {95, 24, 0, 0}},
  };
  for (const Case& c : cases) {
    const StageWindowLayout layout = LayOutStageWindow(c.width, c.height);
    EXPECT_EQ(layout.mode_window, c.mode) << c.width << "x" << c.height;
    EXPECT_EQ(layout.tool_window, c.tools) << c.width << "x" << c.height;
    EXPECT_EQ(layout.work_window, c.work) << c.width << "x" << c.height;
    EXPECT_EQ(layout.views, c.views) << c.width << "x" << c.height;
  }
}

}  // namespace
