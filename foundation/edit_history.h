// The undo history of an editor: the states its document went through, each one the bytes of
// the document's model (held as shared chunks, so a step costs about what it changed) with
// the selection at that time, and the label of the step that led to it. The editors turn
// their model into bytes and back; this class keeps the states, the position, the state the
// file holds, and the memory budget (the oldest steps are dropped first).
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "foundation/chunked_snapshot.h"

// The menu entries of the "編集" menu.
inline constexpr char kUndoMenuText[] = "元に戻す";
inline constexpr char kRedoMenuText[] = "やり直し";
// "元に戻す: 点の移動", or the bare entry when there is no label.
std::string EditMenuText(const char* entry, const std::string& label);

class EditHistory {
 public:
  static constexpr size_t kDefaultBudget = size_t{64} << 20;

  explicit EditHistory(size_t budget = kDefaultBudget) : budget_(budget) {}

  // Forgets every state: `model` with `selection` becomes the only one. `saved` says whether
  // it is what the document's file holds.
  void Reset(std::string_view model, std::string selection, bool saved);

  // After one user action. When `model` differs from the current state it becomes a new
  // state reached by a step named `label`, stored with `selection` (the steps that could be
  // redone are dropped first, and the oldest ones while the memory is over budget); true is
  // returned. Otherwise nothing changes. Before any Reset the first record becomes the only
  // state.
  bool Record(std::string_view model, std::string selection, std::string label);

  // The model bytes of the current state ("" before any Reset).
  std::string CurrentModel() const;
  // A selection made at the current state without a change to the model. An undo of the
  // next step starts from it; the selection stored with the step itself stays.
  void NoteSelection(std::string selection);

  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ + 1 < states_.size(); }
  // The label of the step an undo or a redo would take back or make again; "" when none.
  std::string UndoLabel() const;
  std::string RedoLabel() const;

  // Where an undo or a redo leads: the model bytes of that state, the selection to start
  // from there (an undo: the last one noted at that state; a redo: the one stored with the
  // step), and the selection stored with the step taken back or made again.
  struct Target {
    std::string model;
    std::string selection;
    std::string step_selection;
  };
  bool PeekUndo(Target* target) const;
  bool PeekRedo(Target* target) const;
  // Moves the position once the editor has brought its model to the peeked state.
  void CommitUndo();
  void CommitRedo();
  // Replaces the model bytes stored with the current state (an editor whose model reads
  // back a little differently from what it wrote keeps what it now holds).
  void ReplaceCurrentModel(std::string_view model);

  // The current state is what the file holds now.
  void MarkSaved() { saved_ = static_cast<long>(current_); }
  // False when the saved state was dropped or never existed.
  bool AtSavedState() const { return saved_ == static_cast<long>(current_); }

  size_t UndoCount() const { return current_; }
  size_t RedoCount() const { return states_.empty() ? 0 : states_.size() - current_ - 1; }
  bool Empty() const { return states_.empty(); }
  // The memory the states hold, kept up to date step by step.
  size_t MemoryUsed() const { return memory_; }
  // The same, counted afresh over every state.
  size_t CountMemory() const;
  size_t Budget() const { return budget_; }

 private:
  struct State {
    ChunkedSnapshot model;
    std::string selection;  // right after the step that led here
    std::string noted;      // the last one made here since
    std::string label;      // of the step that led here
  };
  static size_t Extra(const State& state) {
    return state.selection.capacity() + state.noted.capacity() + state.label.capacity() +
           sizeof(State);
  }
  void DropOldest();
  void DropRedo();
  void Add(std::string_view model, std::string selection, std::string label);

  std::deque<State> states_;
  size_t current_ = 0;
  long saved_ = -1;
  size_t memory_ = 0;
  size_t budget_;
};

// What an editor's undo history answers whatever its document: whether and what can be
// undone or redone, the entries of the "編集" menu, the counts. The editor's history derives
// from it and keeps its states in `history_`.
class DocumentHistory {
 public:
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string UndoLabel() const { return history_.UndoLabel(); }
  std::string RedoLabel() const { return history_.RedoLabel(); }
  // "元に戻す: 点の移動" / "元に戻す", "やり直し: ..." / "やり直し".
  std::string UndoMenuText() const { return EditMenuText(kUndoMenuText, UndoLabel()); }
  std::string RedoMenuText() const { return EditMenuText(kRedoMenuText, RedoLabel()); }

  size_t UndoCount() const { return history_.UndoCount(); }
  size_t RedoCount() const { return history_.RedoCount(); }
  size_t MemoryUsed() const { return history_.MemoryUsed(); }

 protected:
  explicit DocumentHistory(size_t budget) : history_(budget) {}
  ~DocumentHistory() = default;

  EditHistory history_;
};
