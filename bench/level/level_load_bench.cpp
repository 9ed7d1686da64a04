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

namespace {

std::string fullPath, hostilePath;
std::vector<uint8_t> readBuffer;

// Every table at its limit: 18657 vertices, 13881 quads, 5612 triangles in three rooms,
// 16 pages, 2500 object textures over the pages, 248 items.
DnlLevel capacityLevel() {
  DnlLevel level;
  for (int p = 0; p < kMaxTexturePages; ++p) {
    std::vector<uint16_t> page(65536);
    for (int i = 0; i < 65536; ++i) page[i] = static_cast<uint16_t>(i * 7 + p);
    level.pages.push_back(page);
  }
  const int vertices[3] = {6219, 6219, 6219};
  const int quads[3] = {4627, 4627, 4627};
  const int triangles[3] = {1871, 1871, 1870};
  for (int r = 0; r < 3; ++r) {
    DnlRoom room;
    room.x = r * 20000;
    for (int i = 0; i < vertices[r]; ++i) {
      room.vertices.push_back({static_cast<int16_t>(i % 97 * 64), static_cast<int16_t>(-i % 31),
                               static_cast<int16_t>(i / 97 * 64), static_cast<uint16_t>(i)});
    }
    auto at = [&](int i) { return static_cast<uint16_t>(i % vertices[r]); };
    for (int i = 0; i < quads[r]; ++i) {
      room.quads.push_back({{at(i), at(i + 1), at(i + 98), at(i + 97)},
                            static_cast<uint16_t>(i * 13 % kMaxObjectTextures)});
    }
    for (int i = 0; i < triangles[r]; ++i) {
      room.triangles.push_back(
          {{at(i), at(i + 1), at(i + 97)}, static_cast<uint16_t>(i * 7 % kMaxObjectTextures)});
    }
    room.count32 = 4, room.gridA = 10, room.gridB = 10, room.count24 = 3, room.count20 = 3;
    level.rooms.push_back(room);
  }
  for (int k = 0; k < kMaxObjectTextures; ++k) {
    DnlObjectTexture t;
    t.tileWord = static_cast<uint16_t>(k % kMaxTexturePages);
    for (int c = 0; c < 8; ++c) t.uvWords[c] = static_cast<uint16_t>((k + c) << 8);
    level.objectTextures.push_back(t);
  }
  for (int i = 0; i < kMaxItems; ++i) {
    level.items.push_back({static_cast<uint16_t>(i), i * 100, 0, i * 50, 0});
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
