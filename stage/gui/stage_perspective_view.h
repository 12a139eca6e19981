// PerspecWnd1 ("PerspecWnd_perspecwnd1"): the stage through a StageCamera, with its button
// bar (PerspecButtonWindow1). FREE, ROAD, REND and RENDAROUND choose the camera-mode record
// (free, road, lap; each keeps its own camera) and wire frame or rendered picture; SETUP
// opens the display settings dialog. The road and lap cameras are placed on the road before
// every redraw. While the application is active, the rendered view is up and a camera tool is
// chosen, a 30 ms timer redraws it and moves the animation clock on by 30 ms each time.
#pragma once

#include <QTimer>

#include "render/stage_camera.h"
#include "stage/gui/stage_view_window.h"
#include "stage/gui/view_button_bar.h"

class DisplaySetupDialog;

class PerspecWnd1 : public StageViewWindow {
  Q_OBJECT

 public:
  static constexpr int kTimerMilliseconds = 30;

  PerspecWnd1(QWidget* parent, StageViewContext* context);
  ~PerspecWnd1() override;

  PerspecButtonWindow1* ButtonBar() const { return bar_; }
  StageCamera& Camera() { return camera_; }
  const Surface16* ViewSurface() const override { return camera_.Surface(); }
  const PerspectiveViewRecord& Record() const { return record_; }
  void SetRecord(const PerspectiveViewRecord& record);
  const PerspectivePicture& LastPerspective() const { return last_; }
  bool Animating() const { return timer_.isActive(); }
  // The display settings dialog while it is open (SETUP), else nullptr.
  DisplaySetupDialog* SetupDialog() const { return dialog_; }
  // The bar's commands.
  void Command(int command_id);
  // Starts or stops the timed redraw for the current state.
  void UpdateTimer();

 protected:
  void Draw() override;
  void Resized(int32_t width, int32_t height) override;
  bool DragStep(int32_t buttons, int32_t dx, int32_t dy, bool* camera_moved) override;
  void Wheel(double notches, QPoint at) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  bool WantsTimer() const;
  void Tick();
  void OpenSetup();

  PerspecButtonWindow1* bar_;
  StageCamera camera_;
  int32_t surface_id_;
  PerspectiveViewRecord record_;
  PerspectivePicture last_;
  QTimer timer_;
  DisplaySetupDialog* dialog_ = nullptr;
};
