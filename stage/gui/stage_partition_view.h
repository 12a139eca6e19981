// PatWnd1 ("PatWnd_patwnd1"): the stage seen across the current partition, with its button
// bar (PatButtonWindow1): AHEAD and BACK step the stage's current partition (and so every
// view), HORZ levels the view with world coordinates instead of the partition, BEFOREDISP
// shows the partition before as well. The camera tools pan and zoom it; the point move tool
// drags the selected point in the view's plane.
#pragma once

#include "stage/gui/stage_view_window.h"
#include "stage/gui/view_button_bar.h"
#include "stage/views/partition_camera.h"

class PatWnd1 : public StageViewWindow {
  Q_OBJECT

 public:
  PatWnd1(QWidget* parent, StageViewContext* context);

  PatButtonWindow1* ButtonBar() const { return bar_; }
  PartitionCamera& Camera() { return camera_; }
  const Surface16* ViewSurface() const override { return &camera_.Surface(); }
  PartitionViewRecord Record() const;
  void SetRecord(const PartitionViewRecord& record);
  // Back to the state at program start.
  void Reset();
  // Zooms out until the current partition's wires fit, for a view of `size` when it was never
  // laid out; redraws when shown.
  void FitCurrentPartition(QSize size);
  // The bar's commands.
  void Command(int command_id);

 protected:
  void Draw() override;
  void Resized(int32_t width, int32_t height) override;
  bool DragStep(int32_t buttons, int32_t dx, int32_t dy, bool* camera_moved) override;
  void Wheel(double notches, QPoint at) override;

 private:
  PatButtonWindow1* bar_;
  PartitionCamera camera_;
};
