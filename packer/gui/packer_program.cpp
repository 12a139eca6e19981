#include "packer/gui/packer_program.h"

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "foundation/application_directory.h"
#include "foundation/class_startup.h"
#include "foundation/error.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/qt_translations.h"
#include "foundation/gui/value_edit_window.h"
#include "packer/gui/packer_main_dialog.h"
#include "packer/packer_batch.h"
#include "pictures/gui/picture_color_select_wnd.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

ClassStartUp& Counter() {
  static ClassStartUp counter("WinMain", ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

}  // namespace

void PackerClasses::StartUp() {
  Counter().StartUp();
  PictureBankHighColor1::StartUp(16);
  PictureViewWnd1::StartUp();
  PictureListWnd1::StartUp();
  ValueEditWindow1::StartUp();
  PictureColorSelectWnd1::StartUp();
}

void PackerClasses::ShutDown() {
  Counter().ShutDown();
  PictureColorSelectWnd1::ShutDown();
  ValueEditWindow1::ShutDown();
  PictureListWnd1::ShutDown();
  PictureViewWnd1::ShutDown();
  PictureBankHighColor1::ShutDown();
}

bool PackerClasses::Started() { return Counter().Started(); }

int RunPackerDialog(const std::string& settings_path, const std::string& open_path) {
  if (!DisplayDepth::Check()) return 1;
  std::string settings = settings_path;
  if (settings.empty()) {
    const std::string folder = ApplicationDirectoryPath();
    if (folder.empty()) Error1::Report("WinMain", "アプリケーションディレクトリの獲得に失敗", 3);
    settings = SettingsPathIn(folder, "tessaly");
  }
  PackerClasses::StartUp();
  {
    PackerMainDialog dialog(settings);
    if (!open_path.empty()) {
      std::error_code error;
      const std::filesystem::path absolute = std::filesystem::absolute(open_path, error);
      // Shown first, so that a message about the file has its window behind it.
      dialog.show();
      dialog.OpenFile(error ? open_path : absolute.string());
    }
    dialog.exec();
  }
  PackerClasses::ShutDown();
  return 0;
}

int TessalyMain(int argc, char** argv) {
  std::string open_path;
  if (argc > 1) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
      return PackerBatchMain(arguments, std::cout, std::cerr);
    }
    open_path = arguments[0];
  }
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  const int status = RunPackerDialog("", open_path);
  Prompter::Install(nullptr);
  return status;
}
