// A window to look at and drive the stage views on a stage file without the main window:
//   stage_views_gallery STAGE.ste [--view top|side|front|pers|pat|split] [--tool NAME]
//                       [--size WxH] [--mode free|road|rend|lap] [--select PARTITION]
//                       [--zoom PARALLEL_ZOOM] [--click X,Y ...] [--shot OUT.png] [--setup]
// The tool list at the top stands in for the mode and tool windows. With --shot the window
// is drawn once, saved as a picture and the program ends (--setup also opens the display
// settings dialog and saves a picture of it beside, "-setup" added to the name).
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pictures/picture_bank_high_color1.h"
#include "stage/gui/display_setup_dialog.h"
#include "stage/gui/stage_parallel_view.h"
#include "stage/gui/stage_perspective_view.h"
#include "stage/gui/stage_view_area.h"
#include "stage/stage_file.h"

namespace {

using T = ToolStateBlock;

struct ToolChoice {
  const char* name;
  int32_t mode;
  std::vector<int32_t> words;
};

const std::vector<ToolChoice>& Tools() {
  static const std::vector<ToolChoice> tools = {
      {"camera-move", 0, {T::kMode0CameraMove}},
      {"camera-rotate", 0, {T::kMode0CameraRotate}},
      {"camera-zoom", 0, {T::kMode0CameraZoom}},
      {"select-partition", 0, {T::kSelectPartitionTool}},
      {"select-point", 0, {T::kSelectPointTool}},
      {"point-move", 0, {T::kPointMoveTool}},
      {"point-glue", 0, {T::kPointGlueTool, T::kSelectPoint}},
      {"glue-target", 0, {T::kPointGlueTool, T::kSelectGluePoint}},
      {"face-attribute", 0, {T::kFaceAttributeTool}},
      {"object-camera-move", 1, {T::kMode1CameraMove}},
      {"object-select", 1, {T::kSelectObjectTool}},
      {"object-move", 1, {T::kMoveObjectTool}},
      {"object-rotate", 1, {T::kRotateObjectTool, T::kRotateOnScreen}},
      {"object-zoom", 1, {T::kZoomObjectTool}},
      {"object-coordinates", 1, {T::kObjectCoordinatesTool, T::kMoveObjectCoordinates}},
  };
  return tools;
}

class GalleryHost : public StageViewHost {
 public:
  ToolStateBlock ToolState() const override {
    ToolStateBlock block;
    const ToolChoice& choice = Tools()[static_cast<size_t>(tool_)];
    block.words[choice.mode == 0 ? T::kMode0 : T::kMode1] = 1;
    for (int32_t word : choice.words) block.words[word] = 1;
    return block;
  }
  void StageChangedByView(ViewChange change) override {
    if (status_ != nullptr) {
      static const char* const kNames[] = {"選択", "編集中", "編集完了"};
      status_->setText(QString::fromUtf8(kNames[static_cast<int>(change)]));
    }
  }
  int tool_ = 0;
  QLabel* status_ = nullptr;
};

int ViewOf(const std::string& name) {
  const char* const names[] = {"top", "side", "front", "pers", "pat"};
  for (int i = 0; i < 5; ++i) {
    if (name == names[i]) return i;
  }
  return StageViewArea::kSplitView;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help") {
    std::fprintf(stderr,
                 "usage: stage_views_gallery STAGE.ste [--view top|side|front|pers|pat|split] "
                 "[--tool NAME] [--size WxH] [--shot OUT.png] [--setup]\n");
    return 2;
  }
  std::string view = "split", tool = "camera-move", shot, mode;
  int select = -1;
  std::vector<QPoint> clicks;
  double zoom = 0.0;
  int width = 1100, height = 800;
  bool setup = false;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--setup") {
      setup = true;
    } else if (i + 1 < args.size()) {
      if (args[i] == "--view")
        view = args[++i];
      else if (args[i] == "--tool")
        tool = args[++i];
      else if (args[i] == "--shot")
        shot = args[++i];
      else if (args[i] == "--mode")
        mode = args[++i];
      else if (args[i] == "--select")
        select = std::atoi(args[++i].c_str());
      else if (args[i] == "--zoom")
        zoom = std::atof(args[++i].c_str());
      else if (args[i] == "--click") {
        int x = 0, y = 0;
        std::sscanf(args[++i].c_str(), "%d,%d", &x, &y);
        clicks.emplace_back(x, y);
      } else if (args[i] == "--size")
        std::sscanf(args[++i].c_str(), "%dx%d", &width, &height);
    }
  }
  PictureBankHighColor1::StartUp(16);
  int result = 0;
  {
    Stage stage;
    ToolStateBlock tools;
    ViewSection views;
    const StageFileResult loaded = StageFile::Load(args[0], stage, &tools, &views);
    if (loaded != StageFileResult::kOk) {
      std::fprintf(stderr, "%s: %s\n", args[0].c_str(), StageFile::Message(loaded));
      PictureBankHighColor1::ShutDown();
      return 1;
    }
    GalleryHost host;
    for (size_t i = 0; i < Tools().size(); ++i) {
      if (tool == Tools()[i].name) host.tool_ = static_cast<int>(i);
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("ステージビュー: ") + QString::fromStdString(args[0]));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    auto* tools_box = new QComboBox(&window);
    for (const ToolChoice& choice : Tools()) tools_box->addItem(QString::fromLatin1(choice.name));
    tools_box->setCurrentIndex(host.tool_);
    auto* views_box = new QComboBox(&window);
    for (const char* name : {"top", "side", "front", "pers", "pat", "split"}) {
      views_box->addItem(QString::fromLatin1(name));
    }
    auto* status = new QLabel(&window);
    host.status_ = status;
    bar->addWidget(tools_box);
    bar->addWidget(views_box);
    bar->addWidget(status, 1);
    layout->addLayout(bar);
    auto* area = new StageViewArea(&stage, &host, &window);
    layout->addWidget(area, 1);
    if (select >= 0) stage.SelectPartition(select);
    area->ApplyViews(views);
    const char* const modes[] = {"free", "road", "rend", "lap"};
    for (int k = 0; k < 4; ++k) {
      if (mode == modes[k]) {
        static_cast<PerspecWnd1*>(area->View(kPerspectiveViewKind))->Command(kFreeButton + k);
      }
    }
    const int shown = ViewOf(view);
    views_box->setCurrentIndex(shown == StageViewArea::kSplitView ? 5 : shown);
    auto show = [area](int index) {
      if (index == 5) {
        area->ShowSplitView();
      } else {
        area->ShowView(index);
      }
    };
    show(views_box->currentIndex());
    if (zoom > 0.0 && shown >= kTopViewKind && shown <= kFrontViewKind) {
      // Centred on the current partition's first corner at the given zoom.
      auto* parallel = static_cast<ParallelWnd1*>(area->View(shown));
      Point3f corners[4];
      if (stage.GetTerrain().PartitionCorners(stage.SelectedPartition(), corners)) {
        parallel->SetRecord({corners[0].x, corners[0].y, corners[0].z, zoom});
      }
    }
    QObject::connect(views_box, &QComboBox::currentIndexChanged, show);
    QObject::connect(tools_box, &QComboBox::currentIndexChanged, [&host, area](int index) {
      host.tool_ = index;
      area->RedrawViews();
    });
    window.resize(width, height);
    window.show();
    if (!shot.empty()) {
      QTimer::singleShot(200, [&] {
        // Clicks go to the view shown alone, as the mouse would give them.
        if (auto* alone = qobject_cast<StageViewWindow*>(area->View(area->Shown()))) {
          for (const QPoint& at : clicks) {
            alone->PressAt(kLeftButtonBit, at, false);
            alone->ReleaseButton(kLeftButtonBit);
          }
        }
        area->RedrawViews();
        window.grab().save(QString::fromStdString(shot));
        if (setup) {
          auto* perspective = static_cast<PerspecWnd1*>(area->View(kPerspectiveViewKind));
          perspective->Command(PerspecButtonWindow1::kSetup);
          QTimer::singleShot(200, [&, perspective] {
            if (DisplaySetupDialog* dialog = perspective->SetupDialog()) {
              std::string name = shot;
              name.insert(name.rfind('.'), "-setup");
              dialog->grab().save(QString::fromStdString(name));
            }
            app.quit();
          });
        } else {
          app.quit();
        }
      });
    }
    result = app.exec();
    delete area;
    stage.Reset();
  }
  PictureBankHighColor1::ShutDown();
  return result;
}
