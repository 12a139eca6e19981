// The views' stored state made safe to draw with, the limits of the display settings, and
// the program-wide animation clock the rendered picture shows animated textures at.
#pragma once

#include <cstdint>

#include "stage/view_records.h"

// Limits of the display settings dialog.
constexpr int32_t kRangePartitionsMax = 50;
constexpr float kRangeZMax = 10000.0f;
constexpr int32_t kDisplayPartitionsMin = 1;
constexpr int32_t kDisplayPartitionsMax = 50;

// Each setting brought into the dialog's limits (check boxes and the range mode to 0 or 1).
DisplaySettings ClampDisplaySettings(const DisplaySettings& settings);

// The view records of a stage file as the views can use them: non-finite numbers and lens
// values a camera cannot project with (sizes at or below 0, LenzDst outside [0.1, 50] or not
// below FarDst) go back to their initial values, each camera-mode record keeps the road mode
// of its place, the current mode and pressed button agree with each other, the display
// settings keep their limits and the first pane is a view kind. Everything else stands.
ViewSection SaneViewSection(const ViewSection& section);

// The animation clock, milliseconds.
namespace animation_clock {
uint32_t Now();
void Set(uint32_t milliseconds);
// Each timed redraw of the rendered view moves the clock on by kStep.
constexpr uint32_t kStep = 30;
void Advance();
}  // namespace animation_clock
