#include "converter/gui/convert_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "exchange/model_conversion.h"
#include "exchange/model_import.h"
#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/error.h"
#include "foundation/prompter.h"
#include "foundation/settings_file.h"

namespace {

constexpr const char* kSection = "FileName";
constexpr const char* kInputKey = "InputCobFile";
constexpr const char* kOutputKey = "OutputPolFile";
constexpr const char* kInvertKey = "InvertFlag";

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Text(const std::string& bytes) { return QString::fromStdString(bytes); }

template <typename Widget>
Widget* Placed(Widget* widget, int id, int x, int y, int width, int height) {
  widget->setGeometry(x, y, width, height);
  if (id != 0) widget->setProperty("controlId", id);
  return widget;
}

}  // namespace

ConvertDialog::ConvertDialog(const std::string& settings_path, const std::string& program_directory,
                             QWidget* parent)
    : QDialog(parent), settings_path_(settings_path) {
  setObjectName("DIALOG_1");
  setWindowTitle(Text("ファイルの変換"));
  setFixedSize(330, 196);

  auto* input_group = Placed(new QGroupBox(Text("入力ファイル"), this), 0, 5, 4, 320, 58);
  auto* output_group = Placed(new QGroupBox(Text("出力ファイル"), this), 0, 5, 68, 320, 58);
  Placed(new QLabel(Text("COBファイル"), input_group), 0, 8, 24, 78, 22);
  Placed(new QLabel(Text("PO3ファイル"), output_group), 0, 8, 24, 78, 22);
  input_edit_ = Placed(new QLineEdit(input_group), kInputEdit, 90, 24, 166, 24);
  input_browse_ = Placed(new QPushButton(Text("参照"), input_group), kInputBrowse, 262, 23, 50, 26);
  output_edit_ = Placed(new QLineEdit(output_group), kOutputEdit, 90, 24, 166, 24);
  output_browse_ =
      Placed(new QPushButton(Text("参照"), output_group), kOutputBrowse, 262, 23, 50, 26);
  invert_box_ = Placed(new QCheckBox(Text("面を裏返しにする"), this), kInvertBox, 12, 134, 200, 22);
  cancel_button_ = Placed(new QPushButton(Text("中止"), this), kCancelButton, 218, 162, 50, 26);
  run_button_ = Placed(new QPushButton(Text("実行"), this), kRunButton, 274, 162, 50, 26);
  for (QPushButton* button : {input_browse_, output_browse_, cancel_button_, run_button_}) {
    button->setAutoDefault(false);
  }

  progress_ = Placed(new QProgressBar(this), 0, 10, 165, 200, 20);
  progress_->setObjectName("msctls_progress32");
  progress_->setWindowTitle("Progress Bar");
  progress_->setRange(0, kProgressMaximum);
  progress_->setValue(0);
  progress_->setTextVisible(false);

  std::string input = SettingsFile::ReadString(settings_path_, kSection, kInputKey, "");
  if (input.empty()) input = program_directory + "test.cob";
  std::string output = SettingsFile::ReadString(settings_path_, kSection, kOutputKey, "");
  if (output.empty()) output = program_directory + "test.po3";
  input_edit_->setText(Text(input));
  output_edit_->setText(Text(output));
  invert_box_->setChecked(SettingsFile::ReadInt(settings_path_, kSection, kInvertKey, 1) != 0);
  SetRunning(false);

  // The keys of the file commands of the other programs reach the two browse buttons.
  input_browse_->setToolTip(Text("COBファイルを選びます (Ctrl+O)"));
  output_browse_->setToolTip(Text("PO3ファイルの保存先を選びます (Ctrl+Shift+S)"));
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, this,
          &ConvertDialog::BrowseInput);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
          &QShortcut::activated, this, &ConvertDialog::BrowseOutput);
  connect(input_browse_, &QPushButton::clicked, this, &ConvertDialog::BrowseInput);
  connect(output_browse_, &QPushButton::clicked, this, &ConvertDialog::BrowseOutput);
  connect(cancel_button_, &QPushButton::clicked, this, &ConvertDialog::Cancel);
  connect(run_button_, &QPushButton::clicked, this, &ConvertDialog::Start);
}

ConvertDialog::~ConvertDialog() { StopWorker(); }

QWidget* ConvertDialog::Control(int id) const {
  for (QWidget* widget : findChildren<QWidget*>()) {
    if (widget->property("controlId").toInt() == id) return widget;
  }
  return nullptr;
}

void ConvertDialog::SetInputPath(const std::string& path) { input_edit_->setText(Text(path)); }

void ConvertDialog::BrowseInput() {
  std::string path;
  // After the COB filter, every kind the converter reads.
  std::string models = std::string("*.cob ") + kModelFilePatterns;
  std::replace(models.begin(), models.end(), ' ', ';');
  if (AskFilePath(this, path, "cobfilerefer", settings_path_,
                  {{"cobファイル(*.cob)", "*.cob"},
                   {"cob・モデルファイル", models},
                   {"すべてのファイル(*)", "*"}},
                  FileDialogKind::kOpen) == 0) {
    input_edit_->setText(Text(path));
  }
}

void ConvertDialog::BrowseOutput() {
  std::string path;
  if (AskFilePath(this, path, "ascfilerefer", settings_path_, {{"po3ファイル(*.po3)", "*.po3"}},
                  FileDialogKind::kSave) == 0) {
    output_edit_->setText(Text(path));
  }
}

void ConvertDialog::Start() {
  if (Running()) return;
  ConversionRequest request;
  request.input_path = input_edit_->text().toStdString();
  request.output_path = output_edit_->text().toStdString();
  request.invert = invert_box_->isChecked();
  std::string error;
  if (!output_folder_.Prepare(request.output_path, &error)) {
    Prompter::Current().Message(this, "Error", error, PromptIcon::kError, PromptButtons::kOk);
    return;
  }
  request.output_directory = output_folder_.Directory();
  SetRunning(true);
  // A cancel left over from an earlier run must not stop this one.
  cancel_ = 0;
  steps_ = 0;
  worker_ = std::thread([this, request] {
    std::vector<std::string> notes;
    const int result = ConvertToPo3(
        request, [this](int) { return WorkerProgress(); }, &notes);
    QMetaObject::invokeMethod(
        this, [this, result, notes] { Finish(result, notes); }, Qt::QueuedConnection);
  });
}

int ConvertDialog::WorkerProgress() {
  steps_.fetch_add(1);
  // One pending update at a time: a large file reads far more items than the screen can show.
  if (!progress_pending_.exchange(true)) {
    QMetaObject::invokeMethod(
        this, [this] { ShowProgress(); }, Qt::QueuedConnection);
  }
  return cancel_.exchange(0) != 0 ? 1 : 0;
}

void ConvertDialog::ShowProgress() {
  progress_pending_ = false;
  if (!Running()) return;
  // The bar steps by one and starts over after its maximum.
  progress_->setValue(static_cast<int>(steps_.load() % (kProgressMaximum + 1)));
}

void ConvertDialog::Cancel() { cancel_ = 1; }

void ConvertDialog::Finish(int result, const std::vector<std::string>& notes) {
  // A conversion stopped by the close step has no message.
  if (!Running()) return;
  worker_.join();
  if (result != kConverted) output_folder_.RemoveCreated();
  std::string message = ConversionMessage(result);
  for (const std::string& note : notes) message += "\n" + note;
  Prompter::Current().Message(this, "Message", message, PromptIcon::kInformation,
                              PromptButtons::kOk);
  progress_->setValue(0);
  SetRunning(false);
  emit ConversionFinished(result);
}

void ConvertDialog::SetRunning(bool running) {
  run_button_->setEnabled(!running);
  cancel_button_->setEnabled(running);
}

void ConvertDialog::StopWorker() {
  if (!worker_.joinable()) return;
  cancel_ = 1;
  worker_.join();
}

void ConvertDialog::SaveSettings() {
  SettingsFile::WriteStrings(settings_path_, kSection,
                             {{kInputKey, input_edit_->text().toStdString()},
                              {kOutputKey, output_edit_->text().toStdString()},
                              {kInvertKey, invert_box_->isChecked() ? "1" : "0"}});
}

void ConvertDialog::reject() {
  const bool stopped = Running();
  StopWorker();
  // A conversion stopped midway wrote nothing; folders made for it go too (a folder that
  // got files stays).
  if (stopped) output_folder_.RemoveCreated();
  progress_->setValue(0);
  SetRunning(false);
  SaveSettings();
  QDialog::reject();
}

int RunConvertDialogProgram(const std::string& input_path) {
  const std::string program_directory = ApplicationDirectoryPath();
  if (program_directory.empty()) {
    Error1::Report("Main", "アプリケーションディレクトリの獲得に失敗", 3);
    return 1;
  }
  // The default file names point beside the program in the build tree, into the home folder
  // of an installed one (a conversion must not write into /usr/bin).
  ConvertDialog dialog(SettingsPathIn(program_directory, "polyconv"),
                       DocumentFolderFor(program_directory));
  if (!input_path.empty()) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(input_path, error);
    dialog.SetInputPath(error ? input_path : absolute.string());
  }
  dialog.exec();
  return 0;
}
