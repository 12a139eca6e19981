#include "stage/stage.h"

#include <cstdlib>
#include <utility>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/stage_state.h"

namespace {
// Gives every picture back by loading an empty bank image over the bank.
void EmptyPictureBank() {
  ByteWriter image;
  image.I32(PictureBankHighColor1::ColourBits());
  image.I32(0);
  ByteReader reader(image.Data());
  PictureBankHighColor1::LoadBank(reader);
}
}  // namespace

Stage::Stage() : state_(std::make_unique<State>()) {}

Stage::~Stage() = default;

const Terrain& Stage::GetTerrain() const { return state_->terrain; }
const ShapeLibrary& Stage::GetShapes() const { return state_->shapes; }
ShapeLibrary& Stage::MutableShapes() { return state_->shapes; }

int32_t Stage::ObjectCount() const { return state_->objects.Count(); }
int32_t Stage::FirstObject() const { return state_->objects.FirstId(); }
int32_t Stage::NextObject(int32_t id) const { return state_->objects.NextId(id); }
bool Stage::HasObject(int32_t id) const { return state_->objects.IsLive(id); }
PlacedObject Stage::Object(int32_t id) const { return state_->objects.Fetch(id); }

int32_t Stage::ObjectOrdinal(int32_t id) const {
  int32_t ordinal = 0;
  for (int32_t i = FirstObject(); i != -1; i = NextObject(i), ++ordinal) {
    if (i == id) return ordinal;
  }
  return -1;
}

int32_t Stage::FreeObjectCount() const { return state_->free_objects.Count(); }
int32_t Stage::FreeObjectAt(int32_t index) const { return state_->free_objects.ValueAt(index); }
bool Stage::IsFreeObject(int32_t id) const { return state_->free_objects.IndexOf(id) != -1; }

bool Stage::IsGluedWithin(int32_t id, int32_t first, int32_t last) const {
  for (int32_t p = first; p <= last; ++p) {
    if (state_->terrain.FindGlue(p, id) != -1) return true;
  }
  return false;
}

int32_t Stage::BackgroundObject() const { return state_->background_object; }

int32_t Stage::SelectedPartition() const { return state_->selected_partition; }

bool Stage::ActiveRange(int32_t* first, int32_t* last) const {
  const int32_t p = state_->selected_partition;
  if (!state_->terrain.HasPartition(p)) return false;
  *first = p - kActiveRangeReach < 0 ? 0 : p - kActiveRangeReach;
  const int32_t end = state_->terrain.PartitionCount() - 1;
  *last = p + kActiveRangeReach > end ? end : p + kActiveRangeReach;
  return true;
}

PointRef Stage::SelectedPoint() const { return state_->selected_point; }
PointRef Stage::GlueTarget() const { return state_->glue_target; }
FaceRef Stage::LastTaken() const { return state_->last_taken; }
int32_t Stage::PickedCount() const { return state_->picked.Count(); }
FaceRef Stage::PickedAt(int32_t index) const { return state_->picked.At(index); }

bool Stage::IsPicked(const FaceRef& face) const {
  for (int32_t i = 0; i < PickedCount(); ++i) {
    if (PickedAt(i) == face) return true;
  }
  return false;
}

int32_t Stage::SelectedObject() const { return state_->selected_object; }

void Stage::PruneSelection() {
  State& s = *state_;
  int32_t first = 0;
  int32_t last = -1;
  const bool selected = ActiveRange(&first, &last);
  for (int32_t i = s.picked.Count() - 1; i >= 0; --i) {
    const FaceRef face = s.picked.At(i);
    bool keep = selected && face.partition >= first && face.partition <= last;
    if (keep && face.side != kRoadFaceSide) {
      keep = face.wire >= 0 && face.wire < s.terrain.FaceRun(face.partition, face.side);
    }
    if (!keep) s.picked.RemoveAt(i);
  }
  const int32_t p = s.selected_partition;
  auto out_of_reach = [&](const PointRef& point) {
    return !selected || std::abs(point.partition - p) > kActiveRangeReach;
  };
  if (s.selected_point.Selected() && out_of_reach(s.selected_point)) s.selected_point = PointRef();
  if (s.glue_target.Selected() && out_of_reach(s.glue_target)) s.glue_target = PointRef();
  if (s.selected_object != -1) {
    const bool visible = IsFreeObject(s.selected_object) ||
                         (selected && IsGluedWithin(s.selected_object, first, last));
    if (!visible) s.selected_object = -1;
  }
}

void Stage::SelectPartition(int32_t p) {
  state_->selected_partition = state_->terrain.HasPartition(p) ? p : -1;
  PruneSelection();
}

namespace {
bool PointExists(const Terrain& terrain, const PointRef& point) {
  WirePoint unused;
  return (point.end == kEndA || point.end == kEndB) &&
         terrain.ReadWirePoint(point.partition, point.wire, point.side, &unused);
}
}  // namespace

bool Stage::SelectPoint(const PointRef& point) {
  if (!point.Selected()) {
    state_->selected_point = PointRef();
    return true;
  }
  if (!PointExists(state_->terrain, point)) return false;
  state_->selected_point = point;
  return true;
}

bool Stage::SelectGlueTarget(const PointRef& point) {
  if (!point.Selected()) {
    state_->glue_target = PointRef();
    return true;
  }
  if (!PointExists(state_->terrain, point)) return false;
  state_->glue_target = point;
  return true;
}

bool Stage::AddPicked(const FaceRef& face) {
  if (!state_->terrain.HasFace(face) || IsPicked(face)) return false;
  state_->picked.Append(face);
  state_->last_taken = FaceRef();
  return true;
}

bool Stage::TakeLastPicked() {
  const int32_t count = PickedCount();
  if (count == 0) return false;
  state_->last_taken = PickedAt(count - 1);
  state_->picked.RemoveAt(count - 1);
  return true;
}

void Stage::ClearPicked() { state_->picked.Clear(); }

bool Stage::SelectObject(int32_t id) {
  if (id != -1 && !HasObject(id)) return false;
  state_->selected_object = id;
  return true;
}

bool Stage::Modified() const { return state_->modified; }
void Stage::ClearModified() { state_->modified = false; }
void Stage::SetModified() { Changed(); }
uint64_t Stage::ChangeCount() const { return change_count_; }

void Stage::Changed() {
  state_->modified = true;
  ++change_count_;
}

// Each edit counts as a change only when it changed something.
bool Stage::Mark(bool changed) {
  if (changed) Changed();
  return changed;
}

bool Stage::AddWire(int32_t p, int32_t side, const Point3f& position) {
  return Mark(state_->terrain.AddWire(p, side, position));
}

bool Stage::DeleteWire(int32_t p, int32_t side) {
  if (!Mark(state_->terrain.DeleteWire(p, side))) return false;
  auto gone = [&](const PointRef& point) {
    return point.Selected() && !PointExists(state_->terrain, point);
  };
  if (gone(state_->selected_point)) state_->selected_point = PointRef();
  if (gone(state_->glue_target)) state_->glue_target = PointRef();
  PruneSelection();
  return true;
}

bool Stage::SetWireEnds(int32_t p, int32_t side, int32_t wire, const Point3f& end_a,
                        const Point3f& end_b, int32_t joined) {
  return Mark(state_->terrain.SetWireEnds(p, side, wire, end_a, end_b, joined));
}

bool Stage::MovePoint(int32_t p, int32_t side, int32_t wire, int32_t end, const Point3f& position) {
  return Mark(state_->terrain.MovePoint(p, side, wire, end, position));
}

bool Stage::SetJoined(int32_t p, int32_t side, int32_t wire, int32_t joined) {
  return Mark(state_->terrain.SetJoined(p, side, wire, joined));
}

bool Stage::SetFaceLook(const FaceRef& face, float red, float green, float blue,
                        const TextureCorner corners[4]) {
  return Mark(state_->terrain.SetFaceLook(face, red, green, blue, corners));
}

bool Stage::SetFacePicture(const FaceRef& face, int32_t picture) {
  return Mark(state_->terrain.SetFacePicture(face, picture));
}

int32_t Stage::SetFacePictureFromFile(const FaceRef& face, const std::string& path) {
  const int32_t result = state_->terrain.SetFacePictureFromFile(face, path);
  Mark(result == 1);
  return result;
}

bool Stage::ClearFaceTexture(const FaceRef& face) {
  return Mark(state_->terrain.ClearFaceTexture(face));
}

int32_t Stage::CreateObject(const Point3f& position, int32_t shape) {
  if (!state_->shapes.Contains(shape)) return -1;
  PlacedObject object;
  object.position = position;
  object.origin = position;
  object.shape = shape;
  const int32_t id = state_->objects.Add(object);
  state_->free_objects.Append(id);
  Changed();
  return id;
}

void Stage::ReleaseObjectShape(int32_t shape) {
  if (state_->shapes.Contains(shape)) state_->shapes.Release(shape);
}

bool Stage::DeleteObject(int32_t id) {
  if (!HasObject(id)) return false;
  State& s = *state_;
  for (int32_t i = s.free_objects.Count() - 1; i >= 0; --i) {
    if (s.free_objects.ValueAt(i) == id) s.free_objects.RemoveAt(i);
  }
  for (int32_t p = 0; p < s.terrain.PartitionCount(); ++p) {
    for (int32_t i = s.terrain.GlueCount(p) - 1; i >= 0; --i) {
      if (s.terrain.GlueAt(p, i).object == id) s.terrain.RemoveGlue(p, i);
    }
  }
  ReleaseObjectShape(s.objects.Fetch(id).shape);
  s.objects.Delete(id);
  if (s.selected_object == id) s.selected_object = -1;
  if (s.background_object == id) s.background_object = -1;
  Changed();
  return true;
}

int32_t Stage::CopyObject(int32_t id) {
  if (!HasObject(id)) return -1;
  PlacedObject copy = Object(id);
  if (!state_->shapes.Contains(copy.shape)) return -1;
  state_->shapes.Take(copy.shape);
  const Point3f step{10.0f, 10.0f, 10.0f};
  copy.position = {copy.position.x + step.x, copy.position.y + step.y, copy.position.z + step.z};
  copy.origin = {copy.origin.x + step.x, copy.origin.y + step.y, copy.origin.z + step.z};
  const int32_t new_id = state_->objects.Add(copy);
  state_->free_objects.Append(new_id);
  state_->selected_object = new_id;
  Changed();
  return new_id;
}

int32_t Stage::CreateBackgroundObject(int32_t shape) {
  if (!state_->shapes.Contains(shape)) return -1;
  if (state_->background_object != -1) DeleteObject(state_->background_object);
  PlacedObject object;
  object.shape = shape;
  const int32_t id = state_->objects.Add(object);
  state_->background_object = id;
  Changed();
  return id;
}

bool Stage::UpdateObject(int32_t id, const PlacedObject& object) {
  if (!HasObject(id)) return false;
  PlacedObject updated = object;
  updated.shape = Object(id).shape;
  state_->objects.Update(id, updated);
  Changed();
  return true;
}

bool Stage::MoveObjectOrigin(int32_t id, const Point3f& origin) {
  if (!HasObject(id)) return false;
  PlacedObject object = Object(id);
  object.position = {object.position.x + (origin.x - object.origin.x),
                     object.position.y + (origin.y - object.origin.y),
                     object.position.z + (origin.z - object.origin.z)};
  object.origin = origin;
  state_->objects.Update(id, object);
  Changed();
  return true;
}

bool Stage::ResetObjectCoordinates(int32_t id) {
  if (!HasObject(id)) return false;
  PlacedObject object = Object(id);
  object.origin = object.position;
  object.axes = object.rotation;
  object.scale = object.zoom;
  state_->objects.Update(id, object);
  Changed();
  return true;
}

bool Stage::GlueObject(int32_t id, int32_t p) {
  State& s = *state_;
  if (!HasObject(id) || !s.terrain.HasPartition(p)) return false;
  const int32_t free_index = s.free_objects.IndexOf(id);
  if (free_index != -1) s.free_objects.RemoveAt(free_index);
  if (s.terrain.FindGlue(p, id) != -1) return false;
  GlueEntry entry{id, -1, -1};
  for (int32_t q = p - 1; q >= 0; --q) {
    const int32_t index = s.terrain.FindGlue(q, id);
    if (index == -1) continue;
    GlueEntry below = s.terrain.GlueAt(q, index);
    below.next = p;
    s.terrain.StoreGlue(q, index, below);
    entry.previous = q;
    break;
  }
  for (int32_t r = p + 1; r < s.terrain.PartitionCount(); ++r) {
    const int32_t index = s.terrain.FindGlue(r, id);
    if (index == -1) continue;
    GlueEntry above = s.terrain.GlueAt(r, index);
    above.previous = p;
    s.terrain.StoreGlue(r, index, above);
    entry.next = r;
    break;
  }
  s.terrain.AppendGlue(p, entry);
  Changed();
  return true;
}

bool Stage::UnglueObject(int32_t id, int32_t p) {
  State& s = *state_;
  const int32_t index = s.terrain.FindGlue(p, id);
  if (index == -1) return false;
  const GlueEntry entry = s.terrain.GlueAt(p, index);
  s.terrain.RemoveGlue(p, index);
  auto relink = [&](int32_t q, bool set_next, int32_t value) {
    const int32_t k = s.terrain.FindGlue(q, id);
    if (k == -1) return;
    GlueEntry neighbour = s.terrain.GlueAt(q, k);
    (set_next ? neighbour.next : neighbour.previous) = value;
    s.terrain.StoreGlue(q, k, neighbour);
  };
  if (entry.previous != -1) relink(entry.previous, true, entry.next);
  if (entry.next != -1) relink(entry.next, false, entry.previous);
  if (entry.previous == -1 && entry.next == -1 && !IsFreeObject(id)) {
    s.free_objects.Append(id);
  }
  Changed();
  return true;
}

void Stage::Reset() {
  State& s = *state_;
  if (s.background_object != -1) DeleteObject(s.background_object);
  s.terrain.ReleaseAll();
  s.objects.Clear();
  s.free_objects.Clear();
  s.shapes.ReleaseAll();
  EmptyPictureBank();
  s.picked.Clear();
  s.selected_partition = -1;
  s.selected_point = PointRef();
  s.glue_target = PointRef();
  s.last_taken = FaceRef();
  s.selected_object = -1;
  s.background_object = -1;
  s.modified = false;
  ++change_count_;
}

void Stage::Swap(Stage& other) {
  std::swap(state_, other.state_);
  ++change_count_;
  ++other.change_count_;
}
