// The edge levels, each built from scratch so that a test can change one without the others.
#include "tools/edge_levels.h"

#include "level/level_geometry.h"

namespace {

// A page of one 16-bit texel word, with a transparent first row so that alpha shows.
std::vector<uint16_t> edgePage(uint16_t word) {
  std::vector<uint16_t> page(kTexelsPerPage, word);
  for (int32_t s = 0; s < kTexturePageSide; ++s) page[s] = word & 0x7FFF;
  return page;
}

// Object texture spanning the whole page: corners at texels (0, 0), (255, 0), (255, 255),
// (0, 255).
DnlObjectTexture wholePage(uint16_t tileWord) {
  return {0, tileWord, {0x0000, 0x0000, 0xFF00, 0x0000, 0xFF00, 0xFF00, 0x0000, 0xFF00}};
}

}  // namespace

DnlLevel emptyEdgeLevel() {
  return DnlLevel();
}

DnlLevel pagesOnlyEdgeLevel() {
  DnlLevel level;
  level.pages = {edgePage(0xFC00), edgePage(0x83E0)};
  return level;
}

DnlLevel untexturedEdgeLevel() {
  DnlLevel level;
  DnlRoom room;
  room.vertices = {{0, 0, 0, 1024}, {1024, 0, 0, 1024}, {1024, 0, 1024, 1024}, {0, 0, 1024, 512}};
  room.quads = {{{0, 1, 2, 3}, 0}};
  room.triangles = {{{0, 1, 2}, 1}};  // object texture 1: just past the table
  level.rooms = {room};
  level.objectTextures = {wholePage(0)};
  return level;
}

DnlLevel knownEdgeLevel() {
  DnlLevel level;
  level.pages = {edgePage(0xFFFF)};
  DnlRoom room;
  room.x = 2048;
  room.z = -1024;
  room.vertices = {{0, -512, 0, 0}, {1024, -512, 0, 512}, {1024, 0, 0, 1024}, {0, 0, 0, 4096}};
  room.quads = {{{0, 1, 2, 3}, 0}};
  room.triangles = {{{0, 1, 2}, 1}, {{0, 1, 4}, 0}};  // vertex 4: just past the table
  level.rooms = {room};
  level.objectTextures = {wholePage(0), wholePage(7)};
  level.items = {{0x1a5, 100, -200, 300, 0}, {0, 1000, 2048, 3000, 16384}};
  return level;
}

DnlLevel capacityEdgeLevel() {
  DnlLevel level;
  for (int32_t p = 0; p < kMaxTexturePages; ++p) {
    std::vector<uint16_t> page(kTexelsPerPage);
    for (int32_t i = 0; i < kTexelsPerPage; ++i) page[i] = static_cast<uint16_t>(i * 7 + p);
    level.pages.push_back(page);
  }
  // Three rooms of 6219 vertices; the quads and triangles spread over them.
  const int32_t vertices = (kMaxVertices - 1) / 3;
  const int32_t quads[3] = {4627, 4627, 4627}, triangles[3] = {1871, 1871, 1870};
  for (int32_t r = 0; r < 3; ++r) {
    DnlRoom room;
    room.x = r * 20000;
    for (int32_t i = 0; i < vertices; ++i) {
      room.vertices.push_back({static_cast<int16_t>(i % 97 * 64), static_cast<int16_t>(-i % 31),
                               static_cast<int16_t>(i / 97 * 64), static_cast<uint16_t>(i)});
    }
    auto at = [&](int32_t i) { return static_cast<uint16_t>(i % vertices); };
    for (int32_t i = 0; i < quads[r]; ++i) {
      room.quads.push_back({{at(i), at(i + 1), at(i + 98), at(i + 97)},
                            static_cast<uint16_t>(i * 13 % kMaxObjectTextures)});
    }
    for (int32_t i = 0; i < triangles[r]; ++i) {
      room.triangles.push_back(
          {{at(i), at(i + 1), at(i + 97)}, static_cast<uint16_t>(i * 7 % kMaxObjectTextures)});
    }
    level.rooms.push_back(room);
  }
  for (int32_t k = 0; k < kMaxObjectTextures; ++k) {
    DnlObjectTexture texture;
    texture.tileWord = static_cast<uint16_t>(k % kMaxTexturePages);
    for (int32_t c = 0; c < 8; ++c) texture.uvWords[c] = static_cast<uint16_t>((k + c) << 8);
    level.objectTextures.push_back(texture);
  }
  for (int32_t i = 0; i < kMaxItems; ++i) {
    level.items.push_back({static_cast<uint16_t>(i), i * 100, 0, i * 50, 0});
  }
  return level;
}

DnlLevel tooManyItemsEdgeLevel() {
  DnlLevel level = knownEdgeLevel();
  level.itemCountField = kMaxItems + 1;
  return level;
}
