// Shared steps of the hostile suites: load bytes into a fresh store and check that the
// scene planner, run over whatever the load left, stays inside its tables.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tests/hostile/plan_bounds.h"

// Loads into a store whose tables and counts are zero, as at program start. The texture
// pages are left alone: nothing here reads them, and clearing 4 MB per load would dominate.
inline LoadFailure loadFresh(const uint8_t* data, size_t size) {
  static_assert(offsetof(LevelGeometry, texturePages) < offsetof(LevelGeometry, numTexturePages));
  auto* store = reinterpret_cast<uint8_t*>(&levelGeometry);
  const size_t pages = offsetof(LevelGeometry, texturePages);
  const size_t afterPages = offsetof(LevelGeometry, numTexturePages);
  std::memset(store, 0, pages);
  std::memset(store + afterPages, 0, sizeof levelGeometry - afterPages);
  return loadLevelBytes(data, size);
}

inline LoadFailure loadFresh(const std::vector<uint8_t>& bytes) {
  return loadFresh(bytes.data(), bytes.size());
}

// The bytes of the store that a load writes, the texture pages left out (see loadFresh).
inline bool sameStoreWithoutPages(const LevelGeometry& a, const LevelGeometry& b) {
  const auto* left = reinterpret_cast<const uint8_t*>(&a);
  const auto* right = reinterpret_cast<const uint8_t*>(&b);
  const size_t pages = offsetof(LevelGeometry, texturePages);
  const size_t afterPages = offsetof(LevelGeometry, numTexturePages);
  return std::memcmp(left, right, pages) == 0 &&
         std::memcmp(left + afterPages, right + afterPages, sizeof a - afterPages) == 0;
}

// Loads `bytes` from memory and again through a file, whose reads come in refills of the
// stream buffer and whose skips seek, and expects the same outcome and the same store.
inline void expectFileLoadMatchesMemory(const std::vector<uint8_t>& bytes, const char* what) {
  static LevelGeometry fromMemory;
  const LoadFailure memoryFailure = loadFresh(bytes);
  const LoadReport memoryReport = lastLoadReport();
  fromMemory = levelGeometry;
  // ctest runs the cases of this suite as parallel processes: one file per process.
  const std::string path = testing::TempDir() + "hostile_" + std::to_string(getpid()) + ".dnl";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << what;
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ASSERT_TRUE(std::fclose(file) == 0 && written) << what;
  loadFresh(nullptr, 0);
  EXPECT_EQ(loadLevelFile(path.c_str()), memoryFailure) << what;
  std::remove(path.c_str());
  EXPECT_EQ(lastLoadReport().vertexCount, memoryReport.vertexCount) << what;
  EXPECT_EQ(lastLoadReport().objectTextureCount, memoryReport.objectTextureCount) << what;
  EXPECT_TRUE(sameStoreWithoutPages(levelGeometry, fromMemory)) << what;
}

// Plans the scene of the current store and checks every bound of the plan.
inline void expectPlanInsideTables(const char* what) {
  planScene(levelGeometry, scenePlan);
  const char* broken = planBoundsViolation(levelGeometry, scenePlan);
  EXPECT_EQ(broken, nullptr) << what << ": " << (broken == nullptr ? "" : broken);
}
