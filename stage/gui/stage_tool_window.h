// StageToolWindow1: the tool window of one mode down the left of the main window
// ("GroupWindow_mode0button1", "GroupWindow_mode1button1"): the camera tools, the editing
// tools, the actions and the view choices of that mode, and the work windows its tools show.
// Commands reach every work window; show and refresh reach only the active tool's.
#pragma once

#include <vector>

#include "stage/gui/stage_button_panel.h"

class StageWorkWindow1;

class StageToolWindow1 : public StageButtonPanel {
  Q_OBJECT

 public:
  StageToolWindow1(int32_t mode, const PanelContext& context, QWidget* parent);
  ~StageToolWindow1() override;

  int32_t Mode() const { return mode_; }
  void Command(PanelCommand& command) override;
  void ShowStates() override;
  // The work window of a panel of this mode, or nullptr.
  StageWorkWindow1* WorkWindow(ToolPanel panel) const;

 private:
  int32_t mode_;
  std::vector<StageWorkWindow1*> work_windows_;
};
