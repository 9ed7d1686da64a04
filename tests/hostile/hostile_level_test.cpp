// Level files cut short at every byte, and every count field set to the boundary values of
// its width and table: once as a claim the file ends right after, once with the records
// really there. Past a cut every read is -1, so a count is taken only when all its bytes are
// there. Each file loads or fails as the rules say (32-bit counts signed, pages, object
// textures and items refused above capacity, vertex, quad and triangle totals on reaching
// it), a load keeps the walk in step, and the planner stays inside its tables either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "level/byte_stream.h"
#include "tests/hostile/hostile_support.h"

namespace {

constexpr uint64_t kRecordBudget = 4u << 20;  // bytes of real records a case may write

// Checks a load of the base file cut at `cut`, where `claimed` (if any) holds `count`: each
// table holds the base level's count when its field lies wholly before the cut, else nothing
// (a negative count, or an empty total for a room's faces, as when the room count is 0).
void expectLoaded(const Fields& fields, uint64_t cut, int32_t pages, const CountField* claimed,
                  int64_t count, const std::string& what) {
  const auto sign = [](int64_t n) { return n < 0 ? -1 : n; };
  const bool noRoom = claimed == &fields[1] && count == 0;
  const auto held = [&](const char* name, int64_t base, int64_t none) {
    const CountField& g = fieldNamed(fields, name);
    const bool inRoom = g.at > fields[1].at && g.at < fieldNamed(fields, "section 1").at;
    if (&g == claimed) return sign(count);
    return sign(cut >= g.at + g.width && !(noRoom && inRoom) ? base : none);
  };
  EXPECT_EQ(sign(levelGeometry.numTexturePages), held("page count", pages, -1)) << what;
  EXPECT_EQ(lastLoadReport().vertexCount, held("vertex count", 4, 0)) << what;
  EXPECT_EQ(levelGeometry.quadCount, held("quad count", 1, 0)) << what;
  EXPECT_EQ(levelGeometry.triangleCount, held("triangle count", 1, 0)) << what;
  EXPECT_EQ(sign(lastLoadReport().objectTextureCount), held("object-texture count", 2, -1)) << what;
  EXPECT_EQ(sign(levelGeometry.itemCount), held("item count", 2, -1)) << what;
}

// Only a cut inside the version word fails; every other cut loads what the counts before it
// say. The version word as the readers take it: each byte past the end is -1, a 16-bit read
// keeps its second byte unmasked, a 32-bit read its high half.
void checkCut(const Bytes& whole, const Fields& fields, int32_t pages, uint64_t cut) {
  const std::string what = "cut at " + std::to_string(cut);
  const auto byte = [&](uint64_t i) { return i < cut ? int32_t{whole[i]} : -1; };
  const auto word = [&](uint64_t i) { return uint32_t(byte(i + 1) * 256 + (byte(i) & 0xFF)); };
  const uint32_t version = word(2) << 16 | (word(0) & 0xFFFFu);
  const bool known =
      version == 45u || version == 0xFF080038u || version == 0xFF180038u || version == 0xFF180034u;
  const Bytes bytes(whole.begin(), whole.begin() + long(cut));
  ASSERT_EQ(loadFresh(bytes), known ? LoadFailure::None : LoadFailure::UnknownVersion) << what;
  if (known) expectLoaded(fields, cut, pages, nullptr, 0, what);
  expectPlanInsideTables(what);
  // Past 64 KB a file is read in several refills; a cut may fall anywhere among them.
  if (whole.size() > kByteStreamBufferSize) expectFileLoadMatchesMemory(bytes, what + " (file)");
}

// Without pages the file is cut at every byte. With a page it is too long for that: it is
// cut at every field, one to three bytes into it, and through the page blocks.
TEST(CutFiles, EveryByteOrEveryFieldBoundary) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    for (const int32_t pages : {0, 1}) {
      const Bytes whole = writeDnlBytes(baseLevel(layout, pages));
      const Fields fields = baseFields(layout, pages);
      std::vector<uint64_t> cuts = {0, 3, 4, whole.size()};
      for (const int p : {0, 65535, 65536, 65537, 131072, 196607, 196608}) cuts.push_back(1800 + p);
      for (const auto& f : fields) cuts.insert(cuts.end(), {f.at, f.at + 1, f.at + 2, f.at + 3});
      for (uint64_t cut = 0; pages == 0 && cut < whole.size(); ++cut) cuts.push_back(cut);
      for (const uint64_t c : cuts) checkCut(whole, fields, pages, std::min(c, whole.size()));
    }
  }
}

// Sets every count field of both layouts to 0, 1, 0x7FFF, 0x8000, 0xFFFF, its capacity and
// one more, and the 32-bit sign boundaries, and expects the outcome the rules give (the base
// room is the first, so every total starts at 0).
void checkEveryBoundary(bool withRecords) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const Bytes base = writeDnlBytes(baseLevel(layout));
    const Fields fields = baseFields(layout, 0);
    for (size_t i = 0; i < fields.size(); ++i) {
      const CountField& f = fields[i];
      std::vector<uint32_t> values = {0, 1, 0x7FFF, 0x8000, 0xFFFF};
      if (f.capacity > 0) values.insert(values.end(), {uint32_t(f.capacity), f.capacity + 1u});
      if (f.width == 4) values.insert(values.end(), {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu});
      for (const uint32_t value : values) {
        char what[96];
        snprintf(what, sizeof what, "%s %s = 0x%X%s", levelLayoutName(layout), f.name.c_str(),
                 value, withRecords ? " (records)" : " (claim)");
        Bytes bytes(base.begin(), base.begin() + static_cast<long>(f.at));
        for (int32_t b = 0; b < f.width; ++b) bytes.push_back(uint8_t(value >> 8 * b));
        if (withRecords) bytes = withCount(base, fields, i, value, kRecordBudget);
        if (bytes.empty()) continue;  // records past the budget
        const int64_t count = f.count(value);
        const bool fails = count >= f.capacity + (f.width == 4 ? 1 : 0);
        const LoadFailure expected = fails ? f.overCapacity : LoadFailure::None;
        ASSERT_EQ(loadFresh(bytes), expected) << what;
        if (expected == LoadFailure::None) {
          // With the records there the walk stays in step to the start item at the end; a
          // claim ends the file, so the tables after it read negative counts.
          expectLoaded(fields, withRecords ? UINT64_MAX : f.at + f.width, 0, &f, count, what);
          const uint64_t items = fieldNamed(fields, "item count").at;
          const bool start =
              f.at == items ? withRecords && count >= 1 : withRecords || f.at > items;
          EXPECT_EQ(levelGeometry.startX, start ? 4096.0f : 0.0f) << what;
          EXPECT_EQ(levelGeometry.startY, start ? 256.0f - 1024.0f : 0.0f) << what;
          EXPECT_EQ(levelGeometry.startHeading, start ? 270.0f : 0.0f) << what;
        }
        expectPlanInsideTables(what);
        // Files longer than the stream buffer are read in several refills: compare with a file.
        const bool refills = bytes.size() > kByteStreamBufferSize;
        if (!withRecords || refills) expectFileLoadMatchesMemory(bytes, what);
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
