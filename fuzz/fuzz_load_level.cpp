// libFuzzer target: any bytes through the production reader over a memory stream. The
// sanitizers catch reads and writes outside the store; the checks below catch counts that a
// successful load must never leave.
#include <cstddef>
#include <cstdint>

#include "level/level_geometry.h"
#include "level/level_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!loadLevelFromMemory(data, size)) return 0;
  const LevelGeometry& level = levelGeometry;
  if (level.quadCount < 0 || level.quadCount >= kMaxQuads) __builtin_trap();
  if (level.triangleCount < 0 || level.triangleCount >= kMaxTriangles) __builtin_trap();
  if (level.numTexturePages > kMaxTexturePages || level.itemCount > kMaxItems) __builtin_trap();
  if (lastLoadReport().vertexCount >= kMaxVertices) __builtin_trap();
  return 0;
}
