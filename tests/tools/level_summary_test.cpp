// The inspector: the JSON object's keys and contents, floats that read back exactly,
// faces pointing outside the tables, and the dnl-info program's exit status and reason.
#include "tools/level_summary.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "level/level_geometry.h"
#include "tools/dnl_writer.h"

namespace {

DnlLevel smallLevel() {
  DnlLevel level;
  level.layout = LevelLayout::Newer;
  level.pages.resize(1);
  DnlRoom room;
  room.vertices = {{1, 2, 3, 4096}, {4, 5, 6, 1}, {7, 8, 9, 0}, {0, 0, 0, 0}, {9, 9, 9, 9}};
  room.quads = {{{0, 1, 2, 3}, 1}};
  room.triangles = {{{2, 1, 0}, 0}, {{0, 1, 60000}, 5}};  // an index past the vertices
  level.rooms = {room};
  DnlObjectTexture texture;
  texture.uvWords[0] = 0x0300;
  level.objectTextures = {texture, texture};
  level.objectTextures[1].tileWord = 7;  // a page that is not loaded
  level.items = {{0, 10, 20, 30, 0}, {77, -1, -2, -3, 0}};
  return level;
}

void loadSmall() {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  const std::vector<uint8_t> bytes = writeDnlBytes(smallLevel());
  ASSERT_EQ(loadLevelBytes(bytes.data(), bytes.size()), LoadFailure::None);
}

TEST(LevelSummary, JsonHoldsExactlyTheInspectorsKeys) {
  loadSmall();
  const nlohmann::json j = nlohmann::json::parse(levelStoreJson(lastLoadReport()).dump());
  std::set<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.insert(key);
  EXPECT_EQ(keys, (std::set<std::string>{"layout", "numTexturePages", "quadCount", "triangleCount",
                                         "itemCount", "start", "quads", "triangles", "vertices",
                                         "objectTextureUVs", "items"}));
  EXPECT_EQ(j["layout"], "newer");
  EXPECT_EQ(j["quadCount"], 1);
  EXPECT_EQ(j["start"]["y"].get<float>(), -1004.0f);
  EXPECT_EQ(j["start"]["heading"].get<float>(), 180.0f);
  EXPECT_EQ(j["quads"][0]["texturePage"], 7);
  EXPECT_EQ(j["quads"][0]["objectTexture"], 1);
  EXPECT_EQ(j["triangles"][0]["v"], nlohmann::json({2, 1, 0}));
  EXPECT_EQ(j["triangles"][1]["v"][2], 60000);
  // Vertices up to the highest index within the table: 60000 lies beyond it, so 3.
  EXPECT_EQ(j["vertices"].size(), 4u);
  EXPECT_EQ(j["vertices"][0][3].get<float>(), 0.5f);  // 4096 / 8192
  EXPECT_EQ(j["objectTextureUVs"].size(), 3u);        // textures 0, 1 and 5
  EXPECT_EQ(j["objectTextureUVs"].count("5"), 1u);
  EXPECT_EQ(j["items"][1]["objectId"], 77);
  EXPECT_EQ(j["items"][1]["z"], -3);
}

TEST(LevelSummary, FloatsReadBackToTheSameSinglePrecisionValue) {
  loadSmall();
  levelGeometry.vertices[1].x = 0.1f;
  levelGeometry.vertices[2].g = 1.0f / 3.0f;
  const nlohmann::json j = nlohmann::json::parse(levelStoreJson(lastLoadReport()).dump());
  EXPECT_EQ(j["vertices"][1][0].get<float>(), 0.1f);
  EXPECT_EQ(j["vertices"][2][4].get<float>(), 1.0f / 3.0f);
  EXPECT_EQ(j["objectTextureUVs"]["0"][0].get<float>(), 3.5f / 256);
}

TEST(LevelSummary, CountsFacesPointingOutsideTheLoadedTables) {
  loadSmall();
  const OutsideFaceCounts outside = countFacesOutsideTables(lastLoadReport());
  EXPECT_EQ(outside.vertex, 1);         // index 60000
  EXPECT_EQ(outside.objectTexture, 1);  // texture 5 of 2
  EXPECT_EQ(outside.texturePage, 1);    // page 7 of 1
  EXPECT_EQ(outside.any, 2);
}

int runInfo(const std::string& arguments) {
  const std::string command = std::string(DNL_INFO_PATH) + " " + arguments + " >/dev/null 2>" +
                              testing::TempDir() + "dnl_info_err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string lastError() {
  FILE* file = fopen((testing::TempDir() + "dnl_info_err.txt").c_str(), "rb");
  char text[256] = {};
  if (file != nullptr) {
    const size_t got = fread(text, 1, sizeof text - 1, file);
    text[got] = 0;
    fclose(file);
  }
  return text;
}

TEST(DnlInfo, ExitsZeroOnALoadAndOneWithTheFailedCheck) {
  const std::string good = testing::TempDir() + "info_good.dnl";
  const std::string bad = testing::TempDir() + "info_bad.dnl";
  ASSERT_TRUE(writeDnlFile(good.c_str(), smallLevel()));
  DnlLevel tooMany = smallLevel();
  tooMany.itemCountField = 249;
  ASSERT_TRUE(writeDnlFile(bad.c_str(), tooMany));
  EXPECT_EQ(runInfo(good), 0);
  EXPECT_EQ(runInfo("--json " + good), 0);
  EXPECT_EQ(runInfo(bad), 1);
  EXPECT_NE(lastError().find("more than 248 items"), std::string::npos) << lastError();
  EXPECT_EQ(runInfo(testing::TempDir() + "missing.dnl"), 1);
  EXPECT_NE(lastError().find("cannot be opened"), std::string::npos);
  EXPECT_EQ(runInfo(""), 1);
  std::remove(good.c_str());
  std::remove(bad.c_str());
}

}  // namespace
