// Costs of the course model on a full 256-point course: re-solving the six splines after one
// point edit, and writing the partition file at 100 samples per segment. Each is printed as
// a ratio to a baseline measured in the same run (a plain copy of the same amount of data,
// and for the splines also a plain double-precision tridiagonal solve).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "course/course_data.h"
#include "course/partition_file.h"

namespace {

constexpr int kPoints = 256;
constexpr int kSamples = 100;

// A closed 256-point course on a wavy ring with height, roll and widths all varying.
CourseData1& BigCourse() {
  static CourseData1* course = [] {
    auto* built = new CourseData1;
    built->Initialise();
    for (int i = 0; i < kPoints; ++i) {
      const double a = 2.0 * M_PI * i / kPoints;
      const double radius = 5000.0 + 400.0 * std::sin(7.0 * a);
      const int32_t index =
          built->AddPoint(radius * std::cos(a), 60.0 * std::sin(3.0 * a), radius * std::sin(a));
      built->SetPointRoll(index, 0.2 * std::sin(5.0 * a));
      built->SetPointWidths(index, 20.0 + 5.0 * std::cos(2.0 * a), 22.0 + 4.0 * std::sin(a));
      built->ChangeSampleCount(kSamples - CourseData1::kDefaultSampleCount);
    }
    built->SetLoop(1);
    return built;
  }();
  return *course;
}

// One edit of point 128 that touches all six splines (position, roll, both widths).
void BM_ResolveSixSplinesAfterOneEdit(benchmark::State& state) {
  CourseData1& course = BigCourse();
  const CourseVector p = course.PointPosition(128);
  double offset = 0.0;
  for (auto _ : state) {
    offset = offset == 0.0 ? 1.0 : 0.0;
    course.SetPointPosition(128, p.x + offset, p.y + offset, p.z - offset);
    course.SetPointRoll(128, 0.1 + offset * 0.01);
    course.SetPointWidths(128, 20.0 + offset, 21.0 - offset);
    benchmark::DoNotOptimize(course.PositionAt(127, 0.5));
  }
}
BENCHMARK(BM_ResolveSixSplinesAfterOneEdit);

// Baseline: copying the six splines' point records once.
void BM_CopySixSplinePointLists(benchmark::State& state) {
  std::vector<SplinePoint> source(6 * kPoints, SplinePoint{1.0, 2.0, 2});
  std::vector<SplinePoint> target(source.size());
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size() * sizeof(SplinePoint));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopySixSplinePointLists);

// Baseline: six plain double-precision cyclic-free tridiagonal solves of 256 rows.
void BM_PlainTridiagonalSolveSixTimes(benchmark::State& state) {
  std::vector<double> rhs(kPoints);
  for (int i = 0; i < kPoints; ++i) rhs[i] = std::sin(0.1 * i);
  std::vector<double> c(kPoints);
  std::vector<double> d(kPoints);
  std::vector<double> x(kPoints);
  for (auto _ : state) {
    for (int s = 0; s < 6; ++s) {
      c[0] = 0.25;
      d[0] = rhs[0] / 4.0;
      for (int i = 1; i < kPoints; ++i) {
        const double m = 4.0 - c[i - 1];
        c[i] = 1.0 / m;
        d[i] = (rhs[i] - d[i - 1]) / m;
      }
      x[kPoints - 1] = d[kPoints - 1];
      for (int i = kPoints - 2; i >= 0; --i) x[i] = d[i] - c[i] * x[i + 1];
      benchmark::DoNotOptimize(x.data());
    }
  }
}
BENCHMARK(BM_PlainTridiagonalSolveSixTimes);

void BM_SamplePartitionLines(benchmark::State& state) {
  const CourseData1& course = BigCourse();
  for (auto _ : state) benchmark::DoNotOptimize(SamplePartitionLines(course));
}
BENCHMARK(BM_SamplePartitionLines)->Unit(benchmark::kMillisecond);

// The file and its listing built in memory.
void BM_BuildPartitionFile(benchmark::State& state) {
  const CourseData1& course = BigCourse();
  PartitionFileImage image;
  for (auto _ : state) {
    BuildPartitionFile(course, &image);
    benchmark::DoNotOptimize(image.binary.data());
  }
  state.counters["lines"] = static_cast<double>(PartitionLineCount(course));
  state.counters["bytes"] = static_cast<double>(image.binary.size() + image.listing.size());
}
BENCHMARK(BM_BuildPartitionFile)->Unit(benchmark::kMillisecond);

// The whole command: build both files and save them atomically (flushed to disk).
void BM_WritePartitionFile(benchmark::State& state) {
  const CourseData1& course = BigCourse();
  const std::string path =
      (std::filesystem::temp_directory_path() / "course_bench_partition.pat").string();
  for (auto _ : state) benchmark::DoNotOptimize(WritePartitionFile(course, path));
  std::filesystem::remove(path);
  std::filesystem::remove(PartitionListingPath(path));
}
BENCHMARK(BM_WritePartitionFile)->Unit(benchmark::kMillisecond);

// Baseline: a plain copy of the bytes of both files.
void BM_CopyPartitionFileBytes(benchmark::State& state) {
  PartitionFileImage image;
  BuildPartitionFile(BigCourse(), &image);
  const std::string source = image.binary + image.listing;
  std::string target(source.size(), '\0');
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyPartitionFileBytes)->Unit(benchmark::kMillisecond);

// Prints the usual table, then each measurement as a multiple of its baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.benchmark_name()] =
            run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    const char* pairs[][2] = {
        {"BM_ResolveSixSplinesAfterOneEdit", "BM_CopySixSplinePointLists"},
        {"BM_ResolveSixSplinesAfterOneEdit", "BM_PlainTridiagonalSolveSixTimes"},
        {"BM_SamplePartitionLines", "BM_CopyPartitionFileBytes"},
        {"BM_BuildPartitionFile", "BM_CopyPartitionFileBytes"},
        {"BM_WritePartitionFile", "BM_CopyPartitionFileBytes"},
    };
    std::printf("\nratios to the baselines of this run:\n");
    for (const auto& pair : pairs) {
      const auto measured = times_.find(pair[0]);
      const auto baseline = times_.find(pair[1]);
      if (measured == times_.end() || baseline == times_.end() || baseline->second <= 0.0) {
        continue;
      }
      std::printf("  %-34s / %-34s = %10.1f\n", pair[0], pair[1],
                  measured->second / baseline->second);
    }
  }

 private:
  std::map<std::string, double> times_;
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
