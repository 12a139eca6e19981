// A browser over the whole picture bank: every picture in ascending ID order, laid out as
// the picture list window, with a selection.
#pragma once

#include "pictures/gui/picture_row_window.h"

class PictureBankHighColorWnd1 : public PictureRowWindow {
  Q_OBJECT

 public:
  static void StartUp();
  static void ShutDown();
  static bool Started();

  explicit PictureBankHighColorWnd1(QWidget* parent);
  ~PictureBankHighColorWnd1() override;

  int32_t IdAt(int index) const override;
  int Count() const override;
  int32_t SelectedId() const { return Selected() >= 0 ? IdAt(Selected()) : -1; }
  // Call after pictures were registered or released.
  void BankChanged() { RowChanged(); }
};
