#include "course/gui/view_arrangement.h"

#include <gtest/gtest.h>

#include "tests/course/fatal_report.h"

namespace {

// Client 1091 x 701 with the 91-pixel tool bar: the view area is 1000 x 701, halves 500 x 350.
constexpr int32_t kBar = 91, kWidth = 1091, kHeight = 701;

void ExpectPlacement(const ViewPlacement& p, int32_t view, int32_t x, int32_t y, int32_t w,
                     int32_t h) {
  EXPECT_EQ(p.view, view);
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_EQ(p.width, w);
  EXPECT_EQ(p.height, h);
}

TEST(ViewArrangementTest, SingleViewButtonsFillTheWholeArea) {
  const std::pair<int32_t, int32_t> singles[] = {{kTopViewButton, kTopView},
                                                 {kSideViewButton, kSideView},
                                                 {kFrontViewButton, kFrontView},
                                                 {kDevelopedTopButton, kDevelopedTopView},
                                                 {kDevelopedSideButton, kDevelopedSideView}};
  for (const auto& [button, view] : singles) {
    const auto placements = ArrangeViews(button, kBar, kWidth, kHeight);
    ASSERT_EQ(placements.size(), 1u) << button;
    ExpectPlacement(placements[0], view, 91, 0, 1000, 701);
    EXPECT_EQ(ArrangementOf(button), kSingle);
  }
}

TEST(ViewArrangementTest, GridButtonShowsFourQuarters) {
  const auto p = ArrangeViews(kGridButton, kBar, kWidth, kHeight);
  ASSERT_EQ(p.size(), 4u);
  ExpectPlacement(p[0], kTopView, 91, 0, 500, 350);
  ExpectPlacement(p[1], kSideView, 591, 0, 500, 350);
  ExpectPlacement(p[2], kFrontView, 91, 350, 500, 350);
  ExpectPlacement(p[3], kPointView, 591, 350, 500, 350);
}

TEST(ViewArrangementTest, HeightButtonPutsTwoOverTheDevelopedSideView) {
  const auto p = ArrangeViews(kHeightButton, kBar, kWidth, kHeight);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(ArrangementOf(kHeightButton), kTwoOverOne);
  ExpectPlacement(p[0], kTopView, 91, 0, 500, 350);
  ExpectPlacement(p[1], kPreviewView, 591, 0, 500, 350);
  ExpectPlacement(p[2], kDevelopedSideView, 91, 350, 1000, 350);
}

TEST(ViewArrangementTest, WidthButtonPutsTopOverPreviewBesideTheDevelopedTopView) {
  const auto p = ArrangeViews(kWidthViewButton, kBar, kWidth, kHeight);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(ArrangementOf(kWidthViewButton), kTwoBesideOne);
  ExpectPlacement(p[0], kTopView, 91, 0, 500, 350);
  ExpectPlacement(p[1], kPreviewView, 91, 350, 500, 350);
  ExpectPlacement(p[2], kDevelopedTopView, 591, 0, 500, 701);
}

TEST(ViewArrangementTest, RollButtonUsesThreeQuartersOfTheGrid) {
  const auto p = ArrangeViews(kRollButton, kBar, kWidth, kHeight);
  ASSERT_EQ(p.size(), 3u);
  ExpectPlacement(p[0], kTopView, 91, 0, 500, 350);
  ExpectPlacement(p[1], kPreviewView, 591, 0, 500, 350);
  ExpectPlacement(p[2], kPointView, 91, 350, 500, 350);
}

TEST(ViewArrangementTest, AClientNarrowerThanTheToolBarGivesEmptyViews) {
  const auto p = ArrangeViews(kGridButton, kBar, 50, 10);
  ASSERT_EQ(p.size(), 4u);
  for (const ViewPlacement& placement : p) {
    EXPECT_EQ(placement.width, 0);
    EXPECT_EQ(placement.height, 5);
  }
}

TEST(ViewArrangementTest, UnknownViewButtonIsFatal) {
  EXPECT_FALSE(IsViewButton(110));
  EXPECT_TRUE(IsViewButton(116));
  EXPECT_FATAL_REPORT(ArrangeViews(110, kBar, kWidth, kHeight), "WinMain",
                      "ありえないビューボタングループリメ[スIDを検出");
}

}  // namespace
