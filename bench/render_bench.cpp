// Speed of the fill engines against the physical limit (filling the surface with one
// 16-bit value) and against plain reference span code written here: affine per pixel,
// perspective with one division per pixel, and perspective with one division every 16
// pixels and linear steps between. Scenes at 640 x 480 and 1024 x 768:
//   room  - 30 large perspective quads covering the surface once
//   small - 1500 triangles 10-50 pixels across
//   mix   - both
//   clip  - camera-space quads crossing the near plane and the screen edges, clipped and
//           projected by the stage camera for every frame
// After the runs a table gives pixels per second, nanoseconds per polygon and the ratios.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "foundation/surface16.h"
#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "render/stage_camera.h"
#include "render/surface_registry.h"
#include "render/texture_source.h"

namespace {

constexpr int32_t kTextureExponent = 7;  // 128 x 128 texels
constexpr int32_t kPlainTexture = 0;
constexpr int32_t kKeyedTexture = 1;

class BenchTextures : public TextureSource {
 public:
  BenchTextures() {
    const int32_t size = 1 << kTextureExponent;
    texels_.resize(static_cast<size_t>(size) * size);
    std::mt19937 random(7);
    for (uint16_t& t : texels_) t = static_cast<uint16_t>(random() & 0x7FFF);
    // About one texel in eight is transparent, scattered.
    for (size_t i = 0; i < texels_.size(); i += 1 + random() % 15) texels_[i] = kKey;
  }
  bool Texture(int32_t id, TextureView* view) const override {
    view->texels = texels_.data();
    view->width_exponent = kTextureExponent;
    view->height_exponent = kTextureExponent;
    view->has_transparent_colour = id == kKeyedTexture;
    view->transparent_colour = kKey;
    return true;
  }
  const std::vector<uint16_t>& Texels() const { return texels_; }
  static constexpr uint16_t kKey = 0x1234;

 private:
  std::vector<uint16_t> texels_;
};

const BenchTextures& Textures() {
  static const BenchTextures textures;
  return textures;
}

struct Polygon {
  int32_t n;
  Point3f points[kPolygonCapacity];
  TexCoord2f coords[kPolygonCapacity];
};

// Depth of a room seen from inside: far at the centre, near at the borders.
float RoomDepth(float x, float y, int32_t width, int32_t height) {
  const float dx = std::fabs(x / width - 0.5f) * 2.0f;
  const float dy = std::fabs(y / height - 0.5f) * 2.0f;
  return 0.9f - 0.75f * std::max(dx, dy);
}

std::vector<Polygon> RoomScene(int32_t width, int32_t height) {
  std::vector<Polygon> scene;
  const int32_t columns = 6, rows = 5;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      // Corners on the pixel grid, shared with the neighbours; each quad one clockwise
      // polygon whose spans meet the next quad's without overlap.
      const float x0 = static_cast<float>(c * width / columns);
      const float x1 = static_cast<float>((c + 1) * width / columns - 1);
      const float y0 = static_cast<float>(r * height / rows);
      const float y1 = static_cast<float>((r + 1) * height / rows);
      Polygon p{4, {}, {}};
      const float xs[4] = {x0, x1, x1, x0};
      const float ys[4] = {y0, y0, std::min(y1, height - 1.0f), std::min(y1, height - 1.0f)};
      const TexCoord2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
      for (int i = 0; i < 4; ++i) {
        p.points[i] = {xs[i], ys[i], RoomDepth(xs[i], ys[i], width, height)};
        p.coords[i] = uv[i];
      }
      scene.push_back(p);
    }
  }
  return scene;
}

std::vector<Polygon> SmallScene(int32_t width, int32_t height) {
  std::vector<Polygon> scene;
  std::mt19937 random(11);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int32_t i = 0; i < 1500; ++i) {
    const float size = 10.0f + 40.0f * unit(random);
    const float x = unit(random) * (width - size - 1);
    const float y = unit(random) * (height - size - 1);
    const float z = 0.05f + 0.9f * unit(random);
    Polygon p{3, {}, {}};
    // Clockwise on the screen (y down).
    p.points[0] = {x, y, z};
    p.points[1] = {x + size, y + size * 0.3f * unit(random), z * 1.1f};
    p.points[2] = {x + size * 0.2f * unit(random), y + size, z * 0.9f};
    p.coords[0] = {0.0f, 0.0f};
    p.coords[1] = {1.0f, 0.2f};
    p.coords[2] = {0.1f, 1.0f};
    scene.push_back(p);
  }
  return scene;
}

std::vector<Polygon> MixScene(int32_t width, int32_t height) {
  std::vector<Polygon> scene = RoomScene(width, height);
  const std::vector<Polygon> small = SmallScene(width, height);
  scene.insert(scene.end(), small.begin(), small.end());
  return scene;
}

// Camera-space floor, walls and ceiling around the viewer, reaching behind the near plane
// and far past the screen edges.
std::vector<Polygon> ClipSceneCameraSpace() {
  std::vector<Polygon> scene;
  const TexCoord2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int32_t i = 0; i < 8; ++i) {
    const float z0 = -20.0f + 60.0f * i, z1 = z0 + 60.0f;
    const Point3f quads[4][4] = {
        {{-300, -20, z0}, {-300, -20, z1}, {300, -20, z1}, {300, -20, z0}},  // floor
        {{-300, 20, z1}, {-300, 20, z0}, {300, 20, z0}, {300, 20, z1}},      // ceiling
        {{-40, -20, z0}, {-40, 20, z0}, {-40, 20, z1}, {-40, -20, z1}},      // left wall
        {{40, -20, z1}, {40, 20, z1}, {40, 20, z0}, {40, -20, z0}}};         // right wall
    for (const auto& q : quads) {
      Polygon p{4, {}, {}};
      for (int k = 0; k < 4; ++k) {
        p.points[k] = q[k];
        p.coords[k] = uv[k];
      }
      scene.push_back(p);
    }
  }
  return scene;
}

// ---- Reference span code: the plain way, with float attributes per edge row. ----

enum class ReferenceKind { kAffine, kDividePerPixel, kDivideEvery16 };

struct EdgeRow {
  float x, iz, uz, vz;  // x, 1/z, u/z, v/z (affine: u, v in the last two)
};

struct Reference {
  std::vector<EdgeRow> left, right;
  int64_t Draw(Surface16& surface, const Polygon& p, ReferenceKind kind) {
    const int32_t height = surface.Height();
    if (static_cast<int32_t>(left.size()) != height) {
      left.assign(height, {});
      right.assign(height, {});
    }
    const float scale = static_cast<float>((1 << kTextureExponent) - 1);
    int32_t top = height, bottom = -1;
    for (int32_t i = 0; i < p.n; ++i) {
      const int32_t j = (i + 1) % p.n;
      Point3f a = p.points[i], b = p.points[j];
      TexCoord2f ta = p.coords[i], tb = p.coords[j];
      int32_t ra = static_cast<int32_t>(a.y + 0.5f), rb = static_cast<int32_t>(b.y + 0.5f);
      if (ra == rb) continue;
      std::vector<EdgeRow>& table = ra > rb ? left : right;
      if (rb < ra) {
        std::swap(a, b);
        std::swap(ta, tb);
        std::swap(ra, rb);
      }
      const bool affine = kind == ReferenceKind::kAffine;
      const EdgeRow start{a.x, 1.0f / a.z, ta.u * scale / (affine ? 1.0f : a.z),
                          ta.v * scale / (affine ? 1.0f : a.z)};
      const EdgeRow end{b.x, 1.0f / b.z, tb.u * scale / (affine ? 1.0f : b.z),
                        tb.v * scale / (affine ? 1.0f : b.z)};
      const float k = 1.0f / static_cast<float>(rb - ra);
      const EdgeRow step{(end.x - start.x) * k, (end.iz - start.iz) * k,
                         (end.uz - start.uz) * k, (end.vz - start.vz) * k};
      EdgeRow e = start;
      for (int32_t r = ra; r <= rb; ++r) {
        table[r] = e;
        e.x += step.x;
        e.iz += step.iz;
        e.uz += step.uz;
        e.vz += step.vz;
      }
      top = std::min(top, ra);
      bottom = std::max(bottom, rb);
    }
    const uint16_t* texels = Textures().Texels().data();
    const int32_t mask = (1 << kTextureExponent) - 1;
    int64_t pixels = 0;
    for (int32_t r = top; r < bottom; ++r) {
      const EdgeRow& l = left[r];
      const EdgeRow& rr = right[r];
      const int32_t xa = static_cast<int32_t>(l.x + 0.5f);
      const int32_t xb = static_cast<int32_t>(rr.x + 0.5f);
      const int32_t m = xb - xa;
      if (m < 0) continue;
      pixels += m + 1;
      const float d = m == 0 ? 0.0f : 1.0f / static_cast<float>(m);
      uint16_t* dest = surface.ScreenRow(r) + xa;
      float iz = l.iz, uz = l.uz, vz = l.vz;
      const float diz = (rr.iz - l.iz) * d, duz = (rr.uz - l.uz) * d, dvz = (rr.vz - l.vz) * d;
      auto texel = [&](float u, float v) {
        return texels[((static_cast<int32_t>(v) & mask) << kTextureExponent) +
                      (static_cast<int32_t>(u) & mask)];
      };
      switch (kind) {
        case ReferenceKind::kAffine:
          for (int32_t i = 0; i <= m; ++i) {
            dest[i] = texel(uz, vz);
            uz += duz;
            vz += dvz;
          }
          break;
        case ReferenceKind::kDividePerPixel:
          for (int32_t i = 0; i <= m; ++i) {
            const float w = 1.0f / iz;
            dest[i] = texel(uz * w, vz * w);
            iz += diz;
            uz += duz;
            vz += dvz;
          }
          break;
        case ReferenceKind::kDivideEvery16: {
          float w = 1.0f / iz;
          float u = uz * w, v = vz * w;
          for (int32_t i = 0; i <= m; i += 16) {
            const int32_t run = std::min(16, m + 1 - i);
            iz += diz * run;
            uz += duz * run;
            vz += dvz * run;
            w = 1.0f / iz;
            const float u_end = uz * w, v_end = vz * w;
            const float du = (u_end - u) * (1.0f / 16.0f), dv = (v_end - v) * (1.0f / 16.0f);
            for (int32_t k2 = 0; k2 < run; ++k2) {
              dest[i + k2] = texel(u, v);
              u += du;
              v += dv;
            }
            u = u_end;
            v = v_end;
          }
          break;
        }
      }
    }
    return pixels;
  }
};

// ---- Benchmarks. ----

enum class Method {
  kMemset,
  kFlat,
  kAffine,
  kAffineTransparent,
  kPerspective,
  kReferenceAffine,
  kReferenceDivide,
  kReferenceDivide16
};
const char* MethodName(Method m) {
  switch (m) {
    case Method::kMemset: return "memset";
    case Method::kFlat: return "flat";
    case Method::kAffine: return "affine";
    case Method::kAffineTransparent: return "affine+key";
    case Method::kPerspective: return "perspective";
    case Method::kReferenceAffine: return "ref affine";
    case Method::kReferenceDivide: return "ref div/px";
    case Method::kReferenceDivide16: return "ref div/16";
  }
  return "";
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Result {
  double ns_per_frame = 0;
  double pixels = 0;
  double polygons = 0;
};
std::map<std::string, std::map<std::string, Result>> results;  // scene@size -> method

std::vector<Polygon> SceneOf(const std::string& scene, int32_t width, int32_t height) {
  if (scene == "room") return RoomScene(width, height);
  if (scene == "small") return SmallScene(width, height);
  if (scene == "mix") return MixScene(width, height);
  return ClipSceneCameraSpace();
}

void RunScene(benchmark::State& state, const std::string& scene, int32_t width, int32_t height,
              Method method) {
  const std::vector<Polygon> polygons = SceneOf(scene, width, height);
  const bool clip = scene == "clip";
  SurfaceRegistry registry;
  const int32_t surface_id = registry.Make(width, height);
  Surface16& surface = *registry.Surface(surface_id);
  StageCamera camera(&registry);
  camera.SetDisplaySurface(surface_id, width, height);
  camera.Update();
  Reference reference;
  const BenchTextures& textures = Textures();
  // Pixels of one frame, counted by the plain perspective reference.
  int64_t frame_pixels = 0;
  auto draw_frame = [&](bool count) {
    if (method == Method::kMemset) {
      // A colour of two equal bytes, so the C library's memset does the filling.
      std::memset(surface.Bits(), 0x25, static_cast<size_t>(width) * height * 2);
      if (count) frame_pixels = static_cast<int64_t>(width) * height;
      return;
    }
    for (const Polygon& source : polygons) {
      Polygon p = source;
      if (clip) {
        p.n = camera.ClipAndProject(p.points, p.coords, p.n);
        if (p.n == 0) continue;
      }
      switch (method) {
        case Method::kFlat:
          FlatSpanFill1::Fill(surface, p.points, p.n, 0x2345);
          break;
        case Method::kAffine:
          AffineSpanFill1::Fill(surface, p.points, p.coords, p.n, textures, kPlainTexture);
          break;
        case Method::kAffineTransparent:
          AffineSpanFill1::Fill(surface, p.points, p.coords, p.n, textures, kKeyedTexture);
          break;
        case Method::kPerspective:
          PerspecTextureEngine1::DrawPolygon(surface, p.points, p.coords, p.n, textures,
                                             kPlainTexture);
          break;
        case Method::kReferenceAffine:
          reference.Draw(surface, p, ReferenceKind::kAffine);
          break;
        case Method::kReferenceDivide: {
          const int64_t drawn = reference.Draw(surface, p, ReferenceKind::kDividePerPixel);
          if (count) frame_pixels += drawn;
          break;
        }
        case Method::kReferenceDivide16:
          reference.Draw(surface, p, ReferenceKind::kDivideEvery16);
          break;
        case Method::kMemset:
          break;
      }
    }
  };
  if (method != Method::kMemset) {
    // The pixel count of the frame, whatever method is measured.
    const Method measured = method;
    method = Method::kReferenceDivide;
    draw_frame(true);
    method = measured;
  } else {
    draw_frame(true);
  }
  // Processor time of this thread: the machine may be shared with other work.
  const double start = ThreadSeconds();
  int64_t frames = 0;
  for (auto _ : state) {
    draw_frame(false);
    benchmark::DoNotOptimize(surface.Bits());
    benchmark::ClobberMemory();
    ++frames;
  }
  const double elapsed = (ThreadSeconds() - start) * 1e9;
  const double polygon_count = method == Method::kMemset ? 1.0 : polygons.size();
  state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(frame_pixels),
                                                  benchmark::Counter::kIsIterationInvariantRate);
  state.counters["ns/polygon"] = elapsed / static_cast<double>(frames) / polygon_count;
  Result& r = results[scene + "@" + std::to_string(width) + "x" + std::to_string(height)]
                     [MethodName(method)];
  r = {elapsed / static_cast<double>(frames), static_cast<double>(frame_pixels), polygon_count};
}

void RegisterAll() {
  const std::pair<int32_t, int32_t> sizes[] = {{640, 480}, {1024, 768}};
  const char* scenes[] = {"room", "small", "mix", "clip"};
  const Method methods[] = {Method::kMemset,           Method::kFlat,
                            Method::kAffine,           Method::kAffineTransparent,
                            Method::kPerspective,      Method::kReferenceAffine,
                            Method::kReferenceDivide,  Method::kReferenceDivide16};
  for (const auto& [width, height] : sizes) {
    for (const char* scene : scenes) {
      for (Method method : methods) {
        if (method == Method::kMemset && std::string(scene) != "room") continue;
        const std::string name = std::string(scene) + "/" + std::to_string(width) + "x" +
                                 std::to_string(height) + "/" + MethodName(method);
        const std::string scene_name = scene;
        const int32_t w = width, h = height;
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
          RunScene(state, scene_name, w, h, method);
        })->MinTime(0.3)->Unit(benchmark::kMicrosecond);
      }
    }
  }
}

void PrintSummary() {
  std::printf("\n%-18s %-12s %12s %12s %10s\n", "scene", "method", "Mpixels/s", "ns/polygon",
              "ratio");
  for (const auto& [scene, methods] : results) {
    const std::string size = scene.substr(scene.find('@'));
    const auto memset_found = results.find("room" + size);
    double memset_rate = 0.0;
    if (memset_found != results.end() && memset_found->second.count("memset")) {
      const Result& m = memset_found->second.at("memset");
      memset_rate = m.pixels / m.ns_per_frame;
    }
    for (const auto& [method, r] : methods) {
      const double rate = r.pixels / r.ns_per_frame * 1e3;  // Mpixels per second
      std::printf("%-18s %-12s %12.1f %12.1f", scene.c_str(), method.c_str(), rate,
                  r.ns_per_frame / r.polygons);
      if (method == "flat" && memset_rate > 0) {
        std::printf("   %.2f x memset", r.pixels / r.ns_per_frame / memset_rate);
      }
      std::printf("\n");
    }
    auto ratio = [&](const char* a, const char* b) {
      if (!methods.count(a) || !methods.count(b)) return;
      std::printf("%-18s %s / %s = %.2f (speed)\n", scene.c_str(), a, b,
                  methods.at(b).ns_per_frame / methods.at(a).ns_per_frame);
    };
    ratio("affine+key", "affine");
    ratio("perspective", "ref div/px");
    ratio("perspective", "ref div/16");
    ratio("affine", "ref affine");
  }
}

}  // namespace

int main(int argc, char** argv) {
  FlatSpanFill1::StartUp();
  AffineSpanFill1::StartUp();
  PerspecTextureEngine1::StartUp();
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintSummary();
  PerspecTextureEngine1::ShutDown();
  AffineSpanFill1::ShutDown();
  FlatSpanFill1::ShutDown();
  return 0;
}
