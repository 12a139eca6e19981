// ModeWindow1: the mode window across the top of the stage editor's main window
// ("ModeWindow_modectrl1") with the buttons of mode 0 (terrain) and mode 1 (objects). It
// creates both tool windows and passes every command of the protocol down to them: create,
// destroy, lay out, fill and restore reach both modes, show and refresh only the active one.
#pragma once

#include "stage/gui/stage_button_panel.h"

class StageToolWindow1;

class ModeWindow1 : public StageButtonPanel {
  Q_OBJECT

 public:
  ModeWindow1(const PanelContext& context, QWidget* parent);
  ~ModeWindow1() override;

  void Command(PanelCommand& command) override;
  void ShowStates() override;
  StageToolWindow1* ToolWindow(int32_t mode) const { return tools_[mode == 0 ? 0 : 1]; }

 private:
  StageToolWindow1* tools_[2] = {};
};
