// Which buttons of the mode, tool and work windows are down, kept as the tool-state block's
// words: the mode, each tool window's tool and view (radio groups), the three radio pairs
// and the axis switches. The windows show it, change it by presses and fill and restore
// their own words of a stage file's block from it.
#pragma once

#include <cstdint>

#include "stage/tool_buttons.h"
#include "stage/tool_state_block.h"

class ToolButtonState {
 public:
  // What a press changed.
  enum class Effect {
    kNothing,        // the button was already the pressed one of its group, or no button
    kModeChanged,    // the other mode is active
    kToolChanged,    // a tool window has another tool (and maybe another work window)
    kViewChanged,    // a tool window has another view choice
    kChoiceChanged,  // one of the radio pairs of the work windows changed
    kSwitchToggled,  // a switch went on or off
    kAction,         // an action button: the caller does its work
  };

  // The state at program start (ToolStateBlock::Initial()).
  ToolButtonState();

  // True while the button is down: the pressed one of its radio group, a switch that is on.
  // Action buttons are never down.
  bool Pressed(int32_t id) const;
  Effect Press(int32_t id);

  int32_t Mode() const;  // 0 or 1
  // The pressed tool and view button of a mode's tool window.
  int32_t Tool(int32_t mode) const;
  int32_t ViewButton(int32_t mode) const;
  // The work window shown for the mode's tool (ToolPanel::kNone for none).
  ToolPanel WorkPanel(int32_t mode) const;
  // The pressed button of a radio group.
  int32_t PressedInGroup(int32_t group) const;
  bool SwitchOn(int32_t word) const { return block_.words[word] != 0; }

  // Command 4 for one window: writes the words of the panel's buttons into `block`.
  void Fill(ToolPanel panel, ToolStateBlock* block) const;
  // Command 6 for one window: each radio group of the panel presses the last of its buttons
  // (in increasing word order) whose word is 1 and keeps its button when all are 0; a switch
  // follows its word. Action words are not restored.
  void Restore(ToolPanel panel, const ToolStateBlock& block);
  // Both for every panel.
  ToolStateBlock Block() const;
  void RestoreAll(const ToolStateBlock& block);

 private:
  ToolStateBlock block_;
};
