#include "course/gui/merrowlindale_program.h"

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "course/course_batch.h"
#include "course/gui/course_designer_window.h"
#include "exchange/course_gltf.h"
#include "foundation/application_directory.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/windows_service.h"

namespace {

constexpr const char* kUsage =
    "usage: merrowlindale [COURSE.cus]\n"
    "       merrowlindale --export-pat OUTPUT.pat COURSE.cus\n"
    "       merrowlindale --export-cob OUTPUT.cob COURSE.cus\n"
    "       merrowlindale --export-gltf OUTPUT.glb|OUTPUT.gltf COURSE.cus\n"
    "\n"
    "Without arguments the course designer opens its window; with a course file it opens\n"
    "that course. --export-pat writes the partition file of a course (and its .txt listing\n"
    "beside it) and --export-cob its road surface as a COB object, exactly as the menu\n"
    "commands do, without a window; --export-gltf writes the road surface with the road\n"
    "texture as glTF 2.0 (.glb, or .gltf with its files beside it). Exit status 0 on\n"
    "success, otherwise the message is printed and the status is the result code.\n";

int RunBatch(const std::string& option, const std::string& output, const std::string& course) {
  const int32_t result = option == "--export-pat" ? ExportPartitionFromCourseFile(course, output)
                                                  : ExportCobFromCourseFile(course, output);
  if (result != kBatchDone) {
    std::fprintf(stderr, "merrowlindale: %s: %s\n", CourseBatchMessage(result),
                 result == kBatchCannotWrite ? output.c_str() : course.c_str());
    return result;
  }
  return 0;
}

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  return error ? std::string(".") : here.string();
}

int RunGltfBatch(const std::string& output, const std::string& course) {
  bool untextured = false;
  const int32_t result = ExportGltfFromCourseFile(
      course, DesignerPaths::From(CurrentDirectory()).texture, output, &untextured);
  if (result != kCourseGltfWritten) {
    std::fprintf(stderr, "merrowlindale: %s: %s\n", CourseGltfMessage(result),
                 result == kCourseGltfCannotWrite ? output.c_str() : course.c_str());
    return result;
  }
  if (untextured) std::fprintf(stderr, "merrowlindale: %s\n", kGltfUntexturedNote);
  return 0;
}

}  // namespace

int RunMerrowlindale(int argc, char** argv) {
  std::string course_path;
  if (argc >= 2) {
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
      std::fputs(kUsage, stdout);
      std::printf("\nManual: %s\n", DataFilePath("Help/merrowlindale.html").c_str());
      return 0;
    }
    if (first == "--export-pat" || first == "--export-cob" || first == "--export-gltf") {
      if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      if (first == "--export-gltf") {
        if (!IsGltfPath(argv[2])) {
          std::fputs(kUsage, stderr);
          return 2;
        }
        return RunGltfBatch(argv[2], argv[3]);
      }
      return RunBatch(first, argv[2], argv[3]);
    }
    if (argc > 2 || (!first.empty() && first[0] == '-')) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    course_path = first;
  }

  // The settings follow the directory the designer was started in.
  const std::string current_directory = CurrentDirectory();
  QApplication app(argc, argv);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  int status = 0;
  {
    CourseDesignerWindow1 window(DesignerPaths::From(current_directory));
    if (!DisplayDepth::Check(&window)) {
      status = 1;
    } else {
      WindowsService1::LoadPlacement(&window, "MainWindow", window.Paths().settings);
      window.show();
      if (!course_path.empty()) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(course_path, error);
        window.OpenCourseFile(error ? course_path : absolute.string());
      }
      status = app.exec();
    }
  }
  Prompter::Install(nullptr);
  return status;
}
