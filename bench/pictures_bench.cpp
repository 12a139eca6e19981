// Registering pictures in the bank against merely reading the file's bytes: a 256 x 256
// 24-bit BMP and a 16-frame 128 x 128 ".tsy". The counter "x_read" is how many times longer
// a registration takes than reading the same file's bytes, measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/byte_writer.h"
#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

std::string Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/pictures_bench_XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

std::string BmpPath() {
  static const std::string path = [] {
    const int32_t side = 256;
    ByteWriter out;
    out.Text("BM");
    out.U32(54 + side * side * 3);
    out.U32(0);
    out.U32(54);
    out.U32(40);
    out.I32(side);
    out.I32(side);
    out.U16(1);
    out.U16(24);
    for (int i = 0; i < 6; ++i) out.U32(0);
    for (int32_t i = 0; i < side * side * 3; ++i) out.U8(static_cast<uint8_t>(i * 7));
    const std::string file = Folder() + "/picture.bmp";
    AtomicWriteFile(file, out.Data());
    return file;
  }();
  return path;
}

std::string TsyPath() {
  static const std::string path = [] {
    const int32_t side = 128;
    ByteWriter out;
    out.Text("TSY");
    out.I32(16);
    out.I32(side);
    out.I32(side);
    for (int32_t frame = 0; frame < 16; ++frame) {
      out.I32(50);
      out.I32(1);
      out.U32(0x7C00);
      for (int32_t i = 0; i < side * side; ++i) out.U16(static_cast<uint16_t>((i + frame) & 0x7FFF));
    }
    const std::string file = Folder() + "/animation.tsy";
    AtomicWriteFile(file, out.Data());
    return file;
  }();
  return path;
}

double SecondsToRead(const std::string& path) {
  constexpr int kRounds = 50;
  std::string bytes;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    ReadWholeFile(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
}

void ReadBytes(benchmark::State& state, const std::string& path) {
  std::string bytes;
  for (auto _ : state) {
    ReadWholeFile(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
}

void Register(benchmark::State& state, const std::string& path) {
  PictureBankHighColor1::StartUp(16);
  const double read = SecondsToRead(path);
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int32_t id = PictureBankHighColor1::RegisterUnique(path, 0);
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (id < 0) state.SkipWithError("registration failed");
    state.PauseTiming();
    if (id >= 0) PictureBankHighColor1::Release(id);
    state.ResumeTiming();
  }
  state.counters["x_read"] = total / static_cast<double>(state.iterations()) / read;
  PictureBankHighColor1::ShutDown();
}

void BM_ReadBmpBytes(benchmark::State& state) { ReadBytes(state, BmpPath()); }
void BM_RegisterBmp256x256x24(benchmark::State& state) { Register(state, BmpPath()); }
void BM_ReadTsyBytes(benchmark::State& state) { ReadBytes(state, TsyPath()); }
void BM_RegisterTsy16x128x128(benchmark::State& state) { Register(state, TsyPath()); }

BENCHMARK(BM_ReadBmpBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegisterBmp256x256x24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadTsyBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegisterTsy16x128x128)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Folder());
  return 0;
}
