// StageViewArea: the part of the stage editor's main window that the views fill. It owns the
// five view windows (top, side and front parallel views, the partition view, the perspective
// view), shows one of them or the split view of four panes, lays them out for its size,
// hands clicks and drags to the camera and editing tools named by the host's tool state,
// runs the rendered perspective view's timed redraw, and carries the views' state to and
// from a stage file's view section.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

#include "stage/gui/stage_view_host.h"
#include "stage/stage.h"
#include "stage/view_records.h"

class StageViewArea : public QWidget {
  Q_OBJECT

 public:
  // Shown() while the split view is up.
  static constexpr int32_t kSplitView = -1;
  // Pixels between the split view's panes.
  static constexpr int kSplitGap = 2;

  // The views of `stage` (the program's live stage, which outlives the area). `host` is asked
  // for the tool state on every click, drag and redraw, and told of every change a view made.
  StageViewArea(Stage* stage, StageViewHost* host, QWidget* parent);
  ~StageViewArea() override;

  // Fills the area with one view (kTopViewKind ... kPartitionViewKind of view_records.h), or
  // with the split view of the four pane kinds. Redraws what is shown.
  void ShowView(int32_t kind);
  void ShowSplitView();
  int32_t Shown() const;

  // The split view's pane kinds: top left, top right, bottom left, bottom right. At start
  // 0, 3, 2, 1 (top, perspective, front, side). Setting them rebuilds and redraws the split
  // view when it is shown.
  std::array<int32_t, 4> SplitPanes() const;
  void SetSplitPanes(const std::array<int32_t, 4>& kinds);

  // Redraws every view that is shown (redraw scope 2).
  void RedrawViews();
  // After "new": every view, camera, display setting and the split layout back to the state
  // at program start; redraws.
  void ResetViews();
  // The views' state for a stage file, and back after a load: the parallel views' position
  // and zoom, the perspective view's modes, cameras and display settings, the partition
  // view's toggles and camera, the split view's first pane (the other three panes take the
  // remaining kinds in start-up order). Applying redraws.
  ViewSection CurrentViews() const;
  void ApplyViews(const ViewSection& views);
  // Aims the three parallel views and the perspective view's free camera at the road around
  // the selected partition; with `only_lost`, only those that show none of it; the partition
  // view zooms out until the partition's wires fit. Redraws.
  // Nothing happens while no partition is selected.
  void AimAtRoad(bool only_lost);
  // When another partition was selected: moves each parallel view that shows nothing of it so
  // that it is in its middle, the zoom kept (after AHEAD, BACK, undo); redraws what moved.
  void KeepSelectedPartitionInView();

  // The view window of a kind (kTopViewKind ... kPartitionViewKind), for tests and pictures.
  QWidget* View(int32_t kind) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Views;
  std::unique_ptr<Views> views_;
};
