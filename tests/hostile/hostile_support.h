// Shared steps of the hostile suites. A small base level of either layout and every count
// field in it, in file order, with its offset and records worked out from the documented
// layout (not from the writer): a hostile file is made by cutting the base file after a field
// or by splicing in a new count with its records. Loads go into a fresh store, again through
// a file, and the scene planner, run over whatever a load left, must stay inside its tables.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tests/hostile/plan_bounds.h"
#include "tools/dnl_writer.h"

using Bytes = std::vector<uint8_t>;

struct CountField {
  std::string name;
  int32_t width;         // 2 or 4 bytes
  uint64_t at, records;  // offsets of the count in the base file and of its records
  uint32_t baseCount;    // the count the base file holds
  uint64_t recordSize;   // bytes per record (a room: one with every count 0)
  // The table the count fills and the failure past it: a 32-bit count is refused above the
  // capacity, a 16-bit count (a room's share of a level-wide total) on reaching it.
  int32_t capacity = 0;
  LoadFailure overCapacity = LoadFailure::None;
  // The count as the loader takes it: 16-bit counts unsigned, 32-bit counts signed.
  int64_t count(uint32_t v) const { return width == 2 ? int64_t{v & 0xFFFFu} : int32_t(v); }
};
using Fields = std::vector<CountField>;

// Four vertices, one quad and one triangle in one room, one record in every skipped room
// section and level section, two object textures and two items, the first a start item.
inline DnlLevel baseLevel(LevelLayout layout, int32_t pageCount = 0) {
  DnlLevel level;
  level.layout = layout;
  level.pages.assign(static_cast<size_t>(pageCount), std::vector<uint16_t>(65536, 0x801F));
  DnlRoom room;
  room.vertices = {{0, 0, 0, 1024}, {10, -20, 30, 512}, {-40, 50, 60, 0}, {70, 80, -90, 8192}};
  room.quads = {{{0, 1, 2, 3}, 1}};
  room.triangles = {{{3, 2, 1}, 0x8000}};
  room.count4 = room.count32 = room.gridA = room.gridB = room.count24 = room.count20 = 1;
  level.rooms = {room};
  for (int s = 0; s < kLevelSectionCount; ++s) level.sectionCounts[s] = 1;
  level.objectTextures.resize(2);
  level.items = {{0, 4096, 256, -8192, 16384}, {12, 1, 2, 3, 0}};
  return level;
}

// The count fields of baseLevel(layout, pageCount) in file order.
inline Fields baseFields(LevelLayout layout, int32_t pageCount) {
  using enum LoadFailure;
  const bool older = layout == LevelLayout::Older;
  Fields fields;
  uint64_t at = 4 + 768 + 1024;
  const auto add = [&](std::string name, int32_t width, uint32_t base, uint64_t size, uint64_t gap,
                       int32_t capacity = 0, LoadFailure failure = None) {
    fields.push_back({name, width, at, at + width, base, size, capacity, failure});
    at += width + base * size + gap;
  };
  add("page count", 4, uint32_t(pageCount), 196608, 4, kMaxTexturePages, TooManyTexturePages);
  add("room count", 2, 1, 0, 20);  // the room's fields follow as fields of their own
  fields.back().recordSize = older ? 48 : 49;
  add("vertex count", 2, 4, 12, 0, kMaxVertices, TooManyVertices);
  add("quad count", 2, 1, 10, 0, kMaxQuads, TooManyQuads);
  add("triangle count", 2, 1, 8, 0, kMaxTriangles, TooManyTriangles);
  add("room 4-byte count", 2, 1, 4, 0);
  add("room 32-byte count", 2, 1, 32, 0);
  add("grid A", 2, 1, 0, 0);
  add("grid B", 2, 1, 8, older ? 6 : 4);
  fields.end()[-2].records = fields.back().records;  // the grid's 8-byte records follow both
  fields.end()[-2].recordSize = 8;
  add("room 24-byte count", 2, 1, 24, 0);
  add("room 20-byte count", 2, 1, 20, older ? 4 : 7);
  // Sections 1 to 19; section 18 has no count: 20 bytes per section-16 record follow 17.
  constexpr uint64_t kSizes[] = {0, 2, 2, 4, 32, 6, 8, 2, 4, 2, 18, 32, 16, 8, 16, 16, 8, 2, 0, 2};
  for (int n = 1; n <= 19; ++n) {
    if (n != 18) add("section " + std::to_string(n), 4, 1, kSizes[n], n == 17 ? 20 : 0);
    if (n == (older ? 11 : 19))
      add("object-texture count", 4, 2, 20, 0, kMaxObjectTextures, TooManyObjectTextures);
  }
  add("item count", 4, 2, 24, 8192, kMaxItems, TooManyItems);
  add("section 21", 2, 1, 16, 0);
  add("section 22", 2, 1, 1, 740);
  add("section 24", 4, 1, 8, 0);
  add("section 25", 4, 1, 4, 0);
  return fields;
}

inline const CountField& fieldNamed(const Fields& fields, const char* name) {
  return *std::find_if(fields.begin(), fields.end(), [&](auto& f) { return f.name == name; });
}

// The base file with the field's count set to `value` and records behind it, so the rest of
// the file stays in step; empty when the records would pass `byteBudget`. A count refused as
// soon as it is read (tables above capacity) and a negative count get no records.
inline Bytes withCount(const Bytes& base, const Fields& fields, size_t index, uint32_t value,
                       uint64_t byteBudget) {
  const CountField& f = fields[index];
  const int64_t count = f.count(value);
  const uint64_t n =
      count < 0 || (f.width == 4 && count > f.capacity && f.capacity > 0) ? 0 : uint64_t(count);
  if (n * f.recordSize > byteBudget) return {};
  Bytes bytes = base;
  for (int32_t b = 0; b < f.width; ++b) bytes[f.at + b] = static_cast<uint8_t>(value >> 8 * b);
  // Replaces the `old` records (`oldBytes` long) at `at` by n: the first old ones, then fill.
  const uint8_t fill = f.name == "item count" ? 0x55 : 0;  // an added item starts nothing
  const auto splice = [&](uint64_t at, uint64_t oldBytes, uint32_t old, uint64_t size) {
    const auto first = bytes.begin() + long(at);
    if (n > old) bytes.insert(first + long(oldBytes), (n - old) * size, fill);
    if (n < old) bytes.erase(first + long(n * size), first + long(oldBytes));
  };
  // Sections 16 and 18 share a count: splice the later block first, keeping offsets valid.
  if (f.name == "section 16") splice(fields[index + 1].records + 2, 20, 1, 20);
  // The room count's one record is the whole base room, up to section 1.
  const uint64_t roomBytes = fieldNamed(fields, "section 1").at - f.records;
  splice(f.records, index == 1 ? roomBytes : f.baseCount * f.recordSize, f.baseCount, f.recordSize);
  return bytes;
}

// The bytes of the store a load writes, [0, pages) and [afterPages, end): the texture pages
// are left out, since nothing here reads them and clearing 4 MB per load would dominate.
inline constexpr size_t kPages = offsetof(LevelGeometry, texturePages);
inline constexpr size_t kAfterPages = offsetof(LevelGeometry, numTexturePages);
static_assert(kPages < kAfterPages);

// Loads into a store whose tables and counts are zero, as at program start.
inline LoadFailure loadFresh(const Bytes& bytes) {
  auto* store = reinterpret_cast<uint8_t*>(&levelGeometry);
  std::memset(store, 0, kPages);
  std::memset(store + kAfterPages, 0, sizeof levelGeometry - kAfterPages);
  return loadLevelBytes(bytes.data(), bytes.size());
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
inline void expectFileLoadMatchesMemory(const Bytes& bytes, const std::string& what) {
  static LevelGeometry fromMemory;
  const LoadFailure memoryFailure = loadFresh(bytes);
  fromMemory = levelGeometry;
  const std::string path = writeTempFile(bytes.data(), bytes.size(), ".dnl");
  ASSERT_FALSE(path.empty()) << what;
  loadFresh({});
  EXPECT_EQ(loadLevelFile(path.c_str()), memoryFailure) << what;
  std::remove(path.c_str());
  const auto* a = reinterpret_cast<const uint8_t*>(&levelGeometry);
  const auto* b = reinterpret_cast<const uint8_t*>(&fromMemory);
  EXPECT_EQ(std::memcmp(a, b, kPages), 0) << what;
  EXPECT_EQ(std::memcmp(a + kAfterPages, b + kAfterPages, sizeof fromMemory - kAfterPages), 0)
      << what;
}
