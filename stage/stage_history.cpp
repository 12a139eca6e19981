#include "stage/stage_history.h"

#include <cstring>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "stage/stage_file.h"

namespace {

// The stage section opens with the selection: selected partition, selected point, glue
// target (4 int32 each), selected object (10 int32 in all), then the background object and
// the picked list (count and 3 int32 per entry).
constexpr size_t kSelectionFieldBytes = 40;
constexpr size_t kPickedCountOffset = 44;

const char* const kLabels[kStageEditCount] = {
    "ワイヤーの追加",                  // kWireAdded
    "ワイヤーの削除",                  // kWireDeleted
    "ワイヤーのコピー",                // kWiresCopied
    "点の移動",                        // kPointMoved
    "点の接着",                        // kPointsGlued
    "点の接着解除",                    // kPointUnglued
    "テクスチャーの設定",              // kFaceTextureSet
    "テクスチャーの反転",              // kTextureInverted
    "テクスチャーの回転",              // kTextureTurned
    "オブジェクトの作成",              // kObjectCreated
    "ビットマップオブジェクトの作成",  // kBitmapObjectCreated
    "背景オブジェクトの作成",          // kBackgroundObjectCreated
    "オブジェクトの移動",              // kObjectMoved
    "オブジェクトの回転",              // kObjectTurned
    "オブジェクトの拡大縮小",          // kObjectScaled
    "数値の設定",                      // kObjectValuesSet
    "オブジェクトのコピー",            // kObjectCopied
    "オブジェクトの削除",              // kObjectDeleted
    "オブジェクトの接着",              // kObjectGlued
    "オブジェクトの接着解除",          // kObjectUnglued
    "オブジェクト座標の移動",          // kObjectOriginMoved
    "オブジェクト座標のリセット",      // kObjectCoordinatesReset
    "変更",                            // kOtherChange
};

// The edit selection as the history keeps it. The object is held by its ordinal, which is
// its ID once a state is read back; the object count tells whether the ordinal still names
// the same object in another state.
struct StageSelection {
  int32_t partition = -1;
  PointRef point;
  PointRef glue_target;
  int32_t object = -1;
  int32_t object_count = 0;
  std::vector<FaceRef> picked;
};

StageSelection CaptureSelection(const Stage& stage) {
  StageSelection selection;
  selection.partition = stage.SelectedPartition();
  selection.point = stage.SelectedPoint();
  selection.glue_target = stage.GlueTarget();
  const int32_t object = stage.SelectedObject();
  selection.object = object == -1 ? -1 : stage.ObjectOrdinal(object);
  selection.object_count = stage.ObjectCount();
  for (int32_t i = 0; i < stage.PickedCount(); ++i) selection.picked.push_back(stage.PickedAt(i));
  return selection;
}

std::string Encode(const StageSelection& selection) {
  ByteWriter out;
  out.I32(selection.partition);
  StageFile::WritePointRef(selection.point, out);
  StageFile::WritePointRef(selection.glue_target, out);
  out.I32(selection.object);
  out.I32(selection.object_count);
  out.I32(static_cast<int32_t>(selection.picked.size()));
  for (const FaceRef& face : selection.picked) StageFile::WriteFaceRef(face, out);
  return out.Take();
}

StageSelection Decode(const std::string& bytes) {
  ByteReader in(bytes);
  StageSelection selection;
  selection.partition = in.I32();
  selection.point = StageFile::ReadPointRef(in);
  selection.glue_target = StageFile::ReadPointRef(in);
  selection.object = in.I32();
  selection.object_count = in.I32();
  const int32_t picked = in.I32();
  if (!in.CanRead(picked, StageFile::kFaceRefBytes)) return selection;
  for (int32_t i = 0; i < picked; ++i) selection.picked.push_back(StageFile::ReadFaceRef(in));
  return selection;
}

// The selection a state was stored with, on the stage just read back from that state's
// bytes (where every item of it exists).
void ApplySelection(Stage& stage, const StageSelection& selection) {
  stage.SelectPartition(selection.partition);
  stage.SelectPoint(selection.point);
  stage.SelectGlueTarget(selection.glue_target);
  for (const FaceRef& face : selection.picked) stage.AddPicked(face);
  stage.SelectObject(selection.object);
}

bool PickedFit(const Stage& stage, const std::vector<FaceRef>& picked) {
  int32_t first = 0;
  int32_t last = -1;
  if (!stage.ActiveRange(&first, &last)) return false;
  for (const FaceRef& face : picked) {
    if (face.partition < first || face.partition > last || !stage.GetTerrain().HasFace(face)) {
      return false;
    }
  }
  return true;
}

// After an undo: each item of the selection the undone step left takes over where it still
// names the same thing in the stage read back; the others stay as that state had them.
void OverlaySelection(Stage& stage, const StageSelection& step) {
  if (step.partition != -1 && step.partition != stage.SelectedPartition()) {
    stage.SelectPartition(step.partition);
  }
  if (step.point.Selected()) stage.SelectPoint(step.point);
  if (step.glue_target.Selected()) stage.SelectGlueTarget(step.glue_target);
  if (!step.picked.empty() && PickedFit(stage, step.picked)) {
    stage.ClearPicked();
    for (const FaceRef& face : step.picked) stage.AddPicked(face);
  }
  if (step.object != -1 && step.object_count == stage.ObjectCount()) {
    stage.SelectObject(step.object);
  }
}

bool ReadBack(Stage& stage, const std::string& model) {
  ByteReader in(model);
  return StageFile::ReadStageSection(in, stage) == StageFileResult::kOk;
}

}  // namespace

const char* StageEditLabel(StageEdit edit) {
  const auto index = static_cast<int32_t>(edit);
  return index >= 0 && index < kStageEditCount ? kLabels[index] : kLabels[kStageEditCount - 1];
}

std::string StageModelImage(const Stage& stage) {
  ByteWriter out;
  StageFile::WriteStageSection(stage, out);
  std::string bytes = out.Take();
  // Every selection field is an int32 and -1 is "none".
  std::memset(bytes.data(), 0xFF, kSelectionFieldBytes);
  const size_t picked = static_cast<size_t>(stage.PickedCount()) * StageFile::kFaceRefBytes;
  bytes.erase(kPickedCountOffset + 4, picked);
  std::memset(bytes.data() + kPickedCountOffset, 0, 4);
  return bytes;
}

StageHistory::StageHistory(Stage& stage, size_t budget) : DocumentHistory(budget), stage_(stage) {
  Clear();
}

void StageHistory::Clear() {
  history_.Reset(StageModelImage(stage_), Encode(CaptureSelection(stage_)), !stage_.Modified());
  recorded_change_ = stage_.ChangeCount();
}

// The modified flag follows the position; the stage now matches the current state.
void StageHistory::Settle() {
  if (history_.AtSavedState()) {
    stage_.ClearModified();
  } else {
    stage_.SetModified();
  }
  recorded_change_ = stage_.ChangeCount();
}

bool StageHistory::Record(StageEdit edit) {
  std::string selection = Encode(CaptureSelection(stage_));
  bool added = false;
  if (stage_.ChangeCount() != recorded_change_) {
    added = history_.Record(StageModelImage(stage_), selection, StageEditLabel(edit));
    Settle();
  }
  if (!added) history_.NoteSelection(std::move(selection));
  return added;
}

void StageHistory::RecordPending() {
  if (stage_.ChangeCount() == recorded_change_) return;
  history_.Record(StageModelImage(stage_), Encode(CaptureSelection(stage_)),
                  StageEditLabel(StageEdit::kOtherChange));
  Settle();
}

bool StageHistory::Undo() {
  RecordPending();
  EditHistory::Target target;
  if (!history_.PeekUndo(&target) || !ReadBack(stage_, target.model)) return false;
  history_.CommitUndo();
  ApplySelection(stage_, Decode(target.selection));
  OverlaySelection(stage_, Decode(target.step_selection));
  Settle();
  return true;
}

bool StageHistory::Redo() {
  RecordPending();
  EditHistory::Target target;
  if (!history_.PeekRedo(&target) || !ReadBack(stage_, target.model)) return false;
  history_.CommitRedo();
  ApplySelection(stage_, Decode(target.selection));
  Settle();
  return true;
}

void StageHistory::MarkSaved() {
  RecordPending();
  history_.MarkSaved();
  Settle();
}
