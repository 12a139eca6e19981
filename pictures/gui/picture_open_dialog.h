// The picture open dialog: a file-open dialog with an 80 x 80 live preview of the selected
// file and its size. It refuses pictures it cannot read and, when the caller demands it,
// pictures whose sides are not powers of two; its folder is remembered in the settings.
#pragma once

#include <QFileDialog>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/prompter.h"

class QLabel;
class PictureViewWnd1;

// Formats a caller allows.
enum PictureFormats : uint32_t {
  kPictureBmp = 1,
  kPictureGif = 2,
  kPictureTsy = 4,
};

// The filter built from the allowed formats: "画像ファイル(*.bmp,*.tsy)" / "*.bmp;*.tsy".
FileFilter PictureFilter(uint32_t formats);

// What the preview does with a selected file and what OK then says.
class PicturePreview {
 public:
  // `view` shows the picture; `label` (may be nullptr) its size.
  PicturePreview(PictureViewWnd1* view, QLabel* label, PromptOwner owner);

  // Shows `path` (a file) or nothing ("" or a folder); a file the bank refuses is told in a
  // message box: GIF "Message", anything else "Error".
  void Select(const std::string& path);
  // True when OK may close the dialog; otherwise the reason was told.
  bool Acceptable(bool demand_power_of_two) const;
  // "%3ld X %3ld" of the picture shown, or "なし".
  std::string SizeText() const;

 private:
  PictureViewWnd1* view_;
  QLabel* label_;
  PromptOwner owner_;
};

class PictureOpenDialog : public QFileDialog {
  Q_OBJECT

 public:
  PictureOpenDialog(QWidget* owner, uint32_t formats, bool demand_power_of_two,
                    const std::string& start_folder);
  ~PictureOpenDialog() override;

  PictureViewWnd1* PreviewView() const { return view_; }
  QLabel* SizeLabel() const { return label_; }
  PicturePreview& Preview() { return *preview_; }
  // The file whose preview is shown (the dialog's selection), "" for none.
  const std::string& Chosen() const { return chosen_; }

  // Judges the file the dialog returns (the typed name, else the selection) in the preview
  // before closing; a refused one keeps the dialog open.
  void accept() override;
  // The file OK would return now, "" for none.
  std::string ReturnedFile() const;

 private:
  void OnCurrentChanged(const QString& path);

  PictureViewWnd1* view_;
  QLabel* label_;
  std::unique_ptr<PicturePreview> preview_;
  bool demand_power_of_two_;
  std::string chosen_;
};

// Asks for a picture file. 0 with `path` when one was chosen (its folder is then written as
// the section's "LoadFileDir"), 1 when cancelled. With the Qt prompter installed this is the
// dialog above; with any other prompter its OpenFile answers and every answer goes through
// the same preview and checks, a refused one asking again, as the dialog stays open.
int AskPicturePath(QWidget* owner, std::string& path, const std::string& section,
                   const std::string& settings_path, uint32_t formats, bool demand_power_of_two);
