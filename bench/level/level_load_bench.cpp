// Loading a level at every capacity limit against a plain read of the same file into
// memory, a hostile file whose counts claim gigabytes against the normal load, and the
// one-pass page assignment against the scan for each object texture. Prints the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "level/face_grouping.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/dnl_writer.h"
#include "tools/edge_levels.h"

namespace {

std::string fullPath, hostilePath;
std::vector<uint8_t> readBuffer;

// Every table at its limit (the export's capacity level), with skipped records in every
// room and 40 records in every level section, so that the load also skips.
DnlLevel capacityLevel() {
  DnlLevel level = capacityEdgeLevel();
  for (DnlRoom& room : level.rooms) {
    room.count32 = 4, room.gridA = 10, room.gridB = 10, room.count24 = 3, room.count20 = 3;
  }
  for (int s = 0; s < kLevelSectionCount; ++s) level.sectionCounts[s] = 40;
  return level;
}

// The same level, but the last room claims a grid of 8 x 65535 x 65535 bytes, the room
// count claims 65535 rooms, and every level section claims 2^31 - 1 records.
DnlLevel hostileLevel() {
  DnlLevel level = capacityLevel();
  level.rooms.back().gridA = level.rooms.back().gridB = 65535;
  level.rooms.back().writeSkippedRecords = false;
  level.roomCountField = 65535;
  for (int s = 0; s < kLevelSectionCount; ++s) level.sectionCounts[s] = 0x7FFFFFFF;
  level.writeSectionRecords = false;
  return level;
}

void plainRead(benchmark::State& state) {
  for (auto _ : state) {
    FILE* file = fopen(fullPath.c_str(), "rb");
    const size_t got = fread(readBuffer.data(), 1, readBuffer.size(), file);
    fclose(file);
    benchmark::DoNotOptimize(got);
  }
}

void loadFull(benchmark::State& state) {
  for (auto _ : state) {
    if (!loadLevel(fullPath.c_str())) state.SkipWithError("load failed");
  }
}

void loadHostile(benchmark::State& state) {
  for (auto _ : state) {
    if (!loadLevel(hostilePath.c_str())) state.SkipWithError("load failed");
  }
}

// Both start from the store as the full load leaves it, with the pages reset each time.
void assignByScan(benchmark::State& state) {
  for (auto _ : state) {
    for (int32_t k = 0; k < kMaxObjectTextures; ++k) assignTexturePage(k, k % 16);
  }
}

void assignDirect(benchmark::State& state) {
  static int32_t tiles[kMaxObjectTextures];
  for (int32_t k = 0; k < kMaxObjectTextures; ++k) tiles[k] = k % 16;
  for (auto _ : state) assignTexturePages(tiles, kMaxObjectTextures);
}

BENCHMARK(plainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(loadFull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(loadHostile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(assignByScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(assignDirect)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  const char* dir = getenv("TMPDIR") != nullptr ? getenv("TMPDIR") : "/tmp";
  fullPath = std::string(dir) + "/dunmoor_bench_full.dnl";
  hostilePath = std::string(dir) + "/dunmoor_bench_hostile.dnl";
  const DnlLevel full = capacityLevel();
  if (!writeDnlFile(fullPath.c_str(), full) || !writeDnlFile(hostilePath.c_str(), hostileLevel())) {
    fprintf(stderr, "cannot write the benchmark files\n");
    return 1;
  }
  readBuffer.resize(dnlLength(full));
  if (!loadLevel(fullPath.c_str())) {
    fprintf(stderr, "the capacity level does not load\n");
    return 1;
  }
  printf("capacity level: %zu bytes\n", readBuffer.size());
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter(RatioReporter::Clock::Real);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("load / plain read (target <= 3)", "loadFull", "plainRead");
  reporter.printRatio("hostile load / load (target <= 2)", "loadHostile", "loadFull");
  reporter.printRatio("scan assignment / one-pass assignment", "assignByScan", "assignDirect");
  benchmark::Shutdown();
  std::remove(fullPath.c_str());
  std::remove(hostilePath.c_str());
  return 0;
}
