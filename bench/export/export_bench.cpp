// Exporting a level with every table at its capacity limit, against loading the same file in
// the same run: the export from the loaded store into memory, and the whole tool's work
// (load, export, write the file), and the page encoding alone. Prints the ratios and the
// file's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/edge_levels.h"
#include "tools/gltf_export.h"
#include "tools/page_png.h"

namespace {

std::string levelPath, glbPath;

void loadLevelFileOnly(benchmark::State& state) {
  for (auto _ : state) {
    if (!loadLevel(levelPath.c_str())) state.SkipWithError("load failed");
  }
}

void exportToMemory(benchmark::State& state) {
  std::string glb;
  for (auto _ : state) {
    if (!buildLevelGlb(levelGeometry, ExportOptions(), glb)) state.SkipWithError("export failed");
    benchmark::DoNotOptimize(glb.data());
  }
  state.counters["bytes"] = static_cast<double>(glb.size());
}

// The PNG encoding of the 16 pages alone, the export's largest part.
void encodePages(benchmark::State& state) {
  std::vector<uint8_t> png;
  for (auto _ : state) {
    png.clear();
    for (const TexturePage& page : levelGeometry.texturePages) {
      if (!appendPagePng(page, png)) state.SkipWithError("encoding failed");
    }
    benchmark::DoNotOptimize(png.data());
  }
}

void loadExportWrite(benchmark::State& state) {
  for (auto _ : state) {
    if (!loadLevel(levelPath.c_str()) ||
        !exportLevelGlb(levelGeometry, ExportOptions(), glbPath.c_str())) {
      state.SkipWithError("export failed");
    }
  }
}

// The machine is shared: medians of five runs each.
BENCHMARK(loadLevelFileOnly)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(exportToMemory)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(encodePages)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(loadExportWrite)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Keeps each benchmark's median real time per iteration for the ratios after the table.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        milliseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // "label: ratio (top ms / baseline ms)" against the plain load.
  void printRatio(const char* label, const char* top) const {
    const auto found = milliseconds_.find(top), base = milliseconds_.find("loadLevelFileOnly");
    if (found == milliseconds_.end() || base == milliseconds_.end() || base->second <= 0) return;
    printf("%s: %.1fx (%.1f ms / %.2f ms)\n", label, found->second / base->second, found->second,
           base->second);
  }

 private:
  std::map<std::string, double> milliseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const char* dir = getenv("TMPDIR") != nullptr ? getenv("TMPDIR") : "/tmp";
  levelPath = std::string(dir) + "/dunmoor_export_bench.dnl";
  glbPath = std::string(dir) + "/dunmoor_export_bench.glb";
  if (!writeDnlFile(levelPath.c_str(), capacityEdgeLevel()) || !loadLevel(levelPath.c_str())) {
    fprintf(stderr, "cannot write or load the capacity level\n");
    return 1;
  }
  printf("capacity level: %d quads, %d triangles, %d pages, %d items\n", levelGeometry.quadCount,
         levelGeometry.triangleCount, levelGeometry.numTexturePages, levelGeometry.itemCount);
  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("export to memory / load", "exportToMemory");
  reporter.printRatio("page encoding alone / load", "encodePages");
  reporter.printRatio("load + export + write the file / load", "loadExportWrite");
  benchmark::Shutdown();
  std::remove(levelPath.c_str());
  std::remove(glbPath.c_str());
  return 0;
}
