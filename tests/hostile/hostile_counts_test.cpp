// Every count field of a level file set to the boundary values of its width and table: once
// as a claim the file ends right after, once with the records really there. Each file loads
// or fails as the rules say (32-bit counts signed, pages, object textures and items refused
// above capacity, vertex, quad and triangle totals on reaching it), a load keeps the walk in
// step, and the planner stays inside its tables either way.
#include <gtest/gtest.h>

#include <string>

#include "level/byte_stream.h"
#include "tests/hostile/hostile_support.h"
#include "tests/hostile/level_fields.h"

namespace {

constexpr uint64_t kRecordBudget = 4u << 20;  // bytes of real records a case may write

// A claim ends the file right after the field: every later read is -1, so every later count
// is negative and the records the field claims are read from past the end. A table's total
// is the claimed count, the base's when read before the cut, else none.
void expectClaimLoaded(const std::vector<CountField>& fields, const CountField& f, int64_t count,
                       const char* what) {
  const auto total = [&](const char* name, int64_t whole, int64_t none = 0) {
    const CountField& g = fieldNamed(fields, name);
    return &g == &f ? count : (f.at > g.at ? whole : none);
  };
  EXPECT_EQ(lastLoadReport().vertexCount, total("vertex count", 4)) << what;
  EXPECT_EQ(levelGeometry.quadCount, total("quad count", 1)) << what;
  EXPECT_EQ(levelGeometry.triangleCount, total("triangle count", 1)) << what;
  EXPECT_EQ(levelGeometry.numTexturePages, total("page count", 0)) << what;
  EXPECT_EQ(levelGeometry.itemCount, total("item count", 2, -1)) << what;
}

// With the records there the file after the field stays in step: the load still finds the
// object textures, items and start pose of the base level.
void expectRecordsLoaded(const CountField& f, int64_t count, const char* what) {
  const auto is = [&](const char* name) { return f.name == name; };
  EXPECT_EQ(levelGeometry.itemCount, is("item count") ? count : 2) << what;
  const bool start = !is("item count") || count >= 1;
  EXPECT_EQ(levelGeometry.startX, start ? 4096.0f : 0.0f) << what;
  EXPECT_EQ(levelGeometry.startY, start ? 256.0f - 1024.0f : 0.0f) << what;
  EXPECT_EQ(levelGeometry.startHeading, start ? 270.0f : 0.0f) << what;
  EXPECT_EQ(lastLoadReport().objectTextureCount, is("object-texture count") ? count : 2) << what;
  const int64_t quads = is("quad count") ? count : (is("room count") && count == 0 ? 0 : 1);
  EXPECT_EQ(levelGeometry.quadCount, quads) << what;
  EXPECT_EQ(levelGeometry.numTexturePages, is("page count") ? count : 0) << what;
}

// Sets every count field of both layouts to 0, 1, 0x7FFF, 0x8000, 0xFFFF, its capacity and
// one more, and the 32-bit sign boundaries, and expects the outcome the rules give (the base
// room is the first, so every total starts at 0).
void checkEveryBoundary(bool withRecords) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const std::vector<uint8_t> base = writeDnlBytes(baseLevel(layout));
    const std::vector<CountField> fields = baseFields(layout, 0);
    for (size_t i = 0; i + 1 < fields.size(); ++i) {
      const CountField& f = fields[i];
      std::vector<uint32_t> values = {0, 1, 0x7FFF, 0x8000, 0xFFFF};
      if (f.capacity > 0) values.insert(values.end(), {uint32_t(f.capacity), f.capacity + 1u});
      if (f.width == 4) values.insert(values.end(), {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu});
      for (const uint32_t value : values) {
        char what[96];
        snprintf(what, sizeof what, "%s %s = 0x%X%s", levelLayoutName(layout), f.name.c_str(),
                 value, withRecords ? " (records)" : " (claim)");
        std::vector<uint8_t> bytes(base.begin(), base.begin() + static_cast<long>(f.at));
        for (int32_t b = 0; b < f.width; ++b) bytes.push_back(uint8_t(value >> 8 * b));
        if (withRecords) bytes = withCount(base, fields, i, value, kRecordBudget);
        if (bytes.empty()) continue;  // records past the budget
        const int64_t count = countOf(f, value);
        const bool fails = count >= f.capacity + (f.width == 4 ? 1 : 0);
        const LoadFailure expected = fails ? f.overCapacity : LoadFailure::None;
        ASSERT_EQ(loadFresh(bytes), expected) << what;
        if (expected == LoadFailure::None && withRecords) expectRecordsLoaded(f, count, what);
        if (expected == LoadFailure::None && !withRecords) {
          expectClaimLoaded(fields, f, count, what);
        }
        expectPlanInsideTables(what);
        // Files longer than the stream buffer are read in several refills: compare with a file.
        if (!withRecords || bytes.size() > kByteStreamBufferSize) {
          expectFileLoadMatchesMemory(bytes, what);
        }
      }
    }
  }
}

TEST(CountFields, ClaimsEndingTheFileLoadOrFailByTheRules) {
  checkEveryBoundary(false);
}

TEST(CountFields, CountsWithTheirRecordsLoadOrFailByTheRules) {
  checkEveryBoundary(true);
}

}  // namespace
