// Capacity limits, the failure table and what each failure leaves in the store, files cut
// short (values from -1 past the end) and counts that claim far more than the file holds.
#include <gtest/gtest.h>

#include "tests/level/level_test_support.h"

namespace {

using F = LoadFailure;
constexpr uint64_t kHeaderBytes = 1800;  // version word, two skipped runs, page count

// A level of one room whose table for `failure` holds `n` records; for None a marker level.
DnlLevel levelWith(F failure, int n) {
  DnlLevel level;
  level.rooms = {roomWithVertices(4)};
  DnlRoom& room = level.rooms[0];
  if (failure == F::TooManyTexturePages) level.pages.assign(n, std::vector<uint16_t>(1, 1));
  if (failure == F::TooManyVertices)
    level.rooms = {roomWithVertices(10000), roomWithVertices(n - 10000)};
  if (failure == F::TooManyVertices) level.rooms[1].quads = {quadOf(9)};
  if (failure == F::TooManyQuads) room.quads.assign(n, quadOf(0));
  if (failure == F::TooManyTriangles) room.triangles.assign(n, {{0, 1, 2}, 0});
  if (failure == F::TooManyObjectTextures) room.quads = {quadOf(0), quadOf(0)};
  if (failure == F::TooManyObjectTextures) level.objectTextures.assign(n, onPage(1));
  if (failure == F::TooManyItems) level.items.assign(n, DnlItem{0, 5, 5, 5, 0});
  if (failure == F::None) room.quads = {quadOf(1)}, room.triangles = {{{0, 1, 2}, 1}};
  if (failure == F::None) level.items = {{0, 7, 7, 7, 0}};
  return level;
}

TEST(Limits, TheLargestCountLoadsAndOneMoreFailsLeavingTheDocumentedStore) {
  const std::pair<F, int> limits[] = {{F::TooManyTexturePages, kMaxTexturePages},
                                      {F::TooManyVertices, kMaxVertices - 1},
                                      {F::TooManyQuads, kMaxQuads - 1},
                                      {F::TooManyTriangles, kMaxTriangles - 1},
                                      {F::TooManyObjectTextures, kMaxObjectTextures},
                                      {F::TooManyItems, kMaxItems}};
  const LevelGeometry& g = levelGeometry;
  for (const auto& [failure, limit] : limits) {
    EXPECT_EQ(loadDnl(levelWith(failure, limit)), F::None);
    const int32_t counts[] = {g.numTexturePages, lastLoadReport().vertexCount,        g.quadCount,
                              g.triangleCount,   lastLoadReport().objectTextureCount, g.itemCount};
    EXPECT_EQ(counts[static_cast<int>(failure) - 3], limit) << static_cast<int>(failure);
    ASSERT_EQ(loadDnl(levelWith(F::None, 0)), F::None);
    savedStore = levelGeometry;
    EXPECT_EQ(loadDnl(levelWith(failure, limit + 1)), failure);
    EXPECT_TRUE(storeEqualsSaved() || failure != F::TooManyTexturePages);
    EXPECT_TRUE(failure > F::TooManyTriangles || g.quadCount + 10 * g.triangleCount == 11);
    EXPECT_EQ(g.itemCount + g.startX, 8);  // the items come last: never reached
  }
  loadDnl(levelWith(F::TooManyVertices, kMaxVertices));
  EXPECT_EQ(g.quads[0].objectTexture, 1u);  // the last room's faces never read
  levelGeometry.quads[0].texturePage = 5;
  loadDnl(levelWith(F::TooManyObjectTextures, kMaxObjectTextures + 1));
  EXPECT_EQ(g.quadCount * 10 + g.quads[0].texturePage, 25u);  // rooms read, no page assigned
  DnlLevel level = levelWith(F::TooManyItems, 1);
  savedStore = levelGeometry;
  for (const uint32_t version : {44u, 46u, 0xFF080034u, 0x380008FFu}) {
    level.versionWord = version;
    EXPECT_EQ(loadDnl(level), F::UnknownVersion) << version;
    EXPECT_FALSE(lastLoadReport().layoutKnown);
  }
  EXPECT_EQ(loadBytes({}), F::UnknownVersion);
  EXPECT_TRUE(storeEqualsSaved());
}

TEST(CutShort, PagesAndVerticesPastTheEndComeFromMinusOne) {
  DnlLevel level;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x0421));
  level.items = {{0, 1, 1, 1, 0}};
  resetStore();  // cut in texel 500 of page 1, read as 0xFF21
  ASSERT_EQ(loadDnl(level, kHeaderBytes + 2 * 65536 + 131072 + 1001), F::None);
  const uint8_t* texels = levelGeometry.texturePages[1].texels;
  EXPECT_EQ(std::vector<uint8_t>(texels + 4 * 499, texels + 4 * 502),
            std::vector<uint8_t>({8, 8, 8, 0, 248, 200, 8, 255, 248, 248, 248, 255}));
  EXPECT_EQ(levelGeometry.quadCount | levelGeometry.triangleCount | int(levelGeometry.startY), 0);
  EXPECT_EQ(levelGeometry.itemCount & lastLoadReport().objectTextureCount, -1);
  level = DnlLevel{};
  level.rooms = {roomWithVertices(5)};
  level.rooms[0].x = 100, level.rooms[0].z = 200;
  level.rooms[0].vertices[1] = {-7, 8, 0x1205, 2048};
  ASSERT_EQ(loadDnl(level, kHeaderBytes + 6 + 22 + 12 + 4 + 1), F::None);  // in vertex 1's z
  const RoomVertex* v = levelGeometry.vertices;
  EXPECT_EQ(std::vector<float>({v[1].x, v[1].z, v[1].r, v[4].x, v[4].y, v[4].z}),
            std::vector<float>({93, 200 - 251, -1.0f / 1024, 99, -1, 199}));
}

// Counts that claim gigabytes end the stream at once; everything after reads as -1.
TEST(HostileCounts, ClaimsBeyondTheFileEndTheStreamAtOnce) {
  for (int which = 0; which < 2; ++which) {
    DnlLevel level;
    level.rooms = {roomWithVertices(5), roomWithVertices(3), roomWithVertices(3)};
    level.rooms[0].quads = {quadOf(3)};
    if (which == 0) level.roomCountField = 65535;  // rooms past the end read as empty
    if (which == 0) level.rooms[0].gridA = level.rooms[0].gridB = 65535;
    level.writeSectionRecords = level.rooms[0].writeSkippedRecords = false;
    level.sectionCounts[kSharedCountSection] = 0x7FFFFFFF;  // 20 x N bytes later: past 32 bits
    level.sectionCounts[4] = which == 1 ? 0x7FFFFFFF : 0;
    level.items = {{0, 1, 1, 1, 0}};
    ASSERT_EQ(loadDnl(level), F::None) << which;
    EXPECT_EQ(lastLoadReport().vertexCount, which == 1 ? 11 : 5);
    EXPECT_EQ(levelGeometry.quadCount - levelGeometry.itemCount, 2);  // items read as -1
  }
  std::vector<uint8_t> claim = writeDnlBytes(levelWith(F::TooManyItems, 0), kHeaderBytes + 6 + 20);
  claim.insert(claim.end(), {0xFF, 0xFF});
  EXPECT_EQ(loadBytes(claim), F::TooManyVertices);  // 65535 vertices claimed, then the end
  EXPECT_EQ(levelGeometry.vertices[kMaxVertices - 1].y, -1.0f);
}

}  // namespace
