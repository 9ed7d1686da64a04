// What a load puts in the store: both layouts alike, texel, shade and coordinate conversion,
// global face indices, pages with grouping, items and the start pose, skipped sections by
// their sizes, and what a later load keeps from an earlier one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/level/level_test_support.h"

namespace {

// Two rooms, three object textures on two pages and three items; every skipped section
// carries records, so a wrong size shows up as misread values later in the file.
DnlLevel richLevel(LevelLayout layout) {
  const uint16_t one = layout == LevelLayout::Older ? 1024 : 8192;  // the shade of 1.0
  DnlLevel level;
  level.layout = layout;
  level.pages.assign(2, std::vector<uint16_t>(65536, 0x8421));
  DnlRoom first = roomWithVertices(6, one), second = roomWithVertices(4, 0);
  first.x = 1024, first.z = -2048, second.x = -70000, second.gridA = 5;  // 5 x 0 records
  first.vertices[0] = {-5, -300, 7, one};
  first.quads = {quadOf(2, 0), quadOf(0x8001, 2)}, second.quads = {quadOf(1, 0)};
  first.triangles = {{{0, 1, 5}, 0}}, second.triangles = {{{3, 2, 1}, 2}};
  first.count4 = 2, first.count32 = 3, first.gridA = 2, first.gridB = 3;
  first.count24 = 1, first.count20 = 2;
  level.rooms = {first, second};
  for (int s = 1; s < kDnlSectionCount; ++s) level.sectionCounts[s] = uint32_t(s % 4);
  level.sectionCounts[16] = 3;           // section 18 is then 60 bytes
  level.sectionCounts[9] = 0x80000000u;  // top bit set: an empty section
  level.objectTextures = {onPage(0), onPage(1), onPage(1)};
  uint16_t* uv = level.objectTextures[2].uvWords;  // the high byte counts, the low one not
  for (int k = 0; k < 8; ++k) uv[k] = k == 0 ? 0x00FF : k == 1 ? 0x80FF : k == 7 ? 0xFF00 : 0x247F;
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
  EXPECT_FALSE(loadLevel(path.c_str()) || loadLevel(nullptr));
  EXPECT_EQ(lastLoadReport().failure, LoadFailure::CannotOpen);
}

TEST(LoadLevel, PlacesVerticesFacesAndCoordinates) {
  static_assert(offsetof(RoomVertex, r) == 12 && sizeof(RoomVertex) == 24);  // GL arrays
  ASSERT_EQ(loadDnl(richLevel(LevelLayout::Older)), LoadFailure::None);
  const RoomVertex &v = levelGeometry.vertices[0], &w = levelGeometry.vertices[6 + 3];
  EXPECT_EQ(std::vector<float>({v.x, v.y, v.z, v.r, v.g, v.b, w.x, w.z, w.r}),
            std::vector<float>({1019, -300, -2041, 1, 1, 1, -69997, 9, 0}));  // no y offset
  const QuadFace* q = levelGeometry.quads;
  const TriFace* t = levelGeometry.triangles;
  EXPECT_EQ(std::vector<uint32_t>({uint32_t(levelGeometry.quadCount), q[1].objectTexture,
                                   q[1].vertexIndices[0], q[2].vertexIndices[0],
                                   q[2].vertexIndices[3], uint32_t(levelGeometry.triangleCount),
                                   t[0].vertexIndices[2], t[1].vertexIndices[0], t[1].texturePage}),
            std::vector<uint32_t>({3, 1, 2, 6, 9, 2, 5, 9, 1}));  // 0x8001 loses bit 15
  const float* uv = levelGeometry.objectTextureUVs[2].uv;
  EXPECT_EQ(std::vector<float>({uv[0], uv[1], uv[2], uv[7]}),
            std::vector<float>({0.001953125f, 0.501953125f, 36.5f / 256, 0.998046875f}));
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    DnlLevel level;
    level.layout = layout;
    level.rooms = {roomWithVertices(1, 65535)};
    ASSERT_EQ(loadDnl(level), LoadFailure::None);  // not clamped
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
  level.rooms = {roomWithVertices(4)};
  // Texture 7 on page 3 (not loaded), 1 on page 0, 2 with bit 15 set, 0 on page 1.
  level.rooms[0].quads = {quadOf(7), quadOf(1), quadOf(2), quadOf(7), quadOf(0), quadOf(1)};
  level.objectTextures = {onPage(1), onPage(0), onPage(0x8002), {}, {}, {}, {}, onPage(3)};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  std::vector<uint32_t> pagesAndTextures;
  for (int i = 0; i < 6; ++i) pagesAndTextures.push_back(levelGeometry.quads[i].texturePage);
  for (int i = 0; i < 6; ++i) pagesAndTextures.push_back(levelGeometry.quads[i].objectTexture);
  EXPECT_EQ(pagesAndTextures, (std::vector<uint32_t>{0, 0, 1, 3, 0x8002, 3, 1, 1, 0, 7, 2, 7}));
  // A later level claiming only texture 0 leaves the other faces the pages they held.
  level.rooms[0].quads = {quadOf(0), quadOf(4), quadOf(0)};
  level.objectTextures = {onPage(1)};
  levelGeometry.quads[1].texturePage = 2;
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  const QuadFace* q = levelGeometry.quads;
  EXPECT_EQ(std::vector<uint32_t>({q[1].texturePage, q[2].texturePage, q[2].objectTexture}),
            std::vector<uint32_t>({1, 2, 4}));
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
  const LevelGeometry& g = levelGeometry;
  const auto pose = [&g] {
    return std::vector<float>{g.startX, g.startY, g.startZ, g.startHeading};
  };
  EXPECT_EQ(pose(), std::vector<float>({-4, 3976, 6, 270}));  // the eye 1024 above the item
  EXPECT_EQ(std::vector<int32_t>({g.itemCount, g.items[2].y, g.items[3].objectId}),
            std::vector<int32_t>({4, 5000, 1}));
  level.items.clear();
  level.itemCountField = -5;  // stored as read; the pose and earlier records stay
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(pose(), std::vector<float>({-4, 3976, 6, 270}));
  EXPECT_EQ(std::vector<int32_t>({g.itemCount, g.items[3].objectId}),
            std::vector<int32_t>({-5, 1}));
}

}  // namespace
