// The stage editor's main window over a temporary folder, with a scripted prompter, for the
// window and dialog tests; and the way to answer a modal dialog the window opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "stage/gui/stage_main_window.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/stage/stage_fixtures.h"
#include "tests/support/temp_folder.h"

namespace mainwin_test {

// The editor's paths for a window whose settings and recovery copies are in `folder`.
inline StagePaths PathsIn(const std::string& folder) {
  StagePaths paths;
  paths.settings = folder + "/Settei.ini";
  paths.bitmap_template = std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/BitmapObject.bof";
  paths.back_template = std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/BackObject.bof";
  paths.help_page = std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/Help/tarnhollow.html";
  paths.recovery_folder = folder + "/state/tarnhollow/";
  return paths;
}

struct Editor {
  // `settings`: the text of "Settei.ini" before the window is made ("" for none).
  explicit Editor(const std::string& settings = "") {
    EnsureTestApplication();
    if (!settings.empty()) folder.Write("Settei.ini", settings);
    const StagePaths paths = PathsIn(folder.Path());
    window = std::make_unique<StageMainWindow1>(paths);
    window->resize(1000, 700);
    window->show();
    QApplication::processEvents();
  }
  ~Editor() {
    // A window closed by the test has asked its question already.
    window.reset();
  }
  // A partition file of a straight road of `lines` lines.
  std::string Road(int32_t lines = 12) {
    return folder.Write("road.pat", stage_test::StraightPat(lines));
  }
  // Opens the road through the menu, as the author does.
  void OpenRoad(int32_t lines = 12) {
    prompter.QueuePath(Road(lines));
    window->Command(StageMainWindow1::kPartitionFileCommand);
    ASSERT_EQ(window->GetStage().GetTerrain().PartitionCount(), lines - 1);
  }
  Stage& stage() { return window->GetStage(); }
  // Where the window keeps its recovery copies.
  std::string StateFolder() const { return PathsIn(folder.Path()).recovery_folder; }
  QWidget* Find(const char* object_name) const {
    return window->findChild<QWidget*>(QString::fromLatin1(object_name));
  }

  TempFolder folder;
  ScopedScriptedPrompter prompter;
  std::unique_ptr<StageMainWindow1> window;
};

// Runs `answer` on the next modal dialog of type T once it is open (from the event loop the
// dialog runs), so a test can drive a dialog the window opens and waits on.
template <typename T>
void WhenDialogOpens(std::function<void(T*)> answer, int tries = 400) {
  QTimer::singleShot(tries == 400 ? 0 : 5, [answer, tries] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      answer(dialog);
    } else if (tries > 0) {
      WhenDialogOpens<T>(answer, tries - 1);
    }
  });
}

}  // namespace mainwin_test
