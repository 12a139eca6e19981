// ObjectValueDialog: OBJECTVALUE_DIALOG, the selected object's object coordinates typed as
// numbers: origin X, Y, Z (1114 ... 1116), axes RX, RY, RZ in degrees (1118 ... 1120) and
// scale ZoomX, ZoomY, ZoomZ in percent (1121 ... 1123). "OK" (1124) checks every field and
// applies origin, axes and scale in that order; a field that is no plain number keeps the
// dialog open with "設定値にエラー". "Cancel" (1125) changes nothing.
#pragma once

#include <QDialog>
#include <array>

#include "stage/value_dialog_fields.h"

class QLineEdit;
class QPushButton;
class Stage;

class ObjectValueDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int32_t kFieldIds[9] = {1114, 1115, 1116, 1118, 1119, 1120, 1121, 1122, 1123};

  // For the stage's selected object (there must be one).
  ObjectValueDialog(Stage* stage, QWidget* owner);

  QLineEdit* Field(int32_t index) const { return fields_[static_cast<size_t>(index)]; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  ObjectValueTexts Texts() const;

  // "OK": true when the values were applied and the dialog closed.
  bool Apply();

 private:
  Stage* stage_;
  std::array<QLineEdit*, 9> fields_ = {};
  QPushButton* ok_;
  QPushButton* cancel_;
};
