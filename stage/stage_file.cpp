#include "stage/stage_file.h"

#include <cstring>
#include <vector>

#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/stage_state.h"

namespace {
using Bank = PictureBankHighColor1;

constexpr char kMagic[11] = "Tarnhollow";
constexpr char kVersion[11] = "Version1.1";

// Smallest encodings, for checking counts against the bytes that remain.
constexpr size_t kWireBytes = 84;
constexpr size_t kSmallestPartitionBytes = 4 + 4 + 8 + 12 + 12 + 24 + 24 + 8 + 8 + 16 + 4 + 32 + 4;
constexpr size_t kGlueBytes = 12;
constexpr size_t kObjectBytes = 76;
constexpr size_t kSmallestShapeBytes = 4 + 4 + 4 + 4 + 1 + 4;
constexpr size_t kAttributeBytes = 28;

// --- Writing --------------------------------------------------------------------------

void WritePoint(const Point3f& point, ByteWriter& out) {
  out.F32(point.x);
  out.F32(point.y);
  out.F32(point.z);
}

void WriteFrame(const LineFrame& frame, ByteWriter& out) {
  for (double value : frame.sampling_position) out.F64(value);
  for (double value : frame.position_derivative) out.F64(value);
  out.F64(frame.roll);
  out.F64(frame.roll_derivative);
}

// A textured face or attribute stores its picture's position in the bank's save order;
// otherwise the value it holds.
int32_t PictureOrdinal(int32_t texture_switch, int32_t picture) {
  if (texture_switch != 1 || !Bank::IsPicture(picture)) return picture;
  return Bank::SaveOrdinal(picture);
}

void WriteFace(const FaceAttribute& face, ByteWriter& out) {
  out.F32(face.red);
  out.F32(face.green);
  out.F32(face.blue);
  out.I32(face.texture_switch);
  out.I32(PictureOrdinal(face.texture_switch, face.picture));
  for (const TextureCorner& corner : face.corners) {
    out.F32(corner.u);
    out.F32(corner.v);
  }
}

void WriteWire(const TerrainWire& wire, ByteWriter& out) {
  WritePoint(wire.end_a, out);
  WritePoint(wire.end_b, out);
  out.I32(wire.joined);
  out.I32(wire.face_flag);
  WriteFace(wire.face, out);
}

void WriteShape(const ObjectShape& shape, ByteWriter& out) {
  out.I32(static_cast<int32_t>(shape.points.size()));
  for (const Point3f& point : shape.points) WritePoint(point, out);
  out.I32(static_cast<int32_t>(shape.map_coordinates.size()));
  for (const TextureCorner& map : shape.map_coordinates) {
    out.F32(map.u);
    out.F32(map.v);
  }
  out.I32(static_cast<int32_t>(shape.attributes.size()));
  for (const ShapeAttribute& attribute : shape.attributes) {
    out.F32(attribute.red);
    out.F32(attribute.green);
    out.F32(attribute.blue);
    out.I32(attribute.texture_switch);
    out.I32(PictureOrdinal(attribute.texture_switch, attribute.picture));
    out.F32(attribute.repeat_u);
    out.F32(attribute.repeat_v);
  }
  out.I32(shape.use_count);
  out.Text(shape.name);
  out.U8(0);
  out.I32(static_cast<int32_t>(shape.polygons.size()));
  for (const std::vector<int32_t>& polygon : shape.polygons) {
    for (int32_t word : polygon) out.I32(word);
  }
}

// --- Reading --------------------------------------------------------------------------

Point3f ReadPoint(ByteReader& in) {
  Point3f point;
  point.x = in.F32();
  point.y = in.F32();
  point.z = in.F32();
  return point;
}

LineFrame ReadFrame(ByteReader& in) {
  LineFrame frame;
  for (double& value : frame.sampling_position) value = in.F64();
  for (double& value : frame.position_derivative) value = in.F64();
  frame.roll = in.F64();
  frame.roll_derivative = in.F64();
  return frame;
}

FaceAttribute ReadFace(ByteReader& in) {
  FaceAttribute face;
  face.red = in.F32();
  face.green = in.F32();
  face.blue = in.F32();
  face.texture_switch = in.I32();
  face.picture = in.I32();
  for (TextureCorner& corner : face.corners) {
    corner.u = in.F32();
    corner.v = in.F32();
  }
  return face;
}

// Reads a zero-terminated name; fails when no zero byte follows.
bool ReadName(ByteReader& in, std::string* name) {
  name->clear();
  while (in.Ok() && !in.AtEnd()) {
    const uint8_t byte = in.U8();
    if (byte == 0) return true;
    name->push_back(static_cast<char>(byte));
  }
  in.Fail();
  return false;
}

bool ReadShape(ByteReader& in, ObjectShape* shape) {
  const int32_t point_count = in.I32();
  if (!in.CanRead(point_count, 12)) return false;
  shape->points.resize(static_cast<size_t>(point_count));
  for (Point3f& point : shape->points) point = ReadPoint(in);

  const int32_t map_count = in.I32();
  if (!in.CanRead(map_count, 8)) return false;
  shape->map_coordinates.resize(static_cast<size_t>(map_count));
  for (TextureCorner& map : shape->map_coordinates) {
    map.u = in.F32();
    map.v = in.F32();
  }

  const int32_t attribute_count = in.I32();
  if (!in.CanRead(attribute_count, kAttributeBytes)) return false;
  shape->attributes.resize(static_cast<size_t>(attribute_count));
  for (ShapeAttribute& attribute : shape->attributes) {
    attribute.red = in.F32();
    attribute.green = in.F32();
    attribute.blue = in.F32();
    attribute.texture_switch = in.I32();
    attribute.picture = in.I32();
    attribute.repeat_u = in.F32();
    attribute.repeat_v = in.F32();
  }

  shape->use_count = in.I32();
  if (!ReadName(in, &shape->name)) return false;

  const int32_t polygon_count = in.I32();
  if (!in.CanRead(polygon_count, 8)) return false;
  shape->polygons.resize(static_cast<size_t>(polygon_count));
  for (std::vector<int32_t>& polygon : shape->polygons) {
    const int32_t vertex_count = in.I32();
    if (vertex_count < 0 || !in.CanRead(2 * static_cast<int64_t>(vertex_count) + 1, 4)) {
      return false;
    }
    polygon.resize(2 * static_cast<size_t>(vertex_count) + 2);
    polygon[0] = vertex_count;
    for (size_t i = 1; i < polygon.size(); ++i) polygon[i] = in.I32();
    if (!PolygonFitsShape(polygon, *shape)) return false;
  }
  return in.Ok();
}

bool InRange(int32_t value, int32_t count) { return value >= 0 && value < count; }
bool NoneOrInRange(int32_t value, int32_t count) { return value == -1 || InRange(value, count); }

// A stored texture reference is good when the switch is 0 (the value is kept as it stands)
// or the switch is 1 and the value names a picture of the bank image.
bool PictureFits(int32_t texture_switch, int32_t picture, int32_t picture_count) {
  if (texture_switch == 0) return true;
  return texture_switch == 1 && InRange(picture, picture_count);
}

bool PointFits(const Terrain& terrain, const PointRef& point) {
  if (point.partition == -1) return true;
  WirePoint unused;
  return (point.end == kEndA || point.end == kEndB) &&
         terrain.ReadWirePoint(point.partition, point.wire, point.side, &unused);
}

// The number of pictures the bank image that starts at the reader's position holds, or -1.
int32_t PeekPictureCount(const ByteReader& in) {
  ByteReader copy = in;
  copy.I32();  // colour bits
  const int32_t count = copy.I32();
  return copy.Ok() && count >= 0 ? count : -1;
}

// Every reference the stage holds on picture `id`: textured faces and shape attributes.
void CountPictureUses(const Terrain& terrain, const ShapeLibrary& shapes,
                      std::vector<int32_t>* uses) {
  auto count = [&](int32_t texture_switch, int32_t picture) {
    if (texture_switch == 1 && InRange(picture, static_cast<int32_t>(uses->size()))) {
      ++(*uses)[static_cast<size_t>(picture)];
    }
  };
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    const Partition& partition = terrain.PartitionAt(p);
    count(partition.road_face.texture_switch, partition.road_face.picture);
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t w = 0; w < partition.wires[side].Count(); ++w) {
        const TerrainWire wire = partition.wires[side].At(w);
        count(wire.face.texture_switch, wire.face.picture);
      }
    }
  }
  for (int32_t id = shapes.FirstId(); id != -1; id = shapes.NextId(id)) {
    for (const ShapeAttribute& attribute : shapes.Shape(id).attributes) {
      count(attribute.texture_switch, attribute.picture);
    }
  }
}

// A loaded bank carries the reference counts of the file, but the loaded stage (its faces and
// shape attributes) and the animation bases (their frames) are the only holders of its
// pictures. Each count is set to exactly those references: a damaged or hand-made file can
// then neither free a picture that is still shown (a count too low) nor run a count past its
// range (one too high).
void RecountPictureUses(const Terrain& terrain, const ShapeLibrary& shapes) {
  std::vector<int32_t> uses(static_cast<size_t>(Bank::Count()), 0);
  CountPictureUses(terrain, shapes, &uses);
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) {
    if (Bank::Kind(id) != Bank::kAnimationBase) continue;
    for (int32_t n = 0; n < Bank::FrameCount(id); ++n) {
      const int32_t frame = Bank::FrameId(id, n);
      if (InRange(frame, static_cast<int32_t>(uses.size()))) ++uses[static_cast<size_t>(frame)];
    }
  }
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) {
    if (InRange(id, static_cast<int32_t>(uses.size()))) {
      Bank::SetReferenceCount(id, uses[static_cast<size_t>(id)]);
    }
  }
}
}  // namespace

const char* StageFile::Message(StageFileResult result) {
  switch (result) {
    case StageFileResult::kOk:
      return "";
    case StageFileResult::kCannotOpen:
      return "ファイルのオープンに失敗";
    case StageFileResult::kNotStageFile:
      return "このファイルはTarnhollowのファイルでない";
    case StageFileResult::kOtherVersion:
      return "このファイルはバージョンが異なります";
    case StageFileResult::kDamaged:
      return "ファイルが破壊されている";
  }
  return "";
}

void StageFile::WritePointRef(const PointRef& point, ByteWriter& out) {
  out.I32(point.partition);
  out.I32(point.side);
  out.I32(point.wire);
  out.I32(point.end);
}

PointRef StageFile::ReadPointRef(ByteReader& in) {
  PointRef point;
  point.partition = in.I32();
  point.side = in.I32();
  point.wire = in.I32();
  point.end = in.I32();
  return point;
}

void StageFile::WriteFaceRef(const FaceRef& face, ByteWriter& out) {
  out.I32(face.partition);
  out.I32(face.side);
  out.I32(face.wire);
}

FaceRef StageFile::ReadFaceRef(ByteReader& in) {
  FaceRef face;
  face.partition = in.I32();
  face.side = in.I32();
  face.wire = in.I32();
  return face;
}

void StageFile::WriteStageSection(const Stage& stage, ByteWriter& out) {
  const Stage::State& s = *stage.state_;
  out.I32(s.selected_partition);
  WritePointRef(s.selected_point, out);
  WritePointRef(s.glue_target, out);
  out.I32(s.selected_object == -1 ? -1 : stage.ObjectOrdinal(s.selected_object));
  out.I32(s.background_object == -1 ? -1 : stage.ObjectOrdinal(s.background_object));
  out.I32(s.picked.Count());
  for (int32_t i = 0; i < s.picked.Count(); ++i) WriteFaceRef(s.picked.At(i), out);

  out.I32(s.free_objects.Count());
  for (int32_t i = 0; i < s.free_objects.Count(); ++i) {
    out.I32(stage.ObjectOrdinal(s.free_objects.ValueAt(i)));
  }
  const StartLine& start = s.terrain.Start();
  WritePoint(start.right_end, out);
  WritePoint(start.left_end, out);
  out.F64(s.terrain.StartReserve(0));
  out.F64(s.terrain.StartReserve(1));
  WriteFrame(start.frame, out);

  out.I32(s.terrain.PartitionCount());
  for (int32_t p = 0; p < s.terrain.PartitionCount(); ++p) {
    const Partition& partition = s.terrain.PartitionAt(p);
    for (int32_t side = 0; side < 2; ++side) {
      out.I32(partition.wires[side].Count());
      for (int32_t w = 0; w < partition.wires[side].Count(); ++w) {
        WriteWire(partition.wires[side].At(w), out);
      }
    }
    out.I32(partition.face_run[kLeftSide]);
    out.I32(partition.face_run[kRightSide]);
    WritePoint(partition.right_end, out);
    WritePoint(partition.left_end, out);
    WriteFrame(partition.frame, out);
    WriteFace(partition.road_face, out);
    out.I32(partition.glue.Count());
    for (int32_t g = 0; g < partition.glue.Count(); ++g) {
      const GlueEntry entry = partition.glue.At(g);
      out.I32(stage.ObjectOrdinal(entry.object));
      out.I32(entry.previous);
      out.I32(entry.next);
    }
  }

  out.I32(s.objects.Count());
  for (int32_t id = s.objects.FirstId(); id != -1; id = s.objects.NextId(id)) {
    const PlacedObject object = s.objects.Fetch(id);
    WritePoint(object.position, out);
    WritePoint(object.rotation, out);
    WritePoint(object.zoom, out);
    out.I32(object.shape == -1 ? -1 : s.shapes.Ordinal(object.shape));
    WritePoint(object.origin, out);
    WritePoint(object.axes, out);
    WritePoint(object.scale, out);
  }

  out.I32(s.shapes.Count());
  for (int32_t id = s.shapes.FirstId(); id != -1; id = s.shapes.NextId(id)) {
    WriteShape(s.shapes.Shape(id), out);
  }

  Bank::SaveBank(out);
}

std::string StageFile::Image(const Stage& stage, const ToolStateBlock& tools,
                             const ViewSection& views) {
  ByteWriter out;
  out.Bytes(kMagic, sizeof(kMagic));
  out.Bytes(kVersion, sizeof(kVersion));
  tools.Write(out);
  views.Write(out);
  WriteStageSection(stage, out);
  return out.Take();
}

StageFileResult StageFile::ReadHeader(ByteReader& in) {
  char magic[sizeof(kMagic)];
  if (!in.Bytes(magic, sizeof(magic)) || std::memcmp(magic, kMagic, sizeof(kMagic)) != 0) {
    return StageFileResult::kNotStageFile;
  }
  char version[sizeof(kVersion)];
  if (!in.Bytes(version, sizeof(version)) ||
      std::memcmp(version, kVersion, sizeof(kVersion)) != 0) {
    return StageFileResult::kOtherVersion;
  }
  return StageFileResult::kOk;
}

StageFileResult StageFile::ReadStageSection(ByteReader& in, Stage& stage) {
  constexpr StageFileResult kDamaged = StageFileResult::kDamaged;
  Stage fresh;
  Stage::State& s = *fresh.state_;

  // Selection; checked once the terrain and the objects are known.
  int32_t selected_partition = in.I32();
  const PointRef selected_point = ReadPointRef(in);
  const PointRef glue_target = ReadPointRef(in);
  const int32_t selected_object = in.I32();
  const int32_t background_object = in.I32();
  const int32_t picked_count = in.I32();
  if (!in.CanRead(picked_count, kFaceRefBytes)) return kDamaged;
  for (int32_t i = 0; i < picked_count; ++i) s.picked.Append(ReadFaceRef(in));

  // Terrain.
  const int32_t free_count = in.I32();
  if (!in.CanRead(free_count, 4)) return kDamaged;
  for (int32_t i = 0; i < free_count; ++i) s.free_objects.Append(in.I32());
  StartLine start;
  start.right_end = ReadPoint(in);
  start.left_end = ReadPoint(in);
  const double reserve_1 = in.F64();
  const double reserve_2 = in.F64();
  start.frame = ReadFrame(in);
  s.terrain.SetStart(start);
  s.terrain.SetStartReserves(reserve_1, reserve_2);

  const int32_t partition_count = in.I32();
  if (!in.CanRead(partition_count, kSmallestPartitionBytes)) return kDamaged;
  for (int32_t p = 0; p < partition_count; ++p) {
    Partition partition;
    for (int32_t side = 0; side < 2; ++side) {
      const int32_t wire_count = in.I32();
      if (!in.CanRead(wire_count, kWireBytes)) return kDamaged;
      for (int32_t w = 0; w < wire_count; ++w) {
        TerrainWire wire;
        wire.end_a = ReadPoint(in);
        wire.end_b = ReadPoint(in);
        wire.joined = in.I32();
        wire.face_flag = in.I32();
        wire.face = ReadFace(in);
        if (wire.joined != 0 && wire.joined != 1) return kDamaged;
        partition.wires[side].Append(wire);
      }
    }
    partition.face_run[kLeftSide] = in.I32();
    partition.face_run[kRightSide] = in.I32();
    partition.right_end = ReadPoint(in);
    partition.left_end = ReadPoint(in);
    partition.frame = ReadFrame(in);
    partition.road_face = ReadFace(in);
    const int32_t glue_count = in.I32();
    if (!in.CanRead(glue_count, kGlueBytes)) return kDamaged;
    for (int32_t g = 0; g < glue_count; ++g) {
      GlueEntry entry;
      entry.object = in.I32();
      entry.previous = in.I32();
      entry.next = in.I32();
      partition.glue.Append(entry);
    }
    if (!in.Ok()) return kDamaged;
    s.terrain.AppendPartition(partition);
  }

  // Objects, added in file order so that their IDs are the stored ordinals.
  const int32_t object_count = in.I32();
  if (!in.CanRead(object_count, kObjectBytes)) return kDamaged;
  for (int32_t i = 0; i < object_count; ++i) {
    PlacedObject object;
    object.position = ReadPoint(in);
    object.rotation = ReadPoint(in);
    object.zoom = ReadPoint(in);
    object.shape = in.I32();
    object.origin = ReadPoint(in);
    object.axes = ReadPoint(in);
    object.scale = ReadPoint(in);
    s.objects.Add(object);
  }

  const int32_t shape_count = in.I32();
  if (!in.CanRead(shape_count, kSmallestShapeBytes)) return kDamaged;
  // The objects are the only users of a loaded shape. A stored use count below their number
  // marks the file damaged; one above it (a damaged or hand-made file) is brought down to it,
  // so the count neither keeps a shape nobody uses nor runs past its range when objects are
  // copied.
  std::vector<int32_t> objects_using(static_cast<size_t>(shape_count), 0);
  for (int32_t id = s.objects.FirstId(); id != -1; id = s.objects.NextId(id)) {
    const int32_t shape = s.objects.Fetch(id).shape;
    if (!NoneOrInRange(shape, shape_count)) return kDamaged;
    if (shape != -1) ++objects_using[static_cast<size_t>(shape)];
  }
  for (int32_t i = 0; i < shape_count; ++i) {
    ObjectShape shape;
    if (!ReadShape(in, &shape)) return kDamaged;
    const int32_t users = objects_using[static_cast<size_t>(i)];
    if (shape.use_count < users) return kDamaged;
    shape.use_count = users;
    s.shapes.Add(shape);
  }
  if (!in.Ok()) return kDamaged;

  // Everything the records refer to must exist.
  const int32_t picture_count = PeekPictureCount(in);
  if (picture_count < 0) return kDamaged;
  const Terrain& terrain = s.terrain;
  if (!terrain.FollowsFaceRule()) return kDamaged;
  for (int32_t i = 0; i < s.free_objects.Count(); ++i) {
    if (!InRange(s.free_objects.ValueAt(i), object_count)) return kDamaged;
  }
  for (int32_t p = 0; p < partition_count; ++p) {
    const Partition& partition = terrain.PartitionAt(p);
    if (!PictureFits(partition.road_face.texture_switch, partition.road_face.picture,
                     picture_count)) {
      return kDamaged;
    }
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t w = 0; w < partition.wires[side].Count(); ++w) {
        const TerrainWire wire = partition.wires[side].At(w);
        if (!PictureFits(wire.face.texture_switch, wire.face.picture, picture_count)) {
          return kDamaged;
        }
      }
    }
    for (int32_t g = 0; g < partition.glue.Count(); ++g) {
      const GlueEntry entry = partition.glue.At(g);
      if (!InRange(entry.object, object_count) || !NoneOrInRange(entry.previous, partition_count) ||
          !NoneOrInRange(entry.next, partition_count)) {
        return kDamaged;
      }
    }
  }
  for (int32_t id = s.shapes.FirstId(); id != -1; id = s.shapes.NextId(id)) {
    const ObjectShape& shape = s.shapes.Shape(id);
    for (const ShapeAttribute& attribute : shape.attributes) {
      if (!PictureFits(attribute.texture_switch, attribute.picture, picture_count)) {
        return kDamaged;
      }
    }
  }
  if (!NoneOrInRange(selected_object, object_count) ||
      !NoneOrInRange(background_object, object_count)) {
    return kDamaged;
  }
  if (!PointFits(terrain, selected_point) || !PointFits(terrain, glue_target)) return kDamaged;
  for (int32_t i = 0; i < s.picked.Count(); ++i) {
    if (!terrain.HasFace(s.picked.At(i))) return kDamaged;
  }
  // A partition file without partitions leaves partition 0 selected in files of older
  // programs; a selection that names no partition is read as none.
  if (!terrain.HasPartition(selected_partition)) selected_partition = -1;
  s.selected_partition = selected_partition;
  s.selected_point = selected_point;
  s.glue_target = glue_target;
  s.selected_object = selected_object;
  s.background_object = background_object;

  // The bank image is the last part: once it is loaded nothing can fail any more.
  if (Bank::LoadBank(in) != Bank::kBankLoaded) return kDamaged;
  RecountPictureUses(s.terrain, s.shapes);
  s.modified = false;
  stage.Swap(fresh);
  return StageFileResult::kOk;
}

StageFileResult StageFile::ReadImage(const std::string& bytes, Stage& stage, ToolStateBlock* tools,
                                     ViewSection* views) {
  ByteReader in(bytes);
  const StageFileResult header = ReadHeader(in);
  if (header != StageFileResult::kOk) return header;
  ToolStateBlock read_tools;
  ViewSection read_views;
  if (!read_tools.Read(in) || !read_views.Read(in)) return StageFileResult::kDamaged;
  const StageFileResult result = ReadStageSection(in, stage);
  if (result != StageFileResult::kOk) return result;
  if (tools != nullptr) *tools = read_tools;
  if (views != nullptr) *views = read_views;
  return StageFileResult::kOk;
}

bool StageFile::Save(const std::string& path, Stage& stage, const ToolStateBlock& tools,
                     const ViewSection& views, std::string* error) {
  if (!AtomicWriteFile(path, Image(stage, tools, views), error)) return false;
  stage.ClearModified();
  return true;
}

StageFileResult StageFile::Load(const std::string& path, Stage& stage, ToolStateBlock* tools,
                                ViewSection* views) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return StageFileResult::kCannotOpen;
  return ReadImage(bytes, stage, tools, views);
}
