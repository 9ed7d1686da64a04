// The capacity of every table: the largest count each accepts loads and one more fails,
// and each failure leaves the store as documented (untouched before the page count,
// face counts kept when the rooms overflow).
#include <gtest/gtest.h>

#include "tests/level/level_test_support.h"

namespace {

LevelGeometry snapshot;  // a whole-store copy: too large for the stack

// Rooms of up to 65535 vertices (the u16 count) holding `total` vertices in all.
std::vector<DnlRoom> roomsWithVertices(int total) {
  std::vector<DnlRoom> rooms;
  while (total > 0) {
    const int count = total < 10000 ? total : 10000;
    rooms.push_back(roomWithVertices(count));
    total -= count;
  }
  return rooms;
}

DnlLevel levelWithQuads(int total) {
  DnlLevel level;
  level.rooms = roomsWithVertices(4);
  level.rooms[0].quads.assign(static_cast<size_t>(total), quadOf(0));
  return level;
}

// A level whose earlier store content marks what a failed load overwrote.
void loadMarkerLevel() {
  DnlLevel level;
  DnlRoom room = roomWithVertices(4);
  room.quads = {quadOf(1)};
  room.triangles = {{{0, 1, 2}, 1}};
  level.rooms = {room};
  level.items = {{0, 7, 7, 7, 0}};
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
}

TEST(Limits, VerticesStopOneShortOfTheTable) {
  DnlLevel level;
  level.rooms = roomsWithVertices(kMaxVertices - 1);
  resetStore();
  EXPECT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().vertexCount, kMaxVertices - 1);

  loadMarkerLevel();
  level.rooms = roomsWithVertices(kMaxVertices);
  level.rooms.back().quads = {quadOf(9)};
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyVertices);
  EXPECT_EQ(levelGeometry.quadCount, 1);  // counts as before the load
  EXPECT_EQ(levelGeometry.triangleCount, 1);
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 1u);  // the last room's faces never read
  EXPECT_EQ(levelGeometry.vertices[kMaxVertices - 1].x, 657.0f);  // stored, then refused
}

TEST(Limits, QuadsAndTrianglesStopOneShortOfTheirTables) {
  resetStore();
  EXPECT_EQ(loadDnl(levelWithQuads(kMaxQuads - 1)), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quadCount, kMaxQuads - 1);
  loadMarkerLevel();
  EXPECT_EQ(loadDnl(levelWithQuads(kMaxQuads)), LoadFailure::TooManyQuads);
  EXPECT_EQ(levelGeometry.quadCount, 1);

  DnlLevel level;
  level.rooms = roomsWithVertices(3);
  level.rooms[0].triangles.assign(kMaxTriangles - 1, {{0, 1, 2}, 0});
  resetStore();
  EXPECT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.triangleCount, kMaxTriangles - 1);
  level.rooms[0].triangles.push_back({{2, 1, 0}, 0});
  loadMarkerLevel();
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyTriangles);
  EXPECT_EQ(levelGeometry.triangleCount, 1);
}

TEST(Limits, PagesObjectTexturesAndItemsMayFillTheirTables) {
  DnlLevel level;
  level.pages.assign(kMaxTexturePages, std::vector<uint16_t>(65536, 0xFFFF));
  level.objectTextures.assign(kMaxObjectTextures, objectTextureOnPage(15));
  level.objectTextures.back().uvWords[7] = 0x4000;
  level.items.assign(kMaxItems, DnlItem{});
  level.items.back() = {0, 1, 2, 3, 0};
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.numTexturePages, 16);
  EXPECT_EQ(levelGeometry.texturePages[15].texels[4 * 65535], 248);
  EXPECT_EQ(levelGeometry.objectTextureUVs[2499].uv[7], 64.5f / 256);
  EXPECT_EQ(levelGeometry.itemCount, 248);
  EXPECT_EQ(levelGeometry.startZ, 3.0f);
}

TEST(Limits, OneObjectTextureTooManyFailsAfterTheRooms) {
  DnlLevel level = levelWithQuads(2);
  level.objectTextures.assign(kMaxObjectTextures + 1, objectTextureOnPage(1));
  level.pages.resize(2);
  loadMarkerLevel();
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyObjectTextures);
  EXPECT_EQ(levelGeometry.quadCount, 2);              // rooms were read
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0u);  // no page was assigned
  EXPECT_EQ(levelGeometry.itemCount, 1);              // items never reached
  level.layout = LevelLayout::Newer;
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyObjectTextures);
}

TEST(Limits, OneItemTooManyFailsBeforeAnyItemIsRead) {
  DnlLevel level;
  level.items.assign(kMaxItems + 1, DnlItem{0, 5, 5, 5, 0});
  loadMarkerLevel();
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyItems);
  EXPECT_EQ(levelGeometry.itemCount, 1);
  EXPECT_EQ(levelGeometry.startX, 7.0f);
  level.itemCountField = 0x7FFFFFFF;
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyItems);
}

TEST(Limits, EarlyFailuresLeaveTheStoreUntouched) {
  loadMarkerLevel();
  snapshot = levelGeometry;
  DnlLevel level = levelWithQuads(3);
  level.pages.assign(kMaxTexturePages + 1, std::vector<uint16_t>(1, 0x1234));
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyTexturePages);
  EXPECT_EQ(std::memcmp(&levelGeometry, &snapshot, sizeof snapshot), 0);
  level.pages.clear();
  level.pageCountField = 0x7FFFFFFF;
  EXPECT_EQ(loadDnl(level), LoadFailure::TooManyTexturePages);
  level.pageCountField.reset();
  for (const uint32_t version : {0u + 44, 46u, 0xFF080034u, 0x380008FFu}) {
    level.versionWord = version;
    EXPECT_EQ(loadDnl(level), LoadFailure::UnknownVersion) << version;
    EXPECT_FALSE(lastLoadReport().layoutKnown);
  }
  EXPECT_EQ(loadBytes({}), LoadFailure::UnknownVersion);
  EXPECT_EQ(std::memcmp(&levelGeometry, &snapshot, sizeof snapshot), 0);
}

}  // namespace
