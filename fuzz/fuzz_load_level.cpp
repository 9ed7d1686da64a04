// libFuzzer target: any bytes through the loader's memory path, then through its file path
// over the same bytes opened as a stream in memory (fmemopen), whose reads come in buffer
// refills and whose skips seek; both must end the same way with the same store. Only the
// records a load can write are cleared, copied and compared (the extents its report gives),
// so each run costs what the input holds, not the whole store. The sanitizers catch reads
// and writes outside the store.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "level/level_geometry.h"
#include "level/level_loader.h"

namespace {

// How many records of each table a load wrote, from its report and the counts it set.
struct Extent {
  int32_t vertices, quads, triangles, objectTextures, pages, items;
  bool operator==(const Extent&) const = default;
};

Extent written() {
  const LoadReport& report = lastLoadReport();
  return {countWithinTable(report.vertexCount, kMaxVertices),
          countWithinTable(report.quadsStored, kMaxQuads),
          countWithinTable(report.trianglesStored, kMaxTriangles),
          countWithinTable(report.objectTextureCount, kMaxObjectTextures),
          countWithinTable(levelGeometry.numTexturePages, kMaxTexturePages),
          countWithinTable(levelGeometry.itemCount, kMaxItems)};
}

// Calls `region(offset, bytes)` for every part of the store within `e`.
template <typename Region>
void forEachRegion(const Extent& e, Region region) {
  const auto at = [](const void* member) {
    return static_cast<size_t>(static_cast<const uint8_t*>(member) -
                               reinterpret_cast<const uint8_t*>(&levelGeometry));
  };
  const LevelGeometry& g = levelGeometry;
  region(at(g.vertices), sizeof(RoomVertex) * e.vertices);
  region(at(g.quads), sizeof(QuadFace) * e.quads);
  region(at(g.triangles), sizeof(TriFace) * e.triangles);
  region(at(g.objectTextureUVs), sizeof(ObjectTextureUV) * e.objectTextures);
  region(at(g.texturePages), sizeof(TexturePage) * e.pages);
  region(at(g.items), sizeof(LevelItem) * e.items);
  region(at(&g.quadCount), sizeof g.quadCount);
  region(at(&g.triangleCount), sizeof g.triangleCount);
  region(at(&g.numTexturePages), sizeof g.numTexturePages);
  region(at(&g.itemCount), sizeof g.itemCount);
  region(at(&g.startX), sizeof(float) * 4);  // the start pose
}

uint8_t* store() {
  return reinterpret_cast<uint8_t*>(&levelGeometry);
}

LevelGeometry fromMemory;
Extent lastWritten = {kMaxVertices, kMaxQuads, kMaxTriangles, kMaxObjectTextures, 0, kMaxItems};

void clear(const Extent& e) {
  forEachRegion(e, [](size_t offset, size_t bytes) { memset(store() + offset, 0, bytes); });
}

// Counts a successful load must never leave.
void checkCounts() {
  const LevelGeometry& level = levelGeometry;
  if (level.quadCount < 0 || level.quadCount >= kMaxQuads) __builtin_trap();
  if (level.triangleCount < 0 || level.triangleCount >= kMaxTriangles) __builtin_trap();
  if (level.numTexturePages > kMaxTexturePages || level.itemCount > kMaxItems) __builtin_trap();
  if (lastLoadReport().vertexCount >= kMaxVertices) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  clear(lastWritten);
  const LoadFailure memoryFailure = loadLevelBytes(data, size);
  if (memoryFailure == LoadFailure::None) checkCounts();
  const LoadReport memoryReport = lastLoadReport();
  const Extent memoryWritten = written();
  auto* copy = reinterpret_cast<uint8_t*>(&fromMemory);
  forEachRegion(memoryWritten, [&](size_t offset, size_t bytes) {
    memcpy(copy + offset, store() + offset, bytes);
  });

  // fmemopen refuses an empty buffer: a one-byte buffer read from past its byte stands in.
  static uint8_t none[1];
  void* bytes = size > 0 ? const_cast<uint8_t*>(data) : none;
  FILE* file = fmemopen(bytes, size > 0 ? size : 1, "rb");
  if (file == nullptr) abort();
  if (size == 0 && fseeko(file, 1, SEEK_SET) != 0) abort();
  clear(memoryWritten);
  const LoadFailure fileFailure = loadLevelStream(file);
  fclose(file);
  lastWritten = written();
  if (fileFailure != memoryFailure) __builtin_trap();
  if (lastLoadReport().vertexCount != memoryReport.vertexCount) __builtin_trap();
  if (!(lastWritten == memoryWritten)) __builtin_trap();
  bool same = true;
  forEachRegion(memoryWritten, [&](size_t offset, size_t bytes) {
    same = same && memcmp(copy + offset, store() + offset, bytes) == 0;
  });
  if (!same) __builtin_trap();
  return 0;
}
