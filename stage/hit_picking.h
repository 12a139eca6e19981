// What a click in a view hits: the views record a screen rectangle for every partition,
// point, face and object they draw, and the editing tools look the click point up in those
// records. Repeated clicks on the same place step through items drawn on top of each other:
// the record after the current selection is taken, or the first one when the selection is
// not under the click (or is the last there).
#pragma once

#include <cstdint>
#include <vector>

#include "stage/stage.h"

// Kinds of items a view records.
enum HitKind : int32_t {
  kHitFreeObject = 1,   // ids[0]: object
  kHitGluedObject = 2,  // ids[0]: object
  kHitPoint = 3,        // ids: partition, side, wire, end
  kHitFace = 4,         // ids: partition, side (-1 road face), wire
  kHitPartition = 5,    // ids[0]: partition
  kHitBackground = 6,   // ids[0]: object
};

struct HitRecord {
  int32_t x0 = 0;
  int32_t y0 = 0;
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t kind = 0;
  int32_t ids[4] = {-1, -1, -1, -1};
};

// A set of HitKind values.
using HitKinds = uint32_t;
constexpr HitKinds HitKindBit(int32_t kind) { return 1u << static_cast<uint32_t>(kind); }
constexpr HitKinds kObjectHits =
    HitKindBit(kHitFreeObject) | HitKindBit(kHitGluedObject) | HitKindBit(kHitBackground);

HitRecord PartitionHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t partition);
HitRecord PointHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const PointRef& point);
HitRecord FaceHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const FaceRef& face);
HitRecord ObjectHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t kind, int32_t object);

// Indices of the records of the given kinds whose rectangle holds (x, y), in drawing order.
std::vector<int32_t> HitsAt(const std::vector<HitRecord>& records, int32_t x, int32_t y,
                            HitKinds kinds);
// The record to take at (x, y): the first match after the one that stands for `current`
// (compared by its ids), else the first match; -1 when nothing is hit. `current` may be
// nullptr (nothing selected).
int32_t PickHit(const std::vector<HitRecord>& records, int32_t x, int32_t y, HitKinds kinds,
                const int32_t* current);

// The clicks of the selecting tools. Each returns true when something was hit and taken;
// a click that hits nothing changes nothing.
// Select partition / wire editing / glue with "SELECTGLUEPAT".
bool ClickSelectPartition(Stage& stage, const std::vector<HitRecord>& records, int32_t x,
                          int32_t y);
// Select point / point move / point glue: the selected point, or the glue target when
// `glue_target` ("SELECTGLUEPOINT").
bool ClickSelectPoint(Stage& stage, const std::vector<HitRecord>& records, int32_t x, int32_t y,
                      bool glue_target);
// The object tools and glue with "SELECTGLUEOBJ".
bool ClickSelectObject(Stage& stage, const std::vector<HitRecord>& records, int32_t x, int32_t y);
// The faces under (x, y), in drawing order.
std::vector<FaceRef> FacesAt(const std::vector<HitRecord>& records, int32_t x, int32_t y);
