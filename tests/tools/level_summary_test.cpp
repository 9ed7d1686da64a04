// The tools: the writer's cuts and claims, the sample level written and read back in both
// layouts, the inspector's JSON keys and outside-face counts, and dnl-info's exit status.
#include "tools/level_summary.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

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

TEST(SampleLevel, RoundTripsTheSameInBothLayoutsWithEveryFaceInsideTheTables) {
  loadFresh(buildSampleLevel(LevelLayout::Older));
  olderStore = levelGeometry;
  EXPECT_GT(levelGeometry.quadCount, 100);
  EXPECT_EQ(countFacesOutsideTables(lastLoadReport()).any, 0);
  EXPECT_EQ(std::vector<float>({levelGeometry.startX, levelGeometry.startY, levelGeometry.startZ,
                                levelGeometry.startHeading}),
            std::vector<float>({4096, -1024, 1024, 180}));  // in the hall, looking along +z
  loadFresh(buildSampleLevel(LevelLayout::Newer));
  EXPECT_EQ(std::memcmp(&olderStore, &levelGeometry, sizeof olderStore), 0);
  DnlLevel claim = buildSampleLevel(LevelLayout::Newer);
  const std::vector<uint8_t> whole = writeDnlBytes(claim);
  EXPECT_EQ(writeDnlBytes(claim, 1803), std::vector<uint8_t>(whole.begin(), whole.begin() + 1803));
  claim.sectionCounts[4] = 0x7FFFFFFF;  // 64 GiB claimed, only the cut is produced
  EXPECT_EQ(writeDnlBytes(claim, 5000).size(), 5000u);
}

DnlLevel smallLevel() {
  DnlLevel level;
  level.layout = LevelLayout::Newer;
  level.pages.resize(1);
  DnlRoom room;
  room.vertices = {{1, 2, 3, 4096}, {4, 5, 6, 1}, {7, 8, 9, 0}, {0, 0, 0, 0}, {9, 9, 9, 9}};
  room.quads = {{{0, 1, 2, 3}, 1}};
  room.triangles = {{{2, 1, 0}, 0}, {{0, 1, 60000}, 5}};  // an index past the vertices
  level.rooms = {room};
  level.objectTextures.resize(2);
  level.objectTextures[0].uvWords[0] = 0x0300;
  level.objectTextures[1].tileWord = 7;  // a page that is not loaded
  level.items = {{0, 10, 20, 30, 0}, {77, -1, -2, -3, 0}};
  return level;
}

TEST(LevelSummary, JsonHoldsTheInspectorsKeysAndFacesOutsideAreCounted) {
  loadFresh(smallLevel());
  const nlohmann::json j = nlohmann::json::parse(levelStoreJson(lastLoadReport()).dump());
  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"itemCount", "items", "layout", "numTexturePages",
                                            "objectTextureUVs", "quadCount", "quads", "start",
                                            "triangleCount", "triangles", "vertices"}));
  EXPECT_EQ(j["layout"], "newer");
  EXPECT_EQ(j["quads"][0]["texturePage"], 7);
  EXPECT_EQ(j["triangles"][1]["v"], nlohmann::json({0, 1, 60000}));
  EXPECT_EQ(j["vertices"].size(), 4u);          // up to the highest index within the table
  EXPECT_EQ(j["objectTextureUVs"].size(), 3u);  // textures 0, 1 and 5
  EXPECT_EQ(j["objectTextureUVs"]["0"][0].get<float>(), 3.5f / 256);
  const OutsideFaceCounts outside = countFacesOutsideTables(lastLoadReport());
  EXPECT_EQ(
      std::vector<int>({outside.vertex, outside.objectTexture, outside.texturePage, outside.any}),
      std::vector<int>({1, 1, 1, 2}));
}

// Runs dnl-info and returns its exit status and what it wrote to stderr.
std::pair<int, std::string> runInfo(const std::string& arguments) {
  const std::string errors = testing::TempDir() + "dnl_info_err.txt";
  const int status =
      std::system((DNL_INFO_PATH " " + arguments + " >/dev/null 2>" + errors).c_str());
  std::stringstream text;
  text << std::ifstream(errors).rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

TEST(DnlInfo, ExitsZeroOnALoadAndOneWithTheFailedCheck) {
  const std::string good = testing::TempDir() + "info_good.dnl",
                    bad = testing::TempDir() + "info_bad.dnl";
  DnlLevel tooMany = smallLevel();
  tooMany.itemCountField = 249;
  ASSERT_TRUE(writeDnlFile(good.c_str(), smallLevel()) && writeDnlFile(bad.c_str(), tooMany));
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
