#include "stage/views/view_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "stage/views/split_layout.h"

namespace {

TEST(DisplaySettingsTest, EverySettingKeepsTheDialogsLimits) {
  struct Case {
    DisplaySettings given;
    DisplaySettings want;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0.0f, 20}, {0, 0, 0, 0, 0, 0.0f, 20}},
      {{5, -1, 1, 7, 51, 10000.5f, 0}, {1, 1, 1, 0, 50, 10000.0f, 1}},
      {{1, 0, 1, 1, -3, -2.0f, 99}, {1, 0, 1, 1, 0, 0.0f, 50}},
      {{0, 0, 0, 1, 2, NAN, 50}, {0, 0, 0, 1, 2, 0.0f, 50}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampDisplaySettings(c.given), c.want);
}

TEST(SaneViewSectionTest, AnInitialSectionStaysAsItIs) {
  EXPECT_EQ(SaneViewSection(ViewSection()), ViewSection());
}

TEST(SaneViewSectionTest, ValuesNoCameraCanDrawWithGoBackToTheirInitialOnes) {
  ViewSection section;
  section.first_pane_kind = 9;
  section.parallel[1].position_x = NAN;
  section.parallel[2].zoom = INFINITY;
  CameraModeRecord& mode = section.perspective.modes[1];
  mode.camera.lenz_width = 0.0f;
  mode.camera.lenz_height = -1.0f;
  mode.camera.lenz_dst = 80.0f;
  mode.camera.far_dst = 0.5f;
  mode.camera.rx = NAN;
  mode.height = 900.0f;
  mode.pitch = 3.0f;
  mode.road_mode = kRoadModeLap;  // the road record rides the displayed range
  mode.partition = -7;
  section.perspective.current_mode = 1;
  section.perspective.pressed_button = 4000;
  section.perspective.modes[1].render_flag = 1;
  section.partition.horizontal = 5;

  const ViewSection sane = SaneViewSection(section);
  const ViewSection initial;
  EXPECT_EQ(sane.first_pane_kind, kTopViewKind);
  EXPECT_EQ(sane.parallel[1].position_x, 0.0);
  EXPECT_EQ(sane.parallel[2].zoom, initial.parallel[2].zoom);
  const CameraModeRecord& got = sane.perspective.modes[1];
  EXPECT_EQ(got.camera.lenz_width, 1.0f);
  EXPECT_EQ(got.camera.lenz_height, 1.0f);
  EXPECT_EQ(got.camera.lenz_dst, 1.0f);
  EXPECT_EQ(got.camera.far_dst, 10000.0f);
  EXPECT_EQ(got.camera.rx, 0.0f);
  EXPECT_EQ(got.height, 500.0f);
  EXPECT_FLOAT_EQ(got.pitch, 1.570795f);
  EXPECT_EQ(got.road_mode, kRoadModeRoad);
  EXPECT_EQ(got.partition, -1);
  // The pressed button follows the stored mode and its render flag.
  EXPECT_EQ(sane.perspective.pressed_button, kRenderButton);
  EXPECT_EQ(sane.perspective.current_mode, 1);
  EXPECT_EQ(sane.partition.horizontal, 1);
}

TEST(SaneViewSectionTest, TheModeFollowsAValidPressedButton) {
  ViewSection section;
  section.perspective.current_mode = 0;
  section.perspective.pressed_button = kRenderAroundButton;
  const ViewSection sane = SaneViewSection(section);
  EXPECT_EQ(sane.perspective.current_mode, 2);
  EXPECT_EQ(sane.perspective.modes[2].render_flag, 1);
}

TEST(SplitLayoutTest, TheFirstPaneFromAFileTakesTheRemainingKindsInStartUpOrder) {
  struct Case {
    int32_t first;
    SplitPanes want;
  };
  const Case cases[] = {
      {kTopViewKind, {0, 3, 2, 1}},
      {kSideViewKind, {1, 0, 3, 2}},
      {kFrontViewKind, {2, 0, 3, 1}},
      {kPerspectiveViewKind, {3, 0, 2, 1}},
      {kPartitionViewKind, {4, 0, 3, 2}},
      {-1, {0, 3, 2, 1}},
      {17, {0, 3, 2, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitPanesFromFirst(c.first), c.want) << c.first;
    EXPECT_TRUE(ValidSplitPanes(SplitPanesFromFirst(c.first)));
  }
  EXPECT_FALSE(ValidSplitPanes({0, 0, 2, 1}));
  EXPECT_FALSE(ValidSplitPanes({0, 3, 2, 5}));
}

TEST(AnimationClockTest, EachTimedRedrawMovesTheClockOnByThirtyMilliseconds) {
  animation_clock::Set(1000);
  animation_clock::Advance();
  animation_clock::Advance();
  EXPECT_EQ(animation_clock::Now(), 1060u);
  animation_clock::Set(0);
}

}  // namespace
