// The plain records of the stage: points, face attributes, terrain wires, partition lines,
// glue entries, placed objects and the references the edit selection holds. All are
// trivially copyable and are stored by value in the typed containers.
#pragma once

#include <cstdint>

#include "render/polygon.h"


// A texture coordinate of one quad corner.
struct TextureCorner {
  float u = 0.0f;
  float v = 0.0f;

  friend bool operator==(const TextureCorner&, const TextureCorner&) = default;
};

// Colour and texture of the road quad of a partition or of one terrain face. While
// texture_switch is 1 the face holds one reference on `picture` in the picture bank; with
// the switch 0 the picture value is kept as it stands (normally -1) and owns nothing.
struct FaceAttribute {
  float red = 0.0f;
  float green = 0.4f;
  float blue = 0.2f;
  int32_t texture_switch = 0;
  int32_t picture = -1;
  TextureCorner corners[4] = {{1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};

  bool Textured() const { return texture_switch == 1; }
  friend bool operator==(const FaceAttribute&, const FaceAttribute&) = default;
};

// Sides of the road.
constexpr int32_t kLeftSide = 0;
constexpr int32_t kRightSide = 1;
// The road face of a partition where a face reference names a side.
constexpr int32_t kRoadFaceSide = -1;
// Ends of a terrain wire.
constexpr int32_t kEndA = 0;
constexpr int32_t kEndB = 1;
// Wire index that stands for the road end of a side.
constexpr int32_t kRoadEndWire = -1;

// One point of the terrain cross-section at the closing line of its partition. End A starts
// the faces of the next partition, end B ends the faces of its own partition.
struct TerrainWire {
  Point3f end_a;
  Point3f end_b;
  int32_t joined = 1;     // 1: A and B are one point
  int32_t face_flag = 0;  // 1: the face between this wire and the next inner one exists
  FaceAttribute face;     // the terrain face outward of the next inner wire

  friend bool operator==(const TerrainWire&, const TerrainWire&) = default;
};

// The road values of one partition-file line (its widths are not kept).
struct LineFrame {
  double sampling_position[3] = {0.0, 0.0, 0.0};
  double position_derivative[3] = {0.0, 0.0, 0.0};  // scaled to one sample step
  double roll = 0.0;
  double roll_derivative = 0.0;

  friend bool operator==(const LineFrame&, const LineFrame&) = default;
};

// The first line of the partition file, which opens partition 0.
struct StartLine {
  Point3f right_end;
  Point3f left_end;
  LineFrame frame;

  friend bool operator==(const StartLine&, const StartLine&) = default;
};

// An object glued to a partition, linked to the nearest partitions below and above that also
// hold it (-1 = none).
struct GlueEntry {
  int32_t object = -1;
  int32_t previous = -1;
  int32_t next = -1;

  friend bool operator==(const GlueEntry&, const GlueEntry&) = default;
};

// A placed object. Position, rotation and zoom place the shape; the object coordinates
// (origin, axes, scale) are the handle by which it is edited.
struct PlacedObject {
  Point3f position;
  Point3f rotation;
  Point3f zoom{100.0f, 100.0f, 100.0f};  // percent per axis
  int32_t shape = -1;                    // shape ID in the shape library
  Point3f origin;                        // pivot of rotation and zoom
  Point3f axes;
  Point3f scale{100.0f, 100.0f, 100.0f};

  friend bool operator==(const PlacedObject&, const PlacedObject&) = default;
};

// A wire end: partition, side, wire index (kRoadEndWire for the road end) and end. All -1
// when nothing is selected.
struct PointRef {
  int32_t partition = -1;
  int32_t side = -1;
  int32_t wire = -1;
  int32_t end = -1;

  bool Selected() const { return partition != -1; }
  friend bool operator==(const PointRef&, const PointRef&) = default;
};

// A face of the stage: the terrain face outward of wire `wire` on `side` of `partition`, or
// the road face of the partition when side is kRoadFaceSide. Also the entries of the
// picked-point list and the last taken point.
struct FaceRef {
  int32_t partition = -1;
  int32_t side = -1;
  int32_t wire = -1;

  friend bool operator==(const FaceRef&, const FaceRef&) = default;
};
