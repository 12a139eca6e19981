// The converter's dialog "DIALOG_1": input COB file, output PO3 file, the turn-over option,
// and a conversion on a worker thread with a progress bar and a cancel button. The worker never
// touches a widget: progress and the result come back to the dialog as queued calls.
#pragma once

#include <QDialog>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "converter/cob_conversion.h"
#include "converter/output_folder.h"

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

class ConvertDialog : public QDialog {
  Q_OBJECT

 public:
  // Control ids of the dialog, kept as the property "controlId" of each control.
  enum ControlId {
    kInputEdit = 102,
    kInputBrowse = 103,
    kOutputBrowse = 106,
    kOutputEdit = 107,
    kCancelButton = 108,
    kRunButton = 109,
    kInvertBox = 110,
  };
  static constexpr int kProgressMaximum = 50;

  // `program_directory` ends with "/"; the default paths are made from it.
  ConvertDialog(const std::string& settings_path, const std::string& program_directory,
                QWidget* parent = nullptr);
  ~ConvertDialog() override;

  QWidget* Control(int id) const;
  // Puts `path` into the input field, as the input's browse button does.
  void SetInputPath(const std::string& path);
  QProgressBar* ProgressBar() const { return progress_; }
  bool Running() const { return worker_.joinable(); }

  // The close step: stops a running conversion, writes the settings and ends the dialog.
  void reject() override;

 signals:
  // A conversion has ended and its message was shown.
  void ConversionFinished(int result);

 private:
  void BrowseInput();
  void BrowseOutput();
  void Start();
  void Cancel();
  // The result message, with a line for each note of the conversion.
  void Finish(int result, const std::vector<std::string>& notes);
  void ShowProgress();
  void SetRunning(bool running);
  void StopWorker();
  void SaveSettings();
  // Called on the worker thread after every item the COB reader reads.
  int WorkerProgress();

  std::string settings_path_;
  QLineEdit* input_edit_ = nullptr;
  QLineEdit* output_edit_ = nullptr;
  QCheckBox* invert_box_ = nullptr;
  QPushButton* input_browse_ = nullptr;
  QPushButton* output_browse_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* run_button_ = nullptr;
  QProgressBar* progress_ = nullptr;

  OutputFolder output_folder_;
  std::thread worker_;
  std::atomic<int> cancel_{0};
  std::atomic<long long> steps_{0};
  std::atomic<bool> progress_pending_{false};
};

// The program's window: finds its directory and settings file and runs the dialog, with
// `input_path` (when not empty) as its input file.
int RunConvertDialogProgram(const std::string& input_path = "");
