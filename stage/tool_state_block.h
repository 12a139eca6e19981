// The tool-state block of a stage file: 54 words, one per button or switch of the mode and
// tool windows, 1 when it is pressed or on. The windows fill it before a save and set their
// buttons from it after a load.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

struct ToolStateBlock {
  static constexpr int32_t kWords = 54;
  static constexpr size_t kBytes = static_cast<size_t>(kWords) * 4;

  // Words of the start-up state.
  static constexpr int32_t kMode0 = 0;
  static constexpr int32_t kMode0CameraMove = 2;
  static constexpr int32_t kSelectPoint = 13;
  static constexpr int32_t kMode0PlanView = 16;
  static constexpr int32_t kMode1CameraMove = 22;
  static constexpr int32_t kRotateOnScreen = 34;
  static constexpr int32_t kSelectGluePartition = 44;
  static constexpr int32_t kMoveObjectCoordinates = 47;
  static constexpr int32_t kMode1PlanView = 48;

  int32_t words[kWords] = {};

  // The state at program start: mode 0 with the camera-move tool and the plan view,
  // "SELECTPOINT", mode 1 with the camera-move tool and the plan view, rotation in screen
  // coordinates, "SELECTGLUEPAT", "MOVEOBJCOOR" on, every switch off.
  static ToolStateBlock Initial();

  void Write(ByteWriter& out) const;
  // Reads kBytes; false when fewer remain (the block is then unchanged).
  bool Read(ByteReader& in);
  friend bool operator==(const ToolStateBlock&, const ToolStateBlock&) = default;
};
