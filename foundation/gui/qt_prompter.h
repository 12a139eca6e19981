// The Prompter of the programs: message boxes, file dialogs and the colour dialog of Qt.
// A PromptOwner is the QWidget* the dialog is modal to (or nullptr).
#pragma once

#include <QString>
#include <QStringList>

#include "foundation/prompter.h"

class QWidget;

class QtPrompter : public Prompter {
 public:
  PromptAnswer Message(PromptOwner owner, const std::string& caption, const std::string& text,
                       PromptIcon icon, PromptButtons buttons) override;
  std::string OpenFile(PromptOwner owner, const FileDialogRequest& request) override;
  std::string SaveFile(PromptOwner owner, const FileDialogRequest& request) override;
  bool ChooseColour(PromptOwner owner, PromptColour& colour,
                    std::array<uint32_t, 16>& custom) override;

  // The name filters of a request as QFileDialog takes them: "Tessaly (*.tsy)"; patterns
  // separated by ";" become space-separated. A description that already ends in its own
  // "(...)" has it replaced, so the pattern is not shown twice.
  static QStringList NameFilters(const FileDialogRequest& request);

 private:
  std::string AskFile(PromptOwner owner, const FileDialogRequest& request, bool save);
};

// The owner of a dialog as a widget.
inline QWidget* OwnerWidget(PromptOwner owner) { return static_cast<QWidget*>(owner); }
