#include "stage/stage_batch.h"

#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "stage/stage_commands.h"
#include "stage/stage_file.h"

namespace {

constexpr const char* kProgram = "tarnhollow";

int Fail(std::ostream& err, const std::string& file, const std::string& text, int status) {
  err << kProgram << ": " << file << ": " << text << "\n";
  return status;
}

int CannotRead(std::ostream& err, const std::string& file, const std::string& error) {
  const std::string reason = error.empty() ? "" : "（" + SystemReasonOf(error) + "）";
  return Fail(err, file, "ファイルのオープンに失敗しました" + reason, kStageBatchCannotRead);
}

int Save(const StageBatchOptions& options, Stage& stage, const ToolStateBlock& tools,
         const ViewSection& views, std::ostream& err) {
  std::string error;
  if (!StageFile::Save(options.output, stage, tools, views, &error)) {
    return Fail(err, options.output,
                "書き込めませんでした（" + SystemReasonOf(error) + "）。何も書き込んでいません",
                kStageBatchCannotWrite);
  }
  return kStageBatchDone;
}

int ImportPartition(const StageBatchOptions& options, Stage& stage, std::ostream& err) {
  std::string bytes, error;
  if (!ReadWholeFile(options.input, bytes, &error)) return CannotRead(err, options.input, error);
  int32_t lines_read = 0;
  int32_t line_count = 0;
  switch (LoadPartitionFile(stage, options.input, &lines_read, &line_count)) {
    case kPartitionLoaded:
      break;
    case kPartitionOpenFailed:
      return CannotRead(err, options.input, "");
    case kPartitionNotPartitionFile:
      return Fail(err, options.input, "ファイルの種類が違います（路面ファイルではありません）",
                  kStageBatchDamaged);
    case kPartitionEndsEarly:
      return Fail(err, options.input, PartitionEndsEarlyMessage(lines_read, line_count),
                  kStageBatchDamaged);
    default:
      return Fail(err, options.input, "ファイルが破壊されている", kStageBatchDamaged);
  }
  stage.SelectPartition(0);
  return Save(options, stage, ToolStateBlock::Initial(), ViewSection(), err);
}

int Resave(const StageBatchOptions& options, Stage& stage, std::ostream& err) {
  std::string bytes, error;
  if (!ReadWholeFile(options.input, bytes, &error)) return CannotRead(err, options.input, error);
  ToolStateBlock tools;
  ViewSection views;
  const StageFileResult result = StageFile::ReadImage(bytes, stage, &tools, &views);
  if (result != StageFileResult::kOk) {
    return Fail(err, options.input, StageFile::Message(result), kStageBatchDamaged);
  }
  return Save(options, stage, tools, views, err);
}

}  // namespace

bool IsStageBatch(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--import-pat" || argument == "--open") return true;
  }
  return false;
}

bool ParseStageBatch(const std::vector<std::string>& arguments, StageBatchOptions* options,
                     std::string* error) {
  StageBatchOptions parsed;
  bool have_input = false;
  bool have_output = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const bool input = option == "--import-pat" || option == "--open";
    if (!input && option != "--save") {
      *error = "知らない引数です: " + option;
      return false;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
      *error = option + " の後にファイル名がありません";
      return false;
    }
    if (input ? have_input : have_output) {
      *error = input ? "--import-pat と --open はどちらか一つを一度だけ指定してください"
                     : "--save は一度だけ指定してください";
      return false;
    }
    const std::string& file = arguments[++i];
    if (input) {
      parsed.kind = option == "--open" ? StageBatchKind::kResave : StageBatchKind::kImportPartition;
      parsed.input = file;
      have_input = true;
    } else {
      parsed.output = file;
      have_output = true;
    }
  }
  if (!have_input) {
    *error = "--import-pat か --open で入力ファイルを指定してください";
    return false;
  }
  if (!have_output) {
    *error = "--save で出力ファイルを指定してください";
    return false;
  }
  *options = parsed;
  return true;
}

int RunStageBatch(const StageBatchOptions& options, std::ostream& err) {
  Stage stage;
  const int status = options.kind == StageBatchKind::kImportPartition
                         ? ImportPartition(options, stage, err)
                         : Resave(options, stage, err);
  // Gives the pictures back to the bank before it shuts down.
  stage.Reset();
  return status;
}

int StageBatchMain(const std::vector<std::string>& arguments, std::ostream& err) {
  StageBatchOptions options;
  std::string error;
  if (!ParseStageBatch(arguments, &options, &error)) {
    err << kProgram << ": " << error << "（tarnhollow --help で使い方を表示）\n";
    return kStageBatchUsage;
  }
  PictureBankHighColor1::StartUp(16);
  const int status = RunStageBatch(options, err);
  PictureBankHighColor1::ShutDown();
  return status;
}

const char* StageBatchUsage() {
  return "  tarnhollow --import-pat 入力.pat --save 出力.ste\n"
         "      路面ファイル(.pat)から新しいステージを作り、起動直後のツールとビューの状態で\n"
         "      ステージファイル(.ste)に保存する。\n"
         "  tarnhollow --open 入力.ste --save 出力.ste\n"
         "      ステージファイルを読み込んで保存し直す(このプログラムが書いたファイルは\n"
         "      1バイトも変わらない)。\n";
}
