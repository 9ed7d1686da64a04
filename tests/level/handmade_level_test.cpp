// Two small level files assembled byte by byte from the offsets of the format tables,
// without the level-file writer, so that writer and loader cannot share a mistake.
#include <gtest/gtest.h>

#include <vector>

#include "tests/level/level_test_support.h"

namespace {

struct Bytes {
  std::vector<uint8_t> data;
  void u8(uint8_t b) { data.push_back(b); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v & 0xFF));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v & 0xFFFF));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void skip(size_t n) { data.insert(data.end(), n, 0x5A); }
  size_t at() const { return data.size(); }
};

// Older layout, one page, one room with every skipped section present.
std::vector<uint8_t> olderFile() {
  Bytes f;
  f.u8(0x2D), f.u8(0), f.u8(0), f.u8(0);
  f.skip(768 + 1024);
  EXPECT_EQ(f.at(), 1796u);
  f.u32(1);
  f.skip(65536);
  EXPECT_EQ(f.at(), 1800u + 65536u);
  for (int i = 0; i < 65536; ++i) f.u16(i == 0 ? 0x8421 : i == 65535 ? 0x7C1F : 0x0000);
  EXPECT_EQ(f.at(), 1800u + 196608u);
  f.skip(4);
  f.u16(1);
  const size_t room = f.at();
  EXPECT_EQ(room, 1806u + 196608u);
  f.u32(2048), f.u32(static_cast<uint32_t>(-1024));
  f.skip(12);
  f.u16(3);
  const int16_t xyz[3][3] = {{1, -2, 3}, {100, 200, -300}, {-1, 0, 5}};
  const uint16_t shades[3] = {512, 1024, 0};
  for (int v = 0; v < 3; ++v) {
    for (const int16_t c : xyz[v]) f.u16(static_cast<uint16_t>(c));
    f.u16(shades[v]);
    f.skip(4);
  }
  EXPECT_EQ(f.at(), room + 22 + 36);
  f.u16(1), f.u16(1), f.u16(2), f.u16(0), f.u16(2), f.u16(0x8000);  // one quad
  f.u16(1), f.u16(2), f.u16(1), f.u16(0), f.u16(0x0001);            // one triangle
  f.u16(1), f.skip(4);                                              // N4
  f.u16(1), f.skip(32);                                             // N32
  f.u16(1), f.u16(2), f.skip(16);                                   // grid A x B
  f.skip(6);
  f.u16(1), f.skip(24);  // N24
  f.u16(1), f.skip(20);  // N20
  f.skip(4);
  EXPECT_EQ(f.at(), room + 48 + 36 + 10 + 8 + 4 + 32 + 16 + 24 + 20);
  const size_t sizes[] = {2, 2, 4, 32, 6, 8, 2, 4, 2, 18, 32};
  for (int s = 0; s < 11; ++s) {
    const uint32_t count = s == 0 || s == 10 ? 1 : 0;
    f.u32(count), f.skip(count * sizes[s]);
  }
  f.u32(2);  // object textures, Older place
  for (const uint16_t tile : {uint16_t{0}, uint16_t{5}}) {
    f.u16(0xFFFF), f.u16(tile);
    for (int k = 0; k < 8; ++k) f.u8(0xEE), f.u8(static_cast<uint8_t>(k * 32 + tile));
  }
  f.u32(0), f.u32(0), f.u32(0), f.u32(0);  // sections 12 to 15
  f.u32(3), f.skip(24);                    // 16, N = 3
  f.u32(0);                                // 17
  f.skip(60);                              // 18: 10 x 3 words
  f.u32(0);                                // 19
  f.u32(1);                                // items
  f.u16(0), f.skip(2), f.u32(4096), f.u32(512), f.u32(static_cast<uint32_t>(-8192));
  f.u16(32768), f.skip(6);
  f.skip(8192);
  f.u16(1), f.skip(16);
  f.u16(2), f.skip(2);
  f.skip(740);
  f.u32(0);
  f.u32(1), f.skip(4);
  f.skip(10);  // ignored trailing bytes
  return f.data;
}

TEST(HandmadeFile, OlderLayoutLoadsEveryField) {
  resetStore();
  ASSERT_EQ(loadBytes(olderFile()), LoadFailure::None);
  EXPECT_EQ(lastLoadReport().layout, LevelLayout::Older);
  EXPECT_EQ(levelGeometry.numTexturePages, 1);
  const uint8_t* texels = levelGeometry.texturePages[0].texels;
  EXPECT_EQ(texels[0], 8);
  EXPECT_EQ(texels[1], 8);
  EXPECT_EQ(texels[2], 8);
  EXPECT_EQ(texels[3], 255);
  EXPECT_EQ(texels[4 * 65535], 248);
  EXPECT_EQ(texels[4 * 65535 + 1], 0);
  EXPECT_EQ(texels[4 * 65535 + 2], 248);
  EXPECT_EQ(texels[4 * 65535 + 3], 0);

  const RoomVertex& v0 = levelGeometry.vertices[0];
  EXPECT_EQ(v0.x, 2049.0f);
  EXPECT_EQ(v0.y, -2.0f);
  EXPECT_EQ(v0.z, -1021.0f);
  EXPECT_EQ(v0.r, 0.5f);
  EXPECT_EQ(levelGeometry.vertices[1].z, -1324.0f);
  EXPECT_EQ(levelGeometry.vertices[2].x, 2047.0f);
  EXPECT_EQ(lastLoadReport().vertexCount, 3);

  ASSERT_EQ(levelGeometry.quadCount, 1);
  const QuadFace& quad = levelGeometry.quads[0];
  EXPECT_EQ(quad.vertexIndices[0], 1u);
  EXPECT_EQ(quad.vertexIndices[3], 2u);
  EXPECT_EQ(quad.objectTexture, 0u);
  EXPECT_EQ(quad.texturePage, 0u);
  ASSERT_EQ(levelGeometry.triangleCount, 1);
  EXPECT_EQ(levelGeometry.triangles[0].vertexIndices[0], 2u);
  EXPECT_EQ(levelGeometry.triangles[0].objectTexture, 1u);
  EXPECT_EQ(levelGeometry.triangles[0].texturePage, 5u);

  EXPECT_EQ(levelGeometry.objectTextureUVs[0].uv[1], 32.5f / 256);
  EXPECT_EQ(levelGeometry.objectTextureUVs[1].uv[7], (7 * 32 + 5 + 0.5f) / 256);

  ASSERT_EQ(levelGeometry.itemCount, 1);
  EXPECT_EQ(levelGeometry.items[0].z, -8192);
  EXPECT_EQ(levelGeometry.startX, 4096.0f);
  EXPECT_EQ(levelGeometry.startY, -512.0f);
  EXPECT_EQ(levelGeometry.startHeading, 0.0f);
}

// Newer layout without pages: the room count stands at offset 1804, rooms skip 4 and 7
// bytes, and the object textures follow section 19.
TEST(HandmadeFile, NewerLayoutWithoutPages) {
  Bytes f;
  f.u8(0x38), f.u8(0x00), f.u8(0x18), f.u8(0xFF);
  f.skip(1792);
  f.u32(0);
  f.skip(4);
  EXPECT_EQ(f.at(), 1804u);
  f.u16(1);
  f.u32(static_cast<uint32_t>(-10)), f.u32(20), f.skip(12);
  f.u16(1), f.u16(5), f.u16(6), f.u16(7), f.u16(8192), f.skip(4);
  f.u16(1), f.u16(0), f.u16(0), f.u16(0), f.u16(0), f.u16(9);  // one quad
  f.u16(0);                                                    // no triangles
  f.u16(0), f.u16(0), f.u16(3), f.u16(0);                      // N4, N32, grid 3 x 0: no records
  f.skip(4);
  f.u16(0), f.u16(0), f.skip(7);
  for (int s = 1; s <= 15; ++s) f.u32(0);
  f.u32(0xFFFFFFFF);  // 16: negative, so section 18 is empty too
  f.u32(0), f.u32(0);
  f.u32(10);  // object textures, Newer place
  for (int i = 0; i < 10; ++i) {
    f.u16(0), f.u16(static_cast<uint16_t>(i));
    for (int k = 0; k < 8; ++k) f.u16(0x8000);
  }
  f.u32(2);
  f.u16(0), f.skip(2), f.u32(1), f.u32(2), f.u32(3), f.u16(16384), f.skip(6);
  f.u16(0x1001), f.skip(2), f.u32(4), f.u32(5), f.u32(6), f.u16(0), f.skip(6);
  resetStore();
  ASSERT_EQ(loadBytes(f.data), LoadFailure::None);  // ends before section 20: all -1 there
  EXPECT_EQ(lastLoadReport().layout, LevelLayout::Newer);
  const RoomVertex& v = levelGeometry.vertices[0];
  EXPECT_EQ(v.x, -5.0f);
  EXPECT_EQ(v.y, 6.0f);
  EXPECT_EQ(v.z, 27.0f);
  EXPECT_EQ(v.b, 1.0f);
  ASSERT_EQ(levelGeometry.quadCount, 1);
  EXPECT_EQ(levelGeometry.quads[0].objectTexture, 9u);
  EXPECT_EQ(levelGeometry.quads[0].texturePage, 9u);
  EXPECT_EQ(levelGeometry.objectTextureUVs[9].uv[4], 128.5f / 256);
  EXPECT_EQ(levelGeometry.itemCount, 2);
  EXPECT_EQ(levelGeometry.items[1].objectId, 0x1001);
  EXPECT_EQ(levelGeometry.startHeading, 270.0f);
  EXPECT_EQ(levelGeometry.startZ, 3.0f);
}

}  // namespace
