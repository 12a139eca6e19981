#include "stage/gui/stage_partition_view.h"

#include <algorithm>
#include <cmath>

#include "stage/views/view_tools.h"

PatWnd1::PatWnd1(QWidget* parent, StageViewContext* context)
    : StageViewWindow(parent, context, kPartitionViewKind, ViewButtonBar::kHeight) {
  setObjectName(QStringLiteral("PatWnd_patwnd1"));
  bar_ = new PatButtonWindow1(this);
  connect(bar_, &ViewButtonBar::Pressed, this, &PatWnd1::Command);
}

PartitionViewRecord PatWnd1::Record() const {
  PartitionViewRecord record;
  record.horizontal = bar_->Down(PatButtonWindow1::kHorizontal) ? 1 : 0;
  record.show_previous = bar_->Down(PatButtonWindow1::kShowPrevious) ? 1 : 0;
  camera_.SaveState(&record);
  return record;
}

void PatWnd1::SetRecord(const PartitionViewRecord& record) {
  bar_->SetDown(PatButtonWindow1::kHorizontal, record.horizontal != 0);
  bar_->SetDown(PatButtonWindow1::kShowPrevious, record.show_previous != 0);
  camera_.LoadState(record);
}

void PatWnd1::Reset() {
  bar_->SetDown(PatButtonWindow1::kHorizontal, false);
  bar_->SetDown(PatButtonWindow1::kShowPrevious, false);
  camera_.Reset();
}

void PatWnd1::FitCurrentPartition(QSize size) {
  if (camera_.Surface().Empty()) {
    camera_.MakeSurface(size.width(), std::max(size.height() - ViewButtonBar::kHeight, 0));
  }
  camera_.FitWires(*context_->stage, context_->stage->SelectedPartition(),
                   bar_->Down(PatButtonWindow1::kHorizontal));
  if (isVisible()) Redraw();
}

void PatWnd1::Command(int command_id) {
  Stage& stage = *context_->stage;
  const int32_t p = stage.SelectedPartition();
  switch (command_id) {
    case PatButtonWindow1::kAhead:
    case PatButtonWindow1::kBack: {
      const int32_t next = command_id == static_cast<int>(PatButtonWindow1::kAhead) ? p + 1 : p - 1;
      // Nothing happens at the ends or with no current partition.
      if (p == -1 || !stage.GetTerrain().HasPartition(next)) return;
      stage.SelectPartition(next);
      context_->RedrawAll();
      context_->Changed(ViewChange::kSelection);
      return;
    }
    case PatButtonWindow1::kHorizontal:
    case PatButtonWindow1::kShowPrevious:
      Redraw();
      return;
    default:
      return;
  }
}

void PatWnd1::Draw() {
  DrawPartitionView(*context_->stage, camera_, Record(), context_->Look(), &picture_);
}

void PatWnd1::Resized(int32_t width, int32_t height) {
  bar_->setGeometry(0, 0, width, ViewButtonBar::kHeight);
  camera_.MakeSurface(width, height);
}

bool PatWnd1::DragStep(int32_t, int32_t dx, int32_t dy, bool* camera_moved) {
  const ToolStateBlock tools = context_->Tools();
  const CameraTool camera_tool = ActiveCameraTool(tools);
  if (camera_tool != CameraTool::kNone) {
    *camera_moved = DragPartitionCamera(camera_, camera_tool, dx, dy);
    return false;
  }
  if (!ApplyPartitionEditDrag(*context_->stage, tools, camera_, dx, dy)) return false;
  context_->RedrawAll();
  context_->Changed(ViewChange::kEditing);
  return true;
}

void PatWnd1::Wheel(double notches, QPoint at) {
  camera_.ZoomAbout(static_cast<float>(std::pow(1.25, notches)), at.x(), at.y());
  Redraw();
}
