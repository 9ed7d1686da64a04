// One small level file assembled byte by byte from the offsets of the format, without the
// level-file writer and its section table, so that writer and loader cannot share a
// mistake: both layouts and every accepted version word load it into the same store.
#include <gtest/gtest.h>

#include <vector>

#include "tests/level/level_test_support.h"

namespace {

struct Bytes {
  std::vector<uint8_t> data;
  void u8(uint8_t b) { data.push_back(b); }
  void u16(uint16_t v) { u8(v & 0xFF), u8(static_cast<uint8_t>(v >> 8)); }
  void u32(uint32_t v) { u16(v & 0xFFFF), u16(static_cast<uint16_t>(v >> 16)); }
  void skip(size_t n) { data.insert(data.end(), n, 0x5A); }
};

// One page, a room of two vertices with every skipped section present, a room of one vertex,
// two object textures and one item; the file ends after the items, so the sections after
// them read as -1.
std::vector<uint8_t> handmadeFile(uint32_t version) {
  const bool newer = version != 45;
  Bytes f;
  f.u32(version);
  f.skip(768 + 1024);
  f.u32(1), f.skip(65536);
  for (int i = 0; i < 65536; ++i) f.u16(i == 0 ? 0x8421 : i == 65535 ? 0x7C1F : 0x0000);
  f.skip(4);
  f.u16(2);  // rooms, at 1804 + 196608
  f.u32(2048), f.u32(static_cast<uint32_t>(-1024)), f.skip(12);
  f.u16(2);
  for (const int16_t c : {1, -2, 3, 100, 200, -300}) {
    f.u16(static_cast<uint16_t>(c));
    if (c == 3 || c == -300) f.u16(newer ? 4096 : 512), f.skip(4);
  }
  f.u16(1), f.u16(1), f.u16(1), f.u16(0), f.u16(0), f.u16(0x8000);  // a quad of texture 0
  f.u16(1), f.u16(1), f.u16(0), f.u16(0), f.u16(1);                 // a triangle of texture 1
  f.u16(1), f.skip(4), f.u16(1), f.skip(32);                        // N4, N32
  f.u16(1), f.u16(2), f.skip(16);                                   // grid 1 x 2
  f.skip(newer ? 4 : 6);
  f.u16(1), f.skip(24), f.u16(1), f.skip(20);  // N24, N20
  f.skip(newer ? 7 : 4);
  f.u32(static_cast<uint32_t>(-70000)), f.u32(0), f.skip(12);  // a second room of one vertex
  f.u16(1), f.u16(5), f.u16(6), f.u16(7), f.u16(0), f.skip(4);
  f.u16(1), f.u16(0), f.u16(1), f.u16(0), f.u16(0), f.u16(0x8001), f.u16(0);  // one quad
  f.u16(0), f.u16(0), f.u16(5), f.u16(0), f.skip(newer ? 4 : 6);              // grid 5 x 0
  f.u16(0), f.u16(0), f.skip(newer ? 7 : 4);
  const size_t sizes[] = {2, 2, 4, 32, 6, 8, 2, 4, 2, 18, 32};
  for (const size_t size : sizes) f.u32(1), f.skip(size);
  const auto objectTextures = [&f] {
    f.u32(2);
    for (const uint16_t tile : {uint16_t{0}, uint16_t{5}}) {
      f.u16(0xFFFF), f.u16(tile);
      for (int k = 0; k < 8; ++k) f.u8(0xEE), f.u8(static_cast<uint8_t>(k * 32 + tile));
    }
  };
  if (!newer) objectTextures();
  f.u32(0), f.u32(0), f.u32(0), f.u32(0);                 // four empty sections
  f.u32(newer ? 0xFFFFFFFF : 3), f.skip(newer ? 0 : 24);  // N 8-byte records, N < 0 in Newer
  f.u32(0), f.skip(newer ? 0 : 60), f.u32(0);             // an empty section, 10 x N words, another
  if (newer) objectTextures();
  f.u32(1), f.u16(0), f.skip(2), f.u32(4096), f.u32(512), f.u32(static_cast<uint32_t>(-8192));
  f.u16(16384), f.skip(6);
  return f.data;
}

// Fields from the first bytes to the last: a wrong size anywhere before one moves it. Every
// newer version word then loads the same store.
TEST(HandmadeFile, EveryLayoutAndVersionLoadsEveryFieldFromItsOffset) {
  resetStore();
  ASSERT_EQ(loadBytes(handmadeFile(45)), LoadFailure::None);
  const LevelGeometry& g = levelGeometry;
  EXPECT_EQ(g.texturePages[0].texels[4 * 65535 + 2], 248) << "blue of the last texel, 0x7C1F";
  EXPECT_EQ(g.vertices[0].x, 2049.0f) << "vertex 0 x plus room x";
  EXPECT_EQ(g.vertices[0].z, -1021.0f) << "vertex 0 z plus room z";
  EXPECT_EQ(g.vertices[0].r, 0.5f) << "vertex 0 shade 512 / 1024";
  EXPECT_EQ(g.vertices[2].x, -69995.0f) << "the second room's vertex x";
  EXPECT_EQ(g.quads[1].vertexIndices[1], 3u) << "second room's quad: local 1 plus base 2";
  EXPECT_EQ(g.quads[0].objectTexture, 0u) << "bit 15 of the texture word dropped";
  EXPECT_EQ(g.triangles[0].texturePage, 5u) << "the triangle's page from object texture 1";
  EXPECT_EQ(g.objectTextureUVs[1].uv[7], 229.5f / 256) << "object texture 1, v of corner 3";
  EXPECT_EQ(g.items[0].z, -8192) << "item z";
  EXPECT_EQ(g.startY, -512.0f) << "start y, 1024 above the item";
  EXPECT_EQ(g.startHeading, 270.0f) << "start heading from angle 16384";
  savedStore = levelGeometry;
  for (const uint32_t version : {0xFF080038u, 0xFF180038u, 0xFF180034u}) {
    resetStore();
    ASSERT_EQ(loadBytes(handmadeFile(version)), LoadFailure::None) << version;
    EXPECT_EQ(lastLoadReport().layout, LevelLayout::Newer) << "layout of " << version;
    EXPECT_TRUE(storeEqualsSaved()) << "store of " << version;
  }
}

}  // namespace
