// Texture-page assignment and the in-place regrouping of faces by page. The counts are
// clamped to the tables' capacities, so a store left inconsistent by a failed load is
// never read or written outside its tables.
#include "level/face_grouping.h"

#include "level/level_geometry.h"

void assignTexturePage(int32_t objectTextureIndex, int32_t tileWord) {
  const uint32_t index = static_cast<uint32_t>(objectTextureIndex);
  const uint32_t page = static_cast<uint32_t>(tileWord);
  const int32_t quadCount = countWithinTable(levelGeometry.quadCount, kMaxQuads);
  for (int32_t i = 0; i < quadCount; ++i) {
    if (levelGeometry.quads[i].objectTexture == index) levelGeometry.quads[i].texturePage = page;
  }
  const int32_t triangleCount = countWithinTable(levelGeometry.triangleCount, kMaxTriangles);
  for (int32_t i = 0; i < triangleCount; ++i) {
    TriFace& face = levelGeometry.triangles[i];
    if (face.objectTexture == index) face.texturePage = page;
  }
}

void assignTexturePages(const int32_t* tileWords, int32_t count) {
  if (tileWords == nullptr || count <= 0) return;
  const uint32_t known = static_cast<uint32_t>(count);
  const int32_t quadCount = countWithinTable(levelGeometry.quadCount, kMaxQuads);
  for (int32_t i = 0; i < quadCount; ++i) {
    QuadFace& face = levelGeometry.quads[i];
    if (face.objectTexture < known) {
      face.texturePage = static_cast<uint32_t>(tileWords[face.objectTexture]);
    }
  }
  const int32_t triangleCount = countWithinTable(levelGeometry.triangleCount, kMaxTriangles);
  for (int32_t i = 0; i < triangleCount; ++i) {
    TriFace& face = levelGeometry.triangles[i];
    if (face.objectTexture < known) {
      face.texturePage = static_cast<uint32_t>(tileWords[face.objectTexture]);
    }
  }
}

// The pages of one table, packed: the passes scan these instead of the 20- or 24-byte
// records, and every exchange of records exchanges their keys too.
static uint32_t pageKeys[kMaxQuads > kMaxTriangles ? kMaxQuads : kMaxTriangles];

// One pass per page; faces before the cursor already hold lower pages and never match, so
// each pass starts at the cursor. Exchanges move whole records.
template <typename Face>
static void groupTable(Face* faces, int32_t count, int32_t pageCount) {
  for (int32_t i = 0; i < count; ++i) pageKeys[i] = faces[i].texturePage;
  int32_t cursor = 0;
  for (int32_t page = 0; page < pageCount && cursor < count; ++page) {
    const uint32_t wanted = static_cast<uint32_t>(page);
    for (int32_t i = cursor; i < count; ++i) {
      if (pageKeys[i] != wanted) continue;
      if (i != cursor) {
        const Face held = faces[cursor];
        faces[cursor] = faces[i];
        faces[i] = held;
        pageKeys[i] = pageKeys[cursor];
        pageKeys[cursor] = wanted;
      }
      ++cursor;
    }
  }
}

void groupFacesByPage() {
  const int32_t pageCount = levelGeometry.numTexturePages;
  if (pageCount < 1) return;
  groupTable(levelGeometry.quads, countWithinTable(levelGeometry.quadCount, kMaxQuads), pageCount);
  groupTable(levelGeometry.triangles, countWithinTable(levelGeometry.triangleCount, kMaxTriangles),
             pageCount);
}
