// Files cut short and files whose counts claim far more than they hold: values read past
// the end come from -1, claims cost nothing beyond the bytes present, and nothing is
// written outside a table whatever the file says.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/level/level_test_support.h"

namespace {

constexpr uint64_t kHeaderBytes = 1800;  // version word, two skipped runs, page count

DnlLevel roomLevel() {
  DnlLevel level;
  DnlRoom room = roomWithVertices(5);
  room.x = 100;
  room.z = 200;
  room.quads = {quadOf(3)};
  level.rooms = {room};
  level.items = {{0, 1, 1, 1, 0}};
  return level;
}

TEST(CutShort, AFileEndingAfterItsPagesLoadsEmptyWithWhitePagesPastTheEnd) {
  DnlLevel level;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x0421));
  level.items = {{0, 1, 1, 1, 0}};
  // Cut in the middle of the second page: the rest of it reads as -1 texels.
  const uint64_t cut = kHeaderBytes + 2 * 65536 + 131072 + 1001;
  resetStore();
  ASSERT_EQ(loadDnl(level, cut), LoadFailure::None);
  const uint8_t* second = levelGeometry.texturePages[1].texels;
  EXPECT_EQ(second[4 * 499 + 0], 8);  // texel 499 lies whole in the file
  EXPECT_EQ(second[4 * 499 + 3], 0);
  EXPECT_EQ(second[4 * 500 + 0], 248);  // texel 500: second byte past the end
  EXPECT_EQ(second[4 * 500 + 3], 255);
  EXPECT_EQ(second[4 * 501 + 1], 248);
  EXPECT_EQ(second[4 * 501 + 3], 255);
  EXPECT_EQ(levelGeometry.quadCount, 0);
  EXPECT_EQ(levelGeometry.triangleCount, 0);
  EXPECT_EQ(levelGeometry.itemCount, -1);
  EXPECT_EQ(levelGeometry.startY, 0.0f);
  EXPECT_EQ(lastLoadReport().objectTextureCount, -1);

  // The same cut read from a file, whose buffer refills fall elsewhere, gives the same store.
  static LevelGeometry fromMemory;
  fromMemory = levelGeometry;
  const std::string path = testing::TempDir() + "cut_pages.dnl";
  ASSERT_TRUE(writeDnlFile(path.c_str(), level, cut));
  resetStore();
  EXPECT_TRUE(loadLevel(path.c_str()));
  EXPECT_EQ(std::memcmp(&levelGeometry, &fromMemory, sizeof fromMemory), 0);
  std::remove(path.c_str());
}

TEST(CutShort, VerticesPastTheEndComeFromMinusOne) {
  DnlLevel level = roomLevel();
  level.rooms[0].vertices[1] = {-7, 8, 0x1205, 2048};
  // Room starts after the header and 4 + 2 bytes; vertex 1's z low byte is the last one.
  const uint64_t roomStart = kHeaderBytes + 4 + 2;
  const uint64_t cut = roomStart + 22 + 12 + 4 + 1;
  resetStore();
  ASSERT_EQ(loadDnl(level, cut), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().vertexCount, 5);
  const RoomVertex* v = levelGeometry.vertices;
  EXPECT_EQ(v[1].x, 93.0f);
  EXPECT_EQ(v[1].z, 200.0f - 251.0f);  // low byte 0x05 with -1 above it: 0xFF05
  EXPECT_EQ(v[1].r, -1.0f / 1024);     // the shade word wholly past the end
  EXPECT_EQ(v[4].x, 99.0f);
  EXPECT_EQ(v[4].y, -1.0f);
  EXPECT_EQ(v[4].z, 199.0f);
  EXPECT_EQ(levelGeometry.quadCount, 0);  // the quad count read as -1
}

TEST(CutShort, FacesCoordinatesAndItemsPastTheEndComeFromMinusOne) {
  DnlLevel level = roomLevel();
  level.layout = LevelLayout::Newer;
  level.objectTextures = {objectTextureOnPage(0), objectTextureOnPage(0)};
  level.items = {{0, 1, 2, 3, 0}, {0, 4, 5, 6, 0}};
  const std::vector<uint8_t> whole = writeDnlBytes(level);
  // Cut inside the second item's x: its id is read, x is partly there, the rest is -1.
  const uint64_t cut = whole.size() - (8192 + 2 + 2 + 740 + 4 + 4) - 24 + 5;
  resetStore();
  ASSERT_EQ(loadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + cut)), LoadFailure::None);
  EXPECT_EQ(levelGeometry.itemCount, 2);
  EXPECT_EQ(levelGeometry.items[1].objectId, 0);
  EXPECT_EQ(levelGeometry.items[1].x, static_cast<int32_t>(0xFFFFFF04u));
  EXPECT_EQ(levelGeometry.items[1].z, -1);
  EXPECT_EQ(levelGeometry.startY, -1025.0f);
  EXPECT_EQ(levelGeometry.startHeading, 180.0f);  // angle -1 gives 0 degrees

  // Cut inside the first object texture: a tile word and coordinates from -1.
  const uint64_t textureStart = whole.size() - (8192 + 2 + 2 + 740 + 4 + 4) - 4 - 2 * 24 - 40;
  resetStore();
  levelGeometry.quads[0].texturePage = 77;
  ASSERT_EQ(loadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + textureStart + 2)),
            LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 3u);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 77u);  // texture 3 lies beyond the count
  EXPECT_EQ(levelGeometry.objectTextureUVs[0].uv[0], -0.001953125f);
  EXPECT_EQ(levelGeometry.objectTextureUVs[1].uv[7], -0.001953125f);
  EXPECT_EQ(levelGeometry.itemCount, -1);

  level.rooms[0].quads = {quadOf(1)};
  const std::vector<uint8_t> other = writeDnlBytes(level);
  resetStore();
  ASSERT_EQ(loadBytes(std::vector<uint8_t>(other.begin(), other.begin() + textureStart + 2)),
            LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0xFFFFFFFFu);  // tile word -1 for texture 1
}

TEST(CutShort, AFaceCutAfterOneByteOfAnIndexTakesTheBaseOnANegativeValue) {
  DnlLevel level;
  DnlRoom room = roomWithVertices(2);
  level.rooms = {room, roomWithVertices(3)};
  level.rooms[1].quads = {{{0x0102, 1, 2, 0}, 0}};
  const uint64_t secondRoom = kHeaderBytes + 6 + 22 + 24 + 2 + 2 + 2 + 2 + 2 + 2 + 6 + 2 + 2 + 4;
  const uint64_t quadStart = secondRoom + 22 + 36 + 2;
  resetStore();
  ASSERT_EQ(loadDnl(level, quadStart + 1), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quadCount, 1);
  EXPECT_EQ(levelGeometry.quads[0].vertexIndices[0], static_cast<uint32_t>(-256 + 2 + 2));
  EXPECT_EQ(levelGeometry.quads[0].vertexIndices[1], 1u);  // -1 plus the base of 2
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 0x7FFFu);
}

// Counts that claim gigabytes: each skip ends the stream at once, and everything after it
// reads as -1, exactly as reading the claimed bytes one by one would leave it.
DnlLevel hostileLevel(int which) {
  DnlLevel level = roomLevel();
  level.rooms.push_back(roomWithVertices(3));
  level.rooms.push_back(roomWithVertices(3));
  if (which < 2) level.roomCountField = 65535;  // rooms past the end read as empty
  DnlRoom& claim = level.rooms[0];
  if (which == 0) claim.gridA = claim.gridB = 65535;  // 8 x 65535 x 65535 bytes
  if (which == 1) claim.count32 = 65535;
  level.writeSectionRecords = false;
  claim.writeSkippedRecords = false;
  level.sectionCounts[16] = 0x7FFFFFFF;  // section 18: 20 x N bytes, beyond 32 bits
  level.sectionCounts[4] = which == 2 ? 0x7FFFFFFF : 0;
  level.objectTextures = {objectTextureOnPage(4)};
  return level;
}

void expectOnlyTheFirstRoomLoaded(int which) {
  EXPECT_EQ(lastLoadReport().vertexCount, which == 2 ? 11 : 5);
  EXPECT_EQ(levelGeometry.quadCount, 1);
  EXPECT_EQ(levelGeometry.itemCount, -1);
  EXPECT_EQ(lastLoadReport().objectTextureCount, -1);
  EXPECT_EQ(levelGeometry.startY, 0.0f);
}

TEST(HostileCounts, ClaimsBeyondTheFileEndTheStreamAtOnce) {
  for (int which = 0; which < 3; ++which) {
    resetStore();
    ASSERT_EQ(loadDnl(hostileLevel(which)), LoadFailure::None) << which;
    expectOnlyTheFirstRoomLoaded(which);
    // Which == 2 reads all three rooms; otherwise the claim swallows the later two.
    EXPECT_EQ(levelGeometry.vertices[10].x, which == 2 ? 2.0f : 0.0f);

    const std::string path = testing::TempDir() + "hostile.dnl";
    ASSERT_TRUE(writeDnlFile(path.c_str(), hostileLevel(which)));
    resetStore();
    EXPECT_TRUE(loadLevel(path.c_str()));
    expectOnlyTheFirstRoomLoaded(which);
    std::remove(path.c_str());
  }
}

TEST(HostileCounts, RoomsPastTheEndCannotOverflowTheTables) {
  DnlLevel level;
  level.rooms = {roomWithVertices(1)};
  level.roomCountField = 65535;
  resetStore();
  // Past the end every room reads as empty: x and z -1, and every count -1.
  EXPECT_EQ(loadDnl(level, kHeaderBytes + 6 + 48 + 12), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().vertexCount, 1);
  // A room that claims 65535 vertices and ends reads -1 records until the table is full.
  level.rooms[0] = roomWithVertices(1);
  const std::vector<uint8_t> bytes = writeDnlBytes(level, kHeaderBytes + 6 + 20);
  std::vector<uint8_t> claim = bytes;
  claim.push_back(0xFF);
  claim.push_back(0xFF);
  resetStore();
  EXPECT_EQ(loadBytes(claim), LoadFailure::TooManyVertices);
  EXPECT_EQ(levelGeometry.vertices[kMaxVertices - 1].y, -1.0f);
}

}  // namespace
