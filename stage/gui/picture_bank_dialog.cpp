#include "stage/gui/picture_bank_dialog.h"

#include <QPushButton>

#include "pictures/gui/picture_bank_high_color_wnd.h"

PictureBankDialog::PictureBankDialog(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("PICTUREBANK_DLG"));
  setWindowTitle(QStringLiteral("使用済みテクスチャー"));
  setFixedSize(520, 100);
  bank_ = new PictureBankHighColorWnd1(this);
  bank_->setGeometry(5, 5, 510, 60);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setGeometry(327, 71, 90, 24);
  ok_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Cancel"));
  cancel->setGeometry(425, 71, 90, 24);
  connect(ok_, &QPushButton::clicked, this, [this] {
    chosen_ = bank_->SelectedId();
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // OK needs a picture to hand back.
  connect(bank_, &PictureRowWindow::SelectionChanged, this,
          [this](int index) { ok_->setEnabled(index >= 0); });
  ok_->setEnabled(bank_->SelectedId() >= 0);
}

int32_t PictureBankDialog::Pick(QWidget* owner) {
  PictureBankDialog dialog(owner);
  return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : -1;
}
