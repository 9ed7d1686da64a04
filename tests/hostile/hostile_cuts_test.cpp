// Level files cut short at every byte, so at every section boundary and inside every
// record: past the cut every read is -1, so a count is taken only when all its bytes are
// there and every count cut through reads negative. Only a cut inside the version word
// fails; every other cut loads what the counts before it say.
#include <gtest/gtest.h>

#include <string>

#include "tests/hostile/hostile_support.h"
#include "tests/hostile/level_fields.h"

namespace {

uint64_t offsetOf(const FieldOffsets& offsets, CountField field) {
  return offsets.at[static_cast<int32_t>(field)];
}

// The version word as the readers take it from a file cut at `cut`: each byte past the end
// is -1, a 16-bit read keeps its second byte unmasked, a 32-bit read its high half.
uint32_t versionWordOfCut(const std::vector<uint8_t>& whole, uint64_t cut) {
  const auto byte = [&](uint64_t i) { return i < cut ? int32_t{whole[i]} : -1; };
  const auto word = [&](uint64_t i) { return byte(i + 1) * 256 + (byte(i) & 0xFF); };
  return static_cast<uint32_t>(word(2)) << 16 | (static_cast<uint32_t>(word(0)) & 0xFFFFu);
}

bool knownVersion(uint32_t word) {
  return word == 45u || word == 0xFF080038u || word == 0xFF180038u || word == 0xFF180034u;
}

// Checks one cut of a base level against what the counts wholly before the cut say.
void checkCut(const std::vector<uint8_t>& whole, const FieldOffsets& offsets, int32_t pages,
              uint64_t cut) {
  const std::string what = "cut at " + std::to_string(cut);
  const auto whole4 = [&](CountField field, uint64_t width) {
    return cut >= offsetOf(offsets, field) + width;
  };
  const LoadFailure failure = loadFresh(whole.data(), cut);
  if (!knownVersion(versionWordOfCut(whole, cut))) {
    EXPECT_EQ(failure, LoadFailure::UnknownVersion) << what;
    return;
  }
  ASSERT_EQ(failure, LoadFailure::None) << what;
  const bool pageCount = whole4(CountField::PageCount, 4);
  EXPECT_EQ(levelGeometry.numTexturePages >= 0, pageCount) << what;
  if (pageCount) {
    EXPECT_EQ(levelGeometry.numTexturePages, pages) << what;
  }
  EXPECT_EQ(lastLoadReport().vertexCount, whole4(CountField::Vertices, 2) ? 4 : 0) << what;
  EXPECT_EQ(levelGeometry.quadCount, whole4(CountField::Quads, 2) ? 1 : 0) << what;
  EXPECT_EQ(levelGeometry.triangleCount, whole4(CountField::Triangles, 2) ? 1 : 0) << what;
  const bool textures = whole4(CountField::ObjectTextures, 4);
  EXPECT_EQ(lastLoadReport().objectTextureCount >= 0, textures) << what;
  if (textures) {
    EXPECT_EQ(lastLoadReport().objectTextureCount, 2) << what;
  }
  const bool items = whole4(CountField::Items, 4);
  EXPECT_EQ(levelGeometry.itemCount >= 0, items) << what;
  if (items) {
    EXPECT_EQ(levelGeometry.itemCount, 2) << what;
  }
  expectPlanInsideTables(what.c_str());
}

TEST(CutFiles, EveryByteOfALevelWithoutPages) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const DnlLevel base = baseLevel(layout);
    const std::vector<uint8_t> whole = writeDnlBytes(base);
    const FieldOffsets offsets = fieldOffsets(base);
    for (uint64_t cut = 0; cut <= whole.size(); ++cut) checkCut(whole, offsets, 0, cut);
  }
}

// With a page the file is too long to cut everywhere: cut at every field, one and two bytes
// into it, and through the page blocks.
TEST(CutFiles, EveryFieldBoundaryOfALevelWithAPage) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const DnlLevel base = baseLevel(layout, 1);
    const std::vector<uint8_t> whole = writeDnlBytes(base);
    const FieldOffsets offsets = fieldOffsets(base);
    std::vector<uint64_t> cuts = {0,
                                  3,
                                  4,
                                  1800,
                                  1800 + 65535,
                                  1800 + 65536,
                                  1800 + 65537,
                                  1800 + 131072,
                                  1800 + 196607,
                                  1800 + 196608,
                                  whole.size()};
    for (const uint64_t at : offsets.at) cuts.insert(cuts.end(), {at, at + 1, at + 2, at + 3});
    for (const uint64_t cut : cuts) {
      checkCut(whole, offsets, 1, cut);
      // Past 64 KB a file is read in several refills; a cut may fall anywhere among them.
      const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
      expectFileLoadMatchesMemory(bytes, ("file cut at " + std::to_string(cut)).c_str());
    }
  }
}

}  // namespace
