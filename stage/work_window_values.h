// What the three coordinate text windows of a work window show: X, Y and Z of the selected
// point (point move), or of the selected object's origin, axes in degrees or scale (object
// move, rotate, zoom), each written with "%f"; "?????" each when nothing is selected.
#pragma once

#include <array>
#include <string>

#include "stage/stage.h"
#include "stage/tool_buttons.h"

// The text a coordinate window shows before its first refresh, and with nothing selected.
inline constexpr const char* kCoordinateTextUnset = "??????";
inline constexpr const char* kCoordinateTextNone = "?????";

using CoordinateTexts = std::array<std::string, 3>;

// True for the work windows that carry coordinate text windows.
bool ShowsCoordinates(ToolPanel panel);
// The texts of such a work window for the stage as it is.
CoordinateTexts WorkWindowTexts(const Stage& stage, ToolPanel panel);
