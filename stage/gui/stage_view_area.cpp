#include "stage/gui/stage_view_area.h"

#include <QResizeEvent>
#include <algorithm>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "stage/gui/stage_parallel_view.h"
#include "stage/gui/stage_partition_view.h"
#include "stage/gui/stage_perspective_view.h"
#include "stage/gui/view_marker_images.h"
#include "stage/views/split_layout.h"
#include "stage/views/view_aim.h"
#include "stage/views/view_state.h"

struct StageViewArea::Views {
  StageViewContext context;
  ParallelWnd1* parallel[3] = {};
  PerspecWnd1* perspective = nullptr;
  PatWnd1* partition = nullptr;
  int32_t shown = kTopViewKind;
  std::array<int32_t, 4> panes = kInitialSplitPanes;
  // The selected partition the parallel views last followed: a view the author moved away
  // stays there while other things are selected.
  int32_t followed = -1;

  StageViewWindow* Window(int32_t kind) const {
    switch (kind) {
      case kTopViewKind:
      case kSideViewKind:
      case kFrontViewKind:
        return parallel[kind];
      case kPerspectiveViewKind:
        return perspective;
      case kPartitionViewKind:
        return partition;
      default:
        return nullptr;
    }
  }
};

StageViewArea::StageViewArea(Stage* stage, StageViewHost* host, QWidget* parent)
    : QWidget(parent), views_(std::make_unique<Views>()) {
  setObjectName(QStringLiteral("StageViewArea"));
  FlatSpanFill1::StartUp();
  AffineSpanFill1::StartUp();
  PerspecTextureEngine1::StartUp();
  StageViewContext& context = views_->context;
  context.stage = stage;
  context.host = host;
  context.markers = LoadViewMarkers();
  context.redraw_all = [this] { RedrawViews(); };
  context.changed = [this, host](ViewChange change) {
    // A partition chosen in the partition view (AHEAD, BACK) may lie outside the others.
    if (change == ViewChange::kSelection) KeepSelectedPartitionInView();
    if (host != nullptr) host->StageChangedByView(change);
  };
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    views_->parallel[kind] = new ParallelWnd1(this, &context, kind);
  }
  views_->perspective = new PerspecWnd1(this, &context);
  views_->partition = new PatWnd1(this, &context);
  for (int32_t kind = kTopViewKind; kind <= kPartitionViewKind; ++kind) {
    views_->Window(kind)->hide();
  }
  ShowView(kTopViewKind);
}

StageViewArea::~StageViewArea() {
  for (int32_t kind = kTopViewKind; kind <= kPartitionViewKind; ++kind) {
    delete views_->Window(kind);
  }
  PerspecTextureEngine1::ShutDown();
  AffineSpanFill1::ShutDown();
  FlatSpanFill1::ShutDown();
}

void StageViewArea::ShowView(int32_t kind) {
  if (!IsViewKind(kind)) return;
  views_->shown = kind;
  resizeEvent(nullptr);
}

void StageViewArea::ShowSplitView() {
  views_->shown = kSplitView;
  resizeEvent(nullptr);
}

int32_t StageViewArea::Shown() const { return views_->shown; }

std::array<int32_t, 4> StageViewArea::SplitPanes() const { return views_->panes; }

void StageViewArea::SetSplitPanes(const std::array<int32_t, 4>& kinds) {
  if (!ValidSplitPanes(kinds)) return;
  views_->panes = kinds;
  if (views_->shown == kSplitView) resizeEvent(nullptr);
}

void StageViewArea::RedrawViews() {
  for (int32_t kind = kTopViewKind; kind <= kPartitionViewKind; ++kind) {
    StageViewWindow* view = views_->Window(kind);
    if (view->isVisibleTo(this)) view->Redraw();
  }
}

void StageViewArea::ResetViews() {
  ViewSection initial;
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    views_->parallel[kind]->SetRecord(initial.parallel[kind]);
  }
  views_->perspective->SetRecord(initial.perspective);
  views_->partition->Reset();
  views_->panes = kInitialSplitPanes;
  resizeEvent(nullptr);
}

ViewSection StageViewArea::CurrentViews() const {
  ViewSection section;
  section.first_pane_kind = views_->panes[0];
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    section.parallel[kind] = views_->parallel[kind]->Record();
  }
  section.perspective = views_->perspective->Record();
  section.partition = views_->partition->Record();
  return section;
}

void StageViewArea::ApplyViews(const ViewSection& views) {
  const ViewSection sane = SaneViewSection(views);
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    views_->parallel[kind]->SetRecord(sane.parallel[kind]);
  }
  views_->perspective->SetRecord(sane.perspective);
  views_->partition->SetRecord(sane.partition);
  views_->panes = SplitPanesFromFirst(sane.first_pane_kind);
  resizeEvent(nullptr);
}

namespace {

// Height over width of a parallel view; a view that was never laid out takes the proportions
// of the whole area.
double Aspect(ParallelWnd1& view, QSize area) {
  const QSize size =
      view.Camera().Width() > 0 ? QSize(view.Camera().Width(), view.Camera().Height()) : area;
  return size.width() > 0 ? static_cast<double>(size.height()) / size.width() : 0.75;
}

}  // namespace

void StageViewArea::KeepSelectedPartitionInView() {
  const Stage& stage = *views_->context.stage;
  const int32_t p = stage.SelectedPartition();
  if (p == views_->followed || !stage.GetTerrain().HasPartition(p)) return;
  views_->followed = p;
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    ParallelWnd1* view = views_->parallel[kind];
    if (ParallelViewShowsPartition(stage, kind, view->Record(), Aspect(*view, size()), p)) {
      continue;
    }
    view->SetRecord(CentredOnPartition(stage, view->Record(), p));
    if (view->isVisibleTo(this)) view->Redraw();
  }
}

void StageViewArea::AimAtRoad(bool only_lost) {
  // The partition view's zoom is never stored: it takes in the arriving partition's wires.
  views_->partition->FitCurrentPartition(size());
  ViewSection views = CurrentViews();
  double aspects[3];
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    aspects[kind] = Aspect(*views_->parallel[kind], size());
  }
  if (!AimViews(*views_->context.stage, aspects, only_lost, &views)) return;
  for (int32_t kind : {kTopViewKind, kSideViewKind, kFrontViewKind}) {
    views_->parallel[kind]->SetRecord(views.parallel[kind]);
  }
  views_->perspective->SetRecord(views.perspective);
  RedrawViews();
}

QWidget* StageViewArea::View(int32_t kind) const { return views_->Window(kind); }

void StageViewArea::resizeEvent(QResizeEvent*) {
  const int w = width(), h = height();
  bool shown[5] = {false, false, false, false, false};
  if (views_->shown == kSplitView) {
    // A line of the area's grey between the panes tells where one view ends.
    const int half_w = w / 2, half_h = h / 2;
    const int left = std::max(0, half_w - kSplitGap / 2);
    const int right_x = std::min(w, half_w + kSplitGap - kSplitGap / 2);
    const int top = std::max(0, half_h - kSplitGap / 2);
    const int bottom_y = std::min(h, half_h + kSplitGap - kSplitGap / 2);
    const QRect panes[4] = {QRect(0, 0, left, top), QRect(right_x, 0, w - right_x, top),
                            QRect(0, bottom_y, left, h - bottom_y),
                            QRect(right_x, bottom_y, w - right_x, h - bottom_y)};
    for (size_t i = 0; i < 4; ++i) {
      const int32_t kind = views_->panes[i];
      views_->Window(kind)->setGeometry(panes[i]);
      shown[kind] = true;
    }
  } else {
    views_->Window(views_->shown)->setGeometry(0, 0, w, h);
    shown[views_->shown] = true;
  }
  for (int32_t kind = kTopViewKind; kind <= kPartitionViewKind; ++kind) {
    views_->Window(kind)->setVisible(shown[kind]);
  }
  RedrawViews();
}
