#include "stage/gui/stage_parallel_view.h"

#include "stage/views/view_tools.h"

ParallelWnd1::ParallelWnd1(QWidget* parent, StageViewContext* context, int32_t kind)
    : StageViewWindow(parent, context, kind, 0) {
  setObjectName(QStringLiteral("ParallelWnd_parallelwnd1"));
  SetUpParallelCamera(&camera_, kind, ParallelViewRecord(), 0, 0);
}

ParallelViewRecord ParallelWnd1::Record() const {
  ParallelViewRecord record;
  SaveParallelCamera(camera_, &record);
  return record;
}

void ParallelWnd1::SetRecord(const ParallelViewRecord& record) {
  SetUpParallelCamera(&camera_, Kind(), record, camera_.Width(), camera_.Height());
}

void ParallelWnd1::Draw() {
  DrawParallelView(*context_->stage, camera_, Kind(), context_->Look(), &picture_);
}

void ParallelWnd1::Resized(int32_t width, int32_t height) {
  SetUpParallelCamera(&camera_, Kind(), Record(), width, height);
}

bool ParallelWnd1::DragStep(int32_t, int32_t dx, int32_t dy, bool* camera_moved) {
  const ToolStateBlock tools = context_->Tools();
  const CameraTool camera_tool = ActiveCameraTool(tools);
  if (camera_tool != CameraTool::kNone) {
    *camera_moved = DragParallelCamera(camera_, camera_tool, dx, dy);
    return false;
  }
  const DragView view = static_cast<DragView>(ParallelAttribute(Kind()));
  if (!ApplyParallelEditDrag(*context_->stage, tools, view, dx, dy, camera_.GetZoom())) {
    return false;
  }
  context_->RedrawAll();
  context_->Changed(ViewChange::kEditing);
  return true;
}

void ParallelWnd1::Wheel(double notches, QPoint at) {
  WheelParallelCamera(camera_, notches, at.x(), at.y());
  Redraw();
}
