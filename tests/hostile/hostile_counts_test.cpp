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

// The outcome the rules give; the base room is the first, so every total starts at 0.
LoadFailure expectedOutcome(const CountField& f, int64_t count) {
  return count >= f.capacity + (f.failsAtCapacity ? 0 : 1) ? f.overCapacity : LoadFailure::None;
}

// Runs `check(base, fields, index, value, what)` over every count field of both layouts at
// 0, 1, 0x7FFF, 0x8000, 0xFFFF, its capacity and one more, and the 32-bit sign boundaries.
template <typename Check>
void forEveryBoundary(Check check) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const std::vector<uint8_t> base = writeDnlBytes(baseLevel(layout));
    const std::vector<CountField> fields = baseFields(layout, 0);
    for (size_t i = 0; i + 1 < fields.size(); ++i) {
      const CountField& f = fields[i];
      std::vector<uint32_t> values = {0, 1, 0x7FFF, 0x8000, 0xFFFF};
      if (f.capacity > 0) values.insert(values.end(), {uint32_t(f.capacity), f.capacity + 1u});
      if (f.width == 4) values.insert(values.end(), {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu});
      for (const uint32_t value : values) {
        char hex[16];
        snprintf(hex, sizeof hex, " = 0x%X", value);
        check(base, fields, i, value, std::string(levelLayoutName(layout)) + " " + f.name + hex);
      }
    }
  }
}

using Fields = std::vector<CountField>;
using Bytes = std::vector<uint8_t>;

TEST(CountFields, TheBaseLevelLaysOutAsItsFieldsSay) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    for (const int32_t pages : {0, 1}) {
      const Bytes bytes = writeDnlBytes(baseLevel(layout, pages));
      const Fields fields = baseFields(layout, pages);
      ASSERT_EQ(bytes.size(), fields.back().at);
      for (const CountField& f : fields) {
        uint32_t value = 0;
        for (int32_t b = f.width - 1; b >= 0; --b) value = value << 8 | bytes.at(f.at + b);
        EXPECT_EQ(value, f.baseCount) << f.name;
      }
      ASSERT_EQ(loadFresh(bytes), LoadFailure::None);
      EXPECT_EQ(levelGeometry.quadCount, 1);
      EXPECT_EQ(levelGeometry.itemCount, 2);
    }
  }
}

// The file ends right after the field: every later read is -1, so every later count is
// negative and the records the field claims are read from past the end.
TEST(CountFields, ClaimsEndingTheFileLoadOrFailByTheRules) {
  forEveryBoundary([](const Bytes& base, const Fields& fields, size_t i, uint32_t value,
                      const std::string& what) {
    const CountField& f = fields[i];
    Bytes bytes(base.begin(), base.begin() + static_cast<long>(f.at));
    for (int32_t b = 0; b < f.width; ++b) bytes.push_back(static_cast<uint8_t>(value >> 8 * b));
    const int64_t count = countOf(f, value);
    const LoadFailure expected = expectedOutcome(f, count);
    ASSERT_EQ(loadFresh(bytes), expected) << what;
    if (expected == LoadFailure::None) {
      // A table's total: this count, the base's when read before the cut, else none.
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
    expectPlanInsideTables(what + " (claim)");
    expectFileLoadMatchesMemory(bytes, what + " (claim)");
  });
}

// The records are there, so the file after the field stays in step: a load that succeeds
// must still find the object textures, items and start pose of the base level.
TEST(CountFields, CountsWithTheirRecordsLoadOrFailByTheRules) {
  forEveryBoundary([](const Bytes& base, const Fields& fields, size_t i, uint32_t value,
                      const std::string& what) {
    const Bytes bytes = withCount(base, fields, i, value, kRecordBudget);
    if (bytes.empty()) return;
    const CountField& f = fields[i];
    const int64_t count = countOf(f, value);
    const LoadFailure expected = expectedOutcome(f, count);
    ASSERT_EQ(loadFresh(bytes), expected) << what;
    if (expected == LoadFailure::None) {
      const auto is = [&](const char* name) { return f.name == name; };
      EXPECT_EQ(levelGeometry.itemCount, is("item count") ? count : 2) << what;
      const bool start = !is("item count") || count >= 1;
      EXPECT_EQ(levelGeometry.startX, start ? 4096.0f : 0.0f) << what;
      EXPECT_EQ(levelGeometry.startY, start ? 256.0f - 1024.0f : 0.0f) << what;
      EXPECT_EQ(levelGeometry.startHeading, start ? 270.0f : 0.0f) << what;
      EXPECT_EQ(lastLoadReport().objectTextureCount, is("object-texture count") ? count : 2)
          << what;
      const int64_t quads = is("quad count") ? count : (is("room count") && count == 0 ? 0 : 1);
      EXPECT_EQ(levelGeometry.quadCount, quads) << what;
      EXPECT_EQ(levelGeometry.numTexturePages, is("page count") ? count : 0) << what;
    }
    expectPlanInsideTables(what + " (records)");
    // Files longer than the stream buffer are read in several refills: compare with a file.
    if (bytes.size() > kByteStreamBufferSize) expectFileLoadMatchesMemory(bytes, what);
  });
}

}  // namespace
