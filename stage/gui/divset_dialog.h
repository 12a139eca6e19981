// DivsetDialog: "分割画面設定ダイアログ" (DIVSET_DIALOG), where the author chooses the view each
// of the split view's four panes shows. It works on a copy of the four kinds: a pane button
// (1150 ... 1153, named after its kind) makes its pane the current one, marked by a frame;
// the radio buttons "TOP VIEW" ... "PAT VIEW" (1142 ... 1146) give the current pane a kind,
// a pane that showed it already taking the current pane's old kind. "OK" (1147) accepts,
// "Cancel" (1148) leaves the layout alone.
#pragma once

#include <QDialog>
#include <array>

#include "stage/split_view_choice.h"

class QAbstractButton;
class QPushButton;
class QRadioButton;

class DivsetDialog : public QDialog {
  Q_OBJECT

 public:
  DivsetDialog(const PaneKinds& panes, QWidget* owner);

  const PaneKinds& Panes() const { return panes_; }
  int32_t CurrentPane() const { return current_; }
  // The control with that id (pane buttons, radio buttons, OK, Cancel).
  QAbstractButton* Control(int32_t id) const;
  // What a click on a pane button and on a radio button do.
  void ChoosePane(int32_t pane);
  void ChooseKind(int32_t kind);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowPanes();

  PaneKinds panes_;
  int32_t current_ = 0;
  std::array<QPushButton*, 4> pane_buttons_ = {};
  std::array<QRadioButton*, kPaneKindCount> kind_buttons_ = {};
  QPushButton* ok_;
  QPushButton* cancel_;
};
