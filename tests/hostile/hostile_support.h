// Shared steps of the hostile suites: load bytes into a fresh store and check that the
// scene planner, run over whatever the load left, stays inside its tables.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
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

// Plans the scene of the current store and checks every bound of the plan.
inline void expectPlanInsideTables(const char* what) {
  planScene(levelGeometry, scenePlan);
  const char* broken = planBoundsViolation(levelGeometry, scenePlan);
  EXPECT_EQ(broken, nullptr) << what << ": " << (broken == nullptr ? "" : broken);
}
