#include "stage/split_view_choice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(SplitViewChoiceTest, AChosenKindShownElsewhereSwapsWithTheCurrentPane) {
  struct Case {
    PaneKinds before;
    int32_t pane;
    int32_t kind;
    PaneKinds after;
  };
  const Case cases[] = {
      {{0, 3, 2, 1}, 0, 4, {4, 3, 2, 1}},  // the kind nobody shows: no other pane changes
      {{0, 3, 2, 1}, 0, 1, {1, 3, 2, 0}},  // SIDE was in pane 3, which takes TOP
      {{0, 3, 2, 1}, 2, 3, {0, 2, 3, 1}},
      {{0, 3, 2, 1}, 1, 3, {0, 3, 2, 1}},  // the kind it shows already
      {{4, 3, 2, 1}, 3, 4, {1, 3, 2, 4}},
      {{0, 3, 2, 1}, 4, 1, {0, 3, 2, 1}},  // no such pane
      {{0, 3, 2, 1}, 0, 5, {0, 3, 2, 1}},  // no such kind
  };
  for (const Case& c : cases) {
    const PaneKinds after = ChooseSplitKind(c.before, c.pane, c.kind);
    EXPECT_EQ(after, c.after) << c.pane << " " << c.kind;
    for (int32_t kind : after) EXPECT_EQ(std::count(after.begin(), after.end(), kind), 1);
  }
  EXPECT_STREQ(SplitKindName(0), "TOP");
  EXPECT_STREQ(SplitKindName(4), "PAT");
  EXPECT_STREQ(SplitKindName(5), "");
  EXPECT_STREQ(SplitKindName(-1), "");
}

}  // namespace
