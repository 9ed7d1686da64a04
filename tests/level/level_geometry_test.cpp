#include "level/level_geometry.h"

#include <gtest/gtest.h>

#include <cstddef>

TEST(LevelGeometry, StartsEmptyWithThePoseAtTheOrigin) {
  EXPECT_EQ(levelGeometry.quadCount, 0);
  EXPECT_EQ(levelGeometry.triangleCount, 0);
  EXPECT_EQ(levelGeometry.numTexturePages, 0);
  EXPECT_EQ(levelGeometry.itemCount, 0);
  EXPECT_EQ(levelGeometry.startX, 0.0f);
  EXPECT_EQ(levelGeometry.startY, 0.0f);
  EXPECT_EQ(levelGeometry.startZ, 0.0f);
  EXPECT_EQ(levelGeometry.startHeading, 0.0f);
}

TEST(LevelGeometry, VertexRecordsServeAsAnInterleavedArray) {
  EXPECT_EQ(offsetof(RoomVertex, x), 0u);
  EXPECT_EQ(offsetof(RoomVertex, r), 12u);
  EXPECT_EQ(sizeof(RoomVertex), 24u);
}
