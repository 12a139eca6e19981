// Where the stage editor's main window puts its parts in a client area of width w and
// height h: the mode window across the top, the active mode's tool window down the left,
// the active tool's work window along the bottom right and the views in the rest. Sizes
// that would come out below 0 become 0.
#pragma once

#include <cstdint>

struct PanelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

struct StageWindowLayout {
  PanelRect mode_window;  // (0, 0), w x 24
  PanelRect tool_window;  // (0, 24), 95 x (h - 24)
  PanelRect work_window;  // (95, h - 26), (w - 95) x 26
  PanelRect views;        // (95, 24), (w - 95) x (h - 24 - 26)
};

StageWindowLayout LayOutStageWindow(int32_t width, int32_t height);
