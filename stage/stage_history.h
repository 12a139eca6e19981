// Undo and redo for the stage editor. Each state of the history is the stage section of the
// stage file (the stage with its shape library and picture bank image) without the
// selection, kept as shared chunks, so a step costs about the bytes it changed. An undo or
// a redo reads that section back exactly as opening a stage file does: the terrain, the
// objects, the shapes with their use counts and the picture bank with its reference counts
// come back as they were, including pictures no face showed any more (the bank then holds
// exactly the pictures the stage shows, and the history holds none of them).
//
// The window calls Record once each user action has finished, Clear after new, open and
// import, MarkSaved after a save. Reading a section back gives objects, shapes and
// pictures new IDs (their positions), as opening a file does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/edit_history.h"
#include "stage/stage.h"

// What a step did, for the "編集" menu.
enum class StageEdit : int32_t {
  // Terrain.
  kWireAdded,
  kWireDeleted,
  kWiresCopied,
  kPointMoved,
  kPointsGlued,
  kPointUnglued,
  kFaceTextureSet,
  kTextureInverted,
  kTextureTurned,
  // Objects.
  kObjectCreated,
  kBitmapObjectCreated,
  kBackgroundObjectCreated,
  kObjectMoved,
  kObjectTurned,
  kObjectScaled,
  kObjectValuesSet,
  kObjectCopied,
  kObjectDeleted,
  kObjectGlued,
  kObjectUnglued,
  kObjectOriginMoved,
  kObjectCoordinatesReset,
  // Changes made without a step of their own, taken in before an undo, redo or save.
  kOtherChange,
};
inline constexpr int32_t kStageEditCount = static_cast<int32_t>(StageEdit::kOtherChange) + 1;

// The label shown in the menu ("点の移動", ...).
const char* StageEditLabel(StageEdit edit);

// The bytes of the stage a state holds: the stage file's stage section with the selection
// fields reading "none" and an empty picked list.
std::string StageModelImage(const Stage& stage);

class StageHistory : public DocumentHistory {
 public:
  explicit StageHistory(Stage& stage, size_t budget = EditHistory::kDefaultBudget);

  // Forgets every step; the stage as it is becomes the only state, and the saved one unless
  // the stage is modified (a recovered stage stays modified until it is saved).
  void Clear();
  // After one user action (a tool, a drag from press to release, a dialog's OK, a command):
  // a step named `edit` when the stage changed, dropping the steps that could be redone.
  // Otherwise nothing but the remembered selection changes, and nothing is serialised.
  // True when a step was added. The modified flag then says whether the stage differs from
  // the saved state.
  bool Record(StageEdit edit);

  // Takes the last step back. Each item of the selection becomes the one that step left
  // where it still names something (so the changed thing shows), otherwise the one made
  // last before the step. Changes not yet recorded are recorded first (and so can be
  // redone). False when there is nothing to undo or the state cannot be read back (nothing
  // changes then).
  bool Undo();
  // Makes the next step again, with the selection it had.
  bool Redo();

  // After a successful save: the stage as it is now is what the file holds.
  void MarkSaved();
  // The stage's modified flag, which follows the history.
  bool IsModified() const { return stage_.Modified(); }

 private:
  void RecordPending();
  void Settle();

  Stage& stage_;
  uint64_t recorded_change_ = 0;  // the stage's change count the current state holds
};
