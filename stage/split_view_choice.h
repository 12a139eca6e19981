// The choice the split-view dialog makes for one of the four panes of the split view (top
// left, top right, bottom left, bottom right). Each pane shows one view kind (view_records.h:
// 0 plan "TOP", 1 side "SIDE", 2 front "FRONT", 3 perspective "PERS", 4 partition view "PAT");
// no kind is shown twice.
#pragma once

#include <array>
#include <cstdint>

using PaneKinds = std::array<int32_t, 4>;

inline constexpr int32_t kPaneKindCount = 5;

// The name a pane button carries ("TOP" ... "PAT"), "" for no kind.
const char* SplitKindName(int32_t kind);
// Gives `pane` the kind `kind`. A pane that showed that kind already takes the kind `pane`
// showed before, so every kind stays shown at most once.
PaneKinds ChooseSplitKind(const PaneKinds& panes, int32_t pane, int32_t kind);
