// The file commands of the stage editor's main window, without windows: new stage, open and
// save a stage file, open a partition file, and the question about unsaved changes. They
// ask their questions through the Prompter and reach the windows through StageWindowHooks.
#pragma once

#include <string>

#include "foundation/prompter.h"
#include "stage/stage.h"
#include "stage/tool_state_block.h"
#include "stage/view_records.h"

// What the commands need from the main window and its views. Each hook does nothing by
// default.
class StageWindowHooks {
 public:
  virtual ~StageWindowHooks() = default;
  // The state saved with a stage: the buttons of the mode and tool windows, the views.
  virtual ToolStateBlock CurrentToolState() { return ToolStateBlock::Initial(); }
  virtual ViewSection CurrentViews() { return ViewSection(); }
  virtual void ResetViews() {}
  virtual void HideModeWindows() {}
  virtual void ApplyToolState(const ToolStateBlock&) {}
  virtual void ShowModeWindows() {}
  virtual void ApplyViews(const ViewSection&) {}
  virtual void RedrawViews() {}
  // The menu command "オブジェクトファイル(.po3)を開く".
  virtual void EnableObjectFileCommand(bool /*enabled*/) {}
};

struct StageCommandContext {
  Stage* stage = nullptr;
  StageWindowHooks* windows = nullptr;  // nullptr: no windows to inform
  PromptOwner owner = nullptr;          // parent of the dialogs
  std::string settings_path;            // "Settei.ini", where the dialogs keep their folders
};

// When the stage is modified, asks "データが変更されています。セーブしますか？": Yes saves
// (a cancelled or failed save stops), No goes on, Cancel stops. 0 = go on, 1 = stop.
int AskToSaveStage(const StageCommandContext& context);
// Asks for a name (section "FileSave") and saves the stage file atomically. 0 saved; 1 when
// the dialog was cancelled or the file could not be written (message shown, old file and
// modified flag kept).
int SaveStageCommand(const StageCommandContext& context);
// Asks to save, asks for a file (section "FileOpen"), reads it and, only when the whole file
// was good, replaces the stage and hands the tool state and the views to the windows. 0
// loaded; 1 on a cancel or a refused file (message shown, stage untouched).
int OpenStageCommand(const StageCommandContext& context);
// Asks to save, then resets the stage and the views and disables the object-file command.
// 0 done, 1 stopped.
int NewStageCommand(const StageCommandContext& context);
// Asks to save, asks for a partition file (section "PatationFileOpen"), resets the stage
// and the views and loads the file, selecting partition 0. 0 when a file was loaded or an
// error was reported (the stage then stays empty), 1 when cancelled.
int OpenPartitionFileCommand(const StageCommandContext& context);

// The message shown when a partition file ends before its line count (UTF-8).
std::string PartitionEndsEarlyMessage(int32_t lines_read, int32_t line_count);
