// What the file commands of the stage editor (StageDocument, the object-file command) need
// from the main window: the windows to inform through StageWindowHooks, the owner of the
// dialogs and the settings file where they keep their folders.
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

// The message shown when a partition file ends before its line count (UTF-8).
std::string PartitionEndsEarlyMessage(int32_t lines_read, int32_t line_count);
