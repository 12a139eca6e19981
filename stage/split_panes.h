// The four panes of the split view and the choice the split-view dialog makes for one of
// them. Each pane shows one view kind (view_records.h: 0 plan "TOP", 1 side "SIDE", 2 front
// "FRONT", 3 perspective "PERS", 4 partition view "PAT"); no kind is shown twice.
#pragma once

#include <array>
#include <cstdint>

// Top left, top right, bottom left, bottom right.
using SplitPanes = std::array<int32_t, 4>;

inline constexpr int32_t kSplitKindCount = 5;
inline constexpr SplitPanes kInitialSplitPanes = {0, 3, 2, 1};

// The name a pane button carries ("TOP" ... "PAT"), "" for no kind.
const char* SplitKindName(int32_t kind);
// Gives `pane` the kind `kind`. A pane that showed that kind already takes the kind `pane`
// showed before, so every kind stays shown at most once.
SplitPanes ChooseSplitKind(const SplitPanes& panes, int32_t pane, int32_t kind);
// True when every pane shows a kind 0 ... 4 and no kind twice.
bool ValidSplitPanes(const SplitPanes& panes);
