#include "packer/gui/packer_main_dialog.h"

#include <QPushButton>
#include <QTimer>

#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/named_resources.h"
#include "packer/gui/picture_settings_dialog.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_open_dialog.h"
#include "pictures/gui/picture_view_wnd.h"

namespace {

struct CommandButtonLayout {
  const char* text;
  int id;
  QRect at;
};

const CommandButtonLayout kButtons[] = {
    {"追加", PackerMainDialog::kAddId, QRect(30, 120, 80, 25)},
    {"削除", PackerMainDialog::kDeleteId, QRect(130, 120, 80, 25)},
    {"設定", PackerMainDialog::kSettingsId, QRect(230, 120, 80, 25)},
    {"出力", PackerMainDialog::kOutputId, QRect(400, 120, 80, 25)},
    {"ヘルプ", PackerMainDialog::kHelpId, QRect(500, 120, 80, 25)},
};

}  // namespace

PackerMainDialog::PackerMainDialog(const std::string& settings_path, QWidget* parent)
    : QDialog(parent), settings_path_(settings_path) {
  setObjectName(QStringLiteral("MAIN_DIALOG"));
  setWindowTitle(QStringLiteral("TessalyVersion1.0"));
  setFont(GothicFont(13));
  setFixedSize(kClientWidth, kClientHeight);

  preview_ = new PictureViewWnd1(this);
  preview_->setGeometry(10, 10, 80, 81);
  picture_list_ = new PictureListWnd1(this);
  picture_list_->setGeometry(100, 10, 500, 81);
  for (const CommandButtonLayout& button_layout : kButtons) {
    auto* button = new QPushButton(QString::fromUtf8(button_layout.text), this);
    button->setObjectName(QString::fromUtf8(button_layout.text));
    button->setProperty("control_id", button_layout.id);
    button->setGeometry(button_layout.at);
    button->setAutoDefault(false);
    const int id = button_layout.id;
    connect(button, &QPushButton::clicked, this, [this, id] {
      switch (id) {
        case kAddId:
          Add();
          break;
        case kDeleteId:
          Delete();
          break;
        case kSettingsId:
          Settings();
          break;
        case kOutputId:
          Output();
          break;
        case kHelpId:
          Help();
          break;
      }
    });
  }

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PackerMainDialog::Tick);
  timer_->start(PicturePackList::kPreviewTick);
}

PackerMainDialog::~PackerMainDialog() = default;

QPushButton* PackerMainDialog::Button(int control_id) const {
  for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    if (button->property("control_id").toInt() == control_id) return button;
  }
  return nullptr;
}

void PackerMainDialog::Message(const char* caption, const std::string& text) {
  const bool error = std::string(caption) == "Error";
  Prompter::Current().Message(this, caption, text,
                              error ? PromptIcon::kError : PromptIcon::kInformation,
                              PromptButtons::kOk);
}

void PackerMainDialog::Add() {
  std::string path;
  if (AskPicturePath(this, path, "AddPicture", settings_path_, kPictureBmp | kPictureTsy, false) !=
      0) {
    return;
  }
  int32_t first = 0;
  switch (list_.AddFile(path, &first)) {
    case PicturePackList::kCannotLoad:
      Message("Error", "画像の読み込みに失敗");
      return;
    case PicturePackList::kDifferentSize:
      Message("Message", "異なるサイズの画像は読めません");
      return;
    case PicturePackList::kAdded:
      break;
  }
  for (int32_t i = first; i < list_.Count(); ++i) picture_list_->Append(list_.PictureId(i));
}

void PackerMainDialog::Delete() {
  const int index = picture_list_->Selected();
  if (index < 0 || index >= list_.Count()) return;
  picture_list_->RemoveAt(index);
  list_.RemoveAt(index);
  if (list_.Count() == 0) preview_->ShowId(-1);
}

void PackerMainDialog::Settings() {
  const int index = picture_list_->Selected();
  if (index < 0 || index >= list_.Count()) return;
  PictureSettingsDialog dialog(this, list_.PictureId(index), list_.Delay(index),
                               list_.TransparentColour(index));
  if (dialog.exec() != QDialog::Accepted) return;
  list_.SetEntry(index, dialog.TransparentColour(), dialog.Delay());
  picture_list_->Redraw();
  preview_->Redraw();
}

bool PackerMainDialog::Output() {
  std::string path;
  if (AskFilePath(this, path, "FileOut", settings_path_, {{"Tessaly(*.tsy)", "*.tsy"}},
                  FileDialogKind::kSave) != 0) {
    return false;
  }
  std::string error;
  if (!list_.Write(path, &error)) {
    // The old file, if any, is untouched and the list stays marked as changed.
    Message("Error", "ファイルの書き込みに失敗しました\n" + path + "\n" + error);
    return false;
  }
  return true;
}

void PackerMainDialog::Help() {
  HelpWindow1::Show(this, DataFilePath("Help/tessaly.html"));
}

void PackerMainDialog::Tick() {
  list_.Tick();
  const int32_t entry = list_.PreviewEntry();
  const int32_t id = entry >= 0 ? list_.PictureId(entry) : -1;
  if (id != preview_->PictureId()) preview_->ShowId(id);
}

void PackerMainDialog::reject() {
  if (list_.Changed()) {
    const PromptAnswer answer =
        Prompter::Current().Message(this, "Message", "データが変更されています。セーブしますか？",
                                    PromptIcon::kQuestion, PromptButtons::kYesNoCancel);
    if (answer == PromptAnswer::kCancel) return;
    // A cancelled save dialog or a failed write keeps the program open with its data.
    if (answer == PromptAnswer::kYes && !Output()) return;
  }
  timer_->stop();
  QDialog::reject();
}
