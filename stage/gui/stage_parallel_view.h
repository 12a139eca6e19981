// ParallelWnd1 ("ParallelWnd_parallelwnd1"): the top, side or front view of the stage through
// its ParallelCamera, with no button bar. The camera tools pan and zoom it; the editing
// tools pick from what it drew and drag points and objects along the two axes it shows.
#pragma once

#include "render/parallel_camera.h"
#include "stage/gui/stage_view_window.h"

class ParallelWnd1 : public StageViewWindow {
  Q_OBJECT

 public:
  // `kind` is kTopViewKind, kSideViewKind or kFrontViewKind.
  ParallelWnd1(QWidget* parent, StageViewContext* context, int32_t kind);

  ParallelCamera& Camera() { return camera_; }
  const Surface16* ViewSurface() const override { return &camera_.Surface(); }
  ParallelViewRecord Record() const;
  void SetRecord(const ParallelViewRecord& record);

 protected:
  void Draw() override;
  void Resized(int32_t width, int32_t height) override;
  bool DragStep(int32_t buttons, int32_t dx, int32_t dy, bool* camera_moved) override;
  void Wheel(double notches, QPoint at) override;

 private:
  ParallelCamera camera_;
};
