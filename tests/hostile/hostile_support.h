// Shared steps of the hostile suites: load bytes into a fresh store, load them again through
// a file, and check that the scene planner, run over whatever a load left, stays inside its
// tables.
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

// The bytes of the store a load writes, [0, pages) and [afterPages, end): the texture pages
// are left out, since nothing here reads them and clearing 4 MB per load would dominate.
inline constexpr size_t kPages = offsetof(LevelGeometry, texturePages);
inline constexpr size_t kAfterPages = offsetof(LevelGeometry, numTexturePages);
static_assert(kPages < kAfterPages);

// Loads into a store whose tables and counts are zero, as at program start.
inline LoadFailure loadFresh(const uint8_t* data, size_t size) {
  auto* store = reinterpret_cast<uint8_t*>(&levelGeometry);
  std::memset(store, 0, kPages);
  std::memset(store + kAfterPages, 0, sizeof levelGeometry - kAfterPages);
  return loadLevelBytes(data, size);
}
inline LoadFailure loadFresh(const std::vector<uint8_t>& b) {
  return loadFresh(b.data(), b.size());
}

// Plans the scene of the current store and checks every bound of the plan.
inline void expectPlanInsideTables(const std::string& what) {
  planScene(levelGeometry, scenePlan);
  const char* broken = planBoundsViolation(levelGeometry, scenePlan);
  EXPECT_EQ(broken, nullptr) << what << ": " << (broken == nullptr ? "" : broken);
}

// Writes the bytes to a file of this process's own (ctest runs the cases of this suite as
// parallel processes) and returns its path, empty when it cannot be written.
inline std::string writeTempFile(const void* data, size_t size, const char* extension) {
  const std::string path = testing::TempDir() + "hostile_" + std::to_string(getpid()) + extension;
  FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file != nullptr && (size == 0 || fwrite(data, size, 1, file) == 1);
  return file != nullptr && std::fclose(file) == 0 && written ? path : "";
}

// Loads `bytes` from memory and again through a file, whose reads come in refills of the
// stream buffer and whose skips seek, and expects the same outcome and the same store.
inline void expectFileLoadMatchesMemory(const std::vector<uint8_t>& bytes,
                                        const std::string& what) {
  static LevelGeometry fromMemory;
  const LoadFailure memoryFailure = loadFresh(bytes);
  const LoadReport memoryReport = lastLoadReport();
  fromMemory = levelGeometry;
  const std::string path = writeTempFile(bytes.data(), bytes.size(), ".dnl");
  ASSERT_FALSE(path.empty()) << what;
  loadFresh(nullptr, 0);
  EXPECT_EQ(loadLevelFile(path.c_str()), memoryFailure) << what;
  std::remove(path.c_str());
  EXPECT_EQ(lastLoadReport().vertexCount, memoryReport.vertexCount) << what;
  EXPECT_EQ(lastLoadReport().objectTextureCount, memoryReport.objectTextureCount) << what;
  const auto* a = reinterpret_cast<const uint8_t*>(&levelGeometry);
  const auto* b = reinterpret_cast<const uint8_t*>(&fromMemory);
  EXPECT_EQ(std::memcmp(a, b, kPages), 0) << what;
  EXPECT_EQ(std::memcmp(a + kAfterPages, b + kAfterPages, sizeof fromMemory - kAfterPages), 0)
      << what;
}
