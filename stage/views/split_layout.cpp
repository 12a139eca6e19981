#include "stage/views/split_layout.h"

#include "stage/view_records.h"

bool IsViewKind(int32_t kind) { return kind >= kTopViewKind && kind <= kPartitionViewKind; }

SplitPanes SplitPanesFromFirst(int32_t first) {
  if (!IsViewKind(first)) first = kTopViewKind;
  SplitPanes panes = {first, -1, -1, -1};
  size_t next = 1;
  for (int32_t kind : kInitialSplitPanes) {
    if (kind != first && next < panes.size()) panes[next++] = kind;
  }
  return panes;
}

bool ValidSplitPanes(const SplitPanes& panes) {
  for (size_t i = 0; i < panes.size(); ++i) {
    if (!IsViewKind(panes[i])) return false;
    for (size_t j = 0; j < i; ++j) {
      if (panes[j] == panes[i]) return false;
    }
  }
  return true;
}
