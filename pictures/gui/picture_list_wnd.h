// A scrollable row of pictures given as a list of bank IDs, with a selection. The list holds
// one bank reference per entry.
#pragma once

#include "foundation/typed_database.h"
#include "pictures/gui/picture_row_window.h"

class PictureListWnd1 : public PictureRowWindow {
  Q_OBJECT

 public:
  static void StartUp();
  static void ShutDown();
  static bool Started();

  explicit PictureListWnd1(QWidget* parent);
  ~PictureListWnd1() override;

  // Appends a picture (adding a reference) and returns its position.
  int Append(int32_t id);
  // Removes the entry (releasing its reference); the selection moves off it.
  void RemoveAt(int index);
  void Clear();
  int32_t IdAt(int index) const override;
  int Count() const override;
  // The ID of the selected entry, or -1.
  int32_t SelectedId() const;

 private:
  IdList ids_;
};
