#include "stage/gui/object_value_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "stage/stage.h"

namespace {
constexpr const char* kLabels[9] = {"X", "Y", "Z", "RX", "RY", "RZ", "ZoomX", "ZoomY", "ZoomZ"};
constexpr const char* kGroups[3] = {"位置 (オブジェクト座標の原点)", "回転 (度)", "倍率 (%)"};
}  // namespace

ObjectValueDialog::ObjectValueDialog(Stage* stage, QWidget* owner) : QDialog(owner), stage_(stage) {
  setObjectName(QStringLiteral("OBJECTVALUE_DIALOG"));
  setWindowTitle(QStringLiteral("オブジェクトの数値設定"));
  setFixedSize(330, 318);
  const ObjectValueTexts texts = ObjectValueFields(stage_->Object(stage_->SelectedObject()));
  for (int32_t group = 0; group < 3; ++group) {
    auto* box = new QGroupBox(QString::fromUtf8(kGroups[group]), this);
    box->setGeometry(10, 8 + group * 92, 310, 86);
    for (int32_t row = 0; row < 3; ++row) {
      const int32_t index = group * 3 + row;
      auto* label = new QLabel(QString::fromLatin1(kLabels[index]), box);
      label->setGeometry(12, 22 + row * 20, 60, 18);
      auto* field = new QLineEdit(QString::fromStdString(texts[static_cast<size_t>(index)]), box);
      field->setObjectName(QStringLiteral("Control%1").arg(kFieldIds[index]));
      field->setProperty("id", kFieldIds[index]);
      field->setGeometry(76, 20 + row * 20, 220, 20);
      label->setBuddy(field);
      fields_[static_cast<size_t>(index)] = field;
    }
  }
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Control1124"));
  ok_->setGeometry(134, 286, 88, 24);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("Control1125"));
  cancel_->setGeometry(232, 286, 88, 24);
  connect(ok_, &QPushButton::clicked, this, &ObjectValueDialog::Apply);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

ObjectValueTexts ObjectValueDialog::Texts() const {
  ObjectValueTexts texts;
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = fields_[i]->text().toStdString();
  return texts;
}

bool ObjectValueDialog::Apply() {
  if (!ApplyObjectValueFields(*stage_, Texts(), this)) return false;
  accept();
  return true;
}
