// "DISPSETUP_DIALOG" ("描写の設定"): the perspective view's display settings. Three check
// boxes choose which kinds are textured with perspective correction, two radio buttons
// whether the perspective range is counted in partitions or set by a Z value, three value
// editors hold those two values and the number of partitions to display. OK stores all of
// them; Cancel or closing leaves them as they were.
#pragma once

#include <QDialog>

#include "stage/view_records.h"

class QCheckBox;
class QRadioButton;
class ValueEditWindow1;

class DisplaySetupDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kRangeByZ = 1133;
  static constexpr int kRangeByPartitions = 1134;
  static constexpr int kRangePartitionsEdit = 1135;
  static constexpr int kRangeZEdit = 1136;
  static constexpr int kOk = 1137;
  static constexpr int kCancel = 1138;
  static constexpr int kRoadCheck = 1139;
  static constexpr int kMapCheck = 1140;
  static constexpr int kObjectCheck = 1141;
  static constexpr int kDisplayPartitionsEdit = 1149;

  DisplaySetupDialog(QWidget* owner, const DisplaySettings& settings);
  ~DisplaySetupDialog() override;

  // The settings as they stand: the ones given, or what OK stored.
  const DisplaySettings& Settings() const { return settings_; }
  // The control with that id.
  QWidget* Control(int id) const;

 private:
  void OnOk();

  DisplaySettings settings_;
  QCheckBox* road_;
  QCheckBox* map_;
  QCheckBox* objects_;
  QRadioButton* by_partitions_;
  QRadioButton* by_z_;
  ValueEditWindow1* range_partitions_;
  ValueEditWindow1* range_z_;
  ValueEditWindow1* display_partitions_;
};
