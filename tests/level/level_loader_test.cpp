// What a load puts in the store, built with the writer: texels, shades, pages of the faces,
// each limit and what a failure leaves, files cut short or claiming more than they hold. The
// offsets of every field are checked against a file made without the writer in
// handmade_level_test.cpp; the file path against the memory path by the loader's fuzz target, and
// on real files by the tools' and end-to-end runs.
#include <gtest/gtest.h>

#include <string>

#include "tests/level/level_test_support.h"

namespace {

// A converted texel's four bytes, red first, as one value: 0xRRGGBBAA.
uint32_t rgba(const uint8_t* texel) {
  return uint32_t(texel[0]) << 24 | texel[1] << 16 | texel[2] << 8 | texel[3];
}

// The words go at the end of the page, where a conversion that stops short would miss them.
// The largest Newer shade is taken whole, not clamped.
TEST(LoadLevel, ConvertsTexelsAndShades) {
  const uint32_t cases[][2] = {{0xFFFF, 0xF8F8F8FF}, {0x7FFF, 0xF8F8F800}, {0x8000, 0x000000FF},
                               {0x8421, 0x080808FF}, {0x001F, 0x0000F800}, {0x7C00, 0xF8000000}};
  DnlLevel level;
  level.layout = LevelLayout::Newer;
  level.pages.assign(1, std::vector<uint16_t>(65536, 0));
  for (size_t i = 0; i < std::size(cases); ++i) level.pages[0][65535 - i] = uint16_t(cases[i][0]);
  level.rooms = {roomWithVertices(1, 65535)};
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(rgba(levelGeometry.texturePages[0].texels + 4 * (65535 - i)), cases[i][1])
        << "RGBA of word " << cases[i][0];
  }
  EXPECT_EQ(levelGeometry.vertices[0].b, 7.9998779296875f) << "Newer shade 65535 over 8192";
}

TEST(LoadLevel, FacesTakeTheWholeTileWordOfTheirObjectTexture) {
  DnlLevel level;
  level.pages.resize(4);
  level.rooms = {roomWithVertices(4)};
  level.rooms[0].quads = {quadOf(7), quadOf(2), quadOf(9)};
  level.objectTextures.resize(8);
  level.objectTextures[2] = onPage(0x8002);
  level.objectTextures[7] = onPage(3);
  resetStore();
  ASSERT_EQ(loadDnl(level), LoadFailure::None);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 0u) << "texture 9 is past the count: page 0";
  EXPECT_EQ(levelGeometry.quads[1].texturePage, 3u) << "first quad of texture 7";
  EXPECT_EQ(levelGeometry.quads[2].texturePage, 0x8002u) << "bit 15 kept, at the tail";
}

// Each table's largest count, and how a level fills that table with `n` records.
struct Limit {
  LoadFailure failure;
  int largest;
  const char* what;
  void (*fill)(DnlLevel&, int n);
};
constexpr Limit kLimits[] = {
    {LoadFailure::TooManyTexturePages, 16, "16 texture pages",
     [](DnlLevel& l, int n) { l.pages.assign(n, std::vector<uint16_t>(1, 1)); }},
    {LoadFailure::TooManyVertices, 18657, "18657 vertices",
     [](DnlLevel& l, int n) {
       l.rooms = {roomWithVertices(10000), roomWithVertices(n - 10000)};
       l.rooms[1].quads = {quadOf(9)};
     }},
    {LoadFailure::TooManyQuads, 13881, "13881 quads",
     [](DnlLevel& l, int n) { l.rooms[0].quads.assign(n, quadOf(0)); }},
    {LoadFailure::TooManyTriangles, 5612, "5612 triangles",
     [](DnlLevel& l, int n) { l.rooms[0].triangles.assign(n, triangleOf(0)); }},
    {LoadFailure::TooManyObjectTextures, 2500, "2500 object textures",
     [](DnlLevel& l, int n) { l.objectTextures.assign(n, onPage(1)); }},
    {LoadFailure::TooManyItems, 248, "248 items",
     [](DnlLevel& l, int n) { l.items.assign(n, DnlItem(0, 5, 5, 5, 0)); }},
};

// A room of four vertices, and the table for `failure` (if any) holding `n` records.
DnlLevel levelWith(LoadFailure failure, int n) {
  DnlLevel level;
  level.rooms = {roomWithVertices(4)};
  for (const Limit& limit : kLimits) {
    if (limit.failure == failure) limit.fill(level, n);
  }
  return level;
}

TEST(Limits, TheLargestCountLoadsAndOneMoreFails) {
  for (const Limit& limit : kLimits) {
    EXPECT_EQ(loadDnl(levelWith(limit.failure, limit.largest)), LoadFailure::None) << limit.what;
    EXPECT_EQ(loadDnl(levelWith(limit.failure, limit.largest + 1)), limit.failure)
        << "one more than " << limit.what;
  }
}

TEST(Limits, RefusedVersionsAndPageCountsLeaveTheStoreUnchanged) {
  ASSERT_EQ(loadDnl(levelWith(LoadFailure::TooManyItems, 1)), LoadFailure::None);
  savedStore = levelGeometry;
  for (const uint32_t version : {44u, 46u, 0xFF080034u, 0x380008FFu}) {
    DnlLevel level = levelWith(LoadFailure::TooManyItems, 3);
    level.versionWord = version;
    EXPECT_EQ(loadDnl(level), LoadFailure::UnknownVersion) << "version " << version;
    EXPECT_TRUE(storeEqualsSaved()) << "store after version " << version;
  }
  EXPECT_EQ(loadBytes({}), LoadFailure::UnknownVersion) << "an empty file";
  EXPECT_EQ(loadDnl(levelWith(LoadFailure::TooManyTexturePages, 17)),
            LoadFailure::TooManyTexturePages);
  EXPECT_TRUE(storeEqualsSaved()) << "store after 17 pages";
}

constexpr uint64_t kHeaderBytes = 1800;  // version word, two skipped runs, page count

TEST(CutShort, ValuesPastTheEndComeFromMinusOne) {
  DnlLevel level;
  level.pages.assign(1, std::vector<uint16_t>(65536, 0x0421));
  const uint64_t texel500 = kHeaderBytes + 65536 + 2 * 500;
  ASSERT_EQ(loadDnl(level, texel500 + 1), LoadFailure::None);  // texel 500 reads 0xFF21
  const uint8_t* texels = levelGeometry.texturePages[0].texels;
  EXPECT_EQ(rgba(texels + 4 * 499), 0x08080800u) << "0x0421, the last whole texel";
  EXPECT_EQ(rgba(texels + 4 * 500), 0xF8C808FFu) << "the texel cut after its first byte";
  EXPECT_EQ(rgba(texels + 4 * 65535), 0xF8F8F8FFu) << "a texel past the end";
}

// A file that ends early still loads; the report says how far the walk read past its end,
// from memory and from a file (which skips by seeking).
TEST(CutShort, TheReportCountsTheBytesReadPastTheEnd) {
  DnlLevel level;
  level.pages.assign(1, std::vector<uint16_t>(65536, 0x0421));
  level.rooms = {roomWithVertices(40)};
  level.items = {{0, 5, 6, 7, 8}};
  const uint64_t whole = writeDnlBytes(level).size();
  const std::string path = testing::TempDir() + "cut_" + std::to_string(getpid()) + ".dnl";
  for (const uint64_t missing : {uint64_t{0}, uint64_t{1}, uint64_t{7}}) {
    ASSERT_EQ(loadDnl(level, whole - missing), LoadFailure::None);
    EXPECT_EQ(lastLoadReport().bytesPastEnd, missing) << missing << " bytes cut, from memory";
    ASSERT_TRUE(writeDnlFile(path.c_str(), level, whole - missing)) << "the file is written";
    ASSERT_EQ(loadLevelFile(path.c_str()), LoadFailure::None);
    EXPECT_EQ(lastLoadReport().bytesPastEnd, missing) << missing << " bytes cut, from a file";
  }
  std::remove(path.c_str());
  const uint64_t pageEnd = kHeaderBytes + 65536 + 2 * 65536;  // a skipped run, then the texels
  ASSERT_EQ(loadDnl(level, pageEnd), LoadFailure::None);
  const uint64_t afterThePage = lastLoadReport().bytesPastEnd;
  ASSERT_EQ(loadDnl(level, pageEnd - 1000), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().bytesPastEnd, afterThePage + 1000) << "500 texels past the end";
}

// Counts that claim gigabytes end the stream at once; everything after reads as -1.
TEST(Claims, AHugeGridAndASharedCountEndTheStream) {
  DnlLevel level;
  level.rooms = {roomWithVertices(5), roomWithVertices(3)};
  level.rooms[0].gridA = level.rooms[0].gridB = 65535;
  level.rooms[0].writeSkippedRecords = false;
  level.rooms[0].quads = {quadOf(3)};
  ASSERT_EQ(loadDnl(level), LoadFailure::None) << "a grid of 65535 x 65535 records";
  EXPECT_EQ(lastLoadReport().vertexCount, 5) << "the room after the grid is past the end";
  EXPECT_EQ(levelGeometry.quadCount, 1) << "quads";
  level.rooms[0].gridA = 0;
  level.sectionCounts[kSharedCountSection] = 0x7FFFFFFF;  // 20 x N bytes later: past 32 bits
  level.writeSectionRecords = false;
  level.items = {{0, 1, 1, 1, 0}};
  ASSERT_EQ(loadDnl(level), LoadFailure::None) << "a shared count of 2^31 - 1";
  EXPECT_EQ(lastLoadReport().vertexCount, 8) << "both rooms read";
  EXPECT_EQ(levelGeometry.itemCount, -1) << "the items lie past the end";
  std::vector<uint8_t> bytes = writeDnlBytes(levelWith(LoadFailure::None, 0), kHeaderBytes + 26);
  bytes.insert(bytes.end(), {0xFF, 0xFF});  // one room claiming 65535 vertices, then the end
  EXPECT_EQ(loadBytes(bytes), LoadFailure::TooManyVertices) << "65535 vertices past the end";
  EXPECT_EQ(levelGeometry.vertices[kMaxVertices - 1].y, -1.0f) << "the last vertex read";
  bytes.resize(kHeaderBytes + 26);  // the vertex count wholly past the end: -1, not 65535
  EXPECT_EQ(loadBytes(bytes), LoadFailure::None) << "a room whose vertex count is past the end";
}

}  // namespace
