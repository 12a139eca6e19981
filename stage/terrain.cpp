#include "stage/terrain.h"

#include "foundation/misuse_check.h"
#include "pictures/picture_bank_high_color1.h"

namespace {
constexpr const char* kTag = "Terrain";

bool ValidSide(int32_t side) { return side == kLeftSide || side == kRightSide; }

void ReleaseTexture(FaceAttribute& face) {
  if (face.Textured()) PictureBankHighColor1::Release(face.picture);
  face.texture_switch = 0;
  face.picture = -1;
}

// The road end of a side: the left end for the left side, the right end for the right side.
Point3f RoadEnd(const Point3f& right_end, const Point3f& left_end, int32_t side) {
  return side == kLeftSide ? left_end : right_end;
}
}  // namespace

Terrain::~Terrain() { FreeAll(); }

void Terrain::SetStartReserves(double first, double second) {
  start_reserves_[0] = first;
  start_reserves_[1] = second;
}

const Partition& Terrain::PartitionAt(int32_t p) const {
  SUITE_CHECK(HasPartition(p), kTag, "範囲外のパーテーションにアクセスしようとした");
  return *partitions_.At(p);
}

int32_t Terrain::AppendPartition(const Point3f& right_end, const Point3f& left_end,
                                 const LineFrame& frame) {
  auto* partition = new Partition;
  partition->right_end = right_end;
  partition->left_end = left_end;
  partition->frame = frame;
  return partitions_.Append(partition);
}

int32_t Terrain::AppendPartition(const Partition& partition) {
  auto* copy = new Partition;
  for (int32_t side = 0; side < 2; ++side) {
    copy->wires[side] = partition.wires[side];
    copy->face_run[side] = partition.face_run[side];
  }
  copy->right_end = partition.right_end;
  copy->left_end = partition.left_end;
  copy->road_face = partition.road_face;
  copy->frame = partition.frame;
  copy->glue = partition.glue;
  return partitions_.Append(copy);
}

void Terrain::OpeningLine(int32_t p, Point3f* right_end, Point3f* left_end,
                          const LineFrame** frame) const {
  if (p == 0) {
    *right_end = start_.right_end;
    *left_end = start_.left_end;
    if (frame != nullptr) *frame = &start_.frame;
    return;
  }
  const Partition& before = PartitionAt(p - 1);
  *right_end = before.right_end;
  *left_end = before.left_end;
  if (frame != nullptr) *frame = &before.frame;
}

bool Terrain::PartitionCorners(int32_t p, Point3f corners[4]) const {
  if (!HasPartition(p)) return false;
  const Partition& partition = PartitionAt(p);
  corners[0] = partition.left_end;
  corners[1] = partition.right_end;
  OpeningLine(p, &corners[2], &corners[3], nullptr);
  return true;
}

int32_t Terrain::WireCount(int32_t p, int32_t side) const {
  if (!HasPartition(p) || !ValidSide(side)) return 0;
  return PartitionAt(p).wires[side].Count();
}

int32_t Terrain::FaceRun(int32_t p, int32_t side) const {
  if (!HasPartition(p) || !ValidSide(side)) return 0;
  return PartitionAt(p).face_run[side];
}

bool Terrain::HasWire(int32_t p, int32_t side, int32_t wire) const {
  return wire >= 0 && wire < WireCount(p, side);
}

TerrainWire Terrain::Wire(int32_t p, int32_t side, int32_t wire) const {
  SUITE_CHECK(HasWire(p, side, wire), kTag, "範囲外のワイヤーにアクセスしようとした");
  return PartitionAt(p).wires[side].At(wire);
}

bool Terrain::ReadWirePoint(int32_t p, int32_t wire, int32_t side, WirePoint* point) const {
  if (!HasPartition(p) || !ValidSide(side)) return false;
  if (wire == kRoadEndWire) {
    const Partition& partition = PartitionAt(p);
    point->end_a = point->end_b = RoadEnd(partition.right_end, partition.left_end, side);
    point->joined = 1;
    point->face_flag = 0;
    return true;
  }
  if (!HasWire(p, side, wire)) return false;
  const TerrainWire record = Wire(p, side, wire);
  point->end_a = record.end_a;
  point->end_b = record.end_b;
  point->joined = record.joined;
  point->face_flag = record.face_flag;
  return true;
}

bool Terrain::SetWireEnds(int32_t p, int32_t side, int32_t wire, const Point3f& end_a,
                          const Point3f& end_b, int32_t joined) {
  if (!HasWire(p, side, wire)) return false;
  TerrainWire record = Wire(p, side, wire);
  record.joined = joined == 1 ? 1 : 0;
  record.end_a = end_a;
  record.end_b = record.joined == 1 ? end_a : end_b;
  Mutable(p)->wires[side].Store(record, wire);
  return true;
}

bool Terrain::MovePoint(int32_t p, int32_t side, int32_t wire, int32_t end,
                        const Point3f& position) {
  if (!HasWire(p, side, wire) || (end != kEndA && end != kEndB)) return false;
  TerrainWire record = Wire(p, side, wire);
  if (record.joined == 1) {
    record.end_a = record.end_b = position;
  } else if (end == kEndA) {
    record.end_a = position;
  } else {
    record.end_b = position;
  }
  Mutable(p)->wires[side].Store(record, wire);
  return true;
}

bool Terrain::SetJoined(int32_t p, int32_t side, int32_t wire, int32_t joined) {
  if (!HasWire(p, side, wire)) return false;
  TerrainWire record = Wire(p, side, wire);
  record.joined = joined == 1 ? 1 : 0;
  Mutable(p)->wires[side].Store(record, wire);
  return true;
}

void Terrain::ApplyFaceRule(int32_t p, int32_t side, int32_t wire) {
  if (!HasWire(p, side, wire)) return;
  TerrainWire record = Wire(p, side, wire);
  const int32_t flag = (p >= 1 && WireCount(p - 1, side) > wire) ? 1 : 0;
  if (flag == 0) ReleaseTexture(record.face);
  record.face_flag = flag;
  Mutable(p)->wires[side].Store(record, wire);
}

void Terrain::RecomputeFaceRuns(int32_t p) {
  if (!HasPartition(p)) return;
  Partition* partition = Mutable(p);
  for (int32_t side = 0; side < 2; ++side) {
    int32_t run = 0;
    while (run < partition->wires[side].Count() && partition->wires[side].At(run).face_flag == 1) {
      ++run;
    }
    partition->face_run[side] = run;
  }
}

bool Terrain::AddWire(int32_t p, int32_t side, const Point3f& position) {
  if (!HasPartition(p) || !ValidSide(side)) return false;
  TerrainWire record;
  record.end_a = record.end_b = position;
  record.joined = 1;
  const int32_t wire = Mutable(p)->wires[side].Append(record);
  ApplyFaceRule(p, side, wire);
  ApplyFaceRule(p + 1, side, wire);
  RecomputeFaceRuns(p);
  RecomputeFaceRuns(p + 1);
  return true;
}

bool Terrain::DeleteWire(int32_t p, int32_t side) {
  const int32_t count = WireCount(p, side);
  if (count == 0) return false;
  TerrainWire record = Wire(p, side, count - 1);
  ReleaseTexture(record.face);
  Mutable(p)->wires[side].RemoveAt(count - 1);
  RecomputeFaceRuns(p);
  ApplyFaceRule(p + 1, side, count - 1);
  RecomputeFaceRuns(p + 1);
  return true;
}

bool Terrain::HasFace(const FaceRef& face) const {
  if (!HasPartition(face.partition)) return false;
  if (face.side == kRoadFaceSide) return true;
  return HasWire(face.partition, face.side, face.wire) &&
         Wire(face.partition, face.side, face.wire).face_flag == 1;
}

FaceAttribute Terrain::Face(const FaceRef& face) const {
  if (!HasFace(face)) return FaceAttribute();
  if (face.side == kRoadFaceSide) return PartitionAt(face.partition).road_face;
  return Wire(face.partition, face.side, face.wire).face;
}

template <typename Change>
bool Terrain::EditFace(const FaceRef& face, Change change) {
  if (!HasFace(face)) return false;
  Partition* partition = Mutable(face.partition);
  if (face.side == kRoadFaceSide) {
    change(partition->road_face);
    return true;
  }
  TerrainWire record = partition->wires[face.side].At(face.wire);
  change(record.face);
  partition->wires[face.side].Store(record, face.wire);
  return true;
}

bool Terrain::SetFaceLook(const FaceRef& face, float red, float green, float blue,
                          const TextureCorner corners[4]) {
  return EditFace(face, [&](FaceAttribute& attribute) {
    attribute.red = red;
    attribute.green = green;
    attribute.blue = blue;
    for (int32_t i = 0; i < 4; ++i) attribute.corners[i] = corners[i];
  });
}

bool Terrain::SetFacePicture(const FaceRef& face, int32_t picture) {
  return EditFace(face, [&](FaceAttribute& attribute) {
    // Take the new reference first: the old and the new picture may be the same.
    if (picture >= 0) PictureBankHighColor1::AddRef(picture);
    ReleaseTexture(attribute);
    if (picture >= 0) {
      attribute.texture_switch = 1;
      attribute.picture = picture;
    }
  });
}

int32_t Terrain::SetFacePictureFromFile(const FaceRef& face, const std::string& path) {
  if (!HasFace(face)) return 0;
  const int32_t picture =
      PictureBankHighColor1::Register(path, PictureBankHighColor1::kModePowerOfTwo);
  if (picture < 0) return picture;
  // The registration holds the face's reference.
  EditFace(face, [&](FaceAttribute& attribute) {
    ReleaseTexture(attribute);
    attribute.texture_switch = 1;
    attribute.picture = picture;
  });
  return 1;
}

bool Terrain::ClearFaceTexture(const FaceRef& face) {
  return EditFace(face, [](FaceAttribute& attribute) { ReleaseTexture(attribute); });
}

int32_t Terrain::FaceQuad(int32_t p, int32_t side, int32_t wire, Point3f corners[4]) const {
  if (!HasFace(FaceRef{p, side, wire}) || side == kRoadFaceSide) return 1;
  const Partition& partition = PartitionAt(p);
  const Partition& before = PartitionAt(p - 1);  // exists: the face flag demands p >= 1
  const Point3f road_end = RoadEnd(partition.right_end, partition.left_end, side);
  const Point3f road_end_before = RoadEnd(before.right_end, before.left_end, side);
  corners[0] = wire == 0 ? road_end : partition.wires[side].At(wire - 1).end_b;
  corners[1] = partition.wires[side].At(wire).end_b;
  corners[2] = before.wires[side].At(wire).end_a;
  corners[3] = wire == 0 ? road_end_before : before.wires[side].At(wire - 1).end_a;
  return 0;
}

int32_t Terrain::GlueCount(int32_t p) const {
  return HasPartition(p) ? PartitionAt(p).glue.Count() : 0;
}

GlueEntry Terrain::GlueAt(int32_t p, int32_t index) const { return PartitionAt(p).glue.At(index); }

int32_t Terrain::FindGlue(int32_t p, int32_t object) const {
  for (int32_t i = 0; i < GlueCount(p); ++i) {
    if (GlueAt(p, i).object == object) return i;
  }
  return -1;
}

void Terrain::AppendGlue(int32_t p, const GlueEntry& entry) {
  SUITE_CHECK(HasPartition(p), kTag, "範囲外のパーテーションにアクセスしようとした");
  Mutable(p)->glue.Append(entry);
}

void Terrain::StoreGlue(int32_t p, int32_t index, const GlueEntry& entry) {
  SUITE_CHECK(index >= 0 && index < GlueCount(p), kTag, "範囲外の接着データにアクセスしようとした");
  Mutable(p)->glue.Store(entry, index);
}

void Terrain::RemoveGlue(int32_t p, int32_t index) {
  SUITE_CHECK(HasPartition(p), kTag, "範囲外のパーテーションにアクセスしようとした");
  Mutable(p)->glue.RemoveAt(index);
}

bool Terrain::FollowsFaceRule() const {
  for (int32_t p = 0; p < PartitionCount(); ++p) {
    const Partition& partition = PartitionAt(p);
    for (int32_t side = 0; side < 2; ++side) {
      const int32_t count = partition.wires[side].Count();
      const int32_t inner = p >= 1 ? WireCount(p - 1, side) : 0;
      for (int32_t wire = 0; wire < count; ++wire) {
        const int32_t flag = (p >= 1 && inner > wire) ? 1 : 0;
        if (partition.wires[side].At(wire).face_flag != flag) return false;
      }
      const int32_t run = p >= 1 ? (count < inner ? count : inner) : 0;
      if (partition.face_run[side] != run) return false;
    }
  }
  return true;
}

void Terrain::ReleaseAll() {
  for (int32_t p = 0; p < PartitionCount(); ++p) {
    Partition* partition = Mutable(p);
    ReleaseTexture(partition->road_face);
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t wire = 0; wire < partition->wires[side].Count(); ++wire) {
        TerrainWire record = partition->wires[side].At(wire);
        ReleaseTexture(record.face);
      }
    }
  }
  FreeAll();
}

void Terrain::FreeAll() {
  for (int32_t p = 0; p < PartitionCount(); ++p) delete partitions_.At(p);
  partitions_.Clear();
}
