#include "stage/views/view_state.h"

#include <algorithm>
#include <cmath>

#include "stage/views/camera_modes.h"

DisplaySettings ClampDisplaySettings(const DisplaySettings& settings) {
  DisplaySettings out = settings;
  out.perspective_road = settings.perspective_road != 0 ? 1 : 0;
  out.perspective_map = settings.perspective_map != 0 ? 1 : 0;
  out.perspective_objects = settings.perspective_objects != 0 ? 1 : 0;
  out.range_mode = settings.range_mode == 1 ? 1 : 0;
  out.range_partitions = std::clamp(settings.range_partitions, 0, kRangePartitionsMax);
  out.range_z =
      std::isfinite(settings.range_z) ? std::clamp(settings.range_z, 0.0f, kRangeZMax) : 0.0f;
  out.display_partitions =
      std::clamp(settings.display_partitions, kDisplayPartitionsMin, kDisplayPartitionsMax);
  return out;
}

namespace {

float Finite(float value, float fallback) { return std::isfinite(value) ? value : fallback; }

CameraModeRecord SaneMode(const CameraModeRecord& mode, int32_t road_mode,
                          const CameraModeRecord& initial) {
  CameraModeRecord out = mode;
  StageCameraRecord& c = out.camera;
  const StageCameraRecord& i = initial.camera;
  for (auto [value, fallback] : {std::pair{&c.position_x, i.position_x},
                                 {&c.position_y, i.position_y},
                                 {&c.position_z, i.position_z},
                                 {&c.rx, i.rx},
                                 {&c.ry, i.ry},
                                 {&c.rz, i.rz},
                                 {&c.pivot_dst, i.pivot_dst}}) {
    *value = Finite(*value, fallback);
  }
  if (!(c.lenz_width > 0.0f) || !std::isfinite(c.lenz_width)) c.lenz_width = i.lenz_width;
  if (!(c.lenz_height > 0.0f) || !std::isfinite(c.lenz_height)) c.lenz_height = i.lenz_height;
  if (!(c.lenz_dst >= kLensDistanceMin && c.lenz_dst <= kLensDistanceMax)) c.lenz_dst = i.lenz_dst;
  if (!(c.far_dst > c.lenz_dst) || !std::isfinite(c.far_dst)) c.far_dst = i.far_dst;
  out.fraction = Finite(mode.fraction, 0.0f);
  if (mode.partition < -1) out.partition = -1;
  out.height = std::clamp(Finite(mode.height, initial.height), 0.0f, kHeightMax);
  out.pitch = std::clamp(Finite(mode.pitch, 0.0f), -kAngleLimit, kAngleLimit);
  out.yaw = std::clamp(Finite(mode.yaw, 0.0f), -kAngleLimit, kAngleLimit);
  out.road_mode = road_mode;
  out.render_flag = mode.render_flag != 0 ? 1 : 0;
  return out;
}

}  // namespace

ViewSection SaneViewSection(const ViewSection& section) {
  const ViewSection initial;
  ViewSection out = section;
  if (out.first_pane_kind < kTopViewKind || out.first_pane_kind > kPartitionViewKind) {
    out.first_pane_kind = initial.first_pane_kind;
  }
  for (int i = 0; i < 3; ++i) {
    ParallelViewRecord& view = out.parallel[i];
    for (double* value : {&view.position_x, &view.position_y, &view.position_z}) {
      if (!std::isfinite(*value)) *value = 0.0;
    }
    if (!std::isfinite(view.zoom)) view.zoom = initial.parallel[i].zoom;
  }
  PerspectiveViewRecord& p = out.perspective;
  for (int32_t m = 0; m < 3; ++m) {
    p.modes[m] = SaneMode(p.modes[m], m, initial.perspective.modes[m]);
  }
  p.settings = ClampDisplaySettings(p.settings);
  if (ModeOfButton(p.pressed_button) < 0) {
    // The button follows the stored mode and its render flag.
    const int32_t mode = std::clamp(p.current_mode, 0, 2);
    p.pressed_button = mode == 0                     ? kFreeButton
                       : mode == 2                   ? kRenderAroundButton
                       : p.modes[1].render_flag == 1 ? kRenderButton
                                                     : kRoadButton;
  }
  PressModeButton(&p, p.pressed_button);
  out.partition.horizontal = section.partition.horizontal != 0 ? 1 : 0;
  out.partition.show_previous = section.partition.show_previous != 0 ? 1 : 0;
  return out;
}

namespace animation_clock {
namespace {
uint32_t clock_ms = 0;
}
uint32_t Now() { return clock_ms; }
void Set(uint32_t milliseconds) { clock_ms = milliseconds; }
void Advance() { clock_ms += kStep; }
}  // namespace animation_clock
