#include "stage/gui/stage_tool_window.h"

#include "stage/gui/stage_work_window.h"
#include "stage/stage_window_layout.h"

StageToolWindow1::StageToolWindow1(int32_t mode, const PanelContext& context, QWidget* parent)
    : StageButtonPanel(ToolPanelOfMode(mode), context, parent), mode_(mode) {}

StageToolWindow1::~StageToolWindow1() {
  for (StageWorkWindow1* window : work_windows_) delete window;
}

StageWorkWindow1* StageToolWindow1::WorkWindow(ToolPanel panel) const {
  for (StageWorkWindow1* window : work_windows_) {
    if (window->Panel() == panel) return window;
  }
  return nullptr;
}

void StageToolWindow1::ShowStates() {
  StageButtonPanel::ShowStates();
  for (StageWorkWindow1* window : work_windows_) window->ShowStates();
}

void StageToolWindow1::Command(PanelCommand& command) {
  switch (command.code) {
    case kPanelCreate: {
      const ToolPanel first = mode_ == 0 ? ToolPanel::kMode0Work0 : ToolPanel::kMode1Work0;
      for (int32_t i = 0; i < 5; ++i) {
        auto* window = new StageWorkWindow1(static_cast<ToolPanel>(static_cast<int32_t>(first) + i),
                                            Context(), command.parent);
        window->hide();
        Forward(window);
        work_windows_.push_back(window);
      }
      break;
    }
    case kPanelDestroy:
      for (StageWorkWindow1* window : work_windows_) delete window;
      work_windows_.clear();
      break;
    case kPanelLayout: {
      const PanelRect area = LayOutStageWindow(command.width, command.height).tool_window;
      setGeometry(area.x, area.y, area.width, area.height);
      for (StageWorkWindow1* window : work_windows_) window->Command(command);
      break;
    }
    case kPanelShow: {
      setVisible(command.show);
      // Only the active tool's work window is shown; the others stay hidden.
      const ToolPanel active = Context().state->WorkPanel(mode_);
      for (StageWorkWindow1* window : work_windows_) {
        PanelCommand show = command;
        show.show = command.show && window->Panel() == active;
        window->Command(show);
      }
      break;
    }
    case kPanelRefresh:
      if (StageWorkWindow1* window = WorkWindow(Context().state->WorkPanel(mode_))) {
        window->Command(command);
      }
      break;
    case kPanelFill:
    case kPanelRestore:
      StageButtonPanel::Command(command);
      for (StageWorkWindow1* window : work_windows_) window->Command(command);
      break;
    default:
      break;
  }
}
