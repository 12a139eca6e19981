#include "course/gui/course_designer_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <QResizeEvent>
#include <algorithm>

#include "course/cob_export.h"
#include "course/course_file.h"
#include "course/gui/course_drawing.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/expand_view.h"
#include "course/gui/parallel_view.h"
#include "course/gui/point_view.h"
#include "course/gui/preview_road.h"
#include "course/gui/tool_bar_layout.h"
#include "course/gui/view_arrangement.h"
#include "course/partition_file.h"
#include "exchange/course_gltf.h"
#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/directory.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/menu_commands.h"
#include "foundation/gui/message_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/gui/windows_service.h"
#include "foundation/prompter.h"
#include "foundation/recovery_copy.h"
#include "render/gui/perspec_window.h"

namespace {

constexpr const char* kPlacementSection = "MainWindow";

std::string Located(const std::string& folder, const std::string& name) {
  const std::string here = folder + name;
  if (FileExists(here)) return here;
  return DataFilePath(name);
}

}  // namespace

DesignerPaths DesignerPaths::From(const std::string& current_directory) {
  std::string folder = current_directory;
  if (folder.empty() || folder.back() != '/') folder += '/';
  DesignerPaths paths;
  paths.settings = SettingsPathIn(folder, "merrowlindale");
  paths.help_page = Located(folder, "Help/merrowlindale.html");
  paths.sound = Located(folder, "SetButton.wav");
  paths.texture = Located(folder, "Texture.bmp");
  paths.recovery_folder = RecoveryFolder("merrowlindale");
  return paths;
}

CourseDesignerWindow1::CourseDesignerWindow1(const DesignerPaths& paths) : paths_(paths) {
  DrawButton1::StartUp();
  MessageWindow1::StartUp();
  setObjectName(QStringLiteral("MyWin"));
  DispControl1::InitResources();
  setWindowIcon(QIcon(NamedBitmap("MAIN_ICON")));
  BuildMenu();

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("MyWinClient"));
  client_->setAutoFillBackground(true);
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  client_->setPalette(palette);
  setCentralWidget(client_);
  client_->installEventFilter(this);

  course_.Initialise();
  tool_bar_ = new CourseToolBar1(client_, paths_.sound);
  const int32_t* tool = tool_bar_->ToolPointer();
  top_ = new ParallelView1(client_, &course_, tool, CameraControl1::kTop);
  side_ = new ParallelView1(client_, &course_, tool, CameraControl1::kSide);
  front_ = new ParallelView1(client_, &course_, tool, CameraControl1::kFront);
  point_ = new PointView1(client_, &course_, tool);
  developed_top_ = new ExpandView1(client_, &course_, tool, ExpandControl1::kDevelopedTop);
  developed_side_ = new ExpandView1(client_, &course_, tool, ExpandControl1::kDevelopedSide);
  preview_ = new PerspecWindow1(client_, paths_.texture);
  for (CourseEditView* view :
       {static_cast<CourseEditView*>(top_), static_cast<CourseEditView*>(side_),
        static_cast<CourseEditView*>(front_), static_cast<CourseEditView*>(point_),
        static_cast<CourseEditView*>(developed_top_),
        static_cast<CourseEditView*>(developed_side_)}) {
    view->hide();
    connect(view, &CourseEditView::Edited, this, &CourseDesignerWindow1::OnEdited);
    connect(view, &CourseEditView::ActionFinished, this, &CourseDesignerWindow1::OnActionFinished);
  }
  preview_->hide();
  connect(preview_, &PerspecWindow1::MarkerDrag, this, &CourseDesignerWindow1::OnMarkerDrag);
  connect(tool_bar_, &CourseToolBar1::LoopToggled, this, [this](bool on) {
    course_.SetLoop(on ? 1 : 0);
    RedrawAll();
    OnActionFinished();
  });
  connect(tool_bar_, &CourseToolBar1::ViewButtonPressed, this, [this](int) { Arrange(); });
  history_ = std::make_unique<CourseHistory>(course_);
  RecoveryKeeper::Document recovered;
  recovered.modified = [this] { return course_.IsChanged(); };
  recovered.bytes = [this] { return CourseFileBytes(course_); };
  recovered.path = [this] { return current_file_; };
  recovery_ = new RecoveryKeeper(paths_.recovery_folder, RecoveryIntervalMinutes(paths_.settings),
                                 recovered, this);
  resize(1000, 700);
  FitAll();
  Arrange();
  UpdateTitle();
  UpdateEditMenu();
}

CourseDesignerWindow1::~CourseDesignerWindow1() {
  // A clean exit: the recovery copy goes.
  delete recovery_;
  recovery_ = nullptr;
  history_.reset();
  // The views and the bar go before the course they show.
  delete client_;
  client_ = nullptr;
  course_.Destroy();
  MessageWindow1::ShutDown();
  DrawButton1::ShutDown();
}

void CourseDesignerWindow1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MAINMENU"));
  QMenu* file = bar->addMenu(QStringLiteral("ﾌｧｲﾙ"));
  QMenu* edit = bar->addMenu(QStringLiteral("編集"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  QMenu* help = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ"));
  const std::vector<MenuCommand> commands = {
      {kNewCommand, "新規作成", file, QKeySequence(Qt::CTRL | Qt::Key_N), false},
      {kOpenCommand, "開く", file, QKeySequence(Qt::CTRL | Qt::Key_O), false},
      {kSaveCommand, "上書き保存", file, QKeySequence(Qt::CTRL | Qt::Key_S), false},
      {kSaveAsCommand, "名前を付けて保存", file, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
       true},
      {kCobCommand, "cobﾌｧｲﾙを出力", file, QKeySequence(), false},
      {kPatCommand, "patﾌｧｲﾙを出力", file, QKeySequence(), false},
      {kGltfCommand, "glTFﾌｧｲﾙを出力", file, QKeySequence(), false},
      {kUndoCommand, kUndoMenuText, edit, QKeySequence(Qt::CTRL | Qt::Key_Z), false},
      {kRedoCommand, kRedoMenuText, edit, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false,
       QKeySequence(Qt::CTRL | Qt::Key_Y)},
      {kHelpCommand, "トピックの検索", help, QKeySequence(Qt::Key_F1), false},
      {kVersionCommand, "バージョン情報", help, QKeySequence(), false},
  };
  AddMenuCommands(this, commands, [this](int id) { Command(id); });
}

QAction* CourseDesignerWindow1::ActionById(int id) const { return MenuCommandAction(this, id); }

void CourseDesignerWindow1::Command(int id) {
  switch (id) {
    case kNewCommand:
      NewCourse();
      break;
    case kOpenCommand:
      Open();
      break;
    case kSaveAsCommand:
      SaveAs();
      break;
    case kSaveCommand:
      Save();
      break;
    case kCobCommand:
      ExportCob();
      break;
    case kPatCommand:
      ExportPartition();
      break;
    case kGltfCommand:
      ExportGltf();
      break;
    case kHelpCommand:
      ShowHelp();
      break;
    case kVersionCommand:
      ShowVersion();
      break;
    case kUndoCommand:
      Undo();
      break;
    case kRedoCommand:
      Redo();
      break;
    default:
      break;
  }
}

QWidget* CourseDesignerWindow1::View(int32_t id) const {
  switch (id) {
    case kTopView:
      return top_;
    case kSideView:
      return side_;
    case kFrontView:
      return front_;
    case kPointView:
      return point_;
    case kDevelopedTopView:
      return developed_top_;
    case kDevelopedSideView:
      return developed_side_;
    case kPreviewView:
      return preview_;
    default:
      Error1::Report("WinMain", "ウィンドウIDにありえない値を検出", 3);
      return nullptr;
  }
}

bool CourseDesignerWindow1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) Arrange();
  return QMainWindow::eventFilter(watched, event);
}

void CourseDesignerWindow1::Arrange() {
  if (client_ == nullptr) return;
  const std::vector<ViewPlacement> placements = ArrangeViews(
      tool_bar_->CurrentViewButton(), kToolBarWidth, client_->width(), client_->height());
  bool shown[kCourseViewCount] = {};
  for (const ViewPlacement& placement : placements) {
    QWidget* view = View(placement.view);
    view->setGeometry(placement.x, placement.y, placement.width, placement.height);
    view->show();
    shown[placement.view] = true;
  }
  for (int32_t id = 0; id < kCourseViewCount; ++id) {
    if (!shown[id]) View(id)->hide();
  }
}

void CourseDesignerWindow1::RedrawAll() {
  for (CourseEditView* view :
       {static_cast<CourseEditView*>(top_), static_cast<CourseEditView*>(side_),
        static_cast<CourseEditView*>(front_), static_cast<CourseEditView*>(point_),
        static_cast<CourseEditView*>(developed_top_),
        static_cast<CourseEditView*>(developed_side_)}) {
    view->Redraw();
  }
  preview_->SetRoad(PreviewRoad(course_));
  UpdateTitle();
}

void CourseDesignerWindow1::UpdateTitle() {
  const std::string name =
      current_file_.empty() ? std::string("無題") : Directory1::FileName(current_file_);
  const QString title =
      QString::fromStdString(name) + QStringLiteral("[*] - ") + QString::fromUtf8(kTitle);
  if (windowTitle() != title) setWindowTitle(title);
  setWindowModified(course_.IsChanged());
}

void CourseDesignerWindow1::FitAll() {
  for (CourseEditView* view :
       {static_cast<CourseEditView*>(top_), static_cast<CourseEditView*>(side_),
        static_cast<CourseEditView*>(front_), static_cast<CourseEditView*>(developed_top_),
        static_cast<CourseEditView*>(developed_side_)}) {
    view->RequestFit();
  }
  RedrawAll();
}

void CourseDesignerWindow1::OnEdited(int effect) {
  if (effect == kCourseChanged) RedrawAll();
}

void CourseDesignerWindow1::OnActionFinished() {
  history_->Record();
  UpdateTitle();
  UpdateEditMenu();
}

void CourseDesignerWindow1::Undo() {
  if (ViewDragging() || !history_->Undo()) return;
  ShowHistoryMove();
}

void CourseDesignerWindow1::Redo() {
  if (ViewDragging() || !history_->Redo()) return;
  ShowHistoryMove();
}

bool CourseDesignerWindow1::ViewDragging() const {
  const QList<CourseEditView*> views = client_->findChildren<CourseEditView*>();
  return std::any_of(views.begin(), views.end(),
                     [](const CourseEditView* view) { return view->Dragging(); });
}

void CourseDesignerWindow1::ShowHistoryMove() {
  tool_bar_->SetLoop(course_.LoopButton() != 0);
  RedrawAll();
  UpdateEditMenu();
}

void CourseDesignerWindow1::ForgetHistory() {
  history_->Clear();
  recovery_->Forget();
  UpdateEditMenu();
}

void CourseDesignerWindow1::UpdateEditMenu() {
  ShowUndoRedo(ActionById(kUndoCommand), ActionById(kRedoCommand), *history_);
}

bool CourseDesignerWindow1::RecoverLeftOverWork() {
  return OfferRecovery(
      paths_.recovery_folder, static_cast<QWidget*>(this),
      [this](const RecoveredDocument& recovered) { return RestoreRecovered(recovered); },
      recovery_);
}

bool CourseDesignerWindow1::RestoreRecovered(const RecoveredDocument& recovered) {
  CourseData1 fresh;
  if (CourseFromBytes(recovered.bytes, &fresh) != kCourseFileOk) {
    const std::string& name = recovered.original_path;
    ShowFailure((name.empty() ? std::string("無題") : name) + "\nコースファイルが壊れています");
    return false;
  }
  course_ = fresh;
  // Its changes were never saved.
  course_.MarkChanged();
  current_file_ = recovered.original_path;
  tool_bar_->SetLoop(course_.LoopButton() != 0);
  history_->Clear();
  FitAll();
  UpdateEditMenu();
  return true;
}

void CourseDesignerWindow1::OnMarkerDrag(double dt) {
  if (!course_.HasMarker()) return;
  course_.MoveMarker(dt);
  RedrawAll();
}

void CourseDesignerWindow1::ShowFailure(const std::string& detail) {
  std::string text = kOpenFailed;
  if (!detail.empty()) text += "\n" + detail;
  Prompter::Current().Message(this, "Error", text, PromptIcon::kError, PromptButtons::kOk);
}

bool CourseDesignerWindow1::AskToSaveChanges() {
  if (!course_.IsChanged()) return true;
  switch (Prompter::Current().Message(this, "Message", kChangesQuestion, PromptIcon::kQuestion,
                                      PromptButtons::kYesNoCancel)) {
    case PromptAnswer::kYes:
      // A cancelled or failed save keeps the course and cancels what asked.
      return SaveAs() == SaveResult::kSaved;
    case PromptAnswer::kNo:
      return true;
    default:
      return false;
  }
}

CourseDesignerWindow1::SaveResult CourseDesignerWindow1::SaveAs() {
  std::string path;
  if (AskFilePath(this, path, "CourseFileSave", paths_.settings, {{"Course(*.cus)", "*.cus"}},
                  FileDialogKind::kSave) != 0) {
    return SaveResult::kCancelled;
  }
  return SaveTo(path);
}

CourseDesignerWindow1::SaveResult CourseDesignerWindow1::Save() {
  if (current_file_.empty()) return SaveAs();
  return SaveTo(current_file_);
}

CourseDesignerWindow1::SaveResult CourseDesignerWindow1::SaveTo(const std::string& path) {
  std::string error;
  if (SaveCourseFile(course_, path, &error) != kCourseFileOk) {
    ShowFailure(path + (error.empty() ? "" : ": " + error) + "\n保存されていません");
    UpdateTitle();
    return SaveResult::kFailed;
  }
  current_file_ = path;
  history_->MarkSaved();
  recovery_->Forget();
  UpdateTitle();
  UpdateEditMenu();
  return SaveResult::kSaved;
}

void CourseDesignerWindow1::NewCourse() {
  if (!AskToSaveChanges()) return;
  course_.NewCourse();
  current_file_.clear();
  tool_bar_->SetLoop(course_.LoopButton() != 0);
  ForgetHistory();
  FitAll();
}

void CourseDesignerWindow1::Open() {
  if (!AskToSaveChanges()) return;
  std::string path;
  if (AskFilePath(this, path, "CourseFileOpen", paths_.settings, {{"Course(*.cus)", "*.cus"}},
                  FileDialogKind::kOpen) != 0) {
    return;
  }
  OpenCourseFile(path);
}

bool CourseDesignerWindow1::OpenCourseFile(const std::string& path) {
  const int32_t result = LoadCourseFile(course_, path);
  if (result != kCourseFileOk) {
    ShowFailure(path + (result == kCourseFileDamaged ? "\nコースファイルが壊れています" : ""));
    return false;
  }
  current_file_ = path;
  tool_bar_->SetLoop(course_.LoopButton() != 0);
  ForgetHistory();
  FitAll();
  return true;
}

void CourseDesignerWindow1::ExportCob() {
  std::string path;
  if (AskFilePath(this, path, "CobFileSave", paths_.settings, {{"cob(*.cob)", "*.cob"}},
                  FileDialogKind::kSave) != 0) {
    return;
  }
  std::string error;
  const int32_t result = WriteCobFile(course_, path, &error);
  if (result == kCobTooManyLines) {
    ShowFailure("パーテーションラインが多すぎます");
  } else if (result != kCobWritten) {
    ShowFailure(path + (error.empty() ? "" : ": " + error));
  }
}

void CourseDesignerWindow1::ExportPartition() {
  std::string path;
  if (AskFilePath(this, path, "PatFileSave", paths_.settings, {{"pat(*.pat)", "*.pat"}},
                  FileDialogKind::kSave) != 0) {
    return;
  }
  std::string error;
  const int32_t result = WritePartitionFile(course_, path, &error);
  if (result == kPartitionTooManyLines) {
    ShowFailure("パーテーションラインが多すぎます");
  } else if (result != kPartitionWritten) {
    ShowFailure(path + (error.empty() ? "" : ": " + error));
  }
}

void CourseDesignerWindow1::ExportGltf() {
  std::string path;
  if (AskFilePath(this, path, "GltfFileSave", paths_.settings,
                  {{"glTF(*.glb)", "*.glb"}, {"glTF(*.gltf)", "*.gltf"}},
                  FileDialogKind::kSave) != 0) {
    return;
  }
  if (!IsGltfPath(path)) path += ".glb";
  std::string error;
  bool untextured = false;
  const int32_t result = WriteCourseGltf(course_, paths_.texture, path, &error, &untextured);
  if (result == kCourseGltfCannotWrite) {
    ShowFailure(path + (error.empty() ? "" : ": " + error));
  } else if (result != kCourseGltfWritten) {
    Prompter::Current().Message(this, "Error", CourseGltfMessage(result), PromptIcon::kError,
                                PromptButtons::kOk);
  } else if (untextured) {
    Prompter::Current().Message(this, "Message", kGltfUntexturedNote, PromptIcon::kInformation,
                                PromptButtons::kOk);
  }
}

void CourseDesignerWindow1::ShowHelp() { HelpWindow1::Show(this, paths_.help_page); }

void CourseDesignerWindow1::ShowVersion() {
  Prompter::Current().Message(this, "バージョン情報",
                              "MerrowlindaleV1.1\nコースデザイナー merrowlindale  Version 1.1",
                              PromptIcon::kInformation, PromptButtons::kOk);
}

void CourseDesignerWindow1::closeEvent(QCloseEvent* event) {
  if (!closed_ && !AskToSaveChanges()) {
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    if (HelpWindow1* help = HelpWindow1::Current()) help->close();
    WindowsService1::SavePlacement(this, kPlacementSection, paths_.settings);
  }
  event->accept();
}
