// RecoveryKeeper: an editor window's recovery copy over time. A timer ("RecoveryTimer")
// runs every "AutoSaveMinutes" of the settings file; at each tick a document with unsaved
// changes has its file bytes written into the editor's copy (when they changed since the
// last copy), and a document that matches its file has no copy. A save, new and open
// forget the copy; destroying the keeper (a clean exit) removes it.
//
// OfferRecovery is the start of an editor: it offers the copies earlier runs left behind.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "foundation/prompter.h"
#include "foundation/recovery_copy.h"

class QTimer;
class QWidget;

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // What the keeper asks of the editor's document.
  struct Document {
    std::function<bool()> modified;      // unsaved changes?
    std::function<std::string()> bytes;  // the bytes a save would write
    std::function<std::string()> path;   // the file it belongs to, "" when untitled
  };

  // Copies go into `folder` (ending with "/"; "" keeps none) every `minutes` (0: none).
  // `window` owns the keeper and the message a failed copy shows.
  RecoveryKeeper(const std::string& folder, int minutes, Document document, QWidget* window);
  ~RecoveryKeeper() override;

  // What each tick does.
  void Tick();
  // The document now matches a file (saved, new, opened): its copy goes.
  void Forget();
  // A copy left over by an earlier run whose document is now this editor's: it becomes
  // this editor's copy (see RecoveryCopy::Adopt).
  bool Adopt(const std::string& path);

  bool Enabled() const { return copy_ != nullptr; }
  const std::string& Folder() const { return folder_; }
  // This editor's copy, "" when copies are off.
  std::string CopyPath() const;
  bool CopyExists() const;
  QTimer* Timer() const { return timer_; }

 private:
  QWidget* window_;
  std::string folder_;
  Document document_;
  std::unique_ptr<RecoveryCopy> copy_;
  QTimer* timer_ = nullptr;
  size_t written_hash_ = 0;  // of the bytes the copy holds, while it exists
  bool failure_told_ = false;
};

// Offers the copies in `folder` that earlier runs left, the newest first. A damaged one is
// reported (caption "Error") and left where it is; for a good one the author is asked
// kRecoveryQuestion: Yes hands it to `restore`, which loads it as a modified document of its
// original file (or untitled) and tells why when it cannot (the copy then stays); when it
// could, `keeper` adopts the copy and nothing more is offered. No deletes the copy and
// offers the next; Cancel keeps every copy for the next start. True when a document was
// restored.
bool OfferRecovery(const std::string& folder, PromptOwner owner,
                   const std::function<bool(const RecoveredDocument&)>& restore,
                   RecoveryKeeper* keeper);
