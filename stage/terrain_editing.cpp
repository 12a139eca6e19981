#include "stage/terrain_editing.h"

#include "foundation/ask_file_path.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/road_pose.h"
#include "stage/stage_rotation.h"

namespace {
using Bank = PictureBankHighColor1;

// BMP pictures, and the picture packer's multi-picture files for animated textures; both
// kinds together first.
const std::vector<FileFilter> kFaceTextureFilters = {
    {"画像ファイル(*.bmp,*.tsy)", "*.bmp;*.tsy"}, {"(*.bmp)", "*.bmp"}, {"(*.tsy)", "*.tsy"}};

Point3f Minus(const Point3f& a, const Point3f& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// The frame of the closing line of p (the frame its ends were built with), which the road
// camera holds there.
RotationSines ClosingFrame(const Stage& stage, int32_t p, CopyFrame frame) {
  RotationSines sines;
  RoadPose pose;
  if (ComputeRoadPose(stage.GetTerrain(), p, 1.0, &pose)) {
    LineFrameSines(pose.tangent, pose.roll, &sines);
  }
  if (frame == CopyFrame::kWorld) {
    sines.sin_z = 0.0;
    sines.cos_z = 1.0;
  }
  return sines;
}

bool WirePointPosition(const Stage& stage, const PointRef& point, Point3f* position) {
  WirePoint read;
  if (!stage.GetTerrain().ReadWirePoint(point.partition, point.wire, point.side, &read)) {
    return false;
  }
  *position = point.end == kEndB ? read.end_b : read.end_a;
  return true;
}

// The selected point when it names a wire (road ends are not edited).
bool SelectedWirePoint(const Stage& stage, PointRef* point) {
  *point = stage.SelectedPoint();
  return point->Selected() && point->wire != kRoadEndWire &&
         stage.GetTerrain().HasWire(point->partition, point->side, point->wire);
}

template <typename Change>
bool ChangeSelectedCorners(Stage& stage, Change change) {
  if (stage.PickedCount() == 0) return false;
  for (int32_t i = 0; i < stage.PickedCount(); ++i) {
    const FaceRef face = stage.PickedAt(i);
    const FaceAttribute look = stage.GetTerrain().Face(face);
    TextureCorner corners[4];
    change(look.corners, corners);
    stage.SetFaceLook(face, look.red, look.green, look.blue, corners);
  }
  return true;
}

void CopyFaceLook(Stage& stage, const FaceRef& from, const FaceRef& to) {
  const FaceAttribute look = stage.GetTerrain().Face(from);
  stage.SetFaceLook(to, look.red, look.green, look.blue, look.corners);
  if (look.Textured() && look.picture >= 0) stage.SetFacePicture(to, look.picture);
}
}  // namespace

bool AddWireOnSide(Stage& stage, int32_t side) {
  const int32_t p = stage.SelectedPartition();
  Point3f corners[4];
  if ((side != kLeftSide && side != kRightSide) ||
      !stage.GetTerrain().PartitionCorners(p, corners)) {
    return false;
  }
  const Point3f& left = corners[0];
  const Point3f& right = corners[1];
  const Point3f step = side == kLeftSide ? Minus(left, right) : Minus(right, left);
  const int32_t count = stage.GetTerrain().WireCount(p, side);
  const Point3f base = count > 0 ? stage.GetTerrain().Wire(p, side, count - 1).end_a
                                 : (side == kLeftSide ? left : right);
  return stage.AddWire(p, side, Offset(base, step));
}

bool DeleteWireOnSide(Stage& stage, int32_t side) {
  return stage.DeleteWire(stage.SelectedPartition(), side);
}

bool CopyRotation(const Stage& stage, int32_t p, CopyFrame frame, double m[9]) {
  if (p < 1 || !stage.GetTerrain().HasPartition(p)) return false;
  const Rotation3 before = CameraRotation(ClosingFrame(stage, p - 1, frame));
  const Rotation3 after = CameraRotation(ClosingFrame(stage, p, frame));
  const Rotation3 turn = after.Times(before.Transposed());
  for (int i = 0; i < 9; ++i) m[i] = turn.m[i];
  return true;
}

bool CopyWiresFromPartitionBefore(Stage& stage, CopyFrame frame) {
  const int32_t p = stage.SelectedPartition();
  Rotation3 turn;
  if (!CopyRotation(stage, p, frame, turn.m)) return false;
  const Terrain& terrain = stage.GetTerrain();

  // Emptying p takes the faces of p + 1 away for a moment; keep their looks (and a
  // reference on their pictures) to give back to the faces that come back.
  std::vector<std::pair<FaceRef, FaceAttribute>> kept;
  for (int32_t side = 0; side < 2; ++side) {
    for (int32_t w = 0; w < terrain.WireCount(p + 1, side); ++w) {
      const FaceRef face{p + 1, side, w};
      if (!terrain.HasFace(face)) continue;
      const FaceAttribute look = terrain.Face(face);
      if (look.Textured()) Bank::AddRef(look.picture);
      kept.emplace_back(face, look);
    }
  }

  Point3f before[4];
  Point3f after[4];
  terrain.PartitionCorners(p - 1, before);
  terrain.PartitionCorners(p, after);
  for (int32_t side = 0; side < 2; ++side) {
    while (terrain.WireCount(p, side) > 0) stage.DeleteWire(p, side);
    // Left wires turn about the right ends, right wires about the left ends.
    const Point3f pivot_before = side == kLeftSide ? before[1] : before[0];
    const Point3f pivot_after = side == kLeftSide ? after[1] : after[0];
    for (int32_t w = 0; w < terrain.WireCount(p - 1, side); ++w) {
      const TerrainWire wire = terrain.Wire(p - 1, side, w);
      const Point3f a = Offset(turn.Apply(Minus(wire.end_a, pivot_before)), pivot_after);
      const Point3f b = Offset(turn.Apply(Minus(wire.end_b, pivot_before)), pivot_after);
      stage.AddWire(p, side, a);
      stage.SetWireEnds(p, side, w, a, b, wire.joined);
    }
  }
  for (int32_t side = 0; side < 2; ++side) {
    for (int32_t w = 0; w < terrain.WireCount(p - 1, side); ++w) {
      const FaceRef from{p - 1, side, w};
      if (terrain.HasFace(from)) CopyFaceLook(stage, from, {p, side, w});
    }
  }
  CopyFaceLook(stage, {p - 1, kRoadFaceSide, -1}, {p, kRoadFaceSide, -1});

  for (const auto& [face, look] : kept) {
    if (terrain.HasFace(face)) {
      stage.SetFaceLook(face, look.red, look.green, look.blue, look.corners);
      if (look.Textured()) stage.SetFacePicture(face, look.picture);
    }
    if (look.Textured()) Bank::Release(look.picture);
  }
  return true;
}

bool GlueSelectedPoint(Stage& stage) {
  PointRef point;
  const PointRef target = stage.GlueTarget();
  Point3f position;
  if (!SelectedWirePoint(stage, &point) || !target.Selected() ||
      !WirePointPosition(stage, target, &position)) {
    return false;
  }
  if (point.partition == target.partition && point.side == target.side &&
      point.wire == target.wire) {
    if (point.end == target.end) return false;
    return stage.SetWireEnds(point.partition, point.side, point.wire, position, position, 1);
  }
  return stage.MovePoint(point.partition, point.side, point.wire, point.end, position);
}

bool UnglueSelectedPoint(Stage& stage) {
  PointRef point;
  if (!SelectedWirePoint(stage, &point)) return false;
  return stage.SetJoined(point.partition, point.side, point.wire, 0);
}

bool DragSelectedPoint(Stage& stage, DragView view, int32_t dx, int32_t dy, double zoom,
                       const AxisSwitches& held) {
  PointRef point;
  Point3f position;
  if (!(zoom > 0.0) || !SelectedWirePoint(stage, &point) ||
      !WirePointPosition(stage, point, &position)) {
    return false;
  }
  const Point3f moved = Offset(position, ViewDisplacement(view, dx, dy, 0.001 / zoom, held));
  return stage.MovePoint(point.partition, point.side, point.wire, point.end, moved);
}

bool ClickFace(Stage& stage, const std::vector<FaceRef>& under_cursor) {
  if (under_cursor.empty()) return false;
  size_t chosen = 0;
  if (stage.PickedCount() == 1) {
    const FaceRef current = stage.PickedAt(0);
    for (size_t i = 0; i + 1 < under_cursor.size(); ++i) {
      if (under_cursor[i] == current) {
        chosen = i + 1;
        break;
      }
    }
  }
  stage.ClearPicked();
  return stage.AddPicked(under_cursor[chosen]);
}

bool ShiftClickFace(Stage& stage, const std::vector<FaceRef>& under_cursor) {
  const size_t n = under_cursor.size();
  size_t start = 0;
  const FaceRef last = stage.LastTaken();
  for (size_t i = 0; i < n; ++i) {
    if (under_cursor[i] == last) {
      start = i + 1;
      break;
    }
  }
  for (size_t k = 0; k < n; ++k) {
    const FaceRef& face = under_cursor[(start + k) % n];
    if (!stage.IsPicked(face) && stage.AddPicked(face)) return true;
  }
  return false;
}

bool ShiftRightClickFace(Stage& stage) { return stage.TakeLastPicked(); }

std::string FaceTextureMessage(int32_t bank_result) {
  if (bank_result >= 0) return "";
  switch (bank_result) {
    case Bank::kNotPowerOfTwo:
      return "画像のサイズが２のN乗出なくてはいけません！！";
    case Bank::kCannotOpen:
      return "ファイルのオープンに失敗";
    case Bank::kEndsEarly:
    case Bank::kCompressed:
      return "ファイルが破壊されている";
    default:
      return "bmpファイルではありません";
  }
}

bool CheckFaceSelection(Stage& stage, PromptOwner owner) {
  if (stage.PickedCount() > 0) return true;
  Prompter::Current().Message(owner, "Error", "選択面がありません", PromptIcon::kInformation,
                              PromptButtons::kOk);
  return false;
}

int32_t NewTextureForSelection(Stage& stage, PromptOwner owner, const std::string& settings_path) {
  if (!CheckFaceSelection(stage, owner)) return 1;
  std::string path;
  if (AskFilePath(owner, path, "BMPFileOpen", settings_path, kFaceTextureFilters,
                  FileDialogKind::kOpen) != 0) {
    return 1;
  }
  for (int32_t i = 0; i < stage.PickedCount(); ++i) {
    const int32_t result = stage.SetFacePictureFromFile(stage.PickedAt(i), path);
    if (result < 0) {
      Prompter::Current().Message(owner, "Error", FaceTextureMessage(result),
                                  PromptIcon::kInformation, PromptButtons::kOk);
      return result;
    }
  }
  return 0;
}

bool UsedTextureForSelection(Stage& stage, int32_t picture) {
  if (stage.PickedCount() == 0 || picture < 0 || !Bank::IsPicture(picture)) return false;
  for (int32_t i = 0; i < stage.PickedCount(); ++i)
    stage.SetFacePicture(stage.PickedAt(i), picture);
  return true;
}

bool InvertSelectedTextures(Stage& stage) {
  return ChangeSelectedCorners(stage, [](const TextureCorner* old, TextureCorner* out) {
    out[0] = old[1];
    out[1] = old[0];
    out[2] = old[3];
    out[3] = old[2];
  });
}

bool RotateSelectedTextures(Stage& stage) {
  return ChangeSelectedCorners(stage, [](const TextureCorner* old, TextureCorner* out) {
    for (int i = 0; i < 4; ++i) out[i] = old[(i + 1) % 4];
  });
}
