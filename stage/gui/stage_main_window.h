// StageMainWindow1: the stage editor's main window (window class "MyWin"): the menu
// "MAINMENU", the mode window across the top, the active mode's tool window down the left,
// the active tool's work window along the bottom and the views in the rest. It owns the live
// stage and the button state; every menu command and every button press goes through
// Command(), and every finished user action through one place that tells ActionFinished().
// That place also takes the action into the undo history of the "編集" menu ("元に戻す"
// Ctrl+Z, "やり直し" Ctrl+Shift+Z and Ctrl+Y); a recovery copy of unsaved work is kept every
// few minutes and offered at the next start when the program did not end cleanly.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>

#include "stage/gui/stage_view_host.h"
#include "stage/object_library.h"
#include "stage/stage.h"
#include "stage/stage_commands.h"
#include "stage/stage_document.h"
#include "stage/stage_history.h"
#include "stage/tool_button_state.h"

class ModeWindow1;
class QAction;
class RecoveryKeeper;
struct RecoveredDocument;
class StageViewArea;

// Where the stage editor keeps its settings and finds its data files.
struct StagePaths {
  std::string settings;         // "Settei.ini"
  std::string bitmap_template;  // "BitmapObject.bof"
  std::string back_template;    // "BackObject.bof"
  std::string help_page;        // the first help page
  std::string recovery_folder;  // where recovery copies go; "" keeps none

  // The data files beside the program, or in the installed share folder; the settings beside
  // the program, or in the user's configuration folder when that cannot be written there.
  static StagePaths FromProgramDirectory();
};

// The undo step a finished action makes, by its id (kViewEditAction: the drag of the tool
// the tool-state block shows); kOtherChange for an action that is not an edit.
StageEdit StageEditOfAction(int id, const ToolStateBlock& tools);

class StageMainWindow1 : public QMainWindow, public StageViewHost, public StageWindowHooks {
  Q_OBJECT

 public:
  // Menu command ids.
  static constexpr int kObjectFileCommand = 1024;
  static constexpr int kPartitionFileCommand = 1025;
  static constexpr int kSaveAsCommand = 1026;
  static constexpr int kOpenCommand = 1027;
  static constexpr int kNewCommand = 1028;
  static constexpr int kHelpCommand = 1029;
  static constexpr int kAboutCommand = 1030;
  static constexpr int kSaveCommand = 1154;        // "上書き保存"
  static constexpr int kGltfExportCommand = 1155;  // "glTFファイルを出力"
  static constexpr int kUndoCommand = 1156;        // "元に戻す"
  static constexpr int kRedoCommand = 1157;        // "やり直し"
  // ActionFinished's id for a drag in a view that changed the stage (the tool-state block
  // tells which tool it was).
  static constexpr int kViewEditAction = 0;

  static constexpr const char* kTitle = "TarnhollowVersion1.1";
  static constexpr const char* kPlacementSection = "MainWindow";

  explicit StageMainWindow1(const StagePaths& paths);
  ~StageMainWindow1() override;

  // Runs a menu command or the press of a button of the mode, tool and work windows, as the
  // user's click does, then finishes the action.
  void Command(int id);
  QAction* ActionById(int id) const;
  // Opens a file named on the command line: a partition file (".pat") or a stage file.
  bool OpenFile(const std::string& path);
  // The saved placement, or a comfortable size on the first run.
  void RestorePlacement();
  // At start: offers the work a run that did not end cleanly left in a recovery copy. True
  // when it was restored (a modified stage of its original file, or untitled).
  bool RecoverLeftOverWork();
  // Makes a recovered stage the document: false (and a message) when its bytes are no good.
  bool RestoreRecovered(const RecoveredDocument& recovered);

  Stage& GetStage() { return stage_; }
  StageDocument& Document() { return *document_; }
  StageHistory& History() { return *history_; }
  RecoveryKeeper* Recovery() const { return recovery_; }
  ToolButtonState& Buttons() { return buttons_; }
  ModeWindow1* Modes() const { return mode_window_; }
  StageViewArea* Views() const { return views_; }
  QWidget* Client() const { return client_; }
  const StagePaths& Paths() const { return paths_; }

  // The main window's part of laying out: command 2 to the mode window, the views.
  void LayOut();

  // StageViewHost.
  ToolStateBlock ToolState() const override;
  void StageChangedByView(ViewChange change) override;

  // StageWindowHooks.
  ToolStateBlock CurrentToolState() override { return ToolState(); }
  ViewSection CurrentViews() override;
  void ResetViews() override;
  void HideModeWindows() override;
  void ApplyToolState(const ToolStateBlock& block) override;
  void ShowModeWindows() override;
  void ApplyViews(const ViewSection& views) override;
  void RedrawViews() override;
  void EnableObjectFileCommand(bool enabled) override;

 signals:
  // After every user action: a menu command or a button (its id; a dialog it opened has
  // closed), or a drag in a view that changed the stage (kViewEditAction).
  void ActionFinished(int id);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void PressButton(int32_t id);
  void RunAction(int32_t id);
  void ShowChosenView();
  void SplitSetting();
  void CreateTemplateObject(CreationMode mode);
  void ObjectValues();
  void UsedTextureForFaces();
  void ShowHelp();
  void ShowAbout();
  // Asks for a ".glb" or ".gltf" name and writes the stage there as glTF 2.0.
  void ExportGltf();
  void Undo();
  void Redo();
  // After an undo or a redo replaced the stage: every view, text and menu entry follows.
  void ShowHistoryMove();
  // The history's part of a finished action: a step, or after a file command a fresh
  // history (new, open) or the saved state (save).
  void TrackHistory(int id);
  void UpdateEditMenu();
  // A drag in a view is under way (undo and redo wait for its release).
  bool ViewDragging() const;
  // Refreshes what shows the stage (coordinate texts, title) and tells ActionFinished(id).
  void FinishAction(int id);
  void Refresh();
  void UpdateTitle();
  StageCommandContext Context();

  StagePaths paths_;
  Stage stage_;
  ToolButtonState buttons_;
  std::unique_ptr<StageDocument> document_;
  QWidget* client_ = nullptr;
  ModeWindow1* mode_window_ = nullptr;
  StageViewArea* views_ = nullptr;
  std::unique_ptr<StageHistory> history_;
  RecoveryKeeper* recovery_ = nullptr;
  // Set when a file command replaced the stage (the views were reset).
  bool stage_replaced_ = false;
  // Which views the next redraw after a load aims at the road: all of them after a reset
  // (a partition file), those that show none of it after a stage file's views were applied.
  enum class ViewAim { kNone, kAll, kLost };
  ViewAim view_aim_ = ViewAim::kNone;
  bool closed_ = false;
};
