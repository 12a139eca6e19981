#include "stage/stage_document.h"

#include "foundation/ask_file_path.h"
#include "foundation/directory.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"

namespace {
const std::vector<FileFilter> kStageFilter = {{"(*.ste)", "*.ste"}};
const std::vector<FileFilter> kPartitionFilter = {{"(*.pat)", "*.pat"}};
}  // namespace

StageDocument::StageDocument(const StageCommandContext& context) : context_(context) {}

std::string StageDocument::TitleName() const {
  return path_.empty() ? kUntitled : Directory1::FileName(path_);
}

StageWindowHooks& StageDocument::Windows() {
  static StageWindowHooks none;
  return context_.windows != nullptr ? *context_.windows : none;
}

void StageDocument::ShowError(const std::string& text) {
  Prompter::Current().Message(context_.owner, "Error", text, PromptIcon::kInformation,
                              PromptButtons::kOk);
}

int StageDocument::AskToSave() {
  if (!context_.stage->Modified()) return 0;
  const PromptAnswer answer = Prompter::Current().Message(
      context_.owner, "Message", "データが変更されています。セーブしますか？",
      PromptIcon::kInformation, PromptButtons::kYesNoCancel);
  if (answer == PromptAnswer::kNo) return 0;
  if (answer == PromptAnswer::kYes) return Save();
  return 1;
}

int StageDocument::New() {
  if (AskToSave() != 0) return 1;
  context_.stage->Reset();
  path_.clear();
  Windows().ResetViews();
  Windows().EnableObjectFileCommand(false);
  Windows().RedrawViews();
  return 0;
}

int StageDocument::Open() {
  if (AskToSave() != 0) return 1;
  std::string path;
  if (AskFilePath(context_.owner, path, "FileOpen", context_.settings_path, kStageFilter,
                  FileDialogKind::kOpen) != 0) {
    return 1;
  }
  return OpenAt(path);
}

int StageDocument::OpenAt(const std::string& path) {
  ToolStateBlock tools;
  ViewSection views;
  const StageFileResult result = StageFile::Load(path, *context_.stage, &tools, &views);
  if (result != StageFileResult::kOk) {
    ShowError(std::string(StageFile::Message(result)) + "\n" + path);
    return 1;
  }
  path_ = path;
  FollowLoad(tools, views);
  return 0;
}

int StageDocument::OpenRecovered(const std::string& image, const std::string& path) {
  ToolStateBlock tools;
  ViewSection views;
  const StageFileResult result = StageFile::ReadImage(image, *context_.stage, &tools, &views);
  if (result != StageFileResult::kOk) {
    ShowError(std::string(StageFile::Message(result)) + "\n" + (path.empty() ? kUntitled : path));
    return 1;
  }
  path_ = path;
  // Its changes were never saved.
  context_.stage->SetModified();
  FollowLoad(tools, views);
  return 0;
}

void StageDocument::FollowLoad(const ToolStateBlock& tools, const ViewSection& views) {
  // The windows follow in the order of a load.
  StageWindowHooks& windows = Windows();
  windows.ResetViews();
  windows.HideModeWindows();
  windows.ApplyToolState(tools);
  windows.ShowModeWindows();
  windows.ApplyViews(views);
  windows.RedrawViews();
  windows.EnableObjectFileCommand(true);
}

int StageDocument::Save() { return path_.empty() ? SaveAs() : SaveTo(path_); }

int StageDocument::SaveAs() {
  std::string path;
  if (AskFilePath(context_.owner, path, "FileSave", context_.settings_path, kStageFilter,
                  FileDialogKind::kSave) != 0) {
    return 1;
  }
  return SaveTo(path);
}

int StageDocument::SaveTo(const std::string& path) {
  std::string error;
  if (!StageFile::Save(path, *context_.stage, Windows().CurrentToolState(),
                       Windows().CurrentViews(), &error)) {
    ShowError(std::string(StageFile::Message(StageFileResult::kCannotOpen)) + "\n" + error +
              "\n保存されていません");
    return 1;
  }
  path_ = path;
  return 0;
}

int StageDocument::OpenPartitionFile() {
  if (AskToSave() != 0) return 1;
  std::string path;
  if (AskFilePath(context_.owner, path, "PatationFileOpen", context_.settings_path,
                  kPartitionFilter, FileDialogKind::kOpen) != 0) {
    return 1;
  }
  return OpenPartitionFileAt(path);
}

int StageDocument::OpenPartitionFileAt(const std::string& path) {
  Stage& stage = *context_.stage;
  StageWindowHooks& windows = Windows();
  stage.Reset();
  path_.clear();
  windows.ResetViews();
  int32_t lines_read = 0;
  int32_t line_count = 0;
  const int32_t result = LoadPartitionFile(stage, path, &lines_read, &line_count);
  const char* refusal = nullptr;
  switch (result) {
    case kPartitionNotPartitionFile:
      refusal = "ファイルの種類が違います";
      break;
    case kPartitionOpenFailed:
      refusal = "ファイルのオープンに失敗";
      break;
    case kPartitionCountDamaged:
      refusal = "ファイルが破壊されている";
      break;
    case kPartitionEndsEarly:
      Prompter::Current().Message(context_.owner, "Message",
                                  PartitionEndsEarlyMessage(lines_read, line_count),
                                  PromptIcon::kInformation, PromptButtons::kOk);
      break;
    default:
      break;
  }
  if (refusal != nullptr) {
    ShowError(std::string(refusal) + "\n" + path);
    // The road is gone with the stage: objects wait for the next one.
    windows.EnableObjectFileCommand(false);
    windows.RedrawViews();
    return 1;
  }
  stage.SelectPartition(0);
  windows.RedrawViews();
  windows.EnableObjectFileCommand(true);
  return 0;
}
