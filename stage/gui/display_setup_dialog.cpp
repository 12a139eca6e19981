#include "stage/gui/display_setup_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "foundation/gui/named_resources.h"
#include "foundation/gui/value_edit_window.h"
#include "stage/views/view_state.h"

namespace {

template <typename Control>
Control* Identified(Control* control, int id, const QRect& at) {
  control->setProperty("control_id", id);
  control->setGeometry(at);
  return control;
}

ValueEditWindow1* WholeEdit(QWidget* parent, int id, int32_t minimum, int32_t maximum,
                            int32_t value, const QRect& at) {
  ValueEditParameters parameters;
  parameters.kind = ValueEditWindow1::kWhole;
  parameters.whole_minimum = minimum;
  parameters.whole_maximum = maximum;
  parameters.whole_value = value;
  parameters.steps = maximum - minimum;  // one per step
  auto* edit = new ValueEditWindow1(parent, parameters, at);
  edit->setProperty("control_id", id);
  return edit;
}

}  // namespace

DisplaySetupDialog::DisplaySetupDialog(QWidget* owner, const DisplaySettings& settings)
    : QDialog(owner), settings_(ClampDisplaySettings(settings)) {
  ValueEditWindow1::StartUp();
  setObjectName(QStringLiteral("DISPSETUP_DIALOG"));
  setWindowTitle(QStringLiteral("描写の設定"));
  setFont(GothicFont(13));
  setFixedSize(330, 262);

  auto* which = new QGroupBox(QStringLiteral("パースペクティブで描写する"), this);
  which->setGeometry(10, 8, 310, 52);
  road_ =
      Identified(new QCheckBox(QStringLiteral("路面"), this), kRoadCheck, QRect(22, 30, 80, 20));
  map_ =
      Identified(new QCheckBox(QStringLiteral("マップ"), this), kMapCheck, QRect(112, 30, 80, 20));
  objects_ = Identified(new QCheckBox(QStringLiteral("オブジェクト"), this), kObjectCheck,
                        QRect(202, 30, 110, 20));
  road_->setChecked(settings_.perspective_road != 0);
  map_->setChecked(settings_.perspective_map != 0);
  objects_->setChecked(settings_.perspective_objects != 0);

  auto* range = new QGroupBox(QStringLiteral("パースペクティブの描写範囲"), this);
  range->setGeometry(10, 68, 310, 100);
  by_partitions_ = Identified(new QRadioButton(QStringLiteral("パーテーション数で設定"), this),
                              kRangeByPartitions, QRect(22, 92, 175, 20));
  by_z_ = Identified(new QRadioButton(QStringLiteral("Z値で設定"), this), kRangeByZ,
                     QRect(22, 130, 175, 20));
  (settings_.range_mode == 1 ? by_z_ : by_partitions_)->setChecked(true);
  range_partitions_ = WholeEdit(this, kRangePartitionsEdit, 0, kRangePartitionsMax,
                                settings_.range_partitions, QRect(200, 91, 110, 22));
  ValueEditParameters z;
  z.kind = ValueEditWindow1::kReal;
  z.real_minimum = 0.0f;
  z.real_maximum = kRangeZMax;
  z.real_value = settings_.range_z;
  z.steps = static_cast<int32_t>(kRangeZMax);  // whole units
  range_z_ = new ValueEditWindow1(this, z, QRect(200, 129, 110, 22));
  range_z_->setProperty("control_id", kRangeZEdit);

  auto* label = new QLabel(QStringLiteral("表示するパーテーション数"), this);
  label->setGeometry(22, 182, 175, 22);
  display_partitions_ =
      WholeEdit(this, kDisplayPartitionsEdit, kDisplayPartitionsMin, kDisplayPartitionsMax,
                settings_.display_partitions, QRect(200, 182, 110, 22));

  auto* ok = Identified(new QPushButton(QStringLiteral("OK"), this), kOk, QRect(140, 224, 85, 26));
  auto* cancel =
      Identified(new QPushButton(QStringLiteral("Cancel"), this), kCancel, QRect(235, 224, 85, 26));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &DisplaySetupDialog::OnOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

DisplaySetupDialog::~DisplaySetupDialog() {
  // The value editors leave the window table before the class shuts down.
  delete range_partitions_;
  delete range_z_;
  delete display_partitions_;
  ValueEditWindow1::ShutDown();
}

QWidget* DisplaySetupDialog::Control(int id) const {
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child->property("control_id").toInt() == id) return child;
  }
  return nullptr;
}

void DisplaySetupDialog::OnOk() {
  DisplaySettings chosen;
  chosen.perspective_road = road_->isChecked() ? 1 : 0;
  chosen.perspective_map = map_->isChecked() ? 1 : 0;
  chosen.perspective_objects = objects_->isChecked() ? 1 : 0;
  chosen.range_mode = by_z_->isChecked() ? 1 : 0;
  chosen.range_partitions = range_partitions_->WholeValue();
  chosen.range_z = range_z_->RealValue();
  chosen.display_partitions = display_partitions_->WholeValue();
  settings_ = ClampDisplaySettings(chosen);
  accept();
}
