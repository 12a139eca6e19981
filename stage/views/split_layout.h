// The split view's four panes (top left, top right, bottom left, bottom right), each showing
// one view kind of view_records.h, and how a stage file's first pane becomes a whole layout.
#pragma once

#include <array>
#include <cstdint>

using SplitPanes = std::array<int32_t, 4>;

// The layout at program start: top, perspective, front, side.
constexpr SplitPanes kInitialSplitPanes = {0, 3, 2, 1};

// True for kTopViewKind ... kPartitionViewKind.
bool IsViewKind(int32_t kind);
// A stage file stores only the first pane: it keeps `first` (a top view when it is no view
// kind) and the other three panes take the kinds of the start-up layout that remain, in that
// order.
SplitPanes SplitPanesFromFirst(int32_t first);
// True when every pane shows a view kind and no kind is shown twice.
bool ValidSplitPanes(const SplitPanes& panes);
