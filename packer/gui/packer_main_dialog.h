// "MAIN_DIALOG" of the picture packer: the preview, the list of pictures with thumbnails and
// the buttons add, delete, settings, output and help. The list itself is a PicturePackList;
// the list window mirrors it entry for entry. A 10 ms timer drives the preview. Beside the
// buttons the usual keys work: Ctrl+N a new list, Ctrl+O add, Del delete, Ctrl+S save to the
// current file, Ctrl+Shift+S output to a chosen file, F1 help; the title names the file.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "packer/picture_pack_list.h"

class QPushButton;
class QTimer;
class PictureListWnd1;
class PictureViewWnd1;

class PackerMainDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kAddId = 0x400;
  static constexpr int kDeleteId = 0x401;
  static constexpr int kSettingsId = 0x402;
  static constexpr int kOutputId = 0x403;
  static constexpr int kHelpId = 0x404;
  // 350 x 100 dialog units in the dialog's 10 point gothic face (7 x 13 pixel base units).
  static constexpr int kClientWidth = 612;
  static constexpr int kClientHeight = 162;

  // The picture classes must be started (PackerClasses). `settings_path` keeps the folders
  // of the add and output dialogs.
  PackerMainDialog(const std::string& settings_path, QWidget* parent = nullptr);
  ~PackerMainDialog() override;

  // The commands of the buttons.
  void Add();
  void Delete();
  void Settings();
  // Asks for the output file and writes it; true when written. An empty list is refused
  // with a message: a file without pictures is one no reader of the suite accepts.
  bool Output();
  // Writes to the file last written or opened (Output when there is none); true when written.
  bool SaveToCurrentFile();
  // Empties the list after the changes prompt; false when the prompt was cancelled.
  bool NewList();
  // Puts a picture file given on the command line into the list, as Add does after its
  // dialog; a ".tsy" file becomes the current file, unchanged. False (and a message) when
  // it cannot be read.
  bool OpenFile(const std::string& path);
  // The file the list was last written to or opened from, "" for none.
  const std::string& CurrentFile() const { return current_file_; }
  static constexpr const char* kTitle = "TessalyVersion1.0";
  void Help();
  // One tick of the preview timer.
  void Tick();
  // The close request (Esc, the window's close box): asks to save changed data first.
  void reject() override;

  PicturePackList& List() { return list_; }
  PictureViewWnd1* Preview() const { return preview_; }
  PictureListWnd1* PictureList() const { return picture_list_; }
  QPushButton* Button(int control_id) const;
  QTimer* PreviewTimer() const { return timer_; }

 private:
  void Message(const char* caption, const std::string& text);
  bool AddPath(const std::string& path);
  bool WriteTo(const std::string& path);
  // The changes prompt of closing and Ctrl+N: true when the command may go on.
  bool AskToSaveChanges();
  void UpdateTitle();
  void AddShortcuts();

  std::string settings_path_;
  PicturePackList list_;
  PictureViewWnd1* preview_;
  PictureListWnd1* picture_list_;
  QTimer* timer_;
  std::string current_file_;
};
