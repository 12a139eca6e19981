#include "pictures/gui/picture_open_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdio>

#include "foundation/ask_file_path.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/settings_file.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"

FileFilter PictureFilter(uint32_t formats) {
  std::string description = "画像ファイル(";
  std::string patterns;
  const std::pair<uint32_t, const char*> kinds[] = {
      {kPictureBmp, "*.bmp"}, {kPictureGif, "*.gif"}, {kPictureTsy, "*.tsy"}};
  for (const auto& [bit, pattern] : kinds) {
    if ((formats & bit) == 0) continue;
    description += std::string(pattern) + ",";
    patterns += std::string(pattern) + ";";
  }
  if (description.back() == ',')
    description.back() = ')';
  else
    description += ")";
  if (!patterns.empty()) patterns.pop_back();
  return {description, patterns};
}

PicturePreview::PicturePreview(PictureViewWnd1* view, QLabel* label, PromptOwner owner)
    : view_(view), label_(label), owner_(owner) {}

void PicturePreview::Select(const std::string& path) {
  if (path.empty() || !QFileInfo(QString::fromStdString(path)).isFile()) {
    view_->ShowId(-1);
  } else {
    const int32_t result = view_->ShowPath(path);
    if (result == PictureBankHighColor1::kGifRefused) {
      Prompter::Current().Message(owner_, "Message",
                                  "特許の関係で配布版ではGIFファイルはロードできません",
                                  PromptIcon::kInformation, PromptButtons::kOk);
    } else if (result < 0) {
      Prompter::Current().Message(owner_, "Error", "ファイルロードエラー", PromptIcon::kError,
                                  PromptButtons::kOk);
    }
  }
  if (label_ != nullptr) label_->setText(QString::fromStdString(SizeText()));
}

std::string PicturePreview::SizeText() const {
  const int32_t id = view_->PictureId();
  if (id < 0) return "なし";
  PictureInfo info;
  PictureBankHighColor1::Picture(id, &info);
  char text[64];
  std::snprintf(text, sizeof text, "%3ld X %3ld", long(info.width), long(info.height));
  return text;
}

bool PicturePreview::Acceptable(bool demand_power_of_two) const {
  const int32_t id = view_->PictureId();
  if (id < 0) {
    Prompter::Current().Message(owner_, "Message", "選択している画像を読み込むことはできません",
                                PromptIcon::kInformation, PromptButtons::kOk);
    return false;
  }
  if (demand_power_of_two) {
    PictureInfo info;
    PictureBankHighColor1::Picture(id, &info);
    if ((info.flags & PictureBankHighColor1::kPowerOfTwo) == 0) {
      Prompter::Current().Message(owner_, "Message", "画像のサイズが２の累乗でありません",
                                  PromptIcon::kInformation, PromptButtons::kOk);
      return false;
    }
  }
  return true;
}

PictureOpenDialog::PictureOpenDialog(QWidget* owner, uint32_t formats, bool demand_power_of_two,
                                     const std::string& start_folder)
    : QFileDialog(owner), demand_power_of_two_(demand_power_of_two) {
  setObjectName(QStringLiteral("PictureOpenDialog"));
  // The preview lives inside the dialog, which the platform's own dialogs do not allow.
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  FileDialogRequest request;
  request.filters = {PictureFilter(formats)};
  setNameFilters(QtPrompter::NameFilters(request));
  if (!start_folder.empty()) setDirectory(QString::fromStdString(start_folder));

  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  view_ = new PictureViewWnd1(side);
  view_->setFixedSize(80, 80);
  label_ = new QLabel(QStringLiteral("なし"), side);
  label_->setObjectName(QStringLiteral("SizeLabel"));
  label_->setAlignment(Qt::AlignCenter);
  column->addWidget(view_, 0, Qt::AlignHCenter);
  column->addWidget(label_);
  column->addStretch();
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(side, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  preview_ = std::make_unique<PicturePreview>(view_, label_, this);
  connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::OnCurrentChanged);
}

PictureOpenDialog::~PictureOpenDialog() = default;

void PictureOpenDialog::OnCurrentChanged(const QString& path) {
  chosen_ = QFileInfo(path).isFile() ? path.toStdString() : std::string();
  preview_->Select(chosen_);
}

std::string PictureOpenDialog::ReturnedFile() const {
  // The name in the field is what the user sees when pressing OK, whatever the list and its
  // selection have caught up with; a name typed there may be a full path or one in the folder.
  if (const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    const QString typed = field->text().trimmed();
    if (!typed.isEmpty()) {
      const QFileInfo info(directory().absoluteFilePath(typed));
      if (info.isFile()) return info.absoluteFilePath().toStdString();
    }
  }
  for (const QString& file : selectedFiles()) {
    if (QFileInfo(file).isFile()) return QFileInfo(file).absoluteFilePath().toStdString();
  }
  return std::string();
}

void PictureOpenDialog::accept() {
  const std::string file = ReturnedFile();
  if (file.empty()) {
    // A folder is opened in the list as the dialog does; anything else is no picture.
    const QStringList selected = selectedFiles();
    if (!selected.isEmpty() && QFileInfo(selected.front()).isDir()) {
      QFileDialog::accept();
      return;
    }
    OnCurrentChanged(QString());
  } else if (file != chosen_) {
    OnCurrentChanged(QString::fromStdString(file));
  }
  if (!preview_->Acceptable(demand_power_of_two_)) return;
  // The file judged is the file returned: the dialog's own accept would read the selection
  // again, which may still name something else.
  QDialog::accept();
}

int AskPicturePath(QWidget* owner, std::string& path, const std::string& section,
                   const std::string& settings_path, uint32_t formats, bool demand_power_of_two) {
  path.clear();
  const std::string start = SettingsFile::ReadString(settings_path, section, "LoadFileDir", "");
  std::string chosen;
  if (dynamic_cast<QtPrompter*>(&Prompter::Current()) != nullptr) {
    PictureOpenDialog dialog(owner, formats, demand_power_of_two, start);
    if (dialog.exec() != QDialog::Accepted) return 1;
    chosen = dialog.Chosen();
  } else {
    PictureViewWnd1 view(nullptr);
    view.resize(80, 80);
    PicturePreview preview(&view, nullptr, owner);
    FileDialogRequest request;
    request.filters = {PictureFilter(formats)};
    request.start_folder = start;
    while (true) {
      chosen = Prompter::Current().OpenFile(owner, request);
      if (chosen.empty()) return 1;
      preview.Select(chosen);
      if (preview.Acceptable(demand_power_of_two)) break;
    }
  }
  if (chosen.empty()) return 1;
  path = chosen;
  RememberDialogFolder(settings_path, section, chosen);
  return 0;
}
