// Every count field of a level file set to the boundary values of its width and table:
// once as a claim the file ends right after, once with the records really there. Each file
// loads or fails as the rules say (32-bit counts signed, pages, object textures and items
// refused above capacity, vertex, quad and triangle totals refused on reaching it), the
// walk stays in step when it loads, and the planner stays inside its tables either way.
#include <gtest/gtest.h>

#include <string>

#include "level/byte_stream.h"
#include "tests/hostile/hostile_support.h"
#include "tests/hostile/level_fields.h"

namespace {

constexpr uint64_t kRecordBudget = 4u << 20;  // bytes of real records a case may write

std::vector<uint32_t> boundaryValues(const CountFieldInfo& info) {
  std::vector<uint32_t> values = {0, 1};
  if (info.capacity > 0) {
    values.push_back(static_cast<uint32_t>(info.capacity));
    values.push_back(static_cast<uint32_t>(info.capacity) + 1);
  }
  values.insert(values.end(), {0x7FFF, 0x8000, 0xFFFF});
  if (info.width == 4) values.insert(values.end(), {0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu});
  return values;
}

// The count as the loader takes it: 16-bit counts unsigned, 32-bit counts signed.
int64_t countOf(const CountFieldInfo& info, uint32_t value) {
  return info.width == 2 ? int64_t{value & 0xFFFFu} : static_cast<int32_t>(value);
}

// The outcome the rules give; the base room is the first, so every total starts at 0.
LoadFailure expectedOutcome(CountField field, int64_t count) {
  switch (field) {
    case CountField::PageCount:
      return count > kMaxTexturePages ? LoadFailure::TooManyTexturePages : LoadFailure::None;
    case CountField::Vertices:
      return count >= kMaxVertices ? LoadFailure::TooManyVertices : LoadFailure::None;
    case CountField::Quads:
      return count >= kMaxQuads ? LoadFailure::TooManyQuads : LoadFailure::None;
    case CountField::Triangles:
      return count >= kMaxTriangles ? LoadFailure::TooManyTriangles : LoadFailure::None;
    case CountField::ObjectTextures:
      return count > kMaxObjectTextures ? LoadFailure::TooManyObjectTextures : LoadFailure::None;
    case CountField::Items:
      return count > kMaxItems ? LoadFailure::TooManyItems : LoadFailure::None;
    default:
      return LoadFailure::None;
  }
}

std::string caseName(LevelLayout layout, const CountFieldInfo& info, uint32_t value) {
  char hex[16];
  snprintf(hex, sizeof hex, "0x%X", value);
  return std::string(levelLayoutName(layout)) + " " + info.name + " = " + hex;
}

// The file ends right after the field: every later read is -1, so every later count is
// negative and the records the field claims are read from past the end.
void checkClaim(LevelLayout layout, CountField field, uint32_t value) {
  const CountFieldInfo info = countFieldInfo(field);
  const std::string what = caseName(layout, info, value) + " (claim)";
  const DnlLevel base = baseLevel(layout);
  const uint64_t at = fieldOffsets(base).at[static_cast<int32_t>(field)];
  std::vector<uint8_t> bytes = writeDnlBytes(base, at);
  for (int32_t b = 0; b < info.width; ++b) bytes.push_back(static_cast<uint8_t>(value >> 8 * b));

  const int64_t count = countOf(info, value);
  const LoadFailure expected = expectedOutcome(field, count);
  ASSERT_EQ(loadFresh(bytes), expected) << what;
  if (expected == LoadFailure::None) {
    const auto after = [field](CountField earlier) { return field > earlier ? 1 : 0; };
    EXPECT_EQ(lastLoadReport().vertexCount,
              field == CountField::Vertices ? count : 4 * after(CountField::Vertices))
        << what;
    EXPECT_EQ(levelGeometry.quadCount,
              field == CountField::Quads ? count : after(CountField::Quads))
        << what;
    EXPECT_EQ(levelGeometry.triangleCount,
              field == CountField::Triangles ? count : after(CountField::Triangles))
        << what;
    EXPECT_EQ(levelGeometry.numTexturePages, field == CountField::PageCount ? count : 0) << what;
    EXPECT_EQ(levelGeometry.itemCount,
              field == CountField::Items ? count : (field > CountField::Items ? 2 : -1))
        << what;
  }
  expectPlanInsideTables(what.c_str());
  expectFileLoadMatchesMemory(bytes, what.c_str());
}

// The records are there, so the file after the field stays in step: a load that succeeds
// must still find the object textures, items and start pose of the base level.
void checkWithRecords(LevelLayout layout, CountField field, uint32_t value) {
  const CountFieldInfo info = countFieldInfo(field);
  const std::string what = caseName(layout, info, value) + " (records)";
  DnlLevel level = baseLevel(layout);
  if (!setCountWithRecords(level, field, value, kRecordBudget)) return;
  const int64_t count = countOf(info, value);
  const LoadFailure expected = expectedOutcome(field, count);
  const std::vector<uint8_t> bytes = writeDnlBytes(level);
  ASSERT_EQ(loadFresh(bytes), expected) << what;
  if (expected == LoadFailure::None) {
    const bool items = field == CountField::Items;
    EXPECT_EQ(levelGeometry.itemCount, items ? count : 2) << what;
    const bool startItem = !items || count >= 1;
    EXPECT_EQ(levelGeometry.startX, startItem ? 4096.0f : 0.0f) << what;
    EXPECT_EQ(levelGeometry.startY, startItem ? 256.0f - 1024.0f : 0.0f) << what;
    EXPECT_EQ(levelGeometry.startHeading, startItem ? 270.0f : 0.0f) << what;
    const bool textures = field == CountField::ObjectTextures;
    EXPECT_EQ(lastLoadReport().objectTextureCount, textures ? count : 2) << what;
    const bool noRoom = field == CountField::RoomCount && count == 0;
    const int64_t quads = field == CountField::Quads ? count : (noRoom ? 0 : 1);
    EXPECT_EQ(levelGeometry.quadCount, quads) << what;
    EXPECT_EQ(levelGeometry.numTexturePages, field == CountField::PageCount ? count : 0) << what;
  }
  expectPlanInsideTables(what.c_str());
  // Files longer than the stream buffer are read in several refills: compare with a file.
  if (bytes.size() > kByteStreamBufferSize) expectFileLoadMatchesMemory(bytes, what.c_str());
}

TEST(CountFields, TheBaseLevelLaysOutAsItsOffsetsSay) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    for (const int32_t pages : {0, 1}) {
      const DnlLevel base = baseLevel(layout, pages);
      const std::vector<uint8_t> bytes = writeDnlBytes(base);
      const FieldOffsets offsets = fieldOffsets(base);
      ASSERT_EQ(bytes.size(), offsets.length);
      for (int32_t f = 0; f < kCountFieldCount; ++f) {
        const CountFieldInfo info = countFieldInfo(static_cast<CountField>(f));
        const uint64_t at = offsets.at[f];
        uint32_t value = 0;
        for (int32_t b = info.width - 1; b >= 0; --b) value = value << 8 | bytes.at(at + b);
        const CountField field = static_cast<CountField>(f);
        uint32_t expected = 1;
        if (field == CountField::PageCount) expected = static_cast<uint32_t>(pages);
        if (field == CountField::Vertices) expected = 4;
        if (field == CountField::ObjectTextures || field == CountField::Items) expected = 2;
        EXPECT_EQ(value, expected) << info.name;
      }
      ASSERT_EQ(loadFresh(bytes), LoadFailure::None);
      EXPECT_EQ(levelGeometry.quadCount, 1);
      EXPECT_EQ(levelGeometry.itemCount, 2);
    }
  }
}

TEST(CountFields, ClaimsEndingTheFileLoadOrFailByTheRules) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    for (int32_t f = 0; f < kCountFieldCount; ++f) {
      const CountField field = static_cast<CountField>(f);
      for (const uint32_t value : boundaryValues(countFieldInfo(field))) {
        checkClaim(layout, field, value);
      }
    }
  }
}

TEST(CountFields, CountsWithTheirRecordsLoadOrFailByTheRules) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    for (int32_t f = 0; f < kCountFieldCount; ++f) {
      const CountField field = static_cast<CountField>(f);
      for (const uint32_t value : boundaryValues(countFieldInfo(field))) {
        checkWithRecords(layout, field, value);
      }
    }
  }
}

}  // namespace
