// What a load puts in the store, built with the writer: texels and shades, pages with their
// grouping, items and the start pose, and what a later load keeps from an earlier one.
#include <gtest/gtest.h>

#include "tests/level/level_test_support.h"

namespace {

TEST(LoadLevel, ConvertsTexelsAndShadesWithoutClamping) {
  DnlLevel level;
  level.rooms = {roomWithVertices(1, 65535)};
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
  EXPECT_EQ(levelGeometry.vertices[0].g, 65535.0f / 1024);
  level.layout = LevelLayout::Newer;
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.vertices[0].g, 65535.0f / 8192);
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
