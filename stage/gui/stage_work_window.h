// StageWorkWindow1: a work window of the stage editor, the strip along the bottom of the
// main window that the active tool shows (one class per window of the mode tables, told
// apart by their window class names). Those of point move and of object move, rotate and
// zoom carry three text windows with the X, Y and Z of the selected point or object.
#pragma once

#include <array>

#include "stage/gui/stage_button_panel.h"

class TextWindow1;

class StageWorkWindow1 : public StageButtonPanel {
  Q_OBJECT

 public:
  StageWorkWindow1(ToolPanel panel, const PanelContext& context, QWidget* parent);
  ~StageWorkWindow1() override;

  void Command(PanelCommand& command) override;
  // The text windows (nullptr where the window has none).
  TextWindow1* CoordinateWindow(int32_t axis) const { return texts_[static_cast<size_t>(axis)]; }

 private:
  std::array<TextWindow1*, 3> texts_ = {};
};
