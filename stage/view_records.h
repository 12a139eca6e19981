// The state of the stage views that a stage file carries (392 bytes), as plain records: the
// views fill them before a save and take them back after a load. Nothing here draws.
#pragma once

#include <cstdint>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

// Position and zoom of one parallel view (top, side or front).
struct ParallelViewRecord {
  double position_x = 0.0;
  double position_y = 0.0;
  double position_z = 0.0;
  double zoom = 0.001;

  friend bool operator==(const ParallelViewRecord&, const ParallelViewRecord&) = default;
};

// The stored part of a perspective camera: position, rotation and lens.
struct StageCameraRecord {
  float position_x = 0.0f;
  float position_y = 100.0f;
  float position_z = 0.0f;
  float rx = 0.0f;
  float ry = 0.0f;
  float rz = 0.0f;
  float lenz_width = 1.0f;
  float lenz_height = 1.0f;
  float lenz_dst = 1.0f;
  float pivot_dst = 10.0f;
  float far_dst = 10000.0f;

  friend bool operator==(const StageCameraRecord&, const StageCameraRecord&) = default;
};

// Road modes of a camera-mode record.
constexpr int32_t kRoadModeFree = 0;
constexpr int32_t kRoadModeRoad = 1;
constexpr int32_t kRoadModeLap = 2;

// One camera mode of the perspective view (72 bytes in the file).
struct CameraModeRecord {
  StageCameraRecord camera;
  int32_t partition = -1;  // partition the camera stands on, -1 = none
  float fraction = 0.0f;
  float height = 10.0f;
  float pitch = 0.0f;
  float yaw = 0.0f;
  int32_t road_mode = kRoadModeFree;
  int32_t render_flag = 0;  // 1 = rendered

  friend bool operator==(const CameraModeRecord&, const CameraModeRecord&) = default;
};

// The perspective view's display settings (28 bytes in the file).
struct DisplaySettings {
  int32_t perspective_road = 0;
  int32_t perspective_map = 0;
  int32_t perspective_objects = 0;
  int32_t range_mode = 0;        // 0 by partition count, 1 by Z value
  int32_t range_partitions = 0;  // partitions of the perspective range
  float range_z = 0.0f;          // Z value of the perspective range
  int32_t display_partitions = 20;

  friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};

// Command IDs of the perspective view's mode buttons.
constexpr int32_t kFreeButton = 1105;
constexpr int32_t kRoadButton = 1106;
constexpr int32_t kRenderButton = 1107;
constexpr int32_t kRenderAroundButton = 1108;

struct PerspectiveViewRecord {
  int32_t current_mode = 0;  // index into modes
  DisplaySettings settings;
  int32_t pressed_button = kFreeButton;
  CameraModeRecord modes[3];  // free, road, lap

  PerspectiveViewRecord();
  friend bool operator==(const PerspectiveViewRecord&, const PerspectiveViewRecord&) = default;
};

// The partition view: its two bar toggles and eight raw 32-bit values of its camera state,
// whose meaning the partition view decides (floats are stored by their bits).
struct PartitionViewRecord {
  int32_t horizontal = 0;     // HORZ toggle
  int32_t show_previous = 0;  // BEFOREDISP toggle
  uint32_t camera_state[8] = {0, 0, 0, 0, 0, 0, 0, 0};

  friend bool operator==(const PartitionViewRecord&, const PartitionViewRecord&) = default;
};

// View kinds of the split-screen panes.
constexpr int32_t kTopViewKind = 0;
constexpr int32_t kSideViewKind = 1;
constexpr int32_t kFrontViewKind = 2;
constexpr int32_t kPerspectiveViewKind = 3;
constexpr int32_t kPartitionViewKind = 4;

// The view section of a stage file, in file order. A default-made section holds the views'
// initial state.
struct ViewSection {
  static constexpr size_t kBytes = 392;

  int32_t first_pane_kind = kTopViewKind;  // the split layout's first pane
  ParallelViewRecord parallel[3];          // top, side, front
  PerspectiveViewRecord perspective;
  PartitionViewRecord partition;

  void Write(ByteWriter& out) const;
  // Reads kBytes; false when fewer remain (the section is then unchanged).
  bool Read(ByteReader& in);
  friend bool operator==(const ViewSection&, const ViewSection&) = default;
};
