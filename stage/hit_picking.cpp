#include "stage/hit_picking.h"

namespace {
HitRecord Record(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t kind,
                 std::initializer_list<int32_t> ids) {
  HitRecord record{x0, y0, x1, y1, kind, {-1, -1, -1, -1}};
  int32_t i = 0;
  for (int32_t id : ids) record.ids[i++] = id;
  return record;
}

// How many ids identify an item of `kind`.
int32_t IdCount(int32_t kind) {
  switch (kind) {
    case kHitPoint:
      return 4;
    case kHitFace:
      return 3;
    default:
      return 1;
  }
}

bool Stands(const HitRecord& record, const int32_t* current) {
  for (int32_t i = 0; i < IdCount(record.kind); ++i) {
    if (record.ids[i] != current[i]) return false;
  }
  return true;
}
}  // namespace

HitRecord PartitionHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t partition) {
  return Record(x0, y0, x1, y1, kHitPartition, {partition});
}

HitRecord PointHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const PointRef& point) {
  return Record(x0, y0, x1, y1, kHitPoint, {point.partition, point.side, point.wire, point.end});
}

HitRecord FaceHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const FaceRef& face) {
  return Record(x0, y0, x1, y1, kHitFace, {face.partition, face.side, face.wire});
}

HitRecord ObjectHit(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t kind, int32_t object) {
  return Record(x0, y0, x1, y1, kind, {object});
}

std::vector<int32_t> HitsAt(const std::vector<HitRecord>& records, int32_t x, int32_t y,
                            HitKinds kinds) {
  std::vector<int32_t> hits;
  for (size_t i = 0; i < records.size(); ++i) {
    const HitRecord& r = records[i];
    if (r.kind < 0 || r.kind > 31 || (kinds & HitKindBit(r.kind)) == 0) continue;
    if (r.x0 <= x && x <= r.x1 && r.y0 <= y && y <= r.y1) {
      hits.push_back(static_cast<int32_t>(i));
    }
  }
  return hits;
}

int32_t PickHit(const std::vector<HitRecord>& records, int32_t x, int32_t y, HitKinds kinds,
                const int32_t* current) {
  const std::vector<int32_t> hits = HitsAt(records, x, y, kinds);
  if (hits.empty()) return -1;
  if (current != nullptr) {
    for (size_t i = 0; i + 1 < hits.size(); ++i) {
      if (Stands(records[static_cast<size_t>(hits[i])], current)) return hits[i + 1];
    }
  }
  return hits.front();
}

bool ClickSelectPartition(Stage& stage, const std::vector<HitRecord>& records, int32_t x,
                          int32_t y) {
  const int32_t current = stage.SelectedPartition();
  const int32_t hit =
      PickHit(records, x, y, HitKindBit(kHitPartition), current == -1 ? nullptr : &current);
  if (hit == -1) return false;
  stage.SelectPartition(records[static_cast<size_t>(hit)].ids[0]);
  return true;
}

bool ClickSelectPoint(Stage& stage, const std::vector<HitRecord>& records, int32_t x, int32_t y,
                      bool glue_target) {
  const PointRef selected = glue_target ? stage.GlueTarget() : stage.SelectedPoint();
  const int32_t current[4] = {selected.partition, selected.side, selected.wire, selected.end};
  const int32_t hit =
      PickHit(records, x, y, HitKindBit(kHitPoint), selected.Selected() ? current : nullptr);
  if (hit == -1) return false;
  const int32_t* ids = records[static_cast<size_t>(hit)].ids;
  const PointRef point{ids[0], ids[1], ids[2], ids[3]};
  return glue_target ? stage.SelectGlueTarget(point) : stage.SelectPoint(point);
}

bool ClickSelectObject(Stage& stage, const std::vector<HitRecord>& records, int32_t x, int32_t y) {
  const int32_t current = stage.SelectedObject();
  const int32_t hit = PickHit(records, x, y, kObjectHits, current == -1 ? nullptr : &current);
  if (hit == -1) return false;
  return stage.SelectObject(records[static_cast<size_t>(hit)].ids[0]);
}

std::vector<FaceRef> FacesAt(const std::vector<HitRecord>& records, int32_t x, int32_t y) {
  std::vector<FaceRef> faces;
  for (int32_t index : HitsAt(records, x, y, HitKindBit(kHitFace))) {
    const int32_t* ids = records[static_cast<size_t>(index)].ids;
    faces.push_back({ids[0], ids[1], ids[2]});
  }
  return faces;
}
