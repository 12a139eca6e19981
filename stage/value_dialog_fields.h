// The fields of the object value dialog without its window: the nine texts shown for the
// selected object's coordinates (origin, axes in degrees, scale), their check, and applying
// them (origin, then axes, then scale, the scale clamped).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/prompter.h"
#include "stage/stage.h"

// X, Y, Z, RX, RY, RZ, ZoomX, ZoomY, ZoomZ.
using ObjectValueTexts = std::array<std::string, 9>;

// A value as the dialog shows it ("%f").
std::string ValueFieldText(double value);
// Radians to the degrees shown: radians * 180 / pi, reduced into 0 ... 360.
double DegreesForField(double radians);
// Degrees typed to radians (the dialog's own pi, 3.14159).
double RadiansFromField(double degrees);
// A field is a number when its first character is "-" or a digit, the others digits with at
// most one "." and it holds at least one digit. The value is stored in *value.
bool ParseValueField(const std::string& text, double* value);

// The texts for object `object`.
ObjectValueTexts ObjectValueFields(const PlacedObject& object);
// Needs a selected object, else says "オブジェクトが選択されていません" and returns false.
bool CanOpenObjectValueDialog(const Stage& stage, PromptOwner owner);
// "OK": checks every field ("設定値にエラー" and false when one is not a number, nothing
// changed), then sets origin, axes (radians) and scale of the selected object.
bool ApplyObjectValueFields(Stage& stage, const ObjectValueTexts& texts, PromptOwner owner);
