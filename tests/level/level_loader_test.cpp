// What a load puts in the store: both layouts, texel, shade and coordinate conversion,
// world positions, global face indices, texture pages with grouping, items and the start
// pose, skipped sections by their sizes, and what a later load keeps from an earlier one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/level/level_test_support.h"

namespace {

LevelGeometry olderStore;  // a whole-store copy: too large for the stack

// Two rooms, three object textures on two pages, and a start item; every skipped section
// carries records, so a wrong size shows up as misread values later in the file.
DnlLevel richLevel(LevelLayout layout) {
  const uint16_t shadeOne = layout == LevelLayout::Older ? 1024 : 8192;
  DnlLevel level;
  level.layout = layout;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x8421));
  DnlRoom first = roomWithVertices(6, shadeOne);
  first.x = 1024;
  first.z = -2048;
  first.vertices[0] = {-5, -300, 7, shadeOne};
  first.quads = {quadOf(2, 0), quadOf(0x8001, 2)};
  first.triangles = {{{0, 1, 5}, 0}};
  first.count4 = 2, first.count32 = 3, first.gridA = 2, first.gridB = 3;
  first.count24 = 1, first.count20 = 2;
  DnlRoom second = roomWithVertices(4, 0);
  second.x = -70000;
  second.quads = {quadOf(1, 0)};
  second.triangles = {{{3, 2, 1}, 2}};
  second.gridA = 5;  // the other dimension 0: no grid records
  level.rooms = {first, second};
  for (int s = 1; s < kDnlSectionCount; ++s) level.sectionCounts[s] = static_cast<uint32_t>(s % 4);
  level.sectionCounts[16] = 3;           // section 18 is then 60 bytes
  level.sectionCounts[9] = 0x80000000u;  // top bit set: an empty section
  DnlObjectTexture texture = objectTextureOnPage(1);
  for (int k = 0; k < 8; ++k) texture.uvWords[k] = static_cast<uint16_t>((k * 36) << 8 | 0x7F);
  texture.uvWords[0] = 0x00FF;  // high byte 0, low byte ignored
  texture.uvWords[1] = 0x80FF;
  texture.uvWords[7] = 0xFF00;
  level.objectTextures = {objectTextureOnPage(0), objectTextureOnPage(1), texture};
  level.items = {{0x1234, 1, 2, 3, 0}, {0, 500, 0, -600, 16384}, {7, 9, 9, 9, 182}};
  level.trailing = {1, 2, 3};
  return level;
}

TEST(LoadLevel, ReadsBothLayoutsIntoTheSameStore) {
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().layout, LevelLayout::Older);
  olderStore = levelGeometry;
  for (const uint32_t version : {0xFF080038u, 0xFF180038u, 0xFF180034u}) {
    resetStore();
    DnlLevel newer = richLevel(LevelLayout::Newer);
    newer.versionWord = version;
    ASSERT_EQ(loadDnl(newer), LoadFailure::None);
    EXPECT_TRUE(lastLoadReport().layoutKnown);
    EXPECT_EQ(lastLoadReport().layout, LevelLayout::Newer);
    EXPECT_EQ(std::memcmp(&levelGeometry, &olderStore, sizeof olderStore), 0) << version;
  }
}

TEST(LoadLevel, PlacesVerticesInTheWorldWithTheirShade) {
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  const RoomVertex& v = levelGeometry.vertices[0];
  EXPECT_EQ(v.x, 1019.0f);  // -5 in a room at x 1024
  EXPECT_EQ(v.y, -300.0f);  // rooms carry no y offset
  EXPECT_EQ(v.z, -2041.0f);
  EXPECT_EQ(v.r, 1.0f);
  EXPECT_EQ(v.g, 1.0f);
  EXPECT_EQ(v.b, 1.0f);
  const RoomVertex& w = levelGeometry.vertices[6 + 3];  // second room, vertex 3
  EXPECT_EQ(w.x, -70000.0f + 3.0f);
  EXPECT_EQ(w.z, 9.0f);
  EXPECT_EQ(w.r, 0.0f);

  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    DnlLevel level;
    level.layout = layout;
    level.rooms = {roomWithVertices(1, 65535)};
    resetStore();
    ASSERT_EQ(loadDnl(level), LoadFailure::None);
    const float expected = layout == LevelLayout::Older ? 65535.0f / 1024 : 7.9998779296875f;
    EXPECT_EQ(levelGeometry.vertices[0].g, expected);  // not clamped
  }
}

TEST(LoadLevel, MakesFaceIndicesGlobalAndMasksTheTextureWord) {
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Newer)), LoadFailure::None);
  ASSERT_EQ(levelGeometry.quadCount, 3);
  ASSERT_EQ(levelGeometry.triangleCount, 2);
  // Pages: texture 0 on page 0, 1 and 2 on page 1. Quads in file order: (tex 2, page 1),
  // (tex 1, page 1), second room (tex 1, page 1)... so grouping leaves them in place.
  const QuadFace& second = levelGeometry.quads[1];
  EXPECT_EQ(second.objectTexture, 1u);  // 0x8001 loses bit 15
  EXPECT_EQ(second.vertexIndices[0], 2u);
  const QuadFace& third = levelGeometry.quads[2];
  EXPECT_EQ(third.vertexIndices[0], 6u);  // index 0 of the second room
  EXPECT_EQ(third.vertexIndices[3], 9u);
  // Triangles: first room's (tex 0, page 0), then second room's (tex 2, page 1).
  EXPECT_EQ(levelGeometry.triangles[0].vertexIndices[2], 5u);
  EXPECT_EQ(levelGeometry.triangles[1].vertexIndices[0], 9u);
  EXPECT_EQ(levelGeometry.triangles[1].texturePage, 1u);
}

TEST(LoadLevel, ConvertsTexelsToRgba) {
  DnlLevel level;
  level.pages.assign(1, std::vector<uint16_t>(65536, 0));
  const uint16_t words[] = {0xFFFF, 0x7FFF, 0x8000, 0x8421, 0x001F, 0x7C00, 0x83E0};
  const uint8_t rgba[][4] = {{248, 248, 248, 255}, {248, 248, 248, 0}, {0, 0, 0, 255},
                             {8, 8, 8, 255},       {0, 0, 248, 0},     {248, 0, 0, 0},
                             {0, 248, 0, 255}};
  for (int i = 0; i < 7; ++i) level.pages[0][65535 - i] = words[i];
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  const uint8_t* texels = levelGeometry.texturePages[0].texels;
  for (int i = 0; i < 7; ++i) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(texels[4 * (65535 - i) + c], rgba[i][c]) << i;
  }
  EXPECT_EQ(texels[0], 0);
  EXPECT_EQ(texels[3], 0);
}

TEST(LoadLevel, TakesTheHighByteOfEachCoordinate) {
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  const float* uv = levelGeometry.objectTextureUVs[2].uv;
  EXPECT_EQ(uv[0], 0.001953125f);
  EXPECT_EQ(uv[1], 0.501953125f);
  EXPECT_EQ(uv[2], (72 + 0.5f) / 256);
  EXPECT_EQ(uv[7], 0.998046875f);
}

TEST(LoadLevel, GivesFacesTheirObjectTexturesPageAndGroupsThem) {
  DnlLevel level;
  level.pages.resize(2);
  DnlRoom room = roomWithVertices(4);
  // Object texture 7 on page 3 (not loaded), 1 on page 0, 2 with bit 15 set, 0 on page 1.
  room.quads = {quadOf(7), quadOf(1), quadOf(2), quadOf(7), quadOf(0), quadOf(1)};
  level.rooms = {room};
  level.objectTextures.resize(8);
  level.objectTextures[7].tileWord = 3;
  level.objectTextures[1].tileWord = 0;
  level.objectTextures[2].tileWord = 0x8002;
  level.objectTextures[0].tileWord = 1;
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  std::vector<uint32_t> pages, textures;
  for (int i = 0; i < 6; ++i) {
    pages.push_back(levelGeometry.quads[i].texturePage);
    textures.push_back(levelGeometry.quads[i].objectTexture);
  }
  // Pass 0 takes file positions 2 and 6, pass 1 position 5; pages not loaded stay behind
  // in the order that the exchanges leave them.
  EXPECT_EQ(pages, (std::vector<uint32_t>{0, 0, 1, 3, 0x8002, 3}));
  EXPECT_EQ(textures, (std::vector<uint32_t>{1, 1, 0, 7, 2, 7}));
}

TEST(LoadLevel, KeepsFaceOrderAndPagesWithoutObjectTextures) {
  DnlLevel level;
  level.pages.resize(3);
  DnlRoom room = roomWithVertices(4);
  room.quads = {quadOf(5), quadOf(4), quadOf(3)};
  level.rooms = {room};
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(levelGeometry.quads[i].objectTexture, 5 - i);
    EXPECT_EQ(levelGeometry.quads[i].texturePage, 0u);
  }
  // A later level that claims only texture 0 leaves the others the page they held.
  levelGeometry.quads[1].texturePage = 2;
  room.quads = {quadOf(0), quadOf(4), quadOf(0)};
  level.rooms = {room};
  level.objectTextures = {objectTextureOnPage(1)};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 1u);
  EXPECT_EQ(levelGeometry.quads[1].texturePage, 1u);
  EXPECT_EQ(levelGeometry.quads[2].texturePage, 2u);
  EXPECT_EQ(levelGeometry.quads[2].objectTexture, 4u);
}

TEST(LoadLevel, TakesTheStartPoseFromTheLastStartItem) {
  const uint16_t angles[] = {0, 181, 182, 16384, 32768, 49152, 65535};
  const float headings[] = {180, 180, 181, 270, 0, 90, 180};
  for (int i = 0; i < 7; ++i) {
    DnlLevel level;
    level.items = {{0, 10, 0, 30, angles[i]}};
    resetStore();
    ASSERT_EQ(loadDnl(level), LoadFailure::None);
    EXPECT_EQ(levelGeometry.startHeading, headings[i]) << angles[i];
    EXPECT_EQ(levelGeometry.startX, 10.0f);
    EXPECT_EQ(levelGeometry.startY, -1024.0f);
    EXPECT_EQ(levelGeometry.startZ, 30.0f);
  }
  DnlLevel level;
  level.items = {{0, 1, 2, 3, 0}, {5, 0, 0, 0, 0}, {0, -4, 5000, 6, 182 * 90}, {1, 9, 9, 9, 9}};
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.itemCount, 4);
  EXPECT_EQ(levelGeometry.items[2].objectId, 0);
  EXPECT_EQ(levelGeometry.items[3].objectId, 1);
  EXPECT_EQ(levelGeometry.items[2].y, 5000);
  EXPECT_EQ(levelGeometry.startX, -4.0f);
  EXPECT_EQ(levelGeometry.startY, 3976.0f);
  EXPECT_EQ(levelGeometry.startHeading, 270.0f);

  // Without a start item the pose stays: the earlier level's here, the origin in a fresh store.
  level.items = {{3, 1, 1, 1, 0}};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.startX, -4.0f);
  EXPECT_EQ(levelGeometry.startHeading, 270.0f);
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.startY, 0.0f);
  EXPECT_EQ(levelGeometry.startHeading, 0.0f);
}

TEST(LoadLevel, KeepsNegativeCountsAndRecordsPastTheNewCounts) {
  DnlLevel level = richLevel(LevelLayout::Older);
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  level.rooms.pop_back();
  level.items.clear();
  level.itemCountField = -5;
  level.pageCountField = -1;
  level.pages.clear();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.itemCount, -5);
  EXPECT_EQ(levelGeometry.numTexturePages, -1);
  EXPECT_EQ(levelGeometry.quadCount, 2);
  EXPECT_EQ(levelGeometry.quads[2].vertexIndices[0], 6u);  // the earlier level's third quad
  EXPECT_EQ(levelGeometry.items[1].z, -600);
}

TEST(LoadLevel, ReadsFromAFileAsFromMemory) {
  const DnlLevel level = richLevel(LevelLayout::Newer);
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  olderStore = levelGeometry;
  const std::string path = testing::TempDir() + "level_loader_test.dnl";
  ASSERT_TRUE(writeDnlFile(path.c_str(), level));
  resetStore();
  EXPECT_TRUE(loadLevel(path.c_str()));
  EXPECT_EQ(std::memcmp(&levelGeometry, &olderStore, sizeof olderStore), 0);
  std::remove(path.c_str());
  EXPECT_FALSE(loadLevel(path.c_str()));
  EXPECT_EQ(lastLoadReport().failure, LoadFailure::CannotOpen);
  EXPECT_FALSE(loadLevel(nullptr));
}

}  // namespace
