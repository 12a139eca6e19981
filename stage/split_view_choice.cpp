#include "stage/split_view_choice.h"

#include <cstddef>

const char* SplitKindName(int32_t kind) {
  static const char* const kNames[kPaneKindCount] = {"TOP", "SIDE", "FRONT", "PERS", "PAT"};
  return kind >= 0 && kind < kPaneKindCount ? kNames[kind] : "";
}

PaneKinds ChooseSplitKind(const PaneKinds& panes, int32_t pane, int32_t kind) {
  if (pane < 0 || pane >= 4 || kind < 0 || kind >= kPaneKindCount) return panes;
  PaneKinds result = panes;
  const int32_t previous = panes[static_cast<std::size_t>(pane)];
  for (std::size_t other = 0; other < result.size(); ++other) {
    if (static_cast<int32_t>(other) != pane && result[other] == kind) result[other] = previous;
  }
  result[static_cast<std::size_t>(pane)] = kind;
  return result;
}
