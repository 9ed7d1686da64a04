// Level files cut short at every byte, so at every section boundary and inside every
// record: past the cut every read is -1, so a count is taken only when all its bytes are
// there and every count cut through reads negative. Only a cut inside the version word
// fails; every other cut loads what the counts before it say.
#include <gtest/gtest.h>

#include <string>

#include "tests/hostile/hostile_support.h"
#include "tests/hostile/level_fields.h"

namespace {

// Checks one cut of a base level against what the counts wholly before the cut say.
void checkCut(const std::vector<uint8_t>& whole, const std::vector<CountField>& fields,
              int32_t pages, uint64_t cut) {
  const std::string what = "cut at " + std::to_string(cut);
  // The version word as the readers take it: each byte past the end is -1, a 16-bit read
  // keeps its second byte unmasked, a 32-bit read its high half.
  const auto byte = [&](uint64_t i) { return i < cut ? int32_t{whole[i]} : -1; };
  const auto word = [&](uint64_t i) { return byte(i + 1) * 256 + (byte(i) & 0xFF); };
  const uint32_t version = static_cast<uint32_t>(word(2)) << 16 | (word(0) & 0xFFFFu);
  const LoadFailure failure = loadFresh(whole.data(), cut);
  if (version != 45u && version != 0xFF080038u && version != 0xFF180038u &&
      version != 0xFF180034u) {
    EXPECT_EQ(failure, LoadFailure::UnknownVersion) << what;
    return;
  }
  ASSERT_EQ(failure, LoadFailure::None) << what;
  // The base's count when the field lies wholly before the cut, else `cutValue`.
  const auto count = [&](const char* name, int64_t base, int64_t cutValue) {
    const CountField& f = fieldNamed(fields, name);
    return cut >= f.at + f.width ? base : cutValue;
  };
  const auto negative = [](int64_t n) { return n < 0 ? -1 : n; };
  EXPECT_EQ(negative(levelGeometry.numTexturePages), count("page count", pages, -1)) << what;
  EXPECT_EQ(lastLoadReport().vertexCount, count("vertex count", 4, 0)) << what;
  EXPECT_EQ(levelGeometry.quadCount, count("quad count", 1, 0)) << what;
  EXPECT_EQ(levelGeometry.triangleCount, count("triangle count", 1, 0)) << what;
  EXPECT_EQ(negative(lastLoadReport().objectTextureCount), count("object-texture count", 2, -1))
      << what;
  EXPECT_EQ(negative(levelGeometry.itemCount), count("item count", 2, -1)) << what;
  expectPlanInsideTables(what);
}

TEST(CutFiles, EveryByteOfALevelWithoutPages) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const std::vector<uint8_t> whole = writeDnlBytes(baseLevel(layout));
    const std::vector<CountField> fields = baseFields(layout, 0);
    for (uint64_t cut = 0; cut <= whole.size(); ++cut) checkCut(whole, fields, 0, cut);
  }
}

// With a page the file is too long to cut everywhere: cut at every field, one to three
// bytes into it, and through the page blocks.
TEST(CutFiles, EveryFieldBoundaryOfALevelWithAPage) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const std::vector<uint8_t> whole = writeDnlBytes(baseLevel(layout, 1));
    const std::vector<CountField> fields = baseFields(layout, 1);
    std::vector<uint64_t> cuts = {0, 3, 4, 1800};
    for (const uint64_t page : {65535, 65536, 65537, 131072, 196607, 196608}) {
      cuts.push_back(1800 + page);
    }
    for (const CountField& f : fields)
      cuts.insert(cuts.end(), {f.at, f.at + 1, f.at + 2, f.at + 3});
    for (const uint64_t cut : cuts) {
      if (cut > whole.size()) continue;
      checkCut(whole, fields, 1, cut);
      // Past 64 KB a file is read in several refills; a cut may fall anywhere among them.
      const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
      expectFileLoadMatchesMemory(bytes, "file " + std::to_string(cut));
    }
  }
}

}  // namespace
