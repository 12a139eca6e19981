// Undo and redo for the course designer. Each state of the history is the course as the
// course file stores it, without the selection and the course marker (the file's header
// fields for them read "none"); an undo or a redo reads it back as opening a course file
// does. Steps are named after what changed between two states, so the window only calls
// Record when a user action has finished, Clear after new, open and import, and MarkSaved
// after a save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "course/course_data.h"
#include "foundation/edit_history.h"

// What a step changed, for the "編集" menu.
enum class CourseEdit : int32_t {
  kPointAdded,
  kPointDeleted,
  kPointMoved,
  kTangentChanged,
  kTangentFreed,
  kRollChanged,
  kRollTangentChanged,
  kWidthChanged,
  kWidthTangentChanged,
  kSampleCountChanged,
  kWidthFactorChanged,
  kLoopChanged,
  kOtherChange,
};
inline constexpr int32_t kCourseEditCount = static_cast<int32_t>(CourseEdit::kOtherChange) + 1;

// The label shown in the menu ("制御点の移動", ...).
const char* CourseEditLabel(CourseEdit edit);

// The bytes of the course a state holds: the course file with the selected point -1,
// handle state 0, side 0 and no marker.
std::string CourseModelImage(const CourseData1& course);
// What changed from one state to the next (both made by CourseModelImage): a change of the
// point count, the loop, the width factor, a sample count, a position, a width, a roll, or
// a tangent, tested in this order.
CourseEdit ClassifyCourseChange(std::string_view before, std::string_view after);

class CourseHistory : public DocumentHistory {
 public:
  explicit CourseHistory(CourseData1& course, size_t budget = EditHistory::kDefaultBudget);

  // Forgets every step; the course as it is becomes the only state, and the saved one unless
  // it is changed (a recovered course stays changed until it is saved).
  void Clear();
  // After one user action (a click, a drag from press to release, the loop button): a step
  // named after what changed when the course differs from the current state, dropping the
  // steps that could be redone; otherwise only the remembered selection is replaced. True
  // when a step was added. The changed flag then says whether the course differs from the
  // saved state.
  bool Record();

  // Takes the last step back (changes not yet recorded are recorded first). The selected
  // point becomes the one that step left when the point count is the same, otherwise the
  // one selected last before the step; the side follows the step; the course marker stays
  // where it is while its segment exists. The loop button follows the loop flag. False
  // when there is nothing to undo or the state cannot be read back (nothing changes then).
  bool Undo();
  // Makes the next step again, with the selection it had.
  bool Redo();

  // After a successful save: the course as it is now is what the file holds.
  void MarkSaved();
  // The course's changed flag, which follows the history.
  bool IsModified() const { return course_.IsChanged(); }

 private:
  // Records a step when the course differs from the current state.
  bool RecordChange();
  bool ReadBack(const EditHistory::Target& target, bool undo);
  void Settle();

  CourseData1& course_;
};
