// The tools: the sample level written and read back, the inspector's outside-face counts,
// and dnl-info's exit status and reason. Both layouts loading one store is shown by the
// handmade file in tests/level.
#include "tools/level_summary.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <cstring>
#include <fstream>
#include <sstream>

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

// Runs dnl-info and returns its exit status and what it wrote to stderr.
std::pair<int, std::string> runInfo(const std::string& arguments) {
  const std::string errors = testing::TempDir() + "dnl_info_err.txt";
#if defined(_WIN32)
  const char* nowhere = " >NUL 2>";
#else
  const char* nowhere = " >/dev/null 2>";
#endif
  const int status = std::system((DNL_INFO_PATH " " + arguments + nowhere + errors).c_str());
  std::stringstream text;
  text << std::ifstream(errors).rdbuf();
#if defined(_WIN32)
  return {status, text.str()};  // the command interpreter returns the exit status itself
#else
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
#endif
}

TEST(DnlInfo, ExitsZeroOnALoadAndOneWithTheFailedCheck) {
  const std::string good = testing::TempDir() + "info_good.dnl",
                    bad = testing::TempDir() + "info_bad.dnl";
  DnlLevel tooMany = buildSampleLevel(LevelLayout::Older);
  ASSERT_TRUE(writeDnlFile(good.c_str(), tooMany));
  tooMany.itemCountField = 249;
  ASSERT_TRUE(writeDnlFile(bad.c_str(), tooMany));
  EXPECT_EQ(runInfo(good).first, 0) << "status of a summary";
  const auto [status, reason] = runInfo(bad);
  EXPECT_EQ(status, 1) << "status of a refused file";
  EXPECT_NE(reason.find("more than 248 items"), std::string::npos) << "the reason: " << reason;
  EXPECT_EQ(runInfo("").first, 1) << "status without a file";
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

}  // namespace
