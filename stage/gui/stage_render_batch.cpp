#include "stage/gui/stage_render_batch.h"

#include <QBuffer>
#include <QImage>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "foundation/directory.h"
#include "foundation/file_io.h"
#include "foundation/gui/surface_view.h"
#include "pictures/picture_bank_high_color1.h"
#include "render/affine_span_fill.h"
#include "render/bank_texture_source.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "render/surface_registry.h"
#include "stage/gui/view_marker_images.h"
#include "stage/stage_file.h"
#include "stage/views/camera_modes.h"
#include "stage/views/view_aim.h"
#include "stage/views/view_drawing.h"
#include "stage/views/view_state.h"

namespace {

constexpr int kWrongCommandLine = 64;
constexpr int kCannotRead = 1;
constexpr int kDamaged = 2;
constexpr int kCannotWrite = 3;
constexpr int32_t kMaxSide = 4096;

struct RenderRequest {
  std::string stage_path;
  std::string output_path;
  int32_t view_kind = kPerspectiveViewKind;
  int32_t width = 800;
  int32_t height = 600;
  int32_t mode_button = 0;  // 0: the stored one
  bool has_time = false;
  uint32_t time = 0;
};

bool ParseWhole(const std::string& text, int64_t maximum, int64_t* value) {
  if (text.empty() || text.size() > 10) return false;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > maximum) return false;
  *value = v;
  return true;
}

bool ParseSize(const std::string& text, int32_t* width, int32_t* height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  int64_t w = 0, h = 0;
  if (!ParseWhole(text.substr(0, x), kMaxSide, &w) ||
      !ParseWhole(text.substr(x + 1), kMaxSide, &h) || w < 1 || h < 1) {
    return false;
  }
  *width = static_cast<int32_t>(w);
  *height = static_cast<int32_t>(h);
  return true;
}

// Empty on success, else what is wrong with the command line.
std::string Parse(const std::vector<std::string>& arguments, RenderRequest* request) {
  if (arguments.empty() || arguments[0] != "--render") return "--render がありません";
  std::vector<std::string> positional;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      if (i + 1 >= arguments.size()) return a + " の値がありません";
      const std::string& value = arguments[++i];
      if (a == "--view") {
        static const char* const kViews[] = {"top", "side", "front", "pers", "pat"};
        const int32_t kinds[] = {kTopViewKind, kSideViewKind, kFrontViewKind, kPerspectiveViewKind,
                                 kPartitionViewKind};
        request->view_kind = -1;
        for (int k = 0; k < 5; ++k) {
          if (value == kViews[k]) request->view_kind = kinds[k];
        }
        if (request->view_kind < 0) return "--view の値が違います: " + value;
      } else if (a == "--size") {
        if (!ParseSize(value, &request->width, &request->height)) {
          return "--size の値が違います (1x1 から 4096x4096): " + value;
        }
      } else if (a == "--mode") {
        static const char* const kModes[] = {"free", "road", "rend", "lap"};
        request->mode_button = 0;
        for (int k = 0; k < 4; ++k) {
          if (value == kModes[k]) request->mode_button = kFreeButton + k;
        }
        if (request->mode_button == 0) return "--mode の値が違います: " + value;
      } else if (a == "--time") {
        int64_t time = 0;
        if (!ParseWhole(value, UINT32_MAX, &time)) return "--time の値が違います: " + value;
        request->has_time = true;
        request->time = static_cast<uint32_t>(time);
      } else {
        return "知らないオプションです: " + a;
      }
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return "ステージファイルと出力ファイルを一つずつ指定してください";
  request->stage_path = positional[0];
  request->output_path = positional[1];
  return "";
}

bool EndsWithBmp(const std::string& path) { return Directory1::LowerExtension(path) == "bmp"; }

// The engines and the picture bank, started for the run.
class RenderLibraries {
 public:
  RenderLibraries() {
    PictureBankHighColor1::StartUp(16);
    FlatSpanFill1::StartUp();
    AffineSpanFill1::StartUp();
    PerspecTextureEngine1::StartUp();
  }
  ~RenderLibraries() {
    PerspecTextureEngine1::ShutDown();
    AffineSpanFill1::ShutDown();
    FlatSpanFill1::ShutDown();
    PictureBankHighColor1::ShutDown();
  }
};

// Draws the view into an image; the stage and its pictures are loaded.
QImage DrawView(const Stage& stage, const ToolStateBlock& tools, const ViewSection& stored,
                const RenderRequest& request) {
  ViewSection views = SaneViewSection(stored);
  // Stored views that show nothing of the road are aimed at it, as the editor shows them.
  const double aspect = static_cast<double>(request.height) / request.width;
  const double aspects[3] = {aspect, aspect, aspect};
  AimViews(stage, aspects, true, &views);
  const MarkerSet markers = LoadViewMarkers();
  HighColorBankTextures bank;
  BankTextureSource textures(bank);
  textures.SetTime(request.has_time ? request.time : animation_clock::Now());
  const ViewLook look{tools, &textures, &markers};
  WirePicture picture;
  switch (request.view_kind) {
    case kTopViewKind:
    case kSideViewKind:
    case kFrontViewKind: {
      ParallelCamera camera;
      SetUpParallelCamera(&camera, request.view_kind, views.parallel[request.view_kind],
                          request.width, request.height);
      DrawParallelView(stage, camera, request.view_kind, look, &picture);
      return SurfaceImage(camera.Surface()).copy(0, 0, request.width, request.height);
    }
    case kPartitionViewKind: {
      PartitionCamera camera;
      camera.MakeSurface(request.width, request.height);
      camera.LoadState(views.partition);
      DrawPartitionView(stage, camera, views.partition, look, &picture);
      return SurfaceImage(camera.Surface());
    }
    default: {
      SurfaceRegistry registry;
      StageCamera camera(&registry);
      const int32_t surface = registry.Make(request.width, request.height);
      camera.SetDisplaySurface(surface, request.width, request.height);
      if (request.mode_button != 0) PressModeButton(&views.perspective, request.mode_button);
      PerspectivePicture drawn;
      DrawPerspectiveView(stage, &views.perspective, camera, look, &drawn);
      return SurfaceImage(*camera.Surface());
    }
  }
}

}  // namespace

const char* RenderBatchUsage() {
  return "  tarnhollow --render 入力.ste 出力.png [--view top|side|front|pers|pat]\n"
         "             [--size 幅x高さ] [--mode free|road|rend|lap] [--time ミリ秒]\n"
         "  ステージファイルの一つのビューを、保存されたビューの設定で描いて画像に書き出します。\n"
         "  保存されたビューに道路が映らないときは、道路のほうへ向けて描きます。\n"
         "  --view  描くビュー: 上面(top)、側面(side)、正面(front)、パース(pers)、\n"
         "          パーテーション(pat)。省略時はパースビュー\n"
         "  --size  画像の大きさ (既定 800x600、最大 4096x4096)\n"
         "  --mode  パースビューのモード: 自由移動(free)、路面移動(road)、\n"
         "          レンダリング(rend)、路面一周(lap)。省略時は保存されたモード\n"
         "  --time  アニメーションの時刻 (ミリ秒)\n"
         "  出力は PNG、名前が .bmp で終わるときは 24 ビットの BMP です。\n"
         "  終了コード: 0 成功、64 コマンドラインの誤り、1 ステージファイルを読めない、\n"
         "  2 ステージファイルが壊れている、3 画像を書き込めない (何も書きません)\n";
}

int RunRenderBatch(const std::vector<std::string>& arguments, std::ostream& err) {
  RenderRequest request;
  const std::string wrong = Parse(arguments, &request);
  if (!wrong.empty()) {
    err << "tarnhollow: " << wrong << "\n" << RenderBatchUsage();
    return kWrongCommandLine;
  }
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(request.stage_path, bytes, &error)) {
    err << "tarnhollow: " << request.stage_path << ": ファイルのオープンに失敗 ("
        << SystemReasonOf(error) << ")\n";
    return kCannotRead;
  }
  RenderLibraries libraries;
  QImage image;
  {
    Stage stage;
    ToolStateBlock tools = ToolStateBlock::Initial();
    ViewSection views;
    const StageFileResult result = StageFile::ReadImage(bytes, stage, &tools, &views);
    if (result != StageFileResult::kOk) {
      err << "tarnhollow: " << request.stage_path << ": " << StageFile::Message(result) << "\n";
      return kDamaged;
    }
    image = DrawView(stage, tools, views, request).convertToFormat(QImage::Format_RGB888);
    stage.Reset();
  }
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, EndsWithBmp(request.output_path) ? "BMP" : "PNG")) {
    err << "tarnhollow: " << request.output_path << ": 画像を作れませんでした\n";
    return kCannotWrite;
  }
  if (!AtomicWriteFile(request.output_path,
                       std::string_view(encoded.constData(), static_cast<size_t>(encoded.size())),
                       &error)) {
    err << "tarnhollow: " << request.output_path << ": 書き込みに失敗 (" << SystemReasonOf(error)
        << ")\n";
    return kCannotWrite;
  }
  return 0;
}
