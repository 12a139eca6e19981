#include "stage/split_panes.h"

#include <algorithm>

const char* SplitKindName(int32_t kind) {
  static const char* const kNames[kSplitKindCount] = {"TOP", "SIDE", "FRONT", "PERS", "PAT"};
  return kind >= 0 && kind < kSplitKindCount ? kNames[kind] : "";
}

SplitPanes ChooseSplitKind(const SplitPanes& panes, int32_t pane, int32_t kind) {
  if (pane < 0 || pane >= 4 || kind < 0 || kind >= kSplitKindCount) return panes;
  SplitPanes result = panes;
  const int32_t previous = panes[static_cast<size_t>(pane)];
  for (size_t other = 0; other < result.size(); ++other) {
    if (static_cast<int32_t>(other) != pane && result[other] == kind) result[other] = previous;
  }
  result[static_cast<size_t>(pane)] = kind;
  return result;
}

bool ValidSplitPanes(const SplitPanes& panes) {
  for (size_t i = 0; i < panes.size(); ++i) {
    if (panes[i] < 0 || panes[i] >= kSplitKindCount) return false;
    if (std::count(panes.begin(), panes.end(), panes[i]) != 1) return false;
  }
  return true;
}
