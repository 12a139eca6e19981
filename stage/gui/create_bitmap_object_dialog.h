// CreateBitmapObjectDialog: CREATEBMOOBJ_DIALOG, "ビットマップオブジェクトの作成" (mode 0) or
// "背景オブジェクトの作成" (mode 1). The models of the template file are listed in the combo
// box (1127); the chosen model's picture slots (60 x 60 picture views, 1132) stand in its
// grid (each picture inside its 60 x 60 cell). A click selects a slot; "NewTex" (1130) loads a BMP
// file into it, "UsedTex" (1131) takes a picture the stage already uses. "OK" (1128) creates the
// object once every attribute has its picture, "Cancel" (1129) closes.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "stage/object_library.h"
#include "stage/template_file.h"

class PictureViewWnd1;
class QComboBox;
class QPushButton;
class Stage;

class CreateBitmapObjectDialog : public QDialog {
  Q_OBJECT

 public:
  CreateBitmapObjectDialog(Stage* stage, CreationMode mode, const std::string& template_path,
                           const std::string& settings_path, QWidget* owner);
  ~CreateBitmapObjectDialog() override;

  // Reads the template file and shows the dialog; when the file cannot be read says so and
  // returns Rejected at once. Accepted when an object was created.
  int Run();
  // Reads the template file and builds the first model's slots; false (after the message)
  // when it cannot be opened.
  bool Prepare();

  QComboBox* Models() const { return models_; }
  QPushButton* Control(int32_t id) const;
  const std::vector<PictureViewWnd1*>& Slots() const { return slots_; }
  int32_t SelectedSlot() const { return selected_; }

  // What the controls do.
  void ChooseModel(int index);
  void SelectSlot(int32_t slot);
  void NewTexture();
  void UsedTexture();
  // "OK": false while a picture is missing (the dialog stays open).
  bool Create();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool NeedSlot();
  void BuildSlots();
  void ClearSlots();

  Stage* stage_;
  CreationMode mode_;
  std::string template_path_;
  std::string settings_path_;
  TemplateScan scan_;
  QComboBox* models_;
  std::vector<PictureViewWnd1*> slots_;
  int32_t selected_ = -1;
};
