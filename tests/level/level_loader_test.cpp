// What a load puts in the store: both layouts alike, texel, shade and coordinate conversion,
// global face indices, pages with grouping, items and the start pose, skipped sections by
// their sizes, and what a later load keeps from an earlier one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/level/level_test_support.h"

namespace {

// Two rooms, three object textures on two pages and a start item; every skipped section
// carries records, so a wrong size shows up as misread values later in the file.
DnlLevel richLevel(LevelLayout layout) {
  const uint16_t shadeOne = layout == LevelLayout::Older ? 1024 : 8192;
  DnlLevel level;
  level.layout = layout;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x8421));
  DnlRoom first = roomWithVertices(6, shadeOne), second = roomWithVertices(4, 0);
  first.x = 1024, first.z = -2048, second.x = -70000;
  first.vertices[0] = {-5, -300, 7, shadeOne};
  first.quads = {quadOf(2, 0), quadOf(0x8001, 2)};
  first.triangles = {{{0, 1, 5}, 0}};
  first.count4 = 2, first.count32 = 3, first.gridA = 2, first.gridB = 3;
  first.count24 = 1, first.count20 = 2, second.gridA = 5;  // 5 x 0: no grid records
  second.quads = {quadOf(1, 0)};
  second.triangles = {{{3, 2, 1}, 2}};
  level.rooms = {first, second};
  for (int s = 1; s < kDnlSectionCount; ++s) level.sectionCounts[s] = static_cast<uint32_t>(s % 4);
  level.sectionCounts[16] = 3;           // section 18 is then 60 bytes
  level.sectionCounts[9] = 0x80000000u;  // top bit set: an empty section
  DnlObjectTexture texture = onPage(1);
  for (int k = 0; k < 8; ++k) texture.uvWords[k] = static_cast<uint16_t>((k * 36) << 8 | 0x7F);
  texture.uvWords[0] = 0x00FF, texture.uvWords[1] = 0x80FF, texture.uvWords[7] = 0xFF00;
  level.objectTextures = {onPage(0), onPage(1), texture};
  level.items = {{0x1234, 1, 2, 3, 0}, {0, 500, 0, -600, 16384}, {7, 9, 9, 9, 182}};
  level.trailing = {1, 2, 3};
  return level;
}

TEST(LoadLevel, ReadsBothLayoutsAndFilesIntoTheSameStore) {
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().layout, LevelLayout::Older);
  savedStore = levelGeometry;
  for (const uint32_t version : {0xFF080038u, 0xFF180038u, 0xFF180034u}) {
    DnlLevel newer = richLevel(LevelLayout::Newer);
    newer.versionWord = version;
    resetStore();
    ASSERT_EQ(loadDnl(newer), LoadFailure::None);
    EXPECT_EQ(lastLoadReport().layout, LevelLayout::Newer);
    EXPECT_TRUE(storeEqualsSaved()) << version;
  }
  const std::string path = testing::TempDir() + "level_loader_test.dnl";
  ASSERT_TRUE(writeDnlFile(path.c_str(), richLevel(LevelLayout::Newer)));
  resetStore();
  EXPECT_TRUE(loadLevel(path.c_str()));
  EXPECT_TRUE(storeEqualsSaved());
  std::remove(path.c_str());
  EXPECT_FALSE(loadLevel(path.c_str()));
  EXPECT_EQ(lastLoadReport().failure, LoadFailure::CannotOpen);
  EXPECT_FALSE(loadLevel(nullptr));
}

TEST(LoadLevel, PlacesVerticesFacesAndCoordinates) {
  static_assert(offsetof(RoomVertex, r) == 12 && sizeof(RoomVertex) == 24);  // GL arrays
  resetStore();
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  const RoomVertex &v = levelGeometry.vertices[0], &w = levelGeometry.vertices[6 + 3];
  EXPECT_EQ(std::vector<float>({v.x, v.y, v.z, v.r, v.g, v.b}),
            std::vector<float>({1019, -300, -2041, 1, 1, 1}));  // rooms carry no y offset
  EXPECT_EQ(std::vector<float>({w.x, w.z, w.r}), std::vector<float>({-70000 + 3, 9, 0}));
  ASSERT_EQ(levelGeometry.quadCount, 3);
  ASSERT_EQ(levelGeometry.triangleCount, 2);
  EXPECT_EQ(levelGeometry.quads[1].objectTexture, 1u);  // 0x8001 loses bit 15
  EXPECT_EQ(levelGeometry.quads[1].vertexIndices[0], 2u);
  EXPECT_EQ(levelGeometry.quads[2].vertexIndices[0], 6u);  // the second room's base
  EXPECT_EQ(levelGeometry.quads[2].vertexIndices[3], 9u);
  EXPECT_EQ(levelGeometry.triangles[0].vertexIndices[2], 5u);
  EXPECT_EQ(levelGeometry.triangles[1].vertexIndices[0], 9u);
  EXPECT_EQ(levelGeometry.triangles[1].texturePage, 1u);
  const float* uv = levelGeometry.objectTextureUVs[2].uv;  // the high byte of each word
  EXPECT_EQ(std::vector<float>(uv, uv + 3),
            std::vector<float>({0.5f / 256, 128.5f / 256, 72.5f / 256}));
  EXPECT_EQ(uv[7], 255.5f / 256);
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    DnlLevel level;
    level.layout = layout;
    level.rooms = {roomWithVertices(1, 65535)};
    ASSERT_EQ(loadDnl(level), LoadFailure::None);
    EXPECT_EQ(levelGeometry.vertices[0].g, 65535.0f / (layout == LevelLayout::Older ? 1024 : 8192));
  }
}

TEST(LoadLevel, ConvertsTexelsToRgba) {
  DnlLevel level;
  level.pages.assign(1, std::vector<uint16_t>(65536, 0));
  const uint16_t words[] = {0xFFFF, 0x7FFF, 0x8000, 0x8421, 0x001F, 0x7C00, 0x83E0};
  const uint8_t rgba[][4] = {{248, 248, 248, 255}, {248, 248, 248, 0}, {0, 0, 0, 255},
                             {8, 8, 8, 255},       {0, 0, 248, 0},     {248, 0, 0, 0},
                             {0, 248, 0, 255}};
  for (int i = 0; i < 7; ++i) level.pages[0][65535 - i] = words[i];
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  const uint8_t* texels = levelGeometry.texturePages[0].texels;
  for (int i = 0; i < 7; ++i) EXPECT_EQ(std::memcmp(&texels[4 * (65535 - i)], rgba[i], 4), 0) << i;
  EXPECT_EQ(texels[0] | texels[3], 0);
}

TEST(LoadLevel, GivesFacesTheirPagesAndGroupsThem) {
  DnlLevel level;
  level.pages.resize(2);
  DnlRoom room = roomWithVertices(4);
  // Texture 7 on page 3 (not loaded), 1 on page 0, 2 with bit 15 set, 0 on page 1.
  room.quads = {quadOf(7), quadOf(1), quadOf(2), quadOf(7), quadOf(0), quadOf(1)};
  level.rooms = {room};
  level.objectTextures = {onPage(1), onPage(0), onPage(0x8002), {}, {}, {}, {}, onPage(3)};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  std::vector<uint32_t> pages, textures;
  for (const QuadFace& q : std::vector<QuadFace>(levelGeometry.quads, levelGeometry.quads + 6)) {
    pages.push_back(q.texturePage), textures.push_back(q.objectTexture);
  }
  EXPECT_EQ(pages, (std::vector<uint32_t>{0, 0, 1, 3, 0x8002, 3}));
  EXPECT_EQ(textures, (std::vector<uint32_t>{1, 1, 0, 7, 2, 7}));
  // A later level claiming only texture 0 leaves the other faces the pages they held.
  room.quads = {quadOf(0), quadOf(4), quadOf(0)};
  level.rooms = {room};
  level.objectTextures = {onPage(1)};
  levelGeometry.quads[1].texturePage = 2;
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[2].texturePage, 2u);
  EXPECT_EQ(levelGeometry.quads[2].objectTexture, 4u);
  EXPECT_EQ(levelGeometry.quads[1].texturePage, 1u);
}

TEST(LoadLevel, TakesTheStartPoseFromTheLastStartItem) {
  const uint16_t angles[] = {0, 181, 182, 16384, 32768, 49152, 65535};
  const float headings[] = {180, 180, 181, 270, 0, 90, 180};
  DnlLevel level;
  for (int i = 0; i < 7; ++i) {
    level.items = {{0, 10, 0, 30, angles[i]}};
    ASSERT_EQ(loadDnl(level), LoadFailure::None);
    EXPECT_EQ(levelGeometry.startHeading, headings[i]) << angles[i];
  }
  level.items = {{0, 1, 2, 3, 0}, {5, 0, 0, 0, 0}, {0, -4, 5000, 6, 182 * 90}, {1, 9, 9, 9, 9}};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.itemCount, 4);
  EXPECT_EQ(levelGeometry.items[3].objectId, 1);
  EXPECT_EQ(levelGeometry.items[2].y, 5000);
  const auto pose = [] {
    return std::vector<float>{levelGeometry.startX, levelGeometry.startY, levelGeometry.startZ,
                              levelGeometry.startHeading};
  };
  EXPECT_EQ(pose(), std::vector<float>({-4, 3976, 6, 270}));  // the eye 1024 above the item
  level.items = {{3, 1, 1, 1, 0}};  // no start item: the pose stays as it was
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(pose(), std::vector<float>({-4, 3976, 6, 270}));
}

TEST(LoadLevel, KeepsNegativeCountsAndRecordsPastTheNewCounts) {
  DnlLevel level = richLevel(LevelLayout::Older);
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  level.rooms.pop_back();
  level.items.clear();
  level.pages.clear();
  level.itemCountField = -5, level.pageCountField = -1;
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.itemCount, -5);
  EXPECT_EQ(levelGeometry.numTexturePages, -1);
  EXPECT_EQ(levelGeometry.quadCount, 2);
  EXPECT_EQ(levelGeometry.quads[2].vertexIndices[0], 6u);  // the earlier level's third quad
  EXPECT_EQ(levelGeometry.items[1].z, -600);
}

}  // namespace
