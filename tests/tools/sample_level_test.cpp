// The sample level: it loads in both layouts to the same store, every face points inside
// the loaded tables, floors and ceilings wind clockwise as seen from inside the rooms, one
// page has transparent texels, and the start pose stands in the hall looking along +z.
#include "tools/sample_level.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "level/level_geometry.h"
#include "tools/level_summary.h"

namespace {

LevelGeometry olderStore;

void loadSample(LevelLayout layout) {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  const std::vector<uint8_t> bytes = writeDnlBytes(buildSampleLevel(layout));
  ASSERT_EQ(loadLevelBytes(bytes.data(), bytes.size()), LoadFailure::None);
}

TEST(SampleLevel, LoadsTheSameInBothLayouts) {
  loadSample(LevelLayout::Older);
  olderStore = levelGeometry;
  loadSample(LevelLayout::Newer);
  EXPECT_EQ(std::memcmp(&olderStore, &levelGeometry, sizeof olderStore), 0);
  EXPECT_GE(buildSampleLevel(LevelLayout::Older).rooms.size(), 3u);
}

TEST(SampleLevel, EveryFacePointsInsideTheLoadedTables) {
  loadSample(LevelLayout::Older);
  EXPECT_GE(levelGeometry.numTexturePages, 4);
  EXPECT_GT(levelGeometry.quadCount, 100);
  EXPECT_GT(levelGeometry.triangleCount, 10);
  EXPECT_GE(levelGeometry.itemCount, 24);
  EXPECT_EQ(countFacesOutsideTables(lastLoadReport()).any, 0);
  std::set<uint32_t> pagesUsed;
  for (int32_t i = 0; i < levelGeometry.quadCount; ++i) {
    pagesUsed.insert(levelGeometry.quads[i].texturePage);
  }
  EXPECT_EQ(static_cast<int32_t>(pagesUsed.size()), levelGeometry.numTexturePages);
}

TEST(SampleLevel, VertexShadeVaries) {
  loadSample(LevelLayout::Newer);
  float low = 2, high = -1;
  for (int32_t i = 0; i < lastLoadReport().vertexCount; ++i) {
    low = std::min(low, levelGeometry.vertices[i].r);
    high = std::max(high, levelGeometry.vertices[i].r);
  }
  EXPECT_GT(low, 0.1f);
  EXPECT_LE(high, 1.0f);
  EXPECT_GT(high - low, 0.4f);
}

TEST(SampleLevel, OnePageHasTexelsTheAlphaTestCutsOut) {
  loadSample(LevelLayout::Older);
  int transparentPages = 0;
  for (int32_t p = 0; p < levelGeometry.numTexturePages; ++p) {
    int transparent = 0;
    for (int32_t i = 0; i < kTexelsPerPage; ++i) {
      transparent += levelGeometry.texturePages[p].texels[4 * i + 3] == 0;
    }
    transparentPages += transparent > kTexelsPerPage / 4;
  }
  EXPECT_EQ(transparentPages, 1);
}

// World y grows downward: a floor seen from above and a ceiling seen from below must both
// run clockwise for their viewer, so (b - a) x (c - a) points away from that viewer.
TEST(SampleLevel, FloorsAndCeilingsWindClockwiseFromInside) {
  loadSample(LevelLayout::Older);
  int floors = 0, ceilings = 0;
  auto check = [&](const uint32_t* v) {
    const RoomVertex &a = levelGeometry.vertices[v[0]], &b = levelGeometry.vertices[v[1]],
                     &c = levelGeometry.vertices[v[2]];
    if (a.y != b.y || a.y != c.y) return;
    const float ny = (c.x - a.x) * (b.z - a.z) - (b.x - a.x) * (c.z - a.z);
    if (a.y == 0.0f) {
      ++floors;
      EXPECT_GT(ny, 0.0f);
    } else if (a.y <= -2048.0f) {
      ++ceilings;
      EXPECT_LT(ny, 0.0f);
    }
  };
  for (int32_t i = 0; i < levelGeometry.quadCount; ++i) check(levelGeometry.quads[i].vertexIndices);
  for (int32_t i = 0; i < levelGeometry.triangleCount; ++i) {
    check(levelGeometry.triangles[i].vertexIndices);
  }
  EXPECT_GT(floors, 50);
  EXPECT_GT(ceilings, 50);
}

TEST(SampleLevel, StartsInTheHallLookingAlongPlusZ) {
  loadSample(LevelLayout::Older);
  EXPECT_EQ(levelGeometry.startX, 4096.0f);
  EXPECT_EQ(levelGeometry.startY, -1024.0f);  // eye 1024 units above the floor at y 0
  EXPECT_EQ(levelGeometry.startZ, 1024.0f);
  EXPECT_EQ(levelGeometry.startHeading, 180.0f);  // the camera's view runs along +z
}

}  // namespace
