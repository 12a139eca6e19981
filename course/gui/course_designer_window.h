// CourseDesignerWindow1: the main window of the course designer (window class "MyWin",
// title "MerrowlindaleV1.1"): the tool bar at the left, the editing views and the preview
// arranged to its right by the view buttons, the file menu (new, open, save as, COB and
// partition export), help and version, and the prompt to save changes. It owns the course.
// Beside the menu's own items it has "上書き保存" (save to the current file) and the usual
// keys: Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Shift+S, F1; the title names the file, "*" while changed.
// The "編集" menu undoes and redoes every click and drag that changed the course ("元に戻す"
// Ctrl+Z, "やり直し" Ctrl+Shift+Z and Ctrl+Y); a recovery copy of unsaved work is kept every
// few minutes and offered at the next start when the program did not end cleanly.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>

#include "course/course_data.h"
#include "course/course_history.h"

class CourseEditView;
class CourseToolBar1;
class ExpandView1;
class ParallelView1;
class PerspecWindow1;
class PointView1;
class QAction;
class RecoveryKeeper;
struct RecoveredDocument;

// Where the designer keeps its settings and finds its help, sound and texture.
struct DesignerPaths {
  std::string settings;         // "Settei.ini"
  std::string help_page;        // the help's first page
  std::string sound;            // "SetButton.wav"
  std::string texture;          // "Texture.bmp"
  std::string recovery_folder;  // where recovery copies go; "" keeps none

  // Settings from `current_directory` (the current directory at program start); the data
  // files from there when they are present, else where DataFilePath finds them. Recovery
  // copies go to the user's state folder.
  static DesignerPaths From(const std::string& current_directory);
};

class CourseDesignerWindow1 : public QMainWindow {
  Q_OBJECT

 public:
  // Menu command ids.
  static constexpr int kNewCommand = 117;
  static constexpr int kOpenCommand = 118;
  static constexpr int kSaveAsCommand = 119;
  static constexpr int kCobCommand = 120;
  static constexpr int kPatCommand = 121;
  static constexpr int kHelpCommand = 122;
  static constexpr int kVersionCommand = 123;
  static constexpr int kSaveCommand = 124;  // "上書き保存"
  static constexpr int kUndoCommand = 125;  // "元に戻す"
  static constexpr int kRedoCommand = 126;  // "やり直し"
  // The glTF export, an addition of this suite (an id clear of the others).
  static constexpr int kGltfCommand = 140;

  static constexpr const char* kTitle = "MerrowlindaleV1.1";
  static constexpr const char* kChangesQuestion = "データが変更されています。保存しますか?";
  static constexpr const char* kOpenFailed = "ファイルのオープンに失敗";

  explicit CourseDesignerWindow1(const DesignerPaths& paths);
  ~CourseDesignerWindow1() override;

  // Runs a menu command.
  void Command(int id);
  QAction* ActionById(int id) const;
  // Opens a course file as "開く" does after its dialog; false (and a message) on failure,
  // the current course kept.
  bool OpenCourseFile(const std::string& path);
  // The changes prompt: true when the command that asks may go on.
  bool AskToSaveChanges();
  // The course file last opened or saved, "" for none.
  const std::string& CurrentFile() const { return current_file_; }
  // Sets the title from the current file and the course's change flag.
  void UpdateTitle();
  // At start: offers the work a run that did not end cleanly left in a recovery copy. True
  // when it was restored (a changed course of its original file, or untitled).
  bool RecoverLeftOverWork();
  // Makes a recovered course the current one: false (and a message) when its bytes are no
  // course file.
  bool RestoreRecovered(const RecoveredDocument& recovered);

  CourseData1& Course() { return course_; }
  CourseHistory& History() { return *history_; }
  RecoveryKeeper* Recovery() const { return recovery_; }
  CourseToolBar1* ToolBar() const { return tool_bar_; }
  // View 0..6 (0 top, 1 side, 2 front, 3 point parameters, 4 developed top, 5 developed
  // side, 6 preview); an id outside them is a fatal misuse.
  QWidget* View(int32_t id) const;
  PerspecWindow1* Preview() const { return preview_; }
  QWidget* Client() const { return client_; }
  const DesignerPaths& Paths() const { return paths_; }

  // Applies the current view button's arrangement to the client size.
  void Arrange();
  // Redraws every view and the preview.
  void RedrawAll();
  // Fits every view's camera to the course.
  void FitAll();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class SaveResult { kSaved, kCancelled, kFailed };
  SaveResult SaveAs();
  SaveResult Save();
  SaveResult SaveTo(const std::string& path);
  void NewCourse();
  void Open();
  void ExportCob();
  void ExportPartition();
  void ExportGltf();
  void ShowVersion();
  void ShowHelp();
  void OnEdited(int effect);
  // A click or drag in a view, or the loop button, is over: a step when the course changed.
  void OnActionFinished();
  void Undo();
  void Redo();
  void ShowHistoryMove();
  // The course now matches a file (new, opened): a fresh history and no recovery copy.
  void ForgetHistory();
  void UpdateEditMenu();
  bool ViewDragging() const;
  void OnMarkerDrag(double dt);
  void ShowFailure(const std::string& detail);
  void BuildMenu();

  DesignerPaths paths_;
  CourseData1 course_;
  QWidget* client_;
  CourseToolBar1* tool_bar_;
  ParallelView1* top_;
  ParallelView1* side_;
  ParallelView1* front_;
  PointView1* point_;
  ExpandView1* developed_top_;
  ExpandView1* developed_side_;
  PerspecWindow1* preview_;
  std::unique_ptr<CourseHistory> history_;
  RecoveryKeeper* recovery_ = nullptr;
  bool closed_ = false;
  std::string current_file_;
};
