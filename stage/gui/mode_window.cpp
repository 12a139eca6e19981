#include "stage/gui/mode_window.h"

#include "stage/gui/stage_tool_window.h"
#include "stage/stage_window_layout.h"

ModeWindow1::ModeWindow1(const PanelContext& context, QWidget* parent)
    : StageButtonPanel(ToolPanel::kModeWindow, context, parent) {}

ModeWindow1::~ModeWindow1() {
  for (StageToolWindow1*& tools : tools_) {
    delete tools;
    tools = nullptr;
  }
}

void ModeWindow1::ShowStates() {
  StageButtonPanel::ShowStates();
  for (StageToolWindow1* tools : tools_) {
    if (tools != nullptr) tools->ShowStates();
  }
}

void ModeWindow1::Command(PanelCommand& command) {
  // Before command 0 there are no tool windows to pass anything to.
  if (command.code != kPanelCreate && (tools_[0] == nullptr || tools_[1] == nullptr)) {
    if (command.code == kPanelFill || command.code == kPanelRestore) {
      StageButtonPanel::Command(command);
    }
    return;
  }
  switch (command.code) {
    case kPanelCreate:
      for (int32_t mode = 0; mode < 2; ++mode) {
        tools_[mode] = new StageToolWindow1(mode, Context(), command.parent);
        tools_[mode]->hide();
        Forward(tools_[mode]);
        tools_[mode]->Command(command);
      }
      break;
    case kPanelDestroy:
      for (StageToolWindow1*& tools : tools_) {
        if (tools != nullptr) tools->Command(command);
        delete tools;
        tools = nullptr;
      }
      break;
    case kPanelLayout: {
      const PanelRect area = LayOutStageWindow(command.width, command.height).mode_window;
      setGeometry(area.x, area.y, area.width, area.height);
      for (StageToolWindow1* tools : tools_) tools->Command(command);
      break;
    }
    case kPanelShow: {
      setVisible(command.show);
      const int32_t active = Context().state->Mode();
      // The other mode's windows stay hidden.
      PanelCommand hide = command;
      hide.show = false;
      tools_[1 - active]->Command(hide);
      tools_[active]->Command(command);
      break;
    }
    case kPanelRefresh:
      tools_[Context().state->Mode()]->Command(command);
      break;
    case kPanelFill:
    case kPanelRestore:
      StageButtonPanel::Command(command);
      for (StageToolWindow1* tools : tools_) tools->Command(command);
      if (command.code == kPanelRestore) ShowStates();
      break;
  }
}
