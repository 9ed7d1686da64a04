// Helpers shared by the level suites: an empty store, small levels built with the writer,
// loads from bytes in memory.
#pragma once

#include <cstring>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/dnl_writer.h"

inline LevelGeometry savedStore;  // a whole-store copy: too large for the stack

inline void resetStore() {
  std::memset(&levelGeometry, 0, sizeof(levelGeometry));
}

inline bool storeEqualsSaved() {
  return std::memcmp(&levelGeometry, &savedStore, sizeof savedStore) == 0;
}

inline LoadFailure loadBytes(const std::vector<uint8_t>& bytes) {
  return loadLevelBytes(bytes.data(), bytes.size());
}

inline LoadFailure loadDnl(const DnlLevel& level, uint64_t cutAt = kDnlNoCut) {
  return loadBytes(writeDnlBytes(level, cutAt));
}

// A room of `count` vertices at (i, 2i, 3i) with the given shade word.
inline DnlRoom roomWithVertices(int count, uint16_t shade = 1024) {
  DnlRoom room;
  for (int16_t i = 0; i < count; ++i)
    room.vertices.push_back({i, int16_t(2 * i), int16_t(3 * i), shade});
  return room;
}

inline DnlQuad quadOf(uint16_t textureWord) {
  return {{0, 1, 2, 3}, textureWord};
}

inline DnlTriangle triangleOf(uint16_t textureWord) {
  return {{0, 1, 2}, textureWord};
}

inline DnlObjectTexture onPage(uint16_t tileWord) {
  return {0, tileWord, {}};
}
