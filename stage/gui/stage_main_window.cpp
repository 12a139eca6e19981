#include "stage/gui/stage_main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMenuBar>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "exchange/stage_gltf.h"
#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/gui/about_window.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/menu_commands.h"
#include "foundation/gui/message_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/gui/text_window.h"
#include "foundation/gui/windows_service.h"
#include "foundation/recovery_copy.h"
#include "foundation/settings_file.h"
#include "pictures/gui/picture_bank_high_color_wnd.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/gui/create_bitmap_object_dialog.h"
#include "stage/gui/divset_dialog.h"
#include "stage/gui/mode_window.h"
#include "stage/gui/object_value_dialog.h"
#include "stage/gui/picture_bank_dialog.h"
#include "stage/gui/stage_view_area.h"
#include "stage/gui/stage_view_window.h"
#include "stage/object_placement.h"
#include "stage/stage_file.h"
#include "stage/stage_window_layout.h"
#include "stage/terrain_editing.h"
#include "stage/tool_buttons.h"
#include "stage/views/view_tools.h"

namespace {

constexpr const char* kAboutText =
    "Tarnhollow\n"
    "コースステージ エディタ\n"
    "\n"
    "路面ファイル(.pat)から\n"
    "レースコースのステージを作ります\n"
    "\n"
    "モード0  道路の周りの地形ワイヤーと\n"
    "         面のテクスチャー\n"
    "モード1  オブジェクトの配置と接着\n"
    "\n"
    "ステージファイル(.ste)には\n"
    "使った画像もすべて入ります\n"
    "\n"
    "TarnhollowVersion1.1";
constexpr uint32_t kLogoColour = 0x003663;

// The size of the first window, before a placement was ever saved.
constexpr int kFirstWidth = 1024;
constexpr int kFirstHeight = 740;

// The action buttons that may open a dialog or a message box.
bool ActionMayAsk(int32_t id) {
  switch (id) {
    case kMode0SplitSettingButton:
    case kMode1SplitSettingButton:
    case kNewTextureButton:
    case kUsedTextureButton:
    case kObjectValueButton:
    case kCreateBitmapObjectButton:
    case kCreateBackgroundObjectButton:
      return true;
    default:
      return false;
  }
}

}  // namespace

StageEdit StageEditOfAction(int id, const ToolStateBlock& tools) {
  if (id == StageMainWindow1::kViewEditAction) {
    switch (EditDragOf(tools)) {
      case EditDrag::kPointMove:
        return StageEdit::kPointMoved;
      case EditDrag::kObjectMove:
        return StageEdit::kObjectMoved;
      case EditDrag::kObjectTurn:
        return StageEdit::kObjectTurned;
      case EditDrag::kObjectZoom:
        return StageEdit::kObjectScaled;
      case EditDrag::kObjectOrigin:
        return StageEdit::kObjectOriginMoved;
      case EditDrag::kNone:
        return StageEdit::kOtherChange;
    }
  }
  static const struct {
    int id;
    StageEdit edit;
  } kActions[] = {
      {kLeftAddButton, StageEdit::kWireAdded},
      {kRightAddButton, StageEdit::kWireAdded},
      {kLeftDeleteButton, StageEdit::kWireDeleted},
      {kRightDeleteButton, StageEdit::kWireDeleted},
      {kCopyBeforePartitionButton, StageEdit::kWiresCopied},
      {kCopyBeforeWorldButton, StageEdit::kWiresCopied},
      {kGluePointButton, StageEdit::kPointsGlued},
      {kUngluePointButton, StageEdit::kPointUnglued},
      {kNewTextureButton, StageEdit::kFaceTextureSet},
      {kUsedTextureButton, StageEdit::kFaceTextureSet},
      {kInvertTextureButton, StageEdit::kTextureInverted},
      {kRotateTextureButton, StageEdit::kTextureTurned},
      {StageMainWindow1::kObjectFileCommand, StageEdit::kObjectCreated},
      {kCreateBitmapObjectButton, StageEdit::kBitmapObjectCreated},
      {kCreateBackgroundObjectButton, StageEdit::kBackgroundObjectCreated},
      {kObjectValueButton, StageEdit::kObjectValuesSet},
      {kCopyObjectButton, StageEdit::kObjectCopied},
      {kDeleteObjectButton, StageEdit::kObjectDeleted},
      {kGlueButton, StageEdit::kObjectGlued},
      {kUnglueButton, StageEdit::kObjectUnglued},
      {kResetMoveButton, StageEdit::kObjectCoordinatesReset},
  };
  for (const auto& action : kActions) {
    if (action.id == id) return action.edit;
  }
  return StageEdit::kOtherChange;
}

StagePaths StagePaths::FromProgramDirectory() {
  StagePaths paths;
  paths.settings = SettingsPathIn(ApplicationDirectoryPath(), "tarnhollow");
  paths.bitmap_template = BitmapTemplatePath();
  paths.back_template = BackgroundTemplatePath();
  paths.help_page = DataFilePath("Help/tarnhollow.html");
  paths.recovery_folder = RecoveryFolder("tarnhollow");
  return paths;
}

StageMainWindow1::StageMainWindow1(const StagePaths& paths) : paths_(paths) {
  // The window classes and the picture bank start once for the window's life.
  DrawButton1::StartUp();
  MessageWindow1::StartUp();
  TextWindow1::StartUp();
  PictureBankHighColor1::StartUp(16);
  PictureViewWnd1::StartUp();
  PictureBankHighColorWnd1::StartUp();

  StageButtonPanel::InitResources();
  setObjectName(QStringLiteral("MyWin"));
  setWindowIcon(QIcon(NamedBitmap("MAIN_ICON")));
  BuildMenu();

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("MyWinClient"));
  client_->setAutoFillBackground(true);
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  client_->setPalette(palette);
  setCentralWidget(client_);

  document_ = std::make_unique<StageDocument>(Context());
  // The views ask the buttons for the tool state from their first drawing on.
  mode_window_ = new ModeWindow1(PanelContext{&buttons_, &stage_}, client_);
  connect(mode_window_, &StageButtonPanel::ButtonPressed, this, [this](int id) { Command(id); });
  PanelCommand create;
  create.code = kPanelCreate;
  create.parent = client_;
  mode_window_->Command(create);
  views_ = new StageViewArea(&stage_, this, client_);
  ShowModeWindows();
  EnableObjectFileCommand(false);
  client_->installEventFilter(this);
  resize(kFirstWidth, kFirstHeight);
  ShowChosenView();
  LayOut();

  // The history reads the stage's pictures from the bank, started above.
  history_ = std::make_unique<StageHistory>(stage_);
  RecoveryKeeper::Document recovered;
  recovered.modified = [this] { return stage_.Modified(); };
  recovered.bytes = [this] { return StageFile::Image(stage_, ToolState(), CurrentViews()); };
  recovered.path = [this] { return document_->Path(); };
  recovery_ = new RecoveryKeeper(paths_.recovery_folder, RecoveryIntervalMinutes(paths_.settings),
                                 recovered, this);
  Refresh();
  UpdateEditMenu();
}

StageMainWindow1::~StageMainWindow1() {
  // A clean exit: the recovery copy goes.
  delete recovery_;
  recovery_ = nullptr;
  history_.reset();
  client_->removeEventFilter(this);
  // The views ask the buttons to the last, so they go first.
  delete views_;
  views_ = nullptr;
  PanelCommand destroy;
  destroy.code = kPanelDestroy;
  mode_window_->Command(destroy);
  delete mode_window_;
  mode_window_ = nullptr;
  // The stage gives its pictures back before the bank shuts down.
  stage_.Reset();
  PictureBankHighColorWnd1::ShutDown();
  PictureViewWnd1::ShutDown();
  PictureBankHighColor1::ShutDown();
  TextWindow1::ShutDown();
  MessageWindow1::ShutDown();
  DrawButton1::ShutDown();
}

StageCommandContext StageMainWindow1::Context() {
  StageCommandContext context;
  context.stage = &stage_;
  context.windows = this;
  context.owner = static_cast<QWidget*>(this);
  context.settings_path = paths_.settings;
  return context;
}

void StageMainWindow1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MAINMENU"));
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
  const std::vector<MenuCommand> commands = {
      {kNewCommand, "新規作成", file, QKeySequence(Qt::CTRL | Qt::Key_N), false},
      {kOpenCommand, "開く", file, QKeySequence(Qt::CTRL | Qt::Key_O), false},
      {kSaveCommand, "上書き保存", file, QKeySequence(Qt::CTRL | Qt::Key_S), false},
      {kSaveAsCommand, "名前を付けて保存", file, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
       true},
      {kPartitionFileCommand, "路面ファイル(.pat)を開く", file, QKeySequence(), false},
      {kObjectFileCommand, "オブジェクトファイル(.po3)を開く", file, QKeySequence(), true},
      {kGltfExportCommand, "glTFファイルを出力", file, QKeySequence(), false},
      {kUndoCommand, kUndoMenuText, edit, QKeySequence(Qt::CTRL | Qt::Key_Z), false},
      {kRedoCommand, kRedoMenuText, edit, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false,
       QKeySequence(Qt::CTRL | Qt::Key_Y)},
      {kHelpCommand, "ヘルプ", help, QKeySequence(Qt::Key_F1), false},
      {kAboutCommand, "バージョン情報", help, QKeySequence(), false},
  };
  AddMenuCommands(this, commands, [this](int id) { Command(id); });
}

QAction* StageMainWindow1::ActionById(int id) const { return MenuCommandAction(this, id); }

void StageMainWindow1::Command(int id) {
  switch (id) {
    case kNewCommand:
      document_->New();
      break;
    case kOpenCommand:
      document_->Open();
      break;
    case kSaveCommand:
      document_->Save();
      break;
    case kSaveAsCommand:
      document_->SaveAs();
      break;
    case kPartitionFileCommand:
      document_->OpenPartitionFile();
      break;
    case kObjectFileCommand:
      // Disabled until a road is loaded.
      if (!ActionById(kObjectFileCommand)->isEnabled()) return;
      OpenPolygonObjectCommand(Context());
      break;
    case kGltfExportCommand:
      ExportGltf();
      return;  // writes a file; the stage is unchanged
    case kHelpCommand:
      ShowHelp();
      break;
    case kAboutCommand:
      ShowAbout();
      break;
    case kUndoCommand:
      Undo();
      break;
    case kRedoCommand:
      Redo();
      break;
    default:
      if (FindToolButton(id) == nullptr) return;
      PressButton(id);
      break;
  }
  FinishAction(id);
}

void StageMainWindow1::PressButton(int32_t id) {
  switch (buttons_.Press(id)) {
    case ToolButtonState::Effect::kNothing:
      break;
    case ToolButtonState::Effect::kModeChanged:
      ShowModeWindows();
      ShowChosenView();
      break;
    case ToolButtonState::Effect::kToolChanged:
      ShowModeWindows();
      views_->RedrawViews();
      break;
    case ToolButtonState::Effect::kViewChanged:
      ShowChosenView();
      break;
    case ToolButtonState::Effect::kChoiceChanged:
    case ToolButtonState::Effect::kSwitchToggled:
      views_->RedrawViews();
      break;
    case ToolButtonState::Effect::kAction:
      RunAction(id);
      break;
  }
  mode_window_->ShowStates();
}

void StageMainWindow1::RunAction(int32_t id) {
  // An action that asks in a dialog or a message box: the tool button under the pointer
  // holds the mouse, and where showing the dialog does not deactivate this window (no window
  // manager) the dialog could not be clicked until the button let go.
  if (ActionMayAsk(id)) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  }
  switch (id) {
    case kMode0SplitSettingButton:
    case kMode1SplitSettingButton:
      SplitSetting();
      return;
    case kLeftAddButton:
      AddWireOnSide(stage_, kLeftSide);
      break;
    case kRightAddButton:
      AddWireOnSide(stage_, kRightSide);
      break;
    case kLeftDeleteButton:
      DeleteWireOnSide(stage_, kLeftSide);
      break;
    case kRightDeleteButton:
      DeleteWireOnSide(stage_, kRightSide);
      break;
    case kCopyBeforePartitionButton:
      CopyWiresFromPartitionBefore(stage_, CopyFrame::kPartition);
      break;
    case kCopyBeforeWorldButton:
      CopyWiresFromPartitionBefore(stage_, CopyFrame::kWorld);
      break;
    case kGluePointButton:
      GlueSelectedPoint(stage_);
      break;
    case kUngluePointButton:
      UnglueSelectedPoint(stage_);
      break;
    case kNewTextureButton:
      NewTextureForSelection(stage_, static_cast<QWidget*>(this), paths_.settings);
      break;
    case kUsedTextureButton:
      UsedTextureForFaces();
      break;
    case kInvertTextureButton:
      InvertSelectedTextures(stage_);
      break;
    case kRotateTextureButton:
      RotateSelectedTextures(stage_);
      break;
    case kObjectValueButton:
      ObjectValues();
      break;
    case kCopyObjectButton:
      CopySelectedObject(stage_);
      break;
    case kDeleteObjectButton:
      DeleteSelectedObject(stage_);
      break;
    case kCreateBitmapObjectButton:
      CreateTemplateObject(CreationMode::kBitmapObject);
      break;
    case kCreateBackgroundObjectButton:
      CreateTemplateObject(CreationMode::kBackgroundObject);
      break;
    case kGlueButton:
      GlueSelectedObject(stage_);
      break;
    case kUnglueButton:
      UnglueSelectedObject(stage_);
      break;
    case kResetMoveButton:
      ResetObjectMove(stage_);
      break;
    default:
      return;
  }
  views_->RedrawViews();
}

void StageMainWindow1::ShowChosenView() {
  const int32_t choice = ViewChoiceOfButton(buttons_.ViewButton(buttons_.Mode()));
  if (choice == kSplitViewChoice) {
    views_->ShowSplitView();
  } else if (choice != kNoViewChoice) {
    views_->ShowView(choice);
  }
}

void StageMainWindow1::SplitSetting() {
  DivsetDialog dialog(views_->SplitPanes(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  views_->SetSplitPanes(dialog.Panes());
  views_->RedrawViews();
}

void StageMainWindow1::CreateTemplateObject(CreationMode mode) {
  const bool bitmap = mode == CreationMode::kBitmapObject;
  QWidget* owner = this;
  if (bitmap ? !CanCreateBitmapObject(stage_, owner) : !CanCreateBackgroundObject(stage_, owner)) {
    return;
  }
  CreateBitmapObjectDialog dialog(
      &stage_, mode, bitmap ? paths_.bitmap_template : paths_.back_template, paths_.settings, this);
  if (dialog.Run() == QDialog::Accepted) views_->RedrawViews();
}

void StageMainWindow1::ObjectValues() {
  if (!CanOpenObjectValueDialog(stage_, static_cast<QWidget*>(this))) return;
  ObjectValueDialog dialog(&stage_, this);
  if (dialog.exec() == QDialog::Accepted) views_->RedrawViews();
}

void StageMainWindow1::UsedTextureForFaces() {
  if (!CheckFaceSelection(stage_, static_cast<QWidget*>(this))) return;
  const int32_t picture = PictureBankDialog::Pick(this);
  if (picture != -1) UsedTextureForSelection(stage_, picture);
}

void StageMainWindow1::Undo() {
  if (ViewDragging() || !history_->Undo()) return;
  ShowHistoryMove();
}

void StageMainWindow1::Redo() {
  if (ViewDragging() || !history_->Redo()) return;
  ShowHistoryMove();
}

bool StageMainWindow1::ViewDragging() const {
  const QList<StageViewWindow*> windows = views_->findChildren<StageViewWindow*>();
  return std::any_of(windows.begin(), windows.end(),
                     [](const StageViewWindow* view) { return view->Dragging(); });
}

void StageMainWindow1::ShowHistoryMove() {
  // The stage was read back: objects, shapes and pictures have new IDs, so everything that
  // shows them asks afresh. The selection it went back to may lie outside the views.
  views_->KeepSelectedPartitionInView();
  views_->RedrawViews();
  Refresh();
}

void StageMainWindow1::TrackHistory(int id) {
  switch (id) {
    case kNewCommand:
    case kOpenCommand:
    case kPartitionFileCommand:
    case kSaveCommand:
    case kSaveAsCommand:
      if (stage_replaced_) {
        history_->Clear();
        recovery_->Forget();
      } else if (!stage_.Modified()) {
        // Saved, here or when the command asked to save first.
        history_->MarkSaved();
        recovery_->Forget();
      }
      stage_replaced_ = false;
      break;
    case kUndoCommand:
    case kRedoCommand:
      break;
    default:
      history_->Record(StageEditOfAction(id, ToolState()));
      break;
  }
}

void StageMainWindow1::UpdateEditMenu() {
  ShowUndoRedo(ActionById(kUndoCommand), ActionById(kRedoCommand), *history_);
}

bool StageMainWindow1::RecoverLeftOverWork() {
  return OfferRecovery(
      paths_.recovery_folder, static_cast<QWidget*>(this),
      [this](const RecoveredDocument& recovered) { return RestoreRecovered(recovered); },
      recovery_);
}

bool StageMainWindow1::RestoreRecovered(const RecoveredDocument& recovered) {
  if (document_->OpenRecovered(recovered.bytes, recovered.original_path) != 0) return false;
  stage_replaced_ = false;
  history_->Clear();
  Refresh();
  UpdateEditMenu();
  return true;
}

void StageMainWindow1::ExportGltf() {
  std::string path;
  if (AskFilePath(this, path, "GltfFileSave", paths_.settings,
                  {{"glTF(*.glb)", "*.glb"}, {"glTF(*.gltf)", "*.gltf"}},
                  FileDialogKind::kSave) != 0) {
    return;
  }
  if (!IsGltfPath(path)) path += ".glb";
  std::string error;
  const GltfWriteResult result = WriteStageGltf(stage_, path, &error);
  if (result == GltfWriteResult::kWritten) return;
  std::string message = StageGltfMessage(result);
  if (result == GltfWriteResult::kCannotWrite) {
    message += "\n" + path + (error.empty() ? "" : ": " + error);
  }
  Prompter::Current().Message(this, "Error", message, PromptIcon::kError, PromptButtons::kOk);
}

void StageMainWindow1::ShowHelp() { HelpWindow1::Show(this, paths_.help_page); }

void StageMainWindow1::ShowAbout() {
  AboutWindow1::Show(this, 256, "LOGO_BMP", 512, kAboutText, kLogoColour);
}

bool StageMainWindow1::OpenFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  const std::string full = error ? path : absolute.string();
  std::string extension = absolute.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const bool partition = extension == ".pat";
  const int result = partition ? document_->OpenPartitionFileAt(full) : document_->OpenAt(full);
  FinishAction(partition ? kPartitionFileCommand : kOpenCommand);
  return result == 0;
}

void StageMainWindow1::RestorePlacement() {
  // No placement saved yet: the first window gets room for every tool.
  if (SettingsFile::ReadString(paths_.settings, kPlacementSection, "Right", "").empty()) {
    resize(kFirstWidth, kFirstHeight);
    return;
  }
  WindowsService1::LoadPlacement(this, kPlacementSection, paths_.settings);
}

bool StageMainWindow1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) LayOut();
  return QMainWindow::eventFilter(watched, event);
}

void StageMainWindow1::LayOut() {
  PanelCommand layout;
  layout.code = kPanelLayout;
  layout.width = client_->width();
  layout.height = client_->height();
  mode_window_->Command(layout);
  const PanelRect area = LayOutStageWindow(layout.width, layout.height).views;
  views_->setGeometry(area.x, area.y, area.width, area.height);
}

ToolStateBlock StageMainWindow1::ToolState() const {
  if (mode_window_ == nullptr) return buttons_.Block();
  ToolStateBlock block;
  PanelCommand fill;
  fill.code = kPanelFill;
  fill.block = &block;
  mode_window_->Command(fill);
  return block;
}

void StageMainWindow1::StageChangedByView(ViewChange change) {
  switch (change) {
    case ViewChange::kEditFinished:
      FinishAction(kViewEditAction);
      break;
    case ViewChange::kSelection:
      // Remembered for undo, which goes back to the selection made before a step.
      history_->Record(StageEdit::kOtherChange);
      Refresh();
      break;
    case ViewChange::kEditing:
      Refresh();
      break;
  }
}

ViewSection StageMainWindow1::CurrentViews() { return views_->CurrentViews(); }

void StageMainWindow1::ResetViews() {
  stage_replaced_ = true;
  view_aim_ = ViewAim::kAll;
  views_->ResetViews();
  ShowChosenView();
}

void StageMainWindow1::HideModeWindows() {
  PanelCommand hide;
  hide.code = kPanelShow;
  hide.show = false;
  mode_window_->Command(hide);
}

void StageMainWindow1::ApplyToolState(const ToolStateBlock& block) {
  ToolStateBlock copy = block;
  PanelCommand restore;
  restore.code = kPanelRestore;
  restore.block = &copy;
  mode_window_->Command(restore);
  ShowChosenView();
}

void StageMainWindow1::ShowModeWindows() {
  PanelCommand show;
  show.code = kPanelShow;
  show.show = true;
  mode_window_->Command(show);
}

void StageMainWindow1::ApplyViews(const ViewSection& views) {
  views_->ApplyViews(views);
  view_aim_ = ViewAim::kLost;
}

void StageMainWindow1::RedrawViews() {
  if (view_aim_ != ViewAim::kNone) {
    // The stage has arrived: the views look at its road (when it has one).
    views_->AimAtRoad(view_aim_ == ViewAim::kLost);
    view_aim_ = ViewAim::kNone;
  }
  views_->RedrawViews();
  Refresh();
}

void StageMainWindow1::EnableObjectFileCommand(bool enabled) {
  ActionById(kObjectFileCommand)->setEnabled(enabled);
}

void StageMainWindow1::Refresh() {
  PanelCommand refresh;
  refresh.code = kPanelRefresh;
  mode_window_->Command(refresh);
  UpdateTitle();
}

void StageMainWindow1::FinishAction(int id) {
  TrackHistory(id);
  Refresh();
  UpdateEditMenu();
  emit ActionFinished(id);
}

void StageMainWindow1::UpdateTitle() {
  setWindowTitle(QString::fromStdString(document_->TitleName()) + QStringLiteral("[*] - ") +
                 QString::fromLatin1(kTitle));
  setWindowModified(stage_.Modified());
}

void StageMainWindow1::closeEvent(QCloseEvent* event) {
  if (!closed_ && document_->AskToSave() != 0) {
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    if (HelpWindow1* help = HelpWindow1::Current()) help->close();
    if (AboutWindow1* about = AboutWindow1::Current()) about->close();
    WindowsService1::SavePlacement(this, kPlacementSection, paths_.settings);
  }
  event->accept();
}
