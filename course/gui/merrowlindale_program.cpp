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
#include "foundation/gui/qt_translations.h"
#include "foundation/gui/windows_service.h"

namespace {

// The batch modes, one row each: what --help shows and what runs them.
struct BatchMode {
  const char* option;
  const char* output;  // how the usage names the output file
  const char* help;
  int32_t (*run)(const std::string& course, const std::string& output, std::string* reason);
};
const BatchMode kBatchModes[] = {
    {"--export-pat", "OUTPUT.pat",
     "パーテーションファイル (.pat) と一覧 (.txt) を書き出します (「patﾌｧｲﾙを出力」と同じ)",
     &ExportPartitionFromCourseFile},
    {"--export-cob", "OUTPUT.cob",
     "路面を COB オブジェクトとして書き出します (「cobﾌｧｲﾙを出力」と同じ)",
     &ExportCobFromCourseFile},
};

constexpr int kUsageStatus = 64;

std::string Usage() {
  std::string text =
      "使い方:\n"
      "  merrowlindale               コースデザイナーのウィンドウを開きます\n"
      "  merrowlindale COURSE.cus    コースファイルを開いてウィンドウを開きます\n";
  for (const BatchMode& mode : kBatchModes) {
    text += std::string("  merrowlindale ") + mode.option + " " + mode.output + " COURSE.cus\n" +
            "      " + mode.help + "\n";
  }
  text +=
      "  merrowlindale --export-gltf OUTPUT.glb|OUTPUT.gltf COURSE.cus\n"
      "      路面を道路テクスチャー付きの glTF 2.0 として書き出します (「glTFﾌｧｲﾙを出力」と同じ)\n"
      "  merrowlindale --help        この説明を表示します\n"
      "\n"
      "書き出しはウィンドウを開かずに行い、失敗したときは元のファイルをそのまま残します。\n"
      "\n"
      "終了コード:\n"
      "   0  成功 (ウィンドウはそれを閉じたとき)\n"
      "   1  コースファイルを開けない (ウィンドウ: 画面の色数が 16 または 24 ビットでない)\n"
      "   2  コースファイルが壊れている\n"
      "   3  出力ファイルを書き込めない\n"
      "   4  パーテーションラインが多すぎる\n"
      "   5  コースに路面がない (glTF の書き出し)\n"
      "  64  引数の誤り\n";
  return text;
}

int UsageError(const std::string& what) {
  std::fprintf(stderr, "merrowlindale: %s\n\n%s", what.c_str(), Usage().c_str());
  return kUsageStatus;
}

const BatchMode* FindBatchMode(const std::string& option) {
  for (const BatchMode& mode : kBatchModes) {
    if (option == mode.option) return &mode;
  }
  return nullptr;
}

int RunBatch(const BatchMode& mode, const std::string& output, const std::string& course) {
  std::string reason;
  const int32_t result = mode.run(course, output, &reason);
  if (result != kBatchDone) {
    std::fprintf(stderr, "%s\n", CourseBatchLine(result, course, output, reason).c_str());
    return result;
  }
  return 0;
}

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  return error ? std::string(".") : here.string();
}

// --export-gltf, beside the table: its output must be .glb or .gltf, and a course without a
// road has a result of its own.
int RunGltfBatch(const std::string& output, const std::string& course) {
  const std::string texture = DesignerPaths::From(CurrentDirectory()).texture;
  std::string reason;
  bool untextured = false;
  const int32_t result = ExportGltfFromCourseFile(course, texture, output, &untextured, &reason);
  if (result == kCourseGltfEmpty) {
    std::fprintf(stderr, "merrowlindale: %s: %s\n", course.c_str(), CourseGltfMessage(result));
  } else if (result != kCourseGltfWritten) {
    std::fprintf(stderr, "%s\n", CourseBatchLine(result, course, output, reason).c_str());
  } else if (untextured) {
    std::fprintf(stderr, "merrowlindale: %s: %s\n", texture.c_str(), kGltfUntexturedNote);
  }
  return result;
}

}  // namespace

bool StartCourseDesigner(CourseDesignerWindow1& window, const std::string& course_path) {
  if (!DisplayDepth::Check(&window)) return false;
  WindowsService1::LoadPlacement(&window, "MainWindow", window.Paths().settings);
  window.show();
  // Recovered work stays: opening the file would replace it without asking.
  if (window.RecoverLeftOverWork() || course_path.empty()) return true;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(course_path, error);
  window.OpenCourseFile(error ? course_path : absolute.string());
  return true;
}

int RunMerrowlindale(int argc, char** argv) {
  std::string course_path;
  if (argc >= 2) {
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
      std::fputs(Usage().c_str(), stdout);
      std::printf("\nヘルプ: %s\n", DataFilePath("Help/merrowlindale.html").c_str());
      return 0;
    }
    if (first == "--export-gltf") {
      if (argc != 4)
        return UsageError(first + " には出力ファイルとコースファイルを指定してください");
      if (!IsGltfPath(argv[2])) return UsageError(first + " の出力ファイルは .glb か .gltf です");
      return RunGltfBatch(argv[2], argv[3]);
    }
    if (const BatchMode* mode = FindBatchMode(first)) {
      if (argc != 4)
        return UsageError(first + " には出力ファイルとコースファイルを指定してください");
      return RunBatch(*mode, argv[2], argv[3]);
    }
    if (!first.empty() && first[0] == '-') return UsageError("不明なオプション: " + first);
    if (argc > 2) return UsageError("開けるコースファイルは一つです");
    course_path = first;
  }

  // The settings follow the directory the designer was started in.
  const std::string current_directory = CurrentDirectory();
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  int status = 0;
  {
    CourseDesignerWindow1 window(DesignerPaths::From(current_directory));
    status = StartCourseDesigner(window, course_path) ? app.exec() : 1;
  }
  Prompter::Install(nullptr);
  return status;
}
