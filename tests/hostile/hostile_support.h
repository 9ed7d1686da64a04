// Shared steps of the hostile suites: load bytes into a fresh store and check that the
// scene planner, run over whatever the load left, stays inside its tables.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tests/hostile/plan_bounds.h"

inline LoadFailure loadFresh(const uint8_t* data, size_t size) {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
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
