// The one store of the loaded level: fixed-capacity tables of room vertices, faces,
// texture coordinates, converted texture pages and items, plus the start pose.
// The loader fills it; everything else only reads it. Nothing here allocates.
#pragma once

#include <cstdint>

inline constexpr int32_t kMaxVertices = 18658;
inline constexpr int32_t kMaxQuads = 13882;
inline constexpr int32_t kMaxTriangles = 5613;
inline constexpr int32_t kMaxObjectTextures = 2500;
inline constexpr int32_t kMaxTexturePages = 16;
inline constexpr int32_t kMaxItems = 248;

inline constexpr int32_t kTexturePageSide = 256;
inline constexpr int32_t kTexelsPerPage = kTexturePageSide * kTexturePageSide;

// Six floats and nothing else, so the table serves as an interleaved GL array
// (positions at offset 0, colours at offset 12, stride 24).
struct RoomVertex {
  float x, y, z;
  float r, g, b;
};

struct QuadFace {
  uint32_t vertexIndices[4];
  uint32_t objectTexture;
  uint32_t texturePage;
};

struct TriFace {
  uint32_t vertexIndices[3];
  uint32_t objectTexture;
  uint32_t texturePage;
};

// Corner k takes u from uv[2k] and v from uv[2k + 1].
struct ObjectTextureUV {
  float uv[8];
};

// RGBA bytes, texel i at bytes 4i..4i+3, rows of 256 in file order.
struct TexturePage {
  uint8_t texels[kTexelsPerPage * 4];
};

struct LevelItem {
  int32_t objectId;  // 0 to 65535; 0 marks the start item
  int32_t x, y, z;
};

struct LevelGeometry {
  RoomVertex vertices[kMaxVertices];
  QuadFace quads[kMaxQuads];
  int32_t quadCount;
  TriFace triangles[kMaxTriangles];
  int32_t triangleCount;
  ObjectTextureUV objectTextureUVs[kMaxObjectTextures];
  TexturePage texturePages[kMaxTexturePages];
  int32_t numTexturePages;  // as read; zero or negative means none
  LevelItem items[kMaxItems];
  int32_t itemCount;  // as read; zero or negative means none
  float startX, startY, startZ;
  float startHeading;  // degrees, 0 to 359
};

static_assert(sizeof(RoomVertex) == 24, "vertex records must be 24 bytes for the GL arrays");
static_assert(sizeof(QuadFace) == 24 && sizeof(TriFace) == 20, "face records are plain words");
static_assert(sizeof(TexturePage) == 262144, "a page is 256 x 256 RGBA texels");

// The records of a table that a count read from a file can name: none for zero or less,
// never more than the table holds.
inline constexpr int32_t countWithinTable(int32_t count, int32_t capacity) {
  return count < 0 ? 0 : (count < capacity ? count : capacity);
}

// The process-wide store; zero at program start.
extern LevelGeometry levelGeometry;
