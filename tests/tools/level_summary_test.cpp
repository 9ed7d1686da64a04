// The tools: the sample level written and read back in both layouts, the inspector's JSON
// keys and outside-face counts, and dnl-info's exit status and reason.
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

LevelGeometry olderStore;

void loadFresh(const DnlLevel& level) {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  const std::vector<uint8_t> bytes = writeDnlBytes(level);
  EXPECT_EQ(bytes.size(), dnlLength(level));
  ASSERT_EQ(loadLevelBytes(bytes.data(), bytes.size()), LoadFailure::None);
}

TEST(SampleLevel, RoundTripsTheSameInBothLayoutsAndSummarisesWithTheInspectorsKeys) {
  loadFresh(buildSampleLevel(LevelLayout::Older));
  olderStore = levelGeometry;
  EXPECT_EQ(countFacesOutsideTables(lastLoadReport()).any, 0);
  loadFresh(buildSampleLevel(LevelLayout::Newer));
  EXPECT_EQ(std::memcmp(&olderStore, &levelGeometry, sizeof olderStore), 0);
  const nlohmann::json j = nlohmann::json::parse(levelStoreJson(lastLoadReport()).dump());
  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"itemCount", "items", "layout", "numTexturePages",
                                            "objectTextureUVs", "quadCount", "quads", "start",
                                            "triangleCount", "triangles", "vertices"}));
  EXPECT_EQ(j["layout"], "newer");
  levelGeometry.triangles[0].vertexIndices[2] = 60000;  // past the table
  levelGeometry.quads[0].objectTexture = 3000;
  const OutsideFaceCounts outside = countFacesOutsideTables(lastLoadReport());
  EXPECT_EQ(std::vector<int>({outside.vertex, outside.objectTexture, outside.any}),
            std::vector<int>({1, 1, 2}));
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
  EXPECT_EQ(runInfo(good).first + runInfo("--json " + good).first, 0);
  const auto [status, reason] = runInfo(bad);
  EXPECT_EQ(status, 1);
  EXPECT_NE(reason.find("more than 248 items"), std::string::npos) << reason;
  EXPECT_NE(runInfo(testing::TempDir() + "missing.dnl").second.find("cannot be opened"),
            std::string::npos);
  EXPECT_EQ(runInfo("").first, 1);
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

}  // namespace
