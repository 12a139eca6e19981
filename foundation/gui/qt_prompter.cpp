#include "foundation/gui/qt_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::kInformation:
      return QMessageBox::Information;
    case PromptIcon::kWarning:
      return QMessageBox::Warning;
    case PromptIcon::kError:
      return QMessageBox::Critical;
    case PromptIcon::kQuestion:
      return QMessageBox::Question;
    case PromptIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return QMessageBox::Ok;
    case PromptButtons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// Closing the box with the window's close button or Escape gives the answer that changes
// nothing, as the platform's own boxes do.
PromptAnswer EscapeAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return PromptAnswer::kOk;
    case PromptButtons::kYesNo:
      return PromptAnswer::kNo;
    default:
      return PromptAnswer::kCancel;
  }
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// 0x00BBGGRR, the layout of the custom colours kept in the settings file.
uint32_t PackedColour(const QColor& colour) {
  return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) |
         (uint32_t(colour.blue()) << 16);
}

QColor UnpackedColour(uint32_t value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace

PromptAnswer QtPrompter::Message(PromptOwner owner, const std::string& caption,
                                 const std::string& text, PromptIcon icon,
                                 PromptButtons buttons) {
  QMessageBox box(BoxIcon(icon), FromUtf8(caption), FromUtf8(text), BoxButtons(buttons),
                  OwnerWidget(owner));
  if (buttons == PromptButtons::kYesNo) box.setEscapeButton(QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return PromptAnswer::kOk;
    case QMessageBox::Cancel:
      return PromptAnswer::kCancel;
    case QMessageBox::Yes:
      return PromptAnswer::kYes;
    case QMessageBox::No:
      return PromptAnswer::kNo;
    default:
      return EscapeAnswer(buttons);
  }
}

QStringList QtPrompter::NameFilters(const FileDialogRequest& request) {
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    QString description = FromUtf8(filter.first).trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      if (open >= 0) description = description.left(open).trimmed();
    }
    QStringList patterns;
    for (const QString& pattern : FromUtf8(filter.second).split(QLatin1Char(';'))) {
      if (!pattern.trimmed().isEmpty()) patterns << pattern.trimmed();
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    if (description.isEmpty()) description = patterns.join(QLatin1Char(' '));
    filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return filters;
}

std::string QtPrompter::AskFile(PromptOwner owner, const FileDialogRequest& request,
                                bool save) {
  QFileDialog dialog(OwnerWidget(owner), FromUtf8(request.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  const QStringList filters = NameFilters(request);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
  }
  if (!request.start_folder.empty()) dialog.setDirectory(FromUtf8(request.start_folder));
  if (!request.default_suffix.empty()) {
    QString suffix = FromUtf8(request.default_suffix);
    while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
  }
  if (dialog.exec() != QDialog::Accepted) return std::string();
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? std::string() : ToUtf8(chosen.front());
}

std::string QtPrompter::OpenFile(PromptOwner owner, const FileDialogRequest& request) {
  return AskFile(owner, request, false);
}

std::string QtPrompter::SaveFile(PromptOwner owner, const FileDialogRequest& request) {
  return AskFile(owner, request, true);
}

bool QtPrompter::ChooseColour(PromptOwner owner, PromptColour& colour,
                              std::array<uint32_t, 16>& custom) {
  // The custom colours are application-wide in Qt: set them for this dialog and read them
  // back afterwards, so the caller's set is the one that persists.
  for (int i = 0; i < 16; ++i) {
    QColorDialog::setCustomColor(i, UnpackedColour(custom[size_t(i)]));
  }
  QColorDialog dialog(QColor(colour.red, colour.green, colour.blue), OwnerWidget(owner));
  // Native colour dialogs do not show Qt's custom colours.
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  const bool chosen = dialog.exec() == QDialog::Accepted;
  if (!chosen) return false;
  const QColor picked = dialog.selectedColor();
  colour.red = uint8_t(picked.red());
  colour.green = uint8_t(picked.green());
  colour.blue = uint8_t(picked.blue());
  for (int i = 0; i < 16; ++i) custom[size_t(i)] = PackedColour(QColorDialog::customColor(i));
  return true;
}
