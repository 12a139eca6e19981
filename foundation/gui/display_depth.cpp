#include "foundation/gui/display_depth.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

std::function<int()>& Query() {
  static std::function<int()> query;
  return query;
}

}  // namespace

int DisplayDepth::Current() {
  if (Query()) return Query()();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->depth() : 0;
}

void DisplayDepth::InjectQuery(std::function<int()> query) { Query() = std::move(query); }

bool DisplayDepth::Check(PromptOwner owner) {
  if (Accepted(Current())) return true;
  Prompter::Current().Message(owner, "Error",
                              "システムのカラービットを16または24ビットにしてください!!",
                              PromptIcon::kError, PromptButtons::kOk);
  return false;
}
