// The readers and their values past the end, the regrouping of faces by page, and what a load
// puts in the store, built with the writer: texels and shades, pages with their grouping,
// items and the start pose, and what a later load keeps from an earlier one.
#include <gtest/gtest.h>

#include <cstring>

#include "level/byte_stream.h"
#include "level/face_grouping.h"
#include "level/texel_conversion.h"

#include "tests/level/level_test_support.h"

namespace {

ByteStream stream;  // a 64 KiB buffer: static, like the loader's

TEST(Readers, ReadLittleEndianAndGiveExactValuesPastTheEnd) {
  const uint8_t data[] = {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x80, 0x34};
  openMemoryStream(stream, data, sizeof data);
  const int32_t values[] = {readU16(stream), readU32(stream), readU32(stream), readU8(stream),
                            readU16(stream), readU16(stream), readU8(stream)};
  EXPECT_EQ(std::vector<int32_t>(values, values + 7),  // a second byte past the end is -1
            std::vector<int32_t>({0x1234, -1, 0x12345678, 0x80, -256 + 0x34, -1, -1}));
  openMemoryStream(stream, data + 9, 3);  // lo 0x8012, hi -256 + 0x34, shifted up
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFF348012u));
  openMemoryStream(stream, data, 2);
  EXPECT_EQ(readU32(stream), static_cast<int32_t>(0xFFFF1234u));
}

using Tags = std::vector<uint32_t>;

// Faces given pages and tagged in their first vertex index by their position from 1; the
// tags of the same faces after the grouping.
template <typename Face>
Tags groupedTags(Face* faces, int32_t& count, const Tags& pages, int32_t pageCount) {
  count = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) faces[i] = {{uint32_t(i + 1)}, 0, pages[i]};
  levelGeometry.numTexturePages = pageCount;
  groupFacesByPage();
  Tags out;
  for (int32_t i = 0; i < count; ++i) out.push_back(faces[i].vertexIndices[0]);
  return out;
}

TEST(GroupFacesByPage, ExchangesInTheDocumentedOrder) {
  const std::tuple<Tags, int32_t, Tags> cases[] = {
      {{1, 0, 1, 0}, 2, {2, 4, 3, 1}}, {{5, 0, 1}, 2, {2, 3, 1}},
      {{1, 0, 1}, -3, {1, 2, 3}},      {{0, 0, 0}, 16, {1, 2, 3}},
      {{2, 1, 0}, 3, {3, 2, 1}},       {{0x8002, 1, 0, 0xFFFFFFFF, 1}, 2, {3, 2, 5, 4, 1}}};
  for (const auto& [pages, pageCount, after] : cases) {
    resetStore();  // each table regrouped while the other is empty
    EXPECT_EQ(groupedTags(levelGeometry.quads, levelGeometry.quadCount, pages, pageCount), after);
    resetStore();
    EXPECT_EQ(groupedTags(levelGeometry.triangles, levelGeometry.triangleCount, pages, pageCount),
              after);
  }
}

TEST(LoadLevel, ConvertsTexelsAndShadesWithoutClamping) {
  DnlLevel level;
  level.rooms = {roomWithVertices(1, 65535)};
  level.pages.assign(1, std::vector<uint16_t>(65536, 0));
  const uint32_t cases[][2] = {{0xFFFF, 0xF8F8F8FF}, {0x7FFF, 0xF8F8F800}, {0x8000, 0x000000FF},
                               {0x8421, 0x080808FF}, {0x001F, 0x0000F800}, {0x7C00, 0xF8000000},
                               {0x83E0, 0x00F800FF}};  // RGBA from the high byte down
  for (int i = 0; i < 7; ++i) level.pages[0][65535 - i] = uint16_t(cases[i][0]);
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  const uint8_t* texels = levelGeometry.texturePages[0].texels;
  for (int i = 0; i < 7; ++i) {
    const uint8_t* t = &texels[4 * (65535 - i)];
    EXPECT_EQ(uint32_t(t[0] << 24 | t[1] << 16 | t[2] << 8 | t[3]), cases[i][1]) << i;
  }
  EXPECT_EQ(texels[0] | texels[3], 0);
  EXPECT_EQ(levelGeometry.vertices[0].g, 65535.0f / 1024);
  level.layout = LevelLayout::Newer;
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.vertices[0].g, 65535.0f / 8192);
}

// The bulk conversion (vectorised, with a wider variant where the processor has one) must
// agree with the one-texel rule for every 16-bit word.
TEST(TexelConversion, BulkRunMatchesTheSingleTexelRuleForEveryWord) {
  static uint8_t words[2 * 65536], bulk[4 * 65536];
  for (uint32_t w = 0; w < 65536; ++w)
    words[2 * w] = uint8_t(w), words[2 * w + 1] = uint8_t(w >> 8);
  convertTexelRun(words, 65536, bulk);
  uint8_t single[4];
  for (int32_t w = 0; w < 65536; ++w) {
    convertTexel(w, single);
    ASSERT_EQ(std::memcmp(single, &bulk[4 * w], 4), 0) << w;
  }
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
  for (int pass = 0; pass < 2; ++pass) {  // the second: no item, the count stored as read
    EXPECT_EQ(std::vector<float>({g.startX, g.startY, g.startZ, g.startHeading, float(g.itemCount),
                                  float(g.items[2].y), float(g.items[3].objectId)}),
              std::vector<float>({-4, 3976, 6, 270, pass ? -5.0f : 4.0f, 5000, 1}));
    level.items.clear();
    level.itemCountField = -5;
    ASSERT_EQ(loadDnl(level), LoadFailure::None);
  }
}

}  // namespace
