// PictureBankDialog: the used-texture picker "使用済みテクスチャー" (PICTUREBANK_DLG): every
// picture of the stage's picture bank in one row; "OK" hands back the one selected, "Cancel"
// none.
#pragma once

#include <QDialog>
#include <cstdint>

class PictureBankHighColorWnd1;
class QPushButton;

class PictureBankDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PictureBankDialog(QWidget* owner);

  PictureBankHighColorWnd1* Bank() const { return bank_; }
  QPushButton* OkButton() const { return ok_; }
  // The picture chosen with OK, or -1.
  int32_t Chosen() const { return chosen_; }

  // Shows the dialog; the picture chosen, or -1 when cancelled or none was selected.
  static int32_t Pick(QWidget* owner);

 private:
  PictureBankHighColorWnd1* bank_;
  QPushButton* ok_;
  int32_t chosen_ = -1;
};
