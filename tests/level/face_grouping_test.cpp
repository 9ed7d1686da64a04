// Texture-page assignment and the regrouping of faces by page: the exchange order, faces of
// pages beyond the count, and the one-pass assignment against the per-record scan.
#include "level/face_grouping.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/level/level_test_support.h"

namespace {

using Tags = std::vector<uint32_t>;
LevelGeometry scanned;  // a whole-store copy: too large for the stack

// Faces tagged in their first vertex index by their file position from 1.
template <typename Face>
void setFaces(Face* faces, int32_t& count, const Tags& pages) {
  count = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i)
    faces[i] = {{static_cast<uint32_t>(i + 1)}, 0, pages[i]};
}

template <typename Face>
Tags tags(const Face* faces, int32_t count) {
  Tags out;
  for (int32_t i = 0; i < count; ++i) out.push_back(faces[i].vertexIndices[0]);
  return out;
}

TEST(GroupFacesByPage, ExchangesInTheDocumentedOrder) {
  struct Case {
    Tags quadPages, trianglePages;
    int32_t pageCount;
    Tags quadsAfter, trianglesAfter;
  };
  const Case cases[] = {
      {{1, 0, 1, 0}, {}, 2, {2, 4, 3, 1}, {}},
      {{5, 0, 1}, {0x8002, 1, 0, 0xFFFFFFFF, 1}, 2, {2, 3, 1}, {3, 2, 5, 4, 1}},
      {{1, 0, 1}, {}, 0, {1, 2, 3}, {}},
      {{1, 0, 1}, {}, -3, {1, 2, 3}, {}},
      {{0, 0, 0, 0}, {}, 16, {1, 2, 3, 4}, {}},
      {{}, {2, 1, 0}, 3, {}, {3, 2, 1}},
      {{2, 1, 0}, {}, 3, {3, 2, 1}, {}},
  };
  for (const Case& c : cases) {
    resetStore();
    setFaces(levelGeometry.quads, levelGeometry.quadCount, c.quadPages);
    setFaces(levelGeometry.triangles, levelGeometry.triangleCount, c.trianglePages);
    levelGeometry.numTexturePages = c.pageCount;
    groupFacesByPage();
    EXPECT_EQ(tags(levelGeometry.quads, levelGeometry.quadCount), c.quadsAfter);
    EXPECT_EQ(tags(levelGeometry.triangles, levelGeometry.triangleCount), c.trianglesAfter);
  }
}

TEST(GroupFacesByPage, StaysWithinTheTablesWhateverTheCountsSay) {
  resetStore();
  levelGeometry.quadCount = levelGeometry.triangleCount = 0x7FFFFFFF;
  levelGeometry.quads[0].texturePage = 1;
  levelGeometry.numTexturePages = 2;
  groupFacesByPage();  // the sanitizers report any access past the tables
  EXPECT_EQ(levelGeometry.quads[kMaxQuads - 1].texturePage, 1u);
}

TEST(AssignTexturePages, EndsAsTheScanForEachRecordDoes) {
  std::mt19937 random(11);
  const auto pick = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };
  std::vector<int32_t> tiles(50);
  for (int round = 0; round < 20; ++round) {
    levelGeometry.quadCount = static_cast<int32_t>(pick(400));
    levelGeometry.triangleCount = static_cast<int32_t>(pick(300));
    for (QuadFace& face : levelGeometry.quads) face = {{}, pick(60), pick(5)};
    for (TriFace& face : levelGeometry.triangles) face = {{}, pick(60), pick(5)};
    for (int32_t& tile : tiles) tile = static_cast<int32_t>(pick(70000)) - 1;
    const int32_t count = static_cast<int32_t>(pick(50)) - 5;
    savedStore = levelGeometry;
    for (int32_t k = 0; k < count; ++k) assignTexturePage(k, tiles[k]);
    scanned = levelGeometry;
    levelGeometry = savedStore;
    assignTexturePages(tiles.data(), count);
    EXPECT_EQ(std::memcmp(&levelGeometry, &scanned, sizeof scanned), 0) << round;
  }
}

}  // namespace
