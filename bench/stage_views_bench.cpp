// Frame times of the stage views at 1024 x 768 against the physical limit (clearing the
// surface with one 16-bit value), on two stages:
//   sample - samples/sample.ste, the suite's sample stage (looked for from the current
//            folder upwards, or at $SAMPLE_STAGE)
//   large  - a generated loop of 2,000 partitions with three textured terrain faces on both
//            sides and 500 textured box objects (half of them glued, half free)
// The rendered perspective view is measured whole, as its set-up alone (transform, clip,
// sort; the fills are only recorded) and as its fills alone (the recorded fills replayed).
// The wire-frame perspective view and the top view are measured whole. After the runs a
// table gives each frame time, frames per second and the ratio to the clear.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"
#include "foundation/file_io.h"
#include "pictures/bmp_writer.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/picture_textures.h"
#include "render/affine_span_fill.h"
#include "render/bank_texture_source.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "render/surface_registry.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "stage/views/view_drawing.h"

namespace {

using Bank = PictureBankHighColor1;
constexpr int32_t kWidth = 1024;
constexpr int32_t kHeight = 768;

struct Scene {
  Stage stage;
  ToolStateBlock tools = ToolStateBlock::Initial();
  ViewSection views;
  bool loaded = false;
};

std::string BmpBytes(int32_t side, uint32_t seed) {
  uint32_t state = seed;
  return Bmp24Bytes(side, side, [&state, seed](int32_t, int32_t) {
    state = state * 1664525u + 1013904223u;
    const auto red = static_cast<uint8_t>(60 + (state >> 28));
    const auto green = static_cast<uint8_t>(90 + (seed & 63) + (state >> 26));
    const auto blue = static_cast<uint8_t>(40 + (state >> 27));
    return uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
  });
}

// A loop of `lines` lines on a wavy circle, 30 units wide.
std::string LoopPat(int32_t lines) {
  ByteWriter out;
  out.Text("PATV1.0");
  out.I32(lines);
  const double radius = 3200.0;
  for (int32_t k = 0; k < lines; ++k) {
    const double t = 6.283185307179586 * k / (lines - 1);
    const double r = radius + 150.0 * std::sin(7.0 * t);
    const double dr = 1050.0 * std::cos(7.0 * t);
    const double step = 6.283185307179586 / (lines - 1);
    const double p[3] = {r * std::cos(t), 20.0 * std::sin(3.0 * t), r * std::sin(t)};
    const double d[3] = {(dr * std::cos(t) - r * std::sin(t)) * step,
                         60.0 * std::cos(3.0 * t) * step,
                         (dr * std::sin(t) + r * std::cos(t)) * step};
    const double h = std::sqrt(d[0] * d[0] + d[2] * d[2]);
    const double lateral[3] = {d[2] / h, 0.0, -d[0] / h};
    for (double sign : {-1.0, 1.0}) {  // right end, then left end
      for (int i = 0; i < 3; ++i) out.F32(static_cast<float>(p[i] + sign * 15.0 * lateral[i]));
    }
    for (double v : p) out.F64(v);
    for (double v : d) out.F64(v);
    out.F64(0.0);
    out.F64(0.0);
    out.F64(15.0);
    out.F64(15.0);
  }
  return out.Take();
}

int32_t AddBox(Stage& stage, int32_t picture) {
  ObjectShape shape;
  for (int i = 0; i < 8; ++i) {
    shape.points.push_back(
        {(i & 1) ? 0.05f : -0.05f, (i & 2) ? 0.1f : 0.0f, (i & 4) ? 0.05f : -0.05f});
  }
  shape.map_coordinates = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  ShapeAttribute attribute;
  attribute.red = 0.6f;
  attribute.texture_switch = 1;
  attribute.picture = picture;
  Bank::AddRef(picture);
  shape.attributes = {attribute};
  const int32_t faces[6][4] = {{0, 2, 3, 1}, {5, 7, 6, 4}, {4, 6, 2, 0},
                               {1, 3, 7, 5}, {2, 6, 7, 3}, {4, 0, 1, 5}};
  for (const auto& f : faces) {
    shape.polygons.push_back({3, f[0], f[1], f[2], 0, 1, 2, 0});
    shape.polygons.push_back({3, f[0], f[2], f[3], 0, 2, 3, 0});
  }
  shape.use_count = 1;
  shape.name = "box";
  return stage.MutableShapes().Add(shape);
}

void MakeLarge(Scene& scene) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "stage_views_bench";
  std::filesystem::create_directories(folder);
  const std::string pat = (folder / "loop.pat").string();
  AtomicWriteFile(pat, LoopPat(2001));
  int32_t pictures[4];
  for (int i = 0; i < 4; ++i) {
    const std::string path = (folder / ("t" + std::to_string(i) + ".bmp")).string();
    AtomicWriteFile(path, BmpBytes(64, 17u + 9u * static_cast<uint32_t>(i)));
    pictures[i] = Bank::Register(path, Bank::kModePowerOfTwo);
  }
  Stage& stage = scene.stage;
  LoadPartitionFile(stage, pat);
  const Terrain& terrain = stage.GetTerrain();
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    Point3f c[4];
    terrain.PartitionCorners(p, c);
    const Point3f across{c[0].x - c[1].x, 0.0f, c[0].z - c[1].z};
    const float length = std::sqrt(across.x * across.x + across.z * across.z);
    for (int32_t side = 0; side < 2; ++side) {
      const Point3f edge = side == kLeftSide ? c[0] : c[1];
      const float sign = (side == kLeftSide ? 1.0f : -1.0f) / length;
      for (float out : {5.0f, 20.0f, 60.0f}) {
        stage.AddWire(
            p, side,
            {edge.x + across.x * sign * out, edge.y + out * 0.1f, edge.z + across.z * sign * out});
      }
    }
  }
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    stage.SetFacePicture({p, kRoadFaceSide, -1}, pictures[3]);
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t w = 0; w < terrain.FaceRun(p, side); ++w) {
        stage.SetFacePicture({p, side, w}, pictures[w]);
      }
    }
  }
  const int32_t box = AddBox(stage, pictures[0]);
  for (int32_t i = 0; i < 500; ++i) {
    const int32_t p = i * 4;
    Point3f c[4];
    terrain.PartitionCorners(p, c);
    const Point3f at = (i & 1) ? c[0] : c[1];
    if (i > 0) stage.MutableShapes().Take(box);
    const int32_t object = stage.CreateObject(at, box);
    if (i % 2 == 0) stage.GlueObject(object, p);
  }
  for (int32_t id : pictures) Bank::Release(id);
  stage.SelectPartition(1000);
  PerspectiveViewRecord& view = scene.views.perspective;
  view.settings = {1, 1, 1, 0, 3, 0.0f, 20};
  view.modes[1].partition = 1000;
  view.modes[1].height = 8.0f;
  PressModeButton(&view, kRenderButton);
  scene.views.parallel[kTopViewKind] = {0.0, 0.0, 0.0, 0.002};
  Point3f c[4];
  terrain.PartitionCorners(1000, c);
  scene.views.parallel[kTopViewKind].position_x = c[0].x;
  scene.views.parallel[kTopViewKind].position_z = c[0].z;
  scene.loaded = true;
}

void LoadSample(Scene& scene) {
  std::vector<std::string> candidates;
  if (const char* path = std::getenv("SAMPLE_STAGE")) candidates.push_back(path);
  std::filesystem::path folder = std::filesystem::current_path();
  for (int up = 0; up < 6; ++up) {
    candidates.push_back((folder / "samples" / "sample.ste").string());
    folder = folder.parent_path();
  }
  for (const std::string& path : candidates) {
    if (StageFile::Load(path, scene.stage, &scene.tools, &scene.views) == StageFileResult::kOk) {
      scene.loaded = true;
      return;
    }
  }
  std::fprintf(stderr, "samples/sample.ste not found: its benchmarks are skipped\n");
}

// Both stages share the picture bank: the sample is loaded first (a stage file replaces the
// bank), then the large stage adds its pictures.
Scene& Sample() {
  static Scene* scene = [] {
    auto* s = new Scene;
    LoadSample(*s);
    return s;
  }();
  return *scene;
}
Scene& Large() {
  static Scene* scene = [] {
    Sample();
    auto* s = new Scene;
    MakeLarge(*s);
    return s;
  }();
  return *scene;
}

struct Result {
  double ns_per_frame = 0.0;
};
std::map<std::string, Result> results;

enum class Kind { kClear, kRendered, kSetUp, kFills, kWire, kTop };

void Run(benchmark::State& state, Scene* scene, Kind kind) {
  if (scene != nullptr && !scene->loaded) {
    state.SkipWithError("stage missing");
    return;
  }
  HighColorBankTextures bank;
  BankTextureSource textures(bank);
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  camera.SetDisplaySurface(registry.Make(kWidth, kHeight), kWidth, kHeight);
  ParallelCamera top;
  const ViewLook look = scene != nullptr ? ViewLook{scene->tools, &textures, nullptr} : ViewLook{};
  PerspectiveViewRecord view =
      scene != nullptr ? scene->views.perspective : PerspectiveViewRecord();
  if (kind == Kind::kWire) PressModeButton(&view, kRoadButton);
  CameraModeRecord& mode = view.modes[view.current_mode];
  if (scene != nullptr) {
    PlaceRoadCamera(scene->stage, &mode);
    LoadCamera(mode.camera, &camera);
    SetUpParallelCamera(&top, kTopViewKind, scene->views.parallel[kTopViewKind], kWidth, kHeight);
  }
  std::vector<RenderedFill> fills;
  if (kind == Kind::kFills) {
    DrawRenderedView(scene->stage, camera, textures, view.settings, mode.partition, &fills);
  }
  Surface16& surface = *camera.Surface();
  PerspectivePicture picture;
  WirePicture wire;
  for (auto _ : state) {
    switch (kind) {
      case Kind::kClear:
        surface.Fill(0x1234);
        break;
      case Kind::kRendered:
        DrawRenderedView(scene->stage, camera, textures, view.settings, mode.partition);
        break;
      case Kind::kSetUp:
        fills.clear();
        DrawRenderedView(scene->stage, camera, textures, view.settings, mode.partition, &fills);
        break;
      case Kind::kFills:
        surface.Fill(0);
        ReplayFills(surface, textures, fills);
        break;
      case Kind::kWire:
        DrawPerspectiveView(scene->stage, &view, camera, look, &picture);
        break;
      case Kind::kTop:
        DrawParallelView(scene->stage, top, kTopViewKind, look, &wire);
        break;
    }
    benchmark::ClobberMemory();
  }
  if (kind == Kind::kSetUp) state.counters["fills"] = static_cast<double>(fills.size());
}

void Register(const std::string& name, Scene* (*scene)(), Kind kind) {
  benchmark::RegisterBenchmark(
      name.c_str(), [scene, kind](benchmark::State& state) { Run(state, scene(), kind); })
      ->MinTime(0.5)
      ->Unit(benchmark::kMicrosecond);
}

class Collector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0 && !run.error_occurred) {
        std::string name = run.benchmark_name();
        name = name.substr(0, name.find("/min_time"));
        results[name].ns_per_frame = run.GetAdjustedCPUTime() * 1e3;  // us to ns
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintSummary() {
  const auto clear = results.find("clear");
  const double clear_ns = clear != results.end() ? clear->second.ns_per_frame : 0.0;
  std::printf("\n%-28s %12s %10s %14s\n", "view at 1024x768", "us/frame", "frames/s", "x clear");
  for (const auto& [name, r] : results) {
    std::printf("%-28s %12.1f %10.0f", name.c_str(), r.ns_per_frame / 1e3, 1e9 / r.ns_per_frame);
    if (clear_ns > 0) std::printf(" %14.1f", r.ns_per_frame / clear_ns);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  Bank::StartUp(16);
  FlatSpanFill1::StartUp();
  AffineSpanFill1::StartUp();
  PerspecTextureEngine1::StartUp();
  benchmark::RegisterBenchmark("clear",
                               [](benchmark::State& state) { Run(state, nullptr, Kind::kClear); })
      ->MinTime(0.5)
      ->Unit(benchmark::kMicrosecond);
  auto sample = [] { return &Sample(); };
  auto large = [] { return &Large(); };
  for (auto [prefix, scene] : {std::pair{"sample", +sample}, std::pair{"large", +large}}) {
    const std::string p = prefix;
    Register(p + "/rendered", scene, Kind::kRendered);
    Register(p + "/rendered-setup", scene, Kind::kSetUp);
    Register(p + "/rendered-fills", scene, Kind::kFills);
    Register(p + "/wire", scene, Kind::kWire);
    Register(p + "/top", scene, Kind::kTop);
  }
  benchmark::Initialize(&argc, argv);
  Collector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintSummary();
  PerspecTextureEngine1::ShutDown();
  AffineSpanFill1::ShutDown();
  FlatSpanFill1::ShutDown();
  return 0;
}
