#include "stage/tool_buttons.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "stage/tool_button_state.h"
#include "stage/view_records.h"

namespace {

using Effect = ToolButtonState::Effect;

// The tool-state word of every button that has one, as the stage file lays them out.
const std::map<int32_t, int32_t> kWords = {
    {1031, 0},  {1032, 1},  {1033, 2},  {1034, 3},  {1035, 4},  {1036, 5},  {1037, 6},  {1038, 7},
    {1039, 8},  {1055, 9},  {1056, 10}, {1057, 11}, {1040, 12}, {1058, 13}, {1059, 14}, {1041, 15},
    {1042, 16}, {1043, 17}, {1044, 18}, {1045, 19}, {1046, 20}, {1047, 21}, {1066, 22}, {1067, 23},
    {1068, 24}, {1070, 25}, {1071, 26}, {1088, 27}, {1089, 28}, {1090, 29}, {1072, 30}, {1091, 31},
    {1092, 32}, {1093, 33}, {1094, 34}, {1095, 35}, {1073, 36}, {1096, 37}, {1097, 38}, {1098, 39},
    {1074, 40}, {1075, 41}, {1076, 42}, {1077, 43}, {1099, 44}, {1100, 45}, {1078, 46}, {1103, 47},
    {1081, 48}, {1082, 49}, {1083, 50}, {1084, 51}, {1086, 53}};

TEST(ToolButtonTableTest, EveryButtonOnceWithItsWordInsideItsWindow) {
  std::set<int32_t> ids;
  std::map<std::string, std::pair<int32_t, int32_t>> sizes;
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    SCOPED_TRACE(entry.id);
    EXPECT_TRUE(ids.insert(entry.id).second);
    EXPECT_EQ(FindToolButton(entry.id), &entry);
    const auto word = kWords.find(entry.id);
    EXPECT_EQ(entry.word, word == kWords.end() ? -1 : word->second);
    EXPECT_EQ(entry.role == ButtonRole::kRadio, entry.group != kNoButtonGroup);
    EXPECT_EQ(std::string(entry.help).rfind("[Function]\n   ", 0), 0u);
    // A strip shared by several buttons has one size.
    const auto [size, fresh] = sizes.emplace(entry.bitmap, std::pair{entry.width, entry.height});
    EXPECT_EQ(size->second, std::pair(entry.width, entry.height)) << entry.bitmap;
    // Inside the window: the tool windows are 95 wide, the work windows 26 high, the mode
    // window 24 high.
    EXPECT_GE(entry.x, 0);
    EXPECT_GE(entry.y, 0);
    if (entry.panel == ToolPanel::kModeWindow) {
      EXPECT_LE(entry.y + entry.height, kModeWindowHeight);
    } else if (entry.panel == ToolPanel::kMode0Tools || entry.panel == ToolPanel::kMode1Tools) {
      EXPECT_LE(entry.x + entry.width, kToolWindowWidth);
    } else {
      EXPECT_LE(entry.y + entry.height, kWorkWindowHeight);
    }
    // No two buttons of a window overlap.
    for (int32_t j = 0; j < i; ++j) {
      const ToolButtonEntry& other = ToolButtonAt(j);
      if (other.panel != entry.panel) continue;
      const bool apart = other.x + other.width <= entry.x || entry.x + entry.width <= other.x ||
                         other.y + other.height <= entry.y || entry.y + entry.height <= other.y;
      EXPECT_TRUE(apart) << other.id;
    }
  }
  // 1031 ... 1104 without 1069 and 1085 (mode 1 has no partition view).
  for (int32_t id = 1031; id <= 1104; ++id) {
    EXPECT_EQ(ids.count(id), id == 1069 || id == 1085 ? 0u : 1u) << id;
  }
  EXPECT_EQ(FindToolButton(1105), nullptr);
}

TEST(ToolButtonTableTest, ToolsShowTheirWorkWindowsAndViewButtonsTheirViews) {
  const std::pair<int32_t, ToolPanel> work[] = {{kWireEditButton, ToolPanel::kMode0Work0},
                                                {kPointMoveButton, ToolPanel::kMode0Work2},
                                                {kPointGlueButton, ToolPanel::kMode0Work3},
                                                {kFaceAttributeButton, ToolPanel::kMode0Work4},
                                                {kMoveObjectButton, ToolPanel::kMode1Work0},
                                                {kRotateObjectButton, ToolPanel::kMode1Work1},
                                                {kZoomObjectButton, ToolPanel::kMode1Work2},
                                                {kGlueObjectButton, ToolPanel::kMode1Work3},
                                                {kObjectCoordinatesButton, ToolPanel::kMode1Work4},
                                                {kSelectPointToolButton, ToolPanel::kNone},
                                                {kMode1CameraZoomButton, ToolPanel::kNone},
                                                {kSelectObjectButton, ToolPanel::kNone}};
  for (const auto& [tool, panel] : work) EXPECT_EQ(WorkPanelOfTool(tool), panel) << tool;
  // The buttons of a work window sit in the mode of its tool.
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (WorkPanelOfTool(entry.id) != ToolPanel::kNone) {
      EXPECT_EQ(ModeOfPanel(WorkPanelOfTool(entry.id)), ModeOfPanel(entry.panel)) << entry.id;
    }
  }
  const std::pair<int32_t, int32_t> views[] = {
      {1042, kTopViewKind},         {1043, kSideViewKind},      {1044, kFrontViewKind},
      {1045, kPerspectiveViewKind}, {1046, kPartitionViewKind}, {1047, kSplitViewChoice},
      {1081, kTopViewKind},         {1082, kSideViewKind},      {1083, kFrontViewKind},
      {1084, kPerspectiveViewKind}, {1086, kSplitViewChoice},   {1048, kNoViewChoice},
      {1087, kNoViewChoice},        {1033, kNoViewChoice}};
  for (const auto& [id, choice] : views) {
    EXPECT_EQ(ViewChoiceOfButton(id), choice) << id;
    EXPECT_EQ(IsViewButton(id), choice != kNoViewChoice) << id;
  }
  EXPECT_TRUE(IsSplitSettingButton(1048));
  EXPECT_TRUE(IsSplitSettingButton(1087));
  EXPECT_FALSE(IsSplitSettingButton(1047));
}

TEST(ToolButtonStateTest, StartsAsAFreshProgramDoes) {
  ToolButtonState state;
  EXPECT_EQ(state.Block(), ToolStateBlock::Initial());
  EXPECT_EQ(state.Mode(), 0);
  EXPECT_EQ(state.Tool(0), kMode0CameraMoveButton);
  EXPECT_EQ(state.Tool(1), kMode1CameraMoveButton);
  EXPECT_EQ(state.ViewButton(0), kMode0TopViewButton);
  EXPECT_EQ(state.ViewButton(1), kMode1TopViewButton);
  EXPECT_EQ(state.WorkPanel(0), ToolPanel::kNone);
  EXPECT_TRUE(state.Pressed(kSelectPointButton));
  EXPECT_TRUE(state.Pressed(kMoveObjectCoordinatesButton));
}

TEST(ToolButtonStateTest, PressesFollowTheRoleOfTheButton) {
  struct Step {
    int32_t id;
    Effect effect;
    std::set<int32_t> down;  // buttons that must be down afterwards
    std::set<int32_t> up;    // buttons that must be up afterwards
  };
  const Step steps[] = {
      {kMode0Button, Effect::kNothing, {kMode0Button}, {kMode1Button}},
      {kPointMoveButton, Effect::kToolChanged, {kPointMoveButton}, {kMode0CameraMoveButton}},
      {kPointMoveButton, Effect::kNothing, {kPointMoveButton}, {}},
      {kPointMoveYButton, Effect::kSwitchToggled, {kPointMoveYButton}, {kPointMoveXButton}},
      {kPointMoveYButton, Effect::kSwitchToggled, {}, {kPointMoveYButton}},
      {kSelectGluePointButton,
       Effect::kChoiceChanged,
       {kSelectGluePointButton},
       {kSelectPointButton}},
      {kMode0SplitViewButton, Effect::kViewChanged, {kMode0SplitViewButton}, {kMode0TopViewButton}},
      {kLeftAddButton, Effect::kAction, {}, {kLeftAddButton}},
      {kMode0SplitSettingButton, Effect::kAction, {}, {kMode0SplitSettingButton}},
      {kMode1Button, Effect::kModeChanged, {kMode1Button, kPointMoveButton}, {kMode0Button}},
      {kZoomObjectButton,
       Effect::kToolChanged,
       {kZoomObjectButton, kPointMoveButton},
       {kMode1CameraMoveButton}},
      {kObjectValueButton, Effect::kAction, {kZoomObjectButton}, {kObjectValueButton}},
      {kObjectAxesButton, Effect::kChoiceChanged, {kObjectAxesButton}, {kScreenAxesButton}},
      {kMoveObjectCoordinatesButton, Effect::kSwitchToggled, {}, {kMoveObjectCoordinatesButton}},
      {1069, Effect::kNothing, {}, {}},
  };
  ToolButtonState state;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.id);
    EXPECT_EQ(state.Press(step.id), step.effect);
    for (int32_t id : step.down) EXPECT_TRUE(state.Pressed(id)) << id;
    for (int32_t id : step.up) EXPECT_FALSE(state.Pressed(id)) << id;
  }
  EXPECT_EQ(state.Mode(), 1);
  EXPECT_EQ(state.WorkPanel(1), ToolPanel::kMode1Work2);
  EXPECT_EQ(state.WorkPanel(0), ToolPanel::kMode0Work2);
  // Every radio group has exactly one button down whatever was pressed.
  const ToolStateBlock block = state.Block();
  for (int32_t group = kModeGroup; group <= kGlueChoiceGroup; ++group) {
    int32_t down = 0;
    for (int32_t i = 0; i < ToolButtonCount(); ++i) {
      const ToolButtonEntry& entry = ToolButtonAt(i);
      if (entry.group == group) down += block.words[entry.word];
    }
    EXPECT_EQ(down, 1) << group;
  }
}

TEST(ToolButtonStateTest, RestoringABlockLetsTheLastPressedWordOfAGroupWin) {
  struct Case {
    const char* name;
    std::set<int32_t> words_set;  // words set to 1 in the block read
    std::set<int32_t> down;       // buttons down afterwards
    std::set<int32_t> up;         // buttons up afterwards
  };
  const Case cases[] = {
      {"all zero keeps every group",
       {},
       {kMode0Button, kMode0CameraMoveButton, kMode0TopViewButton, kSelectPointButton,
        kScreenAxesButton, kSelectGluePartitionButton},
       {kMode1Button, kMode0CameraRotateButton}},
      {"the highest word of a group wins",
       {3, 8, 16, 19},
       {kPointMoveButton, kMode0PerspectiveViewButton},
       {kMode0CameraRotateButton, kMode0CameraMoveButton, kMode0TopViewButton}},
      {"both modes set: mode 1", {0, 1}, {kMode1Button}, {kMode0Button}},
      {"pairs",
       {14, 35, 45},
       {kSelectGluePointButton, kObjectAxesButton, kSelectGlueObjectButton},
       {kSelectPointButton, kScreenAxesButton, kSelectGluePartitionButton}},
      {"switches follow their words",
       {10, 38},
       {kPointMoveYButton, kZoomObjectYButton},
       {kPointMoveXButton, kMoveObjectCoordinatesButton}},
      {"action words press nothing",
       {40, 41, 42, 52},
       {kMode1CameraMoveButton, kMode1TopViewButton},
       {kObjectValueButton, kCopyObjectButton, kDeleteObjectButton}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolButtonState state;
    ToolStateBlock block;
    for (int32_t word : c.words_set) block.words[word] = 1;
    state.RestoreAll(block);
    for (int32_t id : c.down) EXPECT_TRUE(state.Pressed(id)) << id;
    for (int32_t id : c.up) EXPECT_FALSE(state.Pressed(id)) << id;
    EXPECT_EQ(state.Block().words[52], 0);
  }
  // A word other than 1 presses nothing.
  ToolButtonState state;
  ToolStateBlock odd;
  odd.words[ToolStateBlock::kPointMoveTool] = 2;
  odd.words[ToolStateBlock::kPointMoveX] = -1;
  state.RestoreAll(odd);
  EXPECT_EQ(state.Tool(0), kMode0CameraMoveButton);
  EXPECT_FALSE(state.Pressed(kPointMoveXButton));
}

TEST(ToolButtonStateTest, EachWindowFillsAndRestoresOnlyItsOwnWords) {
  ToolButtonState saved;
  for (int32_t id : {kMode1Button, kZoomObjectButton, kZoomObjectYButton, kFaceAttributeButton,
                     kMode0PartitionViewButton, kObjectAxesButton}) {
    saved.Press(id);
  }
  const ToolStateBlock block = saved.Block();
  EXPECT_EQ(block.words[ToolStateBlock::kMode1], 1);
  EXPECT_EQ(block.words[ToolStateBlock::kZoomObjectTool], 1);
  EXPECT_EQ(block.words[ToolStateBlock::kZoomObjectY], 1);

  // Window by window, as the mode window passes command 6 down.
  ToolButtonState reopened;
  ToolStateBlock partial;
  reopened.Restore(ToolPanel::kMode1Tools, block);
  reopened.Fill(ToolPanel::kMode1Tools, &partial);
  EXPECT_EQ(reopened.Mode(), 0) << "the mode belongs to the mode window";
  EXPECT_EQ(partial.words[ToolStateBlock::kZoomObjectTool], 1);
  EXPECT_EQ(partial.words[ToolStateBlock::kZoomObjectY], 0) << "a work window's word";
  for (int32_t panel = 0; panel < kToolPanelCount; ++panel) {
    reopened.Restore(static_cast<ToolPanel>(panel), block);
  }
  EXPECT_EQ(reopened.Block(), block);
  EXPECT_EQ(reopened.Mode(), 1);
  EXPECT_EQ(reopened.WorkPanel(1), ToolPanel::kMode1Work2);
  EXPECT_TRUE(reopened.Pressed(kZoomObjectYButton));
}

}  // namespace
