// libFuzzer target: loads the input, then plans the scene over whatever the store holds;
// then fails a second load part-way through the rooms on top of it and plans that store
// too, since a failed load leaves counts that need not match the tables.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/plan_bounds.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"

namespace {

// An Older header without pages and one room claiming 65535 vertices, then the end: the
// vertices read as -1 until the table is full, and the load fails there.
uint8_t overflowingRooms[1806 + 22];

void checkPlan() {
  planScene(levelGeometry, scenePlan);
  if (planBoundsViolation(levelGeometry, scenePlan) != nullptr) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  overflowingRooms[0] = 45;
  overflowingRooms[1804] = 1;  // one room
  overflowingRooms[1806 + 20] = 0xFF;
  overflowingRooms[1806 + 21] = 0xFF;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  loadLevelFromMemory(data, size);
  checkPlan();
  if (loadLevelFromMemory(overflowingRooms, sizeof overflowingRooms)) __builtin_trap();
  checkPlan();
  return 0;
}
