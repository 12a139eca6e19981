#include "foundation/edit_history.h"

#include <unordered_set>
#include <utility>

std::string EditMenuText(const char* entry, const std::string& label) {
  if (label.empty()) return entry;
  return std::string(entry) + ": " + label;
}

void EditHistory::Add(std::string_view model, std::string selection, std::string label) {
  size_t made = 0;
  State state;
  state.model =
      ChunkedSnapshot::Make(model, states_.empty() ? nullptr : &states_[current_].model, &made);
  state.noted = selection;
  state.selection = std::move(selection);
  state.label = std::move(label);
  memory_ += made + state.model.TableBytes() + Extra(state);
  states_.push_back(std::move(state));
}

void EditHistory::Reset(std::string_view model, std::string selection, bool saved) {
  states_.clear();
  memory_ = 0;
  current_ = 0;
  Add(model, std::move(selection), "");
  saved_ = saved ? 0 : -1;
}

bool EditHistory::Record(std::string_view model, std::string selection, std::string label) {
  if (states_.empty()) {
    Reset(model, std::move(selection), false);
    return false;
  }
  if (states_[current_].model.Equals(model)) return false;
  DropRedo();
  Add(model, std::move(selection), std::move(label));
  current_ = states_.size() - 1;
  while (memory_ > budget_ && current_ > 0) DropOldest();
  return true;
}

std::string EditHistory::CurrentModel() const {
  return states_.empty() ? std::string() : states_[current_].model.Bytes();
}

void EditHistory::NoteSelection(std::string selection) {
  if (states_.empty()) return;
  State& current = states_[current_];
  memory_ -= Extra(current);
  current.noted = std::move(selection);
  memory_ += Extra(current);
}

void EditHistory::DropOldest() {
  const State& oldest = states_.front();
  memory_ -= oldest.model.ExclusiveBytes() + Extra(oldest);
  states_.pop_front();
  --current_;
  if (saved_ >= 0) --saved_;
}

void EditHistory::DropRedo() {
  while (states_.size() > current_ + 1) {
    const State& last = states_.back();
    memory_ -= last.model.ExclusiveBytes() + Extra(last);
    states_.pop_back();
  }
  if (saved_ > static_cast<long>(current_)) saved_ = -1;
}

std::string EditHistory::UndoLabel() const { return CanUndo() ? states_[current_].label : ""; }

std::string EditHistory::RedoLabel() const { return CanRedo() ? states_[current_ + 1].label : ""; }

bool EditHistory::PeekUndo(Target* target) const {
  if (!CanUndo()) return false;
  const State& to = states_[current_ - 1];
  target->model = to.model.Bytes();
  target->selection = to.noted;
  target->step_selection = states_[current_].selection;
  return true;
}

bool EditHistory::PeekRedo(Target* target) const {
  if (!CanRedo()) return false;
  const State& to = states_[current_ + 1];
  target->model = to.model.Bytes();
  target->selection = to.selection;
  target->step_selection = to.selection;
  return true;
}

void EditHistory::CommitUndo() {
  if (CanUndo()) --current_;
}

void EditHistory::CommitRedo() {
  if (CanRedo()) ++current_;
}

void EditHistory::ReplaceCurrentModel(std::string_view model) {
  if (states_.empty()) return;
  State& current = states_[current_];
  size_t made = 0;
  ChunkedSnapshot replacement = ChunkedSnapshot::Make(model, &current.model, &made);
  // Counted once the replacement holds the chunks it shares: only the others go.
  const size_t freed = current.model.ExclusiveBytes();
  current.model = std::move(replacement);
  memory_ = memory_ + made + current.model.TableBytes() - freed;
}

size_t EditHistory::CountMemory() const {
  std::unordered_set<const void*> seen;
  size_t bytes = 0;
  for (const State& state : states_) bytes += state.model.CountUnseen(&seen) + Extra(state);
  return bytes;
}
