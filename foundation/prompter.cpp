#include "foundation/prompter.h"

namespace {

Prompter* installed = nullptr;

template <typename T>
bool PopFront(std::vector<T>& queue, T& out) {
  if (queue.empty()) return false;
  out = queue.front();
  queue.erase(queue.begin());
  return true;
}

// With nothing queued a message box gets the answer that changes nothing.
PromptAnswer DefaultAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return PromptAnswer::kOk;
    case PromptButtons::kYesNo:
      return PromptAnswer::kNo;
    default:
      return PromptAnswer::kCancel;
  }
}

}  // namespace

Prompter& Prompter::Current() {
  static ScriptedPrompter fallback;
  return installed != nullptr ? *installed : fallback;
}

Prompter* Prompter::Install(Prompter* prompter) {
  Prompter* previous = installed;
  installed = prompter;
  return previous;
}

std::vector<std::string> ScriptedPrompter::MessageTexts() const {
  std::vector<std::string> texts;
  for (const Asked& asked : asked_) {
    if (asked.kind == Asked::Kind::kMessage) texts.push_back(asked.text);
  }
  return texts;
}

PromptAnswer ScriptedPrompter::Message(PromptOwner, const std::string& caption,
                                       const std::string& text, PromptIcon icon,
                                       PromptButtons buttons) {
  asked_.push_back({Asked::Kind::kMessage, caption, text, icon, buttons, {}});
  PromptAnswer answer;
  return PopFront(answers_, answer) ? answer : DefaultAnswer(buttons);
}

std::string ScriptedPrompter::OpenFile(PromptOwner, const FileDialogRequest& request) {
  asked_.push_back({Asked::Kind::kOpenFile, request.title,
                    request.filters.empty() ? "" : request.filters.front().second,
                    PromptIcon::kNone, PromptButtons::kOk, request});
  std::string path;
  return PopFront(paths_, path) ? path : std::string();
}

std::string ScriptedPrompter::SaveFile(PromptOwner, const FileDialogRequest& request) {
  asked_.push_back({Asked::Kind::kSaveFile, request.title,
                    request.filters.empty() ? "" : request.filters.front().second,
                    PromptIcon::kNone, PromptButtons::kOk, request});
  std::string path;
  return PopFront(paths_, path) ? path : std::string();
}

bool ScriptedPrompter::ChooseColour(PromptOwner, PromptColour& colour,
                                    std::array<uint32_t, 16>&) {
  asked_.push_back({Asked::Kind::kColour, "", "", PromptIcon::kNone, PromptButtons::kOk, {}});
  std::pair<bool, PromptColour> next;
  if (!PopFront(colours_, next) || !next.first) return false;
  colour = next.second;
  return true;
}
