// Costs of the stage editor's undo history on a generated 2,000-partition stage: three wires on
// each side of every partition with every terrain face and road face textured, and 500 placed
// objects of five textured shapes, half of them glued. Measured: taking a step after a point
// move and after an object move, a click that changes nothing, one undo or redo, and the
// memory a step holds. Each time is printed as a ratio to a baseline of the same run: saving
// the stage file to memory, which a step and an undo each do about once.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"
#include "pictures/bmp_writer.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/object_placement.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "stage/stage_file.h"
#include "stage/stage_history.h"
#include "stage/terrain_editing.h"

namespace {

constexpr int32_t kPartitions = 2000;
constexpr int32_t kWiresPerSide = 3;
constexpr int32_t kObjects = 500;
constexpr int32_t kPictureSide = 128;

std::string Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// A 24-bit BMP with a colour ramp.
std::string Bmp(int32_t side, uint8_t red) {
  return Bmp24Bytes(side, side, [side, red](int32_t x, int32_t y) {
    const auto green = static_cast<uint8_t>((side - 1 - y) * 2);
    return uint32_t{red} << 16 | uint32_t{green} << 8 | static_cast<uint8_t>(x * 2);
  });
}

// A gently curving, climbing road of `lines` partition lines.
std::string Pat(int32_t lines) {
  ByteWriter out;
  out.Text("PATV1.0");
  out.I32(lines);
  for (int32_t k = 0; k < lines; ++k) {
    const double z = 10.0 * k;
    const double x = 200.0 * std::sin(0.002 * k);
    const double y = 0.05 * k;
    for (double v : {x + 5, y, z, x - 5, y, z}) out.F32(static_cast<float>(v));
    for (double v :
         {x, y, z, 0.4 * std::cos(0.002 * k), 0.05, 10.0, 0.0005 * k, 0.0005, 5.0, 5.0}) {
      out.F64(v);
    }
  }
  return out.Take();
}

Stage& BigStage() {
  static Stage* stage = [] {
    PictureBankHighColor1::StartUp(16);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "undo_bench_inputs";
    std::filesystem::create_directories(folder);
    auto* built = new Stage;
    LoadPartitionFile(*built, Write((folder / "road.pat").string(), Pat(kPartitions + 1)));
    std::vector<std::string> pictures;
    for (int i = 0; i < 4; ++i) {
      pictures.push_back(Write((folder / ("ground" + std::to_string(i) + ".bmp")).string(),
                               Bmp(kPictureSide, static_cast<uint8_t>(60 * i))));
    }
    for (int32_t p = 0; p < kPartitions; ++p) {
      built->SelectPartition(p);
      for (int32_t w = 0; w < kWiresPerSide; ++w) {
        AddWireOnSide(*built, kLeftSide);
        AddWireOnSide(*built, kRightSide);
      }
    }
    for (int32_t p = 0; p < kPartitions; ++p) {
      built->SetFacePictureFromFile({p, kRoadFaceSide, -1}, pictures[p % 4]);
      for (int32_t side = 0; side < 2; ++side) {
        for (int32_t w = 0; w < built->GetTerrain().FaceRun(p, side); ++w) {
          built->SetFacePictureFromFile({p, side, w}, pictures[(p + w + side) % 4]);
        }
      }
    }
    std::vector<int32_t> shapes;
    for (int s = 0; s < 5; ++s) {
      ObjectShape shape;
      for (int i = 0; i < 100; ++i) {
        shape.points.push_back({static_cast<float>(i % 10), static_cast<float>(s + i / 10),
                                static_cast<float>(i % 7)});
        shape.map_coordinates.push_back({0.01f * static_cast<float>(i), 0.5f});
      }
      ShapeAttribute attribute;
      attribute.texture_switch = 1;
      attribute.picture = built->GetTerrain().Face({s % 4, kRoadFaceSide, -1}).picture;
      attribute.repeat_u = attribute.repeat_v = 1.0f;
      PictureBankHighColor1::AddRef(attribute.picture);
      shape.attributes.push_back(attribute);
      for (int i = 0; i + 2 < 100; ++i)
        shape.polygons.push_back({3, i, i + 1, i + 2, i, i + 1, i + 2, 0});
      shape.use_count = kObjects / 5;
      shape.name = "rock" + std::to_string(s) + ".po3";
      shapes.push_back(built->MutableShapes().Add(shape));
    }
    for (int32_t i = 0; i < kObjects; ++i) {
      const int32_t p = (i * 4) % kPartitions;
      const int32_t object = built->CreateObject(
          {static_cast<float>(i % 30), 0.0f, 10.0f * static_cast<float>(p)}, shapes[i % 5]);
      if (i % 2 == 0) built->GlueObject(object, p);
    }
    built->SelectPartition(kPartitions / 2);
    built->ClearModified();
    return built;
  }();
  return *stage;
}

// Baseline: the stage file in memory, as a save makes it before writing.
void BM_SaveStageToMemory(benchmark::State& state) {
  Stage& stage = BigStage();
  for (auto _ : state) {
    benchmark::DoNotOptimize(StageFile::Image(stage, ToolStateBlock::Initial(), ViewSection()));
  }
  state.counters["MiB"] = static_cast<double>(StageModelImage(stage).size()) / (1 << 20);
}
BENCHMARK(BM_SaveStageToMemory)->Unit(benchmark::kMillisecond);

// A wire point of the middle partitions, dragged back and forth.
void MovePoint(Stage& stage, int64_t step) {
  const int32_t p = kPartitions / 2 + static_cast<int32_t>(step % 20);
  stage.SelectPartition(p);
  stage.SelectPoint({p, kLeftSide, 1, kEndA});
  DragSelectedPoint(stage, DragView::kPlan, step % 2 == 0 ? 40 : -40, 0, 0.01, {});
}

void BM_PointMoveWithoutHistory(benchmark::State& state) {
  Stage& stage = BigStage();
  int64_t step = 0;
  for (auto _ : state) MovePoint(stage, step++);
}
BENCHMARK(BM_PointMoveWithoutHistory)->Unit(benchmark::kMillisecond);

void BM_PointMoveAndStep(benchmark::State& state) {
  Stage& stage = BigStage();
  StageHistory history(stage);
  const size_t start = history.MemoryUsed();
  int64_t step = 0;
  for (auto _ : state) {
    MovePoint(stage, step++);
    history.Record(StageEdit::kPointMoved);
  }
  state.counters["steps kept"] = static_cast<double>(history.UndoCount());
  state.counters["KiB per step"] = static_cast<double>(history.MemoryUsed() - start) / 1024.0 /
                                   static_cast<double>(std::max<size_t>(1, history.UndoCount()));
}
BENCHMARK(BM_PointMoveAndStep)->Unit(benchmark::kMillisecond);

void BM_ObjectMoveAndStep(benchmark::State& state) {
  Stage& stage = BigStage();
  StageHistory history(stage);
  const size_t start = history.MemoryUsed();
  int64_t step = 0;
  for (auto _ : state) {
    stage.SelectObject(static_cast<int32_t>(step % kObjects) | 1);  // a free object
    DragMoveObject(stage, DragView::kSide, step % 2 == 0 ? 3 : -3, 2, {});
    ++step;
    history.Record(StageEdit::kObjectMoved);
  }
  state.counters["KiB per step"] = static_cast<double>(history.MemoryUsed() - start) / 1024.0 /
                                   static_cast<double>(std::max<size_t>(1, history.UndoCount()));
}
BENCHMARK(BM_ObjectMoveAndStep)->Unit(benchmark::kMillisecond);

// A click that only selects: recorded without serialising anything.
void BM_SelectionOnlyRecord(benchmark::State& state) {
  Stage& stage = BigStage();
  StageHistory history(stage);
  int32_t p = 0;
  for (auto _ : state) {
    stage.SelectPoint({kPartitions / 2, kRightSide, p++ % kWiresPerSide, kEndB});
    history.Record(StageEdit::kPointMoved);
  }
}
BENCHMARK(BM_SelectionOnlyRecord)->Unit(benchmark::kMicrosecond);

// Each iteration one undo or one redo, back and forth over ten steps.
void BM_UndoOrRedo(benchmark::State& state) {
  Stage& stage = BigStage();
  StageHistory history(stage);
  for (int64_t step = 0; step < 10; ++step) {
    MovePoint(stage, 3 * step);
    history.Record(StageEdit::kPointMoved);
  }
  bool undoing = true;
  for (auto _ : state) {
    if (undoing ? !history.Undo() : !history.Redo()) {
      undoing = !undoing;
      state.PauseTiming();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_UndoOrRedo)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        // Processor time: the machines this runs on are shared, and waiting is not cost.
        milliseconds_[run.benchmark_name()] =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    const char* measured[][2] = {
        {"BM_PointMoveAndStep", "a point move and its step"},
        {"BM_ObjectMoveAndStep", "an object move and its step"},
        {"BM_SelectionOnlyRecord", "a click that changes nothing"},
        {"BM_UndoOrRedo", "one undo or redo"},
    };
    const auto baseline = milliseconds_.find("BM_SaveStageToMemory");
    if (baseline == milliseconds_.end() || baseline->second <= 0.0) return;
    std::printf("\nprocessor times, and ratios to BM_SaveStageToMemory of this run (%.2f ms):\n",
                baseline->second);
    for (const auto& [name, what] : measured) {
      const auto time = milliseconds_.find(name);
      if (time == milliseconds_.end()) continue;
      std::printf("  %-30s %9.4f ms = %7.3f x the save\n", what, time->second,
                  time->second / baseline->second);
    }
    const auto edit = milliseconds_.find("BM_PointMoveWithoutHistory");
    const auto step = milliseconds_.find("BM_PointMoveAndStep");
    const auto undo = milliseconds_.find("BM_UndoOrRedo");
    if (edit != milliseconds_.end() && step != milliseconds_.end() && undo != milliseconds_.end()) {
      std::printf(
          "goals: a step adds %.2f ms to an edit (under 5), an undo or redo takes %.2f ms "
          "(under 20)\n",
          step->second - edit->second, undo->second);
    }
  }

 private:
  std::map<std::string, double> milliseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
