#include "stage/stage_commands.h"

#include "foundation/ask_file_path.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"

namespace {
const std::vector<FileFilter> kStageFilter = {{"(*.ste)", "*.ste"}};
const std::vector<FileFilter> kPartitionFilter = {{"(*.pat)", "*.pat"}};

void ShowError(const StageCommandContext& context, const std::string& text) {
  Prompter::Current().Message(context.owner, "Error", text, PromptIcon::kInformation,
                              PromptButtons::kOk);
}

StageWindowHooks& Windows(const StageCommandContext& context) {
  static StageWindowHooks none;
  return context.windows != nullptr ? *context.windows : none;
}
}  // namespace

std::string PartitionEndsEarlyMessage(int32_t lines_read, int32_t line_count) {
  return "ファイルが途中で終わっています。" + std::to_string(line_count) + "本のラインのうち" +
         std::to_string(lines_read) + "本を読み込みました。";
}

int AskToSaveStage(const StageCommandContext& context) {
  if (!context.stage->Modified()) return 0;
  const PromptAnswer answer = Prompter::Current().Message(
      context.owner, "Message", "データが変更されています。セーブしますか？",
      PromptIcon::kInformation, PromptButtons::kYesNoCancel);
  if (answer == PromptAnswer::kNo) return 0;
  if (answer == PromptAnswer::kYes) return SaveStageCommand(context) == 0 ? 0 : 1;
  return 1;
}

int SaveStageCommand(const StageCommandContext& context) {
  std::string path;
  if (AskFilePath(context.owner, path, "FileSave", context.settings_path, kStageFilter,
                  FileDialogKind::kSave) != 0) {
    return 1;
  }
  StageWindowHooks& windows = Windows(context);
  if (!StageFile::Save(path, *context.stage, windows.CurrentToolState(), windows.CurrentViews())) {
    ShowError(context, StageFile::Message(StageFileResult::kCannotOpen));
    return 1;
  }
  return 0;
}

int OpenStageCommand(const StageCommandContext& context) {
  if (AskToSaveStage(context) != 0) return 1;
  std::string path;
  if (AskFilePath(context.owner, path, "FileOpen", context.settings_path, kStageFilter,
                  FileDialogKind::kOpen) != 0) {
    return 1;
  }
  ToolStateBlock tools;
  ViewSection views;
  const StageFileResult result = StageFile::Load(path, *context.stage, &tools, &views);
  if (result != StageFileResult::kOk) {
    ShowError(context, StageFile::Message(result));
    return 1;
  }
  // The stage has been replaced as a whole; the windows follow in their usual order.
  StageWindowHooks& windows = Windows(context);
  windows.ResetViews();
  windows.HideModeWindows();
  windows.ApplyToolState(tools);
  windows.ShowModeWindows();
  windows.ApplyViews(views);
  windows.RedrawViews();
  windows.EnableObjectFileCommand(true);
  return 0;
}

int NewStageCommand(const StageCommandContext& context) {
  if (AskToSaveStage(context) != 0) return 1;
  context.stage->Reset();
  StageWindowHooks& windows = Windows(context);
  windows.ResetViews();
  windows.EnableObjectFileCommand(false);
  windows.RedrawViews();
  return 0;
}

int OpenPartitionFileCommand(const StageCommandContext& context) {
  if (AskToSaveStage(context) != 0) return 1;
  std::string path;
  if (AskFilePath(context.owner, path, "PatationFileOpen", context.settings_path, kPartitionFilter,
                  FileDialogKind::kOpen) != 0) {
    return 1;
  }
  Stage& stage = *context.stage;
  StageWindowHooks& windows = Windows(context);
  stage.Reset();
  windows.ResetViews();
  int32_t lines_read = 0;
  int32_t line_count = 0;
  const int32_t result = LoadPartitionFile(stage, path, &lines_read, &line_count);
  switch (result) {
    case kPartitionNotPartitionFile:
      ShowError(context, "ファイルの種類が違います");
      return 0;
    case kPartitionOpenFailed:
      ShowError(context, "ファイルのオープンに失敗");
      return 0;
    case kPartitionCountDamaged:
      ShowError(context, "ファイルが破壊されている");
      return 0;
    case kPartitionEndsEarly:
      Prompter::Current().Message(context.owner, "Message",
                                  PartitionEndsEarlyMessage(lines_read, line_count),
                                  PromptIcon::kInformation, PromptButtons::kOk);
      break;
    default:
      break;
  }
  stage.SelectPartition(0);
  windows.RedrawViews();
  windows.EnableObjectFileCommand(true);
  return 0;
}
