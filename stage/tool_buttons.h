// The buttons of the stage editor's mode window, its two tool windows and their ten work
// windows: command id, bitmap strip, window, place, role, radio group, tool-state word and
// balloon text of each, the work window each tool shows, and the view each view button
// chooses.
#pragma once

#include <cstdint>

// The windows that hold buttons, in the order the mode window creates them.
enum class ToolPanel : int32_t {
  kModeWindow = 0,
  kMode0Tools,
  kMode0Work0,
  kMode0Work1,
  kMode0Work2,
  kMode0Work3,
  kMode0Work4,
  kMode1Tools,
  kMode1Work0,
  kMode1Work1,
  kMode1Work2,
  kMode1Work3,
  kMode1Work4,
  kNone,
};
inline constexpr int32_t kToolPanelCount = 13;

enum class ButtonRole : int32_t {
  kRadio,   // one of a group of which exactly one is pressed
  kSwitch,  // on or off by turns
  kAction,  // does its work when pressed and never stays down
};

// Radio groups.
enum ButtonGroup : int32_t {
  kNoButtonGroup = -1,
  kModeGroup = 0,
  kMode0ToolGroup,
  kMode0ViewGroup,
  kPointChoiceGroup,  // "SELECTPOINT" / "SELECTGLUEPOINT"
  kMode1ToolGroup,
  kMode1ViewGroup,
  kRotateAxesGroup,  // "SCRCOOR" / "OBJCOOR"
  kGlueChoiceGroup,  // "SELECTGLUEPAT" / "SELECTGLUEOBJ"
};

// Command ids of the buttons.
enum ToolButtonId : int32_t {
  kMode0Button = 1031,
  kMode1Button = 1032,
  // Mode-0 tool window.
  kMode0CameraMoveButton = 1033,
  kMode0CameraRotateButton = 1034,
  kMode0CameraZoomButton = 1035,
  kSelectPartitionButton = 1036,
  kSelectPointToolButton = 1037,
  kWireEditButton = 1038,
  kPointMoveButton = 1039,
  kPointGlueButton = 1040,
  kFaceAttributeButton = 1041,
  kMode0TopViewButton = 1042,
  kMode0SideViewButton = 1043,
  kMode0FrontViewButton = 1044,
  kMode0PerspectiveViewButton = 1045,
  kMode0PartitionViewButton = 1046,
  kMode0SplitViewButton = 1047,
  kMode0SplitSettingButton = 1048,
  // Mode-0 work windows.
  kLeftAddButton = 1049,
  kRightAddButton = 1050,
  kLeftDeleteButton = 1051,
  kRightDeleteButton = 1052,
  kCopyBeforePartitionButton = 1053,
  kCopyBeforeWorldButton = 1054,
  kPointMoveXButton = 1055,
  kPointMoveYButton = 1056,
  kPointMoveZButton = 1057,
  kSelectPointButton = 1058,
  kSelectGluePointButton = 1059,
  kGluePointButton = 1060,
  kUngluePointButton = 1061,
  kNewTextureButton = 1062,
  kUsedTextureButton = 1063,
  kInvertTextureButton = 1064,
  kRotateTextureButton = 1065,
  // Mode-1 tool window.
  kMode1CameraMoveButton = 1066,
  kMode1CameraRotateButton = 1067,
  kMode1CameraZoomButton = 1068,
  kSelectObjectButton = 1070,
  kMoveObjectButton = 1071,
  kRotateObjectButton = 1072,
  kZoomObjectButton = 1073,
  kObjectValueButton = 1074,
  kCopyObjectButton = 1075,
  kDeleteObjectButton = 1076,
  kGlueObjectButton = 1077,
  kObjectCoordinatesButton = 1078,
  kCreateBitmapObjectButton = 1079,
  kCreateBackgroundObjectButton = 1080,
  kMode1TopViewButton = 1081,
  kMode1SideViewButton = 1082,
  kMode1FrontViewButton = 1083,
  kMode1PerspectiveViewButton = 1084,
  kMode1SplitViewButton = 1086,
  kMode1SplitSettingButton = 1087,
  // Mode-1 work windows.
  kMoveObjectXButton = 1088,
  kMoveObjectYButton = 1089,
  kMoveObjectZButton = 1090,
  kRotateObjectXButton = 1091,
  kRotateObjectYButton = 1092,
  kRotateObjectZButton = 1093,
  kScreenAxesButton = 1094,
  kObjectAxesButton = 1095,
  kZoomObjectXButton = 1096,
  kZoomObjectYButton = 1097,
  kZoomObjectZButton = 1098,
  kSelectGluePartitionButton = 1099,
  kSelectGlueObjectButton = 1100,
  kGlueButton = 1101,
  kUnglueButton = 1102,
  kMoveObjectCoordinatesButton = 1103,
  kResetMoveButton = 1104,
};

struct ToolButtonEntry {
  int32_t id;
  const char* bitmap;  // strip of three cells: raised, pointer over it, pressed
  ToolPanel panel;
  ButtonRole role;
  int32_t group;  // ButtonGroup of a radio button, else kNoButtonGroup
  int32_t word;   // its tool-state word, -1 for none
  int32_t x, y, width, height;
  const char* help;  // "[Function]" line, indented description, "[Operate]" hints
};

// Size of the mode window's and the tool windows' fixed side, and of a work window strip.
inline constexpr int32_t kModeWindowHeight = 24;
inline constexpr int32_t kToolWindowWidth = 95;
inline constexpr int32_t kWorkWindowHeight = 26;

// Every button, in id order.
int32_t ToolButtonCount();
const ToolButtonEntry& ToolButtonAt(int32_t index);
// The button with that id, or nullptr.
const ToolButtonEntry* FindToolButton(int32_t id);

// The work window a tool shows (kNone for the tools without one).
ToolPanel WorkPanelOfTool(int32_t tool_id);
// The tool window of a mode (0 or 1) and the mode a panel belongs to (-1 for the mode window).
ToolPanel ToolPanelOfMode(int32_t mode);
int32_t ModeOfPanel(ToolPanel panel);
// The window class name of a panel ("GroupWindow_mode0button1", ...).
const char* PanelClassName(ToolPanel panel);

// What a view button chooses: a view kind of view_records.h, kSplitViewChoice for the split
// view, or kNoViewChoice when the id is no view button.
inline constexpr int32_t kSplitViewChoice = -1;
inline constexpr int32_t kNoViewChoice = -2;
bool IsViewButton(int32_t id);
int32_t ViewChoiceOfButton(int32_t id);
// The "DIVSET" button of either mode.
bool IsSplitSettingButton(int32_t id);
