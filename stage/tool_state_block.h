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

  // The meaning of each word (1 = that button is pressed or that switch is on).
  static constexpr int32_t kMode0 = 0;
  static constexpr int32_t kMode1 = 1;
  // Mode-0 tools (one radio group).
  static constexpr int32_t kMode0CameraMove = 2;
  static constexpr int32_t kMode0CameraRotate = 3;
  static constexpr int32_t kMode0CameraZoom = 4;
  static constexpr int32_t kSelectPartitionTool = 5;
  static constexpr int32_t kSelectPointTool = 6;
  static constexpr int32_t kWireEditTool = 7;
  static constexpr int32_t kPointMoveTool = 8;
  static constexpr int32_t kPointMoveX = 9;  // switches: the axis is held
  static constexpr int32_t kPointMoveY = 10;
  static constexpr int32_t kPointMoveZ = 11;
  static constexpr int32_t kPointGlueTool = 12;
  static constexpr int32_t kSelectPoint = 13;      // "SELECTPOINT" (radio pair with 14)
  static constexpr int32_t kSelectGluePoint = 14;  // "SELECTGLUEPOINT"
  static constexpr int32_t kFaceAttributeTool = 15;
  // Mode-0 views (one radio group): plan, side, front, perspective, partition, split.
  static constexpr int32_t kMode0PlanView = 16;
  static constexpr int32_t kMode0SideView = 17;
  static constexpr int32_t kMode0FrontView = 18;
  static constexpr int32_t kMode0PerspectiveView = 19;
  static constexpr int32_t kMode0PartitionView = 20;
  static constexpr int32_t kMode0SplitView = 21;
  // Mode-1 tools (one radio group).
  static constexpr int32_t kMode1CameraMove = 22;
  static constexpr int32_t kMode1CameraRotate = 23;
  static constexpr int32_t kMode1CameraZoom = 24;
  static constexpr int32_t kSelectObjectTool = 25;
  static constexpr int32_t kMoveObjectTool = 26;
  static constexpr int32_t kMoveObjectX = 27;
  static constexpr int32_t kMoveObjectY = 28;
  static constexpr int32_t kMoveObjectZ = 29;
  static constexpr int32_t kRotateObjectTool = 30;
  static constexpr int32_t kRotateObjectX = 31;
  static constexpr int32_t kRotateObjectY = 32;
  static constexpr int32_t kRotateObjectZ = 33;
  static constexpr int32_t kRotateOnScreen = 34;  // "SCRCOOR" (radio pair with 35)
  static constexpr int32_t kRotateOnObject = 35;  // "OBJCOOR"
  static constexpr int32_t kZoomObjectTool = 36;
  static constexpr int32_t kZoomObjectX = 37;
  static constexpr int32_t kZoomObjectY = 38;
  static constexpr int32_t kZoomObjectZ = 39;
  static constexpr int32_t kValueDialogButton = 40;
  static constexpr int32_t kCopyObjectButton = 41;
  static constexpr int32_t kDeleteObjectButton = 42;
  static constexpr int32_t kGlueObjectTool = 43;
  static constexpr int32_t kSelectGluePartition = 44;  // "SELECTGLUEPAT" (radio pair with 45)
  static constexpr int32_t kSelectGlueObject = 45;     // "SELECTGLUEOBJ"
  static constexpr int32_t kObjectCoordinatesTool = 46;
  static constexpr int32_t kMoveObjectCoordinates = 47;  // "MOVEOBJCOOR"
  // Mode-1 views: plan, side, front, perspective, (no partition view: always 0), split.
  static constexpr int32_t kMode1PlanView = 48;
  static constexpr int32_t kMode1SideView = 49;
  static constexpr int32_t kMode1FrontView = 50;
  static constexpr int32_t kMode1PerspectiveView = 51;
  static constexpr int32_t kMode1PartitionView = 52;
  static constexpr int32_t kMode1SplitView = 53;

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
