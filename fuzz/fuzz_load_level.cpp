// libFuzzer target: any bytes through the loader's memory path, then through its file path
// over the same bytes opened as a stream in memory (fmemopen), whose reads come in buffer
// refills and whose skips seek; both must end the same way with the same store. The
// sanitizers catch reads and writes outside the store.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "level/level_geometry.h"
#include "level/level_loader.h"

namespace {

LevelGeometry fromMemory;

// The store except its texture pages: a load writes every page below its page count whole
// and no other, so only those pages need comparing, and none needs clearing.
constexpr size_t kPagesAt = offsetof(LevelGeometry, texturePages);
constexpr size_t kAfterPages = offsetof(LevelGeometry, numTexturePages);

void clearStoreWithoutPages() {
  auto* store = reinterpret_cast<uint8_t*>(&levelGeometry);
  memset(store, 0, kPagesAt);
  memset(store + kAfterPages, 0, sizeof levelGeometry - kAfterPages);
}

void copyStore(const LevelGeometry& from, LevelGeometry& to, int32_t pages) {
  memcpy(&to, &from, kPagesAt);
  memcpy(reinterpret_cast<uint8_t*>(&to) + kAfterPages,
         reinterpret_cast<const uint8_t*>(&from) + kAfterPages, sizeof to - kAfterPages);
  for (int32_t p = 0; p < pages; ++p) to.texturePages[p] = from.texturePages[p];
}

bool sameStore(const LevelGeometry& a, const LevelGeometry& b, int32_t pages) {
  const auto* left = reinterpret_cast<const uint8_t*>(&a);
  const auto* right = reinterpret_cast<const uint8_t*>(&b);
  if (memcmp(left, right, kPagesAt) != 0) return false;
  if (memcmp(left + kAfterPages, right + kAfterPages, sizeof a - kAfterPages) != 0) return false;
  const size_t pageBytes = sizeof(TexturePage) * static_cast<size_t>(pages);
  return memcmp(a.texturePages, b.texturePages, pageBytes) == 0;
}

// Pages the last load wrote: its page count, if the load got that far, within the table.
int32_t pagesWritten() {
  return countWithinTable(levelGeometry.numTexturePages, kMaxTexturePages);
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
  clearStoreWithoutPages();
  const LoadFailure memoryFailure = loadLevelBytes(data, size);
  if (memoryFailure == LoadFailure::None) checkCounts();
  const LoadReport memoryReport = lastLoadReport();
  const int32_t pages = pagesWritten();
  copyStore(levelGeometry, fromMemory, pages);

  // fmemopen refuses an empty buffer: a one-byte buffer read from past its byte stands in.
  static uint8_t none[1];
  void* bytes = size > 0 ? const_cast<uint8_t*>(data) : none;
  FILE* file = fmemopen(bytes, size > 0 ? size : 1, "rb");
  if (file == nullptr) abort();
  if (size == 0 && fseeko(file, 1, SEEK_SET) != 0) abort();
  clearStoreWithoutPages();
  const LoadFailure fileFailure = loadLevelStream(file);
  fclose(file);
  if (fileFailure != memoryFailure) __builtin_trap();
  if (lastLoadReport().vertexCount != memoryReport.vertexCount) __builtin_trap();
  if (!sameStore(levelGeometry, fromMemory, pages)) __builtin_trap();
  return 0;
}
