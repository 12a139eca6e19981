// What the stage views need from the window that holds them: the buttons of the mode and
// tool windows (which tool a click or drag is for, and what the views draw), and word that a
// click or drag in a view changed the stage or its selection, so the tool windows' texts and
// everything else that shows the stage can follow.
#pragma once

#include "stage/tool_state_block.h"

// What a click or drag in a view did.
enum class ViewChange {
  kSelection,     // a click selected something (or nothing); the stage itself is unchanged
  kEditing,       // one step of a drag changed the stage; more steps may follow
  kEditFinished,  // the button was released after a drag that changed the stage: one user
                  // action is complete
};

class StageViewHost {
 public:
  virtual ~StageViewHost() = default;
  // The tool-state block of the live mode and tool windows (command 4). Asked on every
  // click, every drag step and every redraw.
  virtual ToolStateBlock ToolState() const = 0;
  // Called after the views have redrawn themselves for a change a view made.
  virtual void StageChangedByView(ViewChange change) = 0;
};
