// The tools: the sample level written and read back and the inspector's outside-face counts
// (dnl-info's exit status and reason are checked by tools_cli_test.sh). Both layouts loading
// one store is shown by the handmade file in tests/level.
#include "tools/level_summary.h"

#include <gtest/gtest.h>

#include <cstring>

#include "level/level_geometry.h"
#include "tools/dnl_writer.h"
#include "tools/sample_level.h"

namespace {

void loadFresh(const DnlLevel& level) {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  const std::vector<uint8_t> bytes = writeDnlBytes(level);
  EXPECT_EQ(bytes.size(), dnlLength(level)) << "the length the writer predicts";
  ASSERT_EQ(loadLevelBytes(bytes.data(), bytes.size()), LoadFailure::None);
}

TEST(SampleLevel, LoadsWithEveryFaceInTheTablesAndFacesOutsideAreCounted) {
  loadFresh(buildSampleLevel(LevelLayout::Newer));
  EXPECT_EQ(countFacesOutsideTables(lastLoadReport()).any, 0) << "the sample's faces";
  levelGeometry.triangles[0].vertexIndices[2] = 60000;  // past the table
  levelGeometry.quads[0].objectTexture = 3000;
  const OutsideFaceCounts outside = countFacesOutsideTables(lastLoadReport());
  EXPECT_EQ(outside.vertex, 1) << "faces with a vertex past the table";
  EXPECT_EQ(outside.objectTexture, 1) << "faces with an object texture past the table";
}

}  // namespace
