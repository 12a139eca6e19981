#include "foundation/gui/recovery_keeper.h"

#include <QTimer>
#include <QWidget>
#include <string_view>

namespace {

constexpr int kMillisecondsPerMinute = 60 * 1000;

std::string WriteFailedMessage(const std::string& error) {
  return "前回の作業の復元用コピーを書き込めません。\n" + error +
         "\n作業はこまめに保存してください。";
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(const std::string& folder, int minutes, Document document,
                               QWidget* window)
    : QObject(window), window_(window), folder_(folder), document_(std::move(document)) {
  if (folder_.empty() || minutes <= 0) return;
  copy_ = std::make_unique<RecoveryCopy>(folder_);
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("RecoveryTimer"));
  timer_->setInterval(minutes * kMillisecondsPerMinute);
  connect(timer_, &QTimer::timeout, this, &RecoveryKeeper::Tick);
  timer_->start();
}

// The copy's own destructor removes it: a clean exit leaves nothing to offer.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::Tick() {
  if (copy_ == nullptr) return;
  if (!document_.modified()) {
    Forget();
    return;
  }
  const std::string bytes = document_.bytes();
  const size_t hash = std::hash<std::string_view>{}(bytes);
  if (hash == written_hash_ && copy_->Exists()) return;
  std::string error;
  if (!copy_->Write(bytes, document_.path(), &error)) {
    // Told once: a full disk would otherwise ask at every tick.
    if (!failure_told_) {
      failure_told_ = true;
      Prompter::Current().Message(window_, "Message", WriteFailedMessage(error),
                                  PromptIcon::kWarning, PromptButtons::kOk);
    }
    return;
  }
  failure_told_ = false;
  written_hash_ = hash;
}

void RecoveryKeeper::Forget() {
  if (copy_ == nullptr) return;
  copy_->Remove();
  written_hash_ = 0;
}

bool RecoveryKeeper::Adopt(const std::string& path) {
  if (copy_ == nullptr || !copy_->Adopt(path)) return false;
  // What it holds is the document as restored, not yet written by this editor.
  written_hash_ = 0;
  return true;
}

std::string RecoveryKeeper::CopyPath() const { return copy_ ? copy_->Path() : std::string(); }

bool RecoveryKeeper::CopyExists() const { return copy_ != nullptr && copy_->Exists(); }

bool OfferRecovery(const std::string& folder, PromptOwner owner,
                   const std::function<bool(const RecoveredDocument&)>& restore,
                   RecoveryKeeper* keeper) {
  if (folder.empty()) return false;
  for (const std::string& path : RecoveryCopy::FindLeftOver(folder)) {
    RecoveredDocument document;
    switch (RecoveryCopy::Read(path, &document)) {
      case RecoveryReadResult::kOk:
        break;
      case RecoveryReadResult::kDamaged:
        Prompter::Current().Message(owner, "Error", RecoveryDamagedMessage(path),
                                    PromptIcon::kError, PromptButtons::kOk);
        continue;
      case RecoveryReadResult::kCannotOpen:
        // Gone since it was found (another editor took it), or not ours to read.
        continue;
    }
    switch (Prompter::Current().Message(owner, "Message", kRecoveryQuestion, PromptIcon::kQuestion,
                                        PromptButtons::kYesNoCancel)) {
      case PromptAnswer::kYes:
        if (!restore(document)) return false;
        // Should another editor have taken the copy meanwhile, this one writes its own.
        if (keeper != nullptr) keeper->Adopt(path);
        return true;
      case PromptAnswer::kNo:
        RecoveryCopy::Discard(path);
        continue;
      default:
        return false;
    }
  }
  return false;
}
