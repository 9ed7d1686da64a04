// The tools: the writer's sizes and cuts, the sample level in both layouts, the inspector's
// JSON keys and outside-face counts, and the dnl-info program's exit status and reason.
#include "tools/level_summary.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "level/level_geometry.h"
#include "tools/dnl_writer.h"
#include "tools/sample_level.h"

namespace {

LevelGeometry olderStore;

void loadFresh(const DnlLevel& level) {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  const std::vector<uint8_t> bytes = writeDnlBytes(level);
  ASSERT_EQ(loadLevelBytes(bytes.data(), bytes.size()), LoadFailure::None);
}

TEST(DnlWriter, WritesTheFormatsSizesAndCutsShort) {
  DnlLevel level;
  level.pages.resize(1);
  DnlRoom room;
  room.vertices = {{1, 2, 3, 4}};
  room.quads = {{{0, 0, 0, 0}, 1}};
  room.gridA = 2, room.gridB = 3, room.count32 = 1;
  level.rooms = {room, room};
  level.sectionCounts[16] = 2;
  level.sectionCounts[21] = 0x10003;  // only the low 16 bits are a count
  level.objectTextures.resize(1);
  level.items.resize(2);
  level.trailing = {9, 9};
  const std::vector<uint8_t> bytes = writeDnlBytes(level);
  const uint64_t sections = 4 * 20 + 8 * 2 + 20 * 2 + 2 + 2 + 3 * 16 + 8192 + 740;
  const uint64_t rooms = 2 * (48 + 12 + 10 + 32 + 8 * 6);
  EXPECT_EQ(bytes.size(), 1800 + 196608 + 6 + rooms + sections + 24 + 4 + 2 * 24 + 2);
  EXPECT_EQ(dnlLength(level), bytes.size());
  EXPECT_EQ(bytes[1796] + bytes[1804 + 196608], 1 + 2);  // the page and room counts
  EXPECT_EQ(writeDnlBytes(level, 1803), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1803));
  level.layout = LevelLayout::Newer;  // rooms one byte longer; object textures only move
  EXPECT_EQ(dnlLength(level), bytes.size() + 2);
  level.rooms[0].gridA = level.rooms[0].gridB = 65535;
  level.rooms[0].writeSkippedRecords = level.writeSectionRecords = false;
  EXPECT_EQ(dnlLength(level), bytes.size() + 2 - 8 * 6 - 32 - 8 * 2 - 20 * 2 - 3 * 16);
  level.writeSectionRecords = true;
  level.sectionCounts[4] = 0x7FFFFFFF;  // 64 GiB claimed, only the cut is produced
  EXPECT_EQ(writeDnlBytes(level, 5000).size(), 5000u);
}

TEST(SampleLevel, LoadsTheSameInBothLayoutsWithEveryFaceInsideTheTables) {
  loadFresh(buildSampleLevel(LevelLayout::Older));
  olderStore = levelGeometry;
  EXPECT_GT(levelGeometry.quadCount, 100);
  EXPECT_EQ(countFacesOutsideTables(lastLoadReport()).any, 0);
  EXPECT_EQ(std::vector<float>({levelGeometry.startX, levelGeometry.startY, levelGeometry.startZ,
                                levelGeometry.startHeading}),
            std::vector<float>({4096, -1024, 1024, 180}));  // in the hall, looking along +z
  loadFresh(buildSampleLevel(LevelLayout::Newer));
  EXPECT_EQ(std::memcmp(&olderStore, &levelGeometry, sizeof olderStore), 0);
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
  EXPECT_EQ(j["start"]["y"].get<float>(), -1004.0f);
  EXPECT_EQ(j["quads"][0]["texturePage"], 7);
  EXPECT_EQ(j["triangles"][1]["v"], nlohmann::json({0, 1, 60000}));
  EXPECT_EQ(j["vertices"].size(), 4u);  // up to the highest index within the table
  EXPECT_EQ(j["vertices"][0][3].get<float>(), 0.5f);
  EXPECT_EQ(j["objectTextureUVs"].size(), 3u);  // textures 0, 1 and 5
  EXPECT_EQ(j["objectTextureUVs"]["0"][0].get<float>(), 3.5f / 256);
  EXPECT_EQ(j["items"][1]["z"], -3);
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
  EXPECT_EQ(runInfo(good).first, 0);
  EXPECT_EQ(runInfo("--json " + good).first, 0);
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
