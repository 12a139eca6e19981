// The course designer's main window over a temporary folder, with a scripted prompter and its
// recovery copies in the folder, for the undo and recovery tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

#include "course/course_file.h"
#include "course/gui/course_designer_window.h"
#include "course/sample_circuit.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace undo_test {

struct Designer {
  // `settings`: the text of "Settei.ini" before the window is made ("" for none).
  explicit Designer(const std::string& settings = "") {
    EnsureTestApplication();
    if (!settings.empty()) folder.Write("Settei.ini", settings);
    const std::string resources = std::string(SUITE_SOURCE_DIR) + "/resources/merrowlindale/";
    DesignerPaths paths;
    paths.settings = folder.File("Settei.ini");
    paths.help_page = resources + "Help/merrowlindale.html";
    paths.sound = folder.File("SetButton.wav");  // not there: no sound in tests
    paths.texture = resources + "Texture.bmp";
    paths.recovery_folder = folder.File("state/merrowlindale/");
    window = std::make_unique<CourseDesignerWindow1>(paths);
    window->resize(1091, 760);
    window->show();
    QApplication::processEvents();
  }
  std::string StateFolder() const { return folder.File("state/merrowlindale/"); }
  // The sample circuit as a course file in the folder; its path.
  std::string SampleFile() {
    CourseData1 sample;
    sample.Initialise();
    BuildSampleCircuit(sample);
    const std::string path = folder.File("sample.cus");
    EXPECT_EQ(SaveCourseFile(sample, path), kCourseFileOk);
    return path;
  }
  // Opens the sample circuit as the author does; its path.
  std::string OpenSample() {
    const std::string path = SampleFile();
    EXPECT_TRUE(window->OpenCourseFile(path));
    return path;
  }

  TempFolder folder;
  ScopedScriptedPrompter prompter;
  std::unique_ptr<CourseDesignerWindow1> window;
};

}  // namespace undo_test
