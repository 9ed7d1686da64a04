// Texture-page assignment and the regrouping of faces by page: the exchange order, faces
// of pages beyond the count, unclaimed faces, and the one-pass assignment against the scan.
#include "level/face_grouping.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/level/level_test_support.h"

namespace {

LevelGeometry before, scanned;  // whole-store copies: too large for the stack

// Quads tagged by their first vertex index (their file position from 1) with these pages.
void setQuads(const std::vector<uint32_t>& pages) {
  levelGeometry.quadCount = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    levelGeometry.quads[i] = {{static_cast<uint32_t>(i + 1), 0, 0, 0}, 0, pages[i]};
  }
}

void setTriangles(const std::vector<uint32_t>& pages) {
  levelGeometry.triangleCount = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    levelGeometry.triangles[i] = {{static_cast<uint32_t>(i + 1), 0, 0}, 0, pages[i]};
  }
}

std::vector<uint32_t> quadTags() {
  std::vector<uint32_t> tags;
  for (int32_t i = 0; i < levelGeometry.quadCount; ++i) {
    tags.push_back(levelGeometry.quads[i].vertexIndices[0]);
  }
  return tags;
}

std::vector<uint32_t> triangleTags() {
  std::vector<uint32_t> tags;
  for (int32_t i = 0; i < levelGeometry.triangleCount; ++i) {
    tags.push_back(levelGeometry.triangles[i].vertexIndices[0]);
  }
  return tags;
}

TEST(GroupFacesByPage, ExchangesInTheOrderThatReversesLaterPages) {
  resetStore();
  setQuads({1, 0, 1, 0});
  levelGeometry.numTexturePages = 2;
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{2, 4, 3, 1}));
  EXPECT_EQ(levelGeometry.quads[3].texturePage, 1u);
}

TEST(GroupFacesByPage, PutsPagesBeyondTheCountBehindTheRuns) {
  resetStore();
  setQuads({5, 0, 1});
  setTriangles({0x8002, 1, 0, 0xFFFFFFFF, 1});
  levelGeometry.numTexturePages = 2;
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{2, 3, 1}));
  std::vector<uint32_t> pages;
  for (int32_t i = 0; i < 5; ++i) pages.push_back(levelGeometry.triangles[i].texturePage);
  EXPECT_EQ(std::vector<uint32_t>(pages.begin(), pages.begin() + 3),
            (std::vector<uint32_t>{0, 1, 1}));
  EXPECT_EQ(triangleTags(), (std::vector<uint32_t>{3, 2, 5, 4, 1}));
}

TEST(GroupFacesByPage, LeavesTablesAloneWithoutPagesOrWhenAllShareOne) {
  for (const int32_t pageCount : {0, -3}) {
    resetStore();
    setQuads({1, 0, 1});
    levelGeometry.numTexturePages = pageCount;
    groupFacesByPage();
    EXPECT_EQ(quadTags(), (std::vector<uint32_t>{1, 2, 3}));
  }
  resetStore();
  setQuads({0, 0, 0, 0});
  levelGeometry.numTexturePages = 16;
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(GroupFacesByPage, RegroupsEachTableWhenTheOtherIsEmpty) {
  resetStore();
  setTriangles({2, 1, 0});
  levelGeometry.numTexturePages = 3;
  groupFacesByPage();
  EXPECT_EQ(triangleTags(), (std::vector<uint32_t>{3, 2, 1}));
  resetStore();
  setQuads({2, 1, 0});
  levelGeometry.numTexturePages = 3;
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{3, 2, 1}));
}

TEST(GroupFacesByPage, StaysWithinTheTablesWhateverTheCountsSay) {
  resetStore();
  levelGeometry.quadCount = 0x7FFFFFFF;
  levelGeometry.triangleCount = 0x7FFFFFFF;
  levelGeometry.quads[kMaxQuads - 1].texturePage = 0;
  levelGeometry.quads[0].texturePage = 1;
  levelGeometry.numTexturePages = 2;
  groupFacesByPage();  // under the sanitizers this would report any access past the table
  EXPECT_EQ(levelGeometry.quads[kMaxQuads - 1].texturePage, 1u);
  assignTexturePage(0, 9);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 9u);
}

TEST(AssignTexturePage, GivesTheWholeTileWordToEveryFaceOfTheObjectTexture) {
  resetStore();
  setQuads({4, 4, 4});
  setTriangles({4, 4});
  levelGeometry.quads[0].objectTexture = 7;
  levelGeometry.quads[2].objectTexture = 7;
  levelGeometry.triangles[1].objectTexture = 7;
  assignTexturePage(7, 3);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 3u);
  EXPECT_EQ(levelGeometry.quads[1].texturePage, 4u);  // object texture 0: not named
  EXPECT_EQ(levelGeometry.quads[2].texturePage, 3u);
  EXPECT_EQ(levelGeometry.triangles[0].texturePage, 4u);
  EXPECT_EQ(levelGeometry.triangles[1].texturePage, 3u);
  assignTexturePage(7, 0x8002);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0x8002u);
  assignTexturePage(0, -1);  // a tile word read past the end
  EXPECT_EQ(levelGeometry.quads[1].texturePage, 0xFFFFFFFFu);
}

// The one-pass assignment must end exactly where calling the scan for each record ends,
// faces outside the object-texture count keeping the pages they held.
TEST(AssignTexturePages, EndsAsTheScanForEachRecordDoes) {
  std::mt19937 random(11);
  for (int round = 0; round < 20; ++round) {
    resetStore();
    levelGeometry.quadCount = static_cast<int32_t>(random() % 400);
    levelGeometry.triangleCount = static_cast<int32_t>(random() % 300);
    for (QuadFace& face : levelGeometry.quads) {
      face.objectTexture = random() % 60;
      face.texturePage = random() % 5;
    }
    for (TriFace& face : levelGeometry.triangles) {
      face.objectTexture = random() % 60;
      face.texturePage = random() % 5;
    }
    const int32_t count = static_cast<int32_t>(random() % 50) - 5;
    std::vector<int32_t> tiles(50);
    for (int32_t& tile : tiles) tile = static_cast<int32_t>(random() % 70000) - 1;

    before = levelGeometry;
    for (int32_t k = 0; k < count; ++k) assignTexturePage(k, tiles[k]);
    scanned = levelGeometry;
    levelGeometry = before;
    assignTexturePages(tiles.data(), count);
    EXPECT_EQ(std::memcmp(levelGeometry.quads, scanned.quads, sizeof scanned.quads), 0);
    EXPECT_EQ(std::memcmp(levelGeometry.triangles, scanned.triangles, sizeof scanned.triangles), 0);
  }
}

}  // namespace
