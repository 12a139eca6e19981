// StageButtonPanel: what the mode window, the two tool windows and the ten work windows of
// the stage editor share: their bitmap buttons, laid out and shown as the shared button
// state has them, presses passed on to the main window, and the command protocol by which
// the mode window drives the others (create, destroy, lay out, show, fill and restore the
// tool-state block, refresh the coordinate texts).
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "stage/tool_button_state.h"
#include "stage/tool_buttons.h"

class DrawButton1;
class Stage;

// The seven commands of the protocol.
enum PanelCommandCode : int32_t {
  kPanelCreate = 0,   // `parent`: where the windows below are made
  kPanelDestroy = 1,  // the windows below go
  kPanelLayout = 2,   // `width` x `height`: the main window's client size
  kPanelShow = 3,     // `show`: 1 shows the active mode's windows, 0 hides them
  kPanelFill = 4,     // writes the window's words into `block`
  kPanelRefresh = 5,  // the coordinate texts show the stage as it is now
  kPanelRestore = 6,  // presses the buttons `block` names
};

struct PanelCommand {
  PanelCommandCode code = kPanelRefresh;
  QWidget* parent = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  bool show = false;
  ToolStateBlock* block = nullptr;
};

// What every panel works on: the button state (owned by the main window) and the stage whose
// values the work windows show.
struct PanelContext {
  ToolButtonState* state = nullptr;
  const Stage* stage = nullptr;
};

class StageButtonPanel : public QWidget {
  Q_OBJECT

 public:
  // Cells of the button strips.
  static constexpr int32_t kRaisedCell = 0;
  static constexpr int32_t kHotCell = 1;
  static constexpr int32_t kPressedCell = 2;

  StageButtonPanel(ToolPanel panel, const PanelContext& context, QWidget* parent);
  ~StageButtonPanel() override;

  // Registers the stage editor's pictures (button strips, icon) once.
  static void InitResources();

  ToolPanel Panel() const { return panel_; }
  // The button with that command id in this window, or nullptr.
  DrawButton1* Button(int32_t id) const;
  // Every button of this window and of the windows below shows the state's pictures.
  virtual void ShowStates();
  // Handles one command of the protocol: the base fills and restores this window's own
  // words and shows the states after a restore; windows below are reached by the derived
  // classes.
  virtual void Command(PanelCommand& command);

 signals:
  // The left button went down on one of this window's buttons (or a window's below).
  void ButtonPressed(int id);

 protected:
  // Passes ButtonPressed of a window below on.
  void Forward(StageButtonPanel* below);
  const PanelContext& Context() const { return context_; }

 private:
  void OnButton(int id, int code);
  int32_t RestingCell(int32_t id) const;

  ToolPanel panel_;
  PanelContext context_;
  std::vector<DrawButton1*> buttons_;
};
