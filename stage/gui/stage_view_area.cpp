#include "stage/gui/stage_view_area.h"

#include <QPainter>
#include <QResizeEvent>

#include "stage/views/split_layout.h"

namespace {

// A view window that shows its kind's empty surface until the views draw.
class PlainStageView : public QWidget {
 public:
  PlainStageView(QWidget* parent, int32_t kind) : QWidget(parent), kind_(kind) {
    static const char* const kNames[] = {"ParallelWnd_parallelwnd1", "ParallelWnd_parallelwnd1",
                                         "ParallelWnd_parallelwnd1", "PerspecWnd_perspecwnd1",
                                         "PatWnd_patwnd1"};
    setObjectName(QString::fromLatin1(kNames[kind]));
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
  }

 private:
  int32_t kind_;
};

}  // namespace

struct StageViewArea::Views {
  Stage* stage = nullptr;
  StageViewHost* host = nullptr;
  std::array<QWidget*, 5> views = {};
  int32_t shown = kTopViewKind;
  std::array<int32_t, 4> panes = kInitialSplitPanes;
  ViewSection section;
};

StageViewArea::StageViewArea(Stage* stage, StageViewHost* host, QWidget* parent)
    : QWidget(parent), views_(std::make_unique<Views>()) {
  setObjectName(QStringLiteral("StageViewArea"));
  views_->stage = stage;
  views_->host = host;
  for (int32_t kind = kTopViewKind; kind <= kPartitionViewKind; ++kind) {
    views_->views[kind] = new PlainStageView(this, kind);
  }
  ShowView(kTopViewKind);
}

StageViewArea::~StageViewArea() = default;

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
  for (QWidget* view : views_->views) view->update();
}

void StageViewArea::ResetViews() {
  views_->section = ViewSection();
  views_->panes = kInitialSplitPanes;
  resizeEvent(nullptr);
}

ViewSection StageViewArea::CurrentViews() const {
  ViewSection section = views_->section;
  section.first_pane_kind = views_->panes[0];
  return section;
}

void StageViewArea::ApplyViews(const ViewSection& views) {
  views_->section = views;
  views_->panes = SplitPanesFromFirst(views.first_pane_kind);
  resizeEvent(nullptr);
}

QWidget* StageViewArea::View(int32_t kind) const {
  return IsViewKind(kind) ? views_->views[kind] : nullptr;
}

void StageViewArea::resizeEvent(QResizeEvent*) {
  for (QWidget* view : views_->views) view->hide();
  const int w = width(), h = height();
  if (views_->shown == kSplitView) {
    const int half_w = w / 2, half_h = h / 2;
    const QRect panes[4] = {QRect(0, 0, half_w, half_h), QRect(half_w, 0, w - half_w, half_h),
                            QRect(0, half_h, half_w, h - half_h),
                            QRect(half_w, half_h, w - half_w, h - half_h)};
    for (size_t i = 0; i < 4; ++i) {
      QWidget* view = views_->views[views_->panes[i]];
      view->setGeometry(panes[i]);
      view->show();
    }
  } else {
    QWidget* view = views_->views[views_->shown];
    view->setGeometry(0, 0, w, h);
    view->show();
  }
  RedrawViews();
}
