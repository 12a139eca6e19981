#include "packer/gui/packer_main_dialog.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/directory.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/named_resources.h"
#include "packer/gui/picture_settings_dialog.h"
#include "packer/packer_batch.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_open_dialog.h"
#include "pictures/gui/picture_view_wnd.h"

namespace {

struct CommandButtonLayout {
  const char* text;
  int id;
  QRect at;
  const char* tip;
};

const CommandButtonLayout kButtons[] = {
    {"追加", PackerMainDialog::kAddId, QRect(30, 120, 80, 25), "画像を追加します (Ctrl+O)"},
    {"削除", PackerMainDialog::kDeleteId, QRect(130, 120, 80, 25),
     "選択している画像を削除します (Del)"},
    {"設定", PackerMainDialog::kSettingsId, QRect(230, 120, 80, 25),
     "選択している画像の抜き色と遅延を設定します"},
    {"出力", PackerMainDialog::kOutputId, QRect(400, 120, 80, 25),
     "名前を付けて出力します (Ctrl+Shift+S)\n上書き保存は Ctrl+S"},
    {"ヘルプ", PackerMainDialog::kHelpId, QRect(500, 120, 80, 25), "ヘルプを開きます (F1)"},
};

constexpr const char* kChangedQuestion = "データが変更されています。セーブしますか？";

}  // namespace

PackerMainDialog::PackerMainDialog(const std::string& settings_path, QWidget* parent)
    : QDialog(parent), settings_path_(settings_path) {
  setObjectName(QStringLiteral("MAIN_DIALOG"));
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
    button->setToolTip(QString::fromUtf8(button_layout.tip));
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
  AddShortcuts();
  UpdateTitle();
}

void PackerMainDialog::AddShortcuts() {
  const struct {
    QKeySequence keys;
    void (PackerMainDialog::*command)();
  } kKeys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_O), &PackerMainDialog::Add},
      {QKeySequence(Qt::Key_Delete), &PackerMainDialog::Delete},
      {QKeySequence(Qt::Key_F1), &PackerMainDialog::Help},
  };
  for (const auto& key : kKeys) {
    auto* shortcut = new QShortcut(key.keys, this);
    connect(shortcut, &QShortcut::activated, this, key.command);
  }
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this), &QShortcut::activated, this,
          [this] { NewList(); });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
          [this] { SaveToCurrentFile(); });
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
          &QShortcut::activated, this, [this] { Output(); });
}

void PackerMainDialog::UpdateTitle() {
  const std::string name =
      current_file_.empty() ? std::string("無題") : Directory1::FileName(current_file_);
  const QString title =
      QString::fromStdString(name) + QStringLiteral("[*] - ") + QString::fromUtf8(kTitle);
  if (windowTitle() != title) setWindowTitle(title);
  if (isWindowModified() != list_.Changed()) setWindowModified(list_.Changed());
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
  AddPath(path);
}

bool PackerMainDialog::AddPath(const std::string& path) {
  int32_t first = 0;
  switch (list_.AddFile(path, &first)) {
    case PicturePackList::kCannotLoad:
      Message("Error",
              "画像の読み込みに失敗\n" + path + "\n" + PictureLoadReason(list_.BankResult(), path));
      return false;
    case PicturePackList::kDifferentSize:
      Message("Message", "異なるサイズの画像は読めません");
      return false;
    case PicturePackList::kAdded:
      break;
  }
  for (int32_t i = first; i < list_.Count(); ++i) picture_list_->Append(list_.PictureId(i));
  UpdateTitle();
  return true;
}

bool PackerMainDialog::OpenFile(const std::string& path) {
  if (!AddPath(path)) return false;
  QString extension = QString::fromStdString(Directory1::FileName(path)).section('.', -1);
  if (Directory1::FileName(path).find('.') != std::string::npos &&
      extension.compare(QStringLiteral("tsy"), Qt::CaseInsensitive) == 0) {
    current_file_ = path;
    list_.SetChanged(false);
  }
  UpdateTitle();
  return true;
}

void PackerMainDialog::Delete() {
  const int index = picture_list_->Selected();
  if (index < 0 || index >= list_.Count()) return;
  picture_list_->RemoveAt(index);
  list_.RemoveAt(index);
  if (list_.Count() == 0) preview_->ShowId(-1);
  UpdateTitle();
}

bool PackerMainDialog::NewList() {
  if (!AskToSaveChanges()) return false;
  while (list_.Count() > 0) {
    picture_list_->RemoveAt(list_.Count() - 1);
    list_.RemoveAt(list_.Count() - 1);
  }
  preview_->ShowId(-1);
  list_.SetChanged(false);
  current_file_.clear();
  UpdateTitle();
  return true;
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
  UpdateTitle();
}

bool PackerMainDialog::Output() {
  if (list_.Count() == 0) {
    Message("Message", "出力する画像がありません。画像を追加してください");
    return false;
  }
  std::string path;
  if (AskFilePath(this, path, "FileOut", settings_path_, {{"Tessaly(*.tsy)", "*.tsy"}},
                  FileDialogKind::kSave) != 0) {
    return false;
  }
  return WriteTo(path);
}

bool PackerMainDialog::SaveToCurrentFile() {
  if (current_file_.empty() || list_.Count() == 0) return Output();
  return WriteTo(current_file_);
}

bool PackerMainDialog::WriteTo(const std::string& path) {
  std::string error;
  if (!list_.Write(path, &error)) {
    // The old file, if any, is untouched and the list stays marked as changed.
    Message("Error", "ファイルの書き込みに失敗しました\n" + path + "\n" + error);
    return false;
  }
  current_file_ = path;
  UpdateTitle();
  return true;
}

void PackerMainDialog::Help() { HelpWindow1::Show(this, DataFilePath("Help/tessaly.html")); }

void PackerMainDialog::Tick() {
  list_.Tick();
  const int32_t entry = list_.PreviewEntry();
  const int32_t id = entry >= 0 ? list_.PictureId(entry) : -1;
  if (id != preview_->PictureId()) preview_->ShowId(id);
}

bool PackerMainDialog::AskToSaveChanges() {
  if (!list_.Changed()) return true;
  const PromptAnswer answer = Prompter::Current().Message(
      this, "Message", kChangedQuestion, PromptIcon::kQuestion, PromptButtons::kYesNoCancel);
  if (answer == PromptAnswer::kCancel) return false;
  // A cancelled save dialog or a failed write keeps the data and cancels what asked.
  return answer != PromptAnswer::kYes || Output();
}

void PackerMainDialog::reject() {
  if (!AskToSaveChanges()) return;
  timer_->stop();
  QDialog::reject();
}
