// Every modal question the suite asks goes through the Prompter: message boxes, open and save
// file dialogs, the colour dialog. The programs install the Qt one at start-up; tests install
// a ScriptedPrompter that answers from a queue and records what was asked. No other code
// opens a modal box. Qt-free, so model code can ask its questions too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A window that owns a dialog, as the windowing layer knows it (a QWidget* in the programs),
// or nullptr.
using PromptOwner = void*;

enum class PromptIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class PromptButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class PromptAnswer { kOk, kCancel, kYes, kNo };

// One entry of a file dialog's filter: description and pattern(s), as in
// {"Tessaly(*.tsy)", "*.tsy"}; several patterns are separated by ";".
using FileFilter = std::pair<std::string, std::string>;

struct FileDialogRequest {
  std::string title;                // dialog title ("" for the default one)
  std::vector<FileFilter> filters;  // the first one is selected
  std::string start_folder;         // "" for the dialog's own start folder
  std::string default_suffix;       // added to a typed name without one (save dialogs)
};

// A colour as 8-bit red, green and blue.
struct PromptColour {
  uint8_t red = 0, green = 0, blue = 0;
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual PromptAnswer Message(PromptOwner owner, const std::string& caption,
                               const std::string& text, PromptIcon icon,
                               PromptButtons buttons) = 0;
  // The chosen path, or "" when cancelled.
  virtual std::string OpenFile(PromptOwner owner, const FileDialogRequest& request) = 0;
  virtual std::string SaveFile(PromptOwner owner, const FileDialogRequest& request) = 0;
  // True when a colour was chosen (`colour` holds it); `custom` holds the 16 custom colours
  // as 0x00BBGGRR values, read as the start and written back on success.
  virtual bool ChooseColour(PromptOwner owner, PromptColour& colour,
                            std::array<uint32_t, 16>& custom) = 0;

  // The Prompter in use. Until one is installed, a ScriptedPrompter with an empty queue
  // answers (every question is then a test failure signal: Cancel / "").
  static Prompter& Current();
  // Installs `prompter` (not owned) and returns the previous one; nullptr restores the default.
  static Prompter* Install(Prompter* prompter);
};

// Answers from queues and records every question: for tests and batch runs.
class ScriptedPrompter : public Prompter {
 public:
  struct Asked {
    enum class Kind { kMessage, kOpenFile, kSaveFile, kColour } kind;
    std::string caption;  // message caption or dialog title
    std::string text;     // message text; for file dialogs the first filter's pattern
    PromptIcon icon = PromptIcon::kNone;
    PromptButtons buttons = PromptButtons::kOk;
    FileDialogRequest request;
  };

  void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
  void QueuePath(const std::string& path) { paths_.push_back(path); }
  void QueueColour(bool chosen, PromptColour colour = {}) { colours_.push_back({chosen, colour}); }

  const std::vector<Asked>& AskedQuestions() const { return asked_; }
  // The texts of the message boxes shown, in order.
  std::vector<std::string> MessageTexts() const;
  void ClearRecord() { asked_.clear(); }

  PromptAnswer Message(PromptOwner owner, const std::string& caption, const std::string& text,
                       PromptIcon icon, PromptButtons buttons) override;
  std::string OpenFile(PromptOwner owner, const FileDialogRequest& request) override;
  std::string SaveFile(PromptOwner owner, const FileDialogRequest& request) override;
  bool ChooseColour(PromptOwner owner, PromptColour& colour,
                    std::array<uint32_t, 16>& custom) override;

 private:
  std::vector<Asked> asked_;
  std::vector<PromptAnswer> answers_;
  std::vector<std::string> paths_;
  std::vector<std::pair<bool, PromptColour>> colours_;
};
