#include "stage/tool_button_state.h"

#include <algorithm>
#include <vector>

namespace {

// The radio buttons of a group, in increasing word order.
std::vector<const ToolButtonEntry*> GroupMembers(int32_t group) {
  std::vector<const ToolButtonEntry*> members;
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (entry.role == ButtonRole::kRadio && entry.group == group) members.push_back(&entry);
  }
  std::sort(members.begin(), members.end(),
            [](const ToolButtonEntry* a, const ToolButtonEntry* b) { return a->word < b->word; });
  return members;
}

ToolButtonState::Effect EffectOfGroup(int32_t group) {
  switch (group) {
    case kModeGroup:
      return ToolButtonState::Effect::kModeChanged;
    case kMode0ToolGroup:
    case kMode1ToolGroup:
      return ToolButtonState::Effect::kToolChanged;
    case kMode0ViewGroup:
    case kMode1ViewGroup:
      return ToolButtonState::Effect::kViewChanged;
    default:
      return ToolButtonState::Effect::kChoiceChanged;
  }
}

}  // namespace

ToolButtonState::ToolButtonState() : block_(ToolStateBlock::Initial()) {}

bool ToolButtonState::Pressed(int32_t id) const {
  const ToolButtonEntry* entry = FindToolButton(id);
  if (entry == nullptr || entry->role == ButtonRole::kAction) return false;
  return block_.words[entry->word] == 1;
}

ToolButtonState::Effect ToolButtonState::Press(int32_t id) {
  const ToolButtonEntry* entry = FindToolButton(id);
  if (entry == nullptr) return Effect::kNothing;
  switch (entry->role) {
    case ButtonRole::kAction:
      return Effect::kAction;
    case ButtonRole::kSwitch:
      block_.words[entry->word] = block_.words[entry->word] == 1 ? 0 : 1;
      return Effect::kSwitchToggled;
    case ButtonRole::kRadio:
      break;
  }
  if (block_.words[entry->word] == 1) return Effect::kNothing;
  for (const ToolButtonEntry* member : GroupMembers(entry->group)) block_.words[member->word] = 0;
  block_.words[entry->word] = 1;
  return EffectOfGroup(entry->group);
}

int32_t ToolButtonState::PressedInGroup(int32_t group) const {
  for (const ToolButtonEntry* member : GroupMembers(group)) {
    if (block_.words[member->word] == 1) return member->id;
  }
  return -1;
}

int32_t ToolButtonState::Mode() const { return PressedInGroup(kModeGroup) == kMode1Button ? 1 : 0; }

int32_t ToolButtonState::Tool(int32_t mode) const {
  return PressedInGroup(mode == 0 ? kMode0ToolGroup : kMode1ToolGroup);
}

int32_t ToolButtonState::ViewButton(int32_t mode) const {
  return PressedInGroup(mode == 0 ? kMode0ViewGroup : kMode1ViewGroup);
}

ToolPanel ToolButtonState::WorkPanel(int32_t mode) const { return WorkPanelOfTool(Tool(mode)); }

void ToolButtonState::Fill(ToolPanel panel, ToolStateBlock* block) const {
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (entry.panel != panel || entry.word < 0) continue;
    block->words[entry.word] = Pressed(entry.id) ? 1 : 0;
  }
}

void ToolButtonState::Restore(ToolPanel panel, const ToolStateBlock& block) {
  std::vector<int32_t> groups;
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (entry.panel != panel) continue;
    if (entry.role == ButtonRole::kSwitch) {
      block_.words[entry.word] = block.words[entry.word] == 1 ? 1 : 0;
    } else if (entry.role == ButtonRole::kRadio &&
               std::find(groups.begin(), groups.end(), entry.group) == groups.end()) {
      groups.push_back(entry.group);
    }
  }
  for (int32_t group : groups) {
    const std::vector<const ToolButtonEntry*> members = GroupMembers(group);
    const ToolButtonEntry* winner = nullptr;
    for (const ToolButtonEntry* member : members) {
      if (block.words[member->word] == 1) winner = member;
    }
    if (winner == nullptr) continue;
    for (const ToolButtonEntry* member : members) block_.words[member->word] = 0;
    block_.words[winner->word] = 1;
  }
}

ToolStateBlock ToolButtonState::Block() const {
  ToolStateBlock block;
  for (int32_t panel = 0; panel < kToolPanelCount; ++panel) {
    Fill(static_cast<ToolPanel>(panel), &block);
  }
  return block;
}

void ToolButtonState::RestoreAll(const ToolStateBlock& block) {
  for (int32_t panel = 0; panel < kToolPanelCount; ++panel) {
    Restore(static_cast<ToolPanel>(panel), block);
  }
}
