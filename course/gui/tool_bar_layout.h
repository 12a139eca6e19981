// The buttons of the course designer's tool bar: command id, bitmap strip, place, size,
// group and balloon text. Qt-free.
#pragma once

#include <cstdint>

enum ToolButtonGroup : int32_t { kToolGroup = 0, kToggleGroup = 1, kViewGroup = 2 };

struct ToolBarButton {
  int32_t id;
  const char* bitmap;
  int32_t x, y, width, height;
  ToolButtonGroup group;
  const char* help;  // "[Function]" line, then "[Operate]" with the mouse actions
};

inline constexpr int32_t kToolBarWidth = 91;
inline constexpr int32_t kToolBarHeight = 316;
inline constexpr int32_t kToolBarButtonCount = 15;

// The fifteen buttons in id order.
const ToolBarButton* ToolBarButtons();
// The button with that id, or nullptr.
const ToolBarButton* FindToolBarButton(int32_t id);
