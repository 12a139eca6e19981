#include "stage/gui/tarnhollow_program.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "exchange/stage_gltf.h"
#include "foundation/application_directory.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/qt_translations.h"
#include "foundation/gui/startup_picture.h"
#include "stage/gui/stage_main_window.h"
#include "stage/gui/stage_render_batch.h"
#include "stage/stage_batch.h"

namespace {

constexpr int kUsageStatus = 64;

// A batch run never needs a display.
void UseOffscreenPlatformUnlessSet() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int Usage(const std::string& problem) {
  std::cerr << "tarnhollow: " << problem << "（tarnhollow --help で使い方を表示）\n";
  return kUsageStatus;
}

int RunWindow(int argc, char** argv, const std::string& file) {
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  int status = 0;
  {
    StageMainWindow1 window(StagePaths::FromProgramDirectory());
    status = StartStageEditor(window, file) ? app.exec() : 1;
  }
  Prompter::Install(nullptr);
  return status;
}

}  // namespace

bool StartStageEditor(StageMainWindow1& window, const std::string& file) {
  if (!DisplayDepth::Check(&window)) return false;
  window.RestorePlacement();
  window.show();
  // Asked before the start-up picture, which stays on top of every window.
  const bool recovered = window.RecoverLeftOverWork();
  StartUpPicture1::Show("LOGO_BMP", 0x003663, 512, 256, 2000);
  // Recovered work stays: opening a file would replace it without asking.
  if (!file.empty() && !recovered) window.OpenFile(file);
  return true;
}

std::string TarnhollowUsage() {
  return std::string(
             "使い方:\n"
             "  tarnhollow\n"
             "      ステージエディタのウィンドウを開く。\n"
             "  tarnhollow ファイル.ste | ファイル.pat\n"
             "      ステージファイル、または路面ファイルから作った新しいステージを開く。\n") +
         StageBatchUsage() +
         "  tarnhollow --export-gltf 出力.glb|出力.gltf 入力.ste\n"
         "      ステージ(路面、地形の面、配置したオブジェクト、背景オブジェクト)を glTF 2.0 で\n"
         "      書き出す。.gltf では .bin と画像を横に置く。\n"
         "  tarnhollow --help\n"
         "      この説明を表示する。\n"
         "\n" +
         RenderBatchUsage() +
         "\n"
         "ウィンドウを使わないモードは画面がなくても動く(QT_QPA_PLATFORM が未設定なら\n"
         "offscreen を使う)。エラーは標準エラー出力に一行で表示する。\n"
         "\n"
         "終了ステータス:\n"
         "  0   成功\n"
         "  1   入力ファイルを開けない、または読めない(ウィンドウでは画面の色数が違う)\n"
         "  2   入力ファイルが壊れている、短い、または種類が違う\n"
         "  3   出力ファイルを書き込めない(何も書き込まない)\n"
         "  64  コマンドラインが正しくない\n"
         "\n"
         "ヘルプ: " +
         DataFilePath("Help/tarnhollow.html") + "\n";
}

int RunTarnhollow(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) return RunWindow(argc, argv, "");
  const std::string& first = arguments[0];
  if (first == "--help" || first == "-h") {
    std::fputs(TarnhollowUsage().c_str(), stdout);
    return 0;
  }
  if (first == "--render") {
    UseOffscreenPlatformUnlessSet();
    QGuiApplication app(argc, argv);
    return RunRenderBatch(arguments, std::cerr);
  }
  if (first == "--export-gltf") return RunStageGltfExport(arguments, std::cerr);
  if (IsStageBatch(arguments)) return StageBatchMain(arguments, std::cerr);
  if (first.empty() || first[0] == '-') return Usage("知らないオプションです: " + first);
  if (arguments.size() > 1) return Usage("開けるファイルは一つだけです");
  return RunWindow(argc, argv, first);
}
