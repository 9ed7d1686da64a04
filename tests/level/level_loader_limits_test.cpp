// Capacity limits, the failure table and what each failure leaves in the store, files cut
// short (values from -1 past the end) and counts that claim far more than the file holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/level/level_test_support.h"

namespace {

constexpr uint64_t kHeaderBytes = 1800;  // version word, two skipped runs, page count

// A level whose table for `failure` holds `n` records.
DnlLevel levelWith(LoadFailure failure, int n) {
  DnlLevel level;
  level.rooms = {roomWithVertices(4)};
  if (failure == LoadFailure::TooManyTexturePages)
    level.pages.assign(n, std::vector<uint16_t>(1, 0xFFFF));
  if (failure == LoadFailure::TooManyVertices) {
    level.rooms.clear();
    for (int left = n; left > 0; left -= 10000)
      level.rooms.push_back(roomWithVertices(std::min(left, 10000)));
    level.rooms.back().quads = {quadOf(9)};
  }
  if (failure == LoadFailure::TooManyQuads) level.rooms[0].quads.assign(n, quadOf(0));
  if (failure == LoadFailure::TooManyTriangles) level.rooms[0].triangles.assign(n, {{0, 1, 2}, 0});
  if (failure == LoadFailure::TooManyObjectTextures) {
    level.rooms[0].quads = {quadOf(0), quadOf(0)};
    level.objectTextures.assign(n, onPage(1));
  }
  if (failure == LoadFailure::TooManyItems) level.items.assign(n, DnlItem{0, 5, 5, 5, 0});
  return level;
}

TEST(Limits, TheLargestCountLoadsAndOneMoreFailsLeavingTheDocumentedStore) {
  const std::pair<LoadFailure, int> limits[] = {
      {LoadFailure::TooManyTexturePages, kMaxTexturePages},
      {LoadFailure::TooManyVertices, kMaxVertices - 1},
      {LoadFailure::TooManyQuads, kMaxQuads - 1},
      {LoadFailure::TooManyTriangles, kMaxTriangles - 1},
      {LoadFailure::TooManyObjectTextures, kMaxObjectTextures},
      {LoadFailure::TooManyItems, kMaxItems}};
  for (const auto& [failure, limit] : limits) {
    SCOPED_TRACE(static_cast<int>(failure));
    resetStore();
    EXPECT_EQ(loadDnl(levelWith(failure, limit)), LoadFailure::None);
    const int32_t counts[] = {levelGeometry.numTexturePages,
                              lastLoadReport().vertexCount,
                              levelGeometry.quadCount,
                              levelGeometry.triangleCount,
                              lastLoadReport().objectTextureCount,
                              levelGeometry.itemCount};
    EXPECT_EQ(counts[static_cast<int>(failure) - 3], limit);
    // A marker level: what a failed load must keep shows up in its counts and start pose.
    DnlLevel marker = levelWith(LoadFailure::None, 0);
    marker.rooms[0].quads = {quadOf(1)};
    marker.rooms[0].triangles = {{{0, 1, 2}, 1}};
    marker.items = {{0, 7, 7, 7, 0}};
    ASSERT_EQ(loadDnl(marker), LoadFailure::None);
    savedStore = levelGeometry;
    EXPECT_EQ(loadDnl(levelWith(failure, limit + 1)), failure);
    EXPECT_TRUE(storeEqualsSaved() || failure != LoadFailure::TooManyTexturePages);
    if (failure <= LoadFailure::TooManyTriangles) {
      EXPECT_EQ(levelGeometry.quadCount, 1);
      EXPECT_EQ(levelGeometry.triangleCount, 1);
    }
    EXPECT_EQ(levelGeometry.itemCount, 1);  // items come last: never reached
  }
  EXPECT_EQ(levelGeometry.startX, 7.0f);
  loadDnl(levelWith(LoadFailure::TooManyVertices, kMaxVertices));
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 1u);  // the last room's faces never read
  loadDnl(levelWith(LoadFailure::TooManyObjectTextures, kMaxObjectTextures + 1));
  EXPECT_EQ(levelGeometry.quadCount, 2);              // the rooms were read
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0u);  // but no page assigned
}

TEST(Limits, EarlyFailuresAndHostileTableCountsLeaveTheStoreUntouched) {
  DnlLevel level = levelWith(LoadFailure::TooManyTexturePages, 0);
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  savedStore = levelGeometry;
  level.pageCountField = 0x7FFFFFFF;
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyTexturePages);
  level.pageCountField.reset();
  for (const uint32_t version : {44u, 46u, 0xFF080034u, 0x380008FFu}) {
    level.versionWord = version;
    EXPECT_EQ(loadDnl(level), LoadFailure::UnknownVersion) << version;
    EXPECT_FALSE(lastLoadReport().layoutKnown);
  }
  EXPECT_EQ(loadBytes({}), LoadFailure::UnknownVersion);
  EXPECT_TRUE(storeEqualsSaved());
  level = levelWith(LoadFailure::TooManyItems, 1);
  level.itemCountField = 0x7FFFFFFF;
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyItems);
}

TEST(CutShort, PagesVerticesAndItemsPastTheEndComeFromMinusOne) {
  DnlLevel level;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x0421));
  level.items = {{0, 1, 1, 1, 0}};
  const uint64_t cut = kHeaderBytes + 2 * 65536 + 131072 + 1001;  // texel 500's second byte: 0xFF21
  const std::string path = testing::TempDir() + "cut_pages.dnl";
  ASSERT_TRUE(writeDnlFile(path.c_str(), level, cut));
  resetStore();
  EXPECT_TRUE(loadLevel(path.c_str()));  // a file's buffer refills fall elsewhere
  std::remove(path.c_str());
  savedStore = levelGeometry;
  resetStore();
  ASSERT_EQ(loadDnl(level, cut), LoadFailure::None);
  EXPECT_TRUE(storeEqualsSaved());
  const uint8_t* texels = levelGeometry.texturePages[1].texels;
  EXPECT_EQ(std::vector<uint8_t>(texels + 4 * 499, texels + 4 * 502),
            std::vector<uint8_t>({8, 8, 8, 0, 248, 200, 8, 255, 248, 248, 248, 255}));
  EXPECT_EQ(levelGeometry.quadCount | levelGeometry.triangleCount, 0);
  EXPECT_EQ(levelGeometry.itemCount & lastLoadReport().objectTextureCount, -1);
  EXPECT_EQ(levelGeometry.startY, 0.0f);

  level = levelWith(LoadFailure::None, 0);
  level.rooms[0] = roomWithVertices(5);
  level.rooms[0].x = 100, level.rooms[0].z = 200;
  level.rooms[0].vertices[1] = {-7, 8, 0x1205, 2048};
  ASSERT_EQ(loadDnl(level, kHeaderBytes + 6 + 22 + 12 + 4 + 1),
            LoadFailure::None);  // in vertex 1's z
  const RoomVertex* v = levelGeometry.vertices;
  EXPECT_EQ(std::vector<float>({v[1].x, v[1].z, v[1].r}),
            std::vector<float>({93, 200 - 251, -1.0f / 1024}));
  EXPECT_EQ(std::vector<float>({v[4].x, v[4].y, v[4].z}), std::vector<float>({99, -1, 199}));
  EXPECT_EQ(levelGeometry.quadCount, 0);

  level.rooms.push_back(roomWithVertices(3));
  level.rooms[1].quads = {{{0x0102, 1, 2, 0}, 0}};
  level.objectTextures = {onPage(0)};
  level.items = {{0, 1, 2, 3, 0}, {0, 4, 5, 6, 0}};
  level.layout = LevelLayout::Newer;  // object textures right before the items
  const std::vector<uint8_t> whole = writeDnlBytes(level);
  const uint64_t tail = 8192 + 2 + 2 + 740 + 4 + 4;  // the sections after the items
  ASSERT_EQ(loadBytes({whole.begin(), whole.end() - tail - 24 + 5}),
            LoadFailure::None);  // in item 1's x
  EXPECT_EQ(levelGeometry.items[1].x, static_cast<int32_t>(0xFFFFFF04u));
  EXPECT_EQ(levelGeometry.items[1].z, -1);
  EXPECT_EQ(levelGeometry.startY, -1025.0f);
  EXPECT_EQ(levelGeometry.startHeading, 180.0f);  // angle -1
  ASSERT_EQ(loadBytes({whole.begin(), whole.end() - tail - 4 - 2 * 24 - 20 + 2}),
            LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0xFFFFFFFFu);  // tile word -1 for texture 0
  EXPECT_EQ(levelGeometry.objectTextureUVs[0].uv[7], -0.001953125f);
  const uint64_t quadStart =
      kHeaderBytes + 6 + 109 + 22 + 36 + 2;  // a Newer room of 5 vertices: 109
  ASSERT_EQ(loadBytes({whole.begin(), whole.begin() + quadStart + 1}), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].vertexIndices[0],
            static_cast<uint32_t>(-256 + 2 + 5));          // base 5
  EXPECT_EQ(levelGeometry.quads[0].vertexIndices[1], 4u);  // -1 plus the base
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 0x7FFFu);
}

// Counts that claim gigabytes end the stream at once; everything after reads as -1.
TEST(HostileCounts, ClaimsBeyondTheFileEndTheStreamAtOnce) {
  for (int which = 0; which < 3; ++which) {
    DnlLevel level = levelWith(LoadFailure::None, 0);
    level.rooms = {roomWithVertices(5), roomWithVertices(3), roomWithVertices(3)};
    level.rooms[0].quads = {quadOf(3)};
    if (which < 2) level.roomCountField = 65535;  // rooms past the end read as empty
    if (which == 0) level.rooms[0].gridA = level.rooms[0].gridB = 65535;
    if (which == 1) level.rooms[0].count32 = 65535;
    level.writeSectionRecords = level.rooms[0].writeSkippedRecords = false;
    level.sectionCounts[16] = 0x7FFFFFFF;  // section 18: 20 x N bytes, beyond 32 bits
    level.sectionCounts[4] = which == 2 ? 0x7FFFFFFF : 0;
    level.items = {{0, 1, 1, 1, 0}};
    const std::string path = testing::TempDir() + "hostile.dnl";
    ASSERT_TRUE(writeDnlFile(path.c_str(), level));
    for (int viaFile = 0; viaFile < 2; ++viaFile) {
      resetStore();
      ASSERT_TRUE(viaFile ? loadLevel(path.c_str()) : loadDnl(level) == LoadFailure::None) << which;
      EXPECT_EQ(lastLoadReport().vertexCount, which == 2 ? 11 : 5);
      EXPECT_EQ(levelGeometry.quadCount, 1);
      EXPECT_EQ(levelGeometry.itemCount, -1);
    }
    std::remove(path.c_str());
  }
  DnlLevel level = levelWith(LoadFailure::None, 0);  // 65535 vertices claimed, then the end
  std::vector<uint8_t> claim = writeDnlBytes(level, kHeaderBytes + 6 + 20);
  claim.insert(claim.end(), {0xFF, 0xFF});
  EXPECT_EQ(loadBytes(claim), LoadFailure::TooManyVertices);
  EXPECT_EQ(levelGeometry.vertices[kMaxVertices - 1].y, -1.0f);
}

}  // namespace
