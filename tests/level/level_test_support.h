// Helpers shared by the level suites: a fresh store, small levels built with the writer,
// and loads from bytes in memory.
#pragma once

#include <cstring>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/dnl_writer.h"

inline void resetStore() {
  std::memset(&levelGeometry, 0, sizeof(levelGeometry));
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
  for (int i = 0; i < count; ++i) {
    const int16_t c = static_cast<int16_t>(i % 1000);
    room.vertices.push_back({c, static_cast<int16_t>(2 * c), static_cast<int16_t>(3 * c), shade});
  }
  return room;
}

inline DnlQuad quadOf(uint16_t objectTexture, uint16_t first = 0) {
  return {{first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
           static_cast<uint16_t>(first + 3)},
          objectTexture};
}

inline DnlObjectTexture objectTextureOnPage(uint16_t tileWord) {
  DnlObjectTexture texture;
  texture.tileWord = tileWord;
  return texture;
}
