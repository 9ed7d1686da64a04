// Planning of the scene list without a GL context: batches per run of a page within each
// section, faces pointing outside the tables, the corners' coordinates, hostile counts.
#include "render/scene_plan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kHuge = std::numeric_limits<uint32_t>::max();

// Empties the store, then adds faces on the given pages, object texture 0, vertices 0 to 3.
void makeFaces(std::vector<uint32_t> quadPages, std::vector<uint32_t> trianglePages) {
  LevelGeometry& g = levelGeometry;
  std::memset(&g, 0, sizeof g);
  for (uint32_t page : quadPages) g.quads[g.quadCount++] = {{0, 1, 2, 3}, 0, page};
  for (uint32_t page : trianglePages) g.triangles[g.triangleCount++] = {{0, 1, 2}, 0, page};
}

// The planned batches as "<Q|T><page>@<first entry>x<entries> ..."; the entries' faces last.
std::string plan() {
  planScene(levelGeometry, scenePlan);
  std::string text;
  for (int32_t i = 0; i < scenePlan.batchCount; ++i) {
    const SceneBatch& b = scenePlan.batches[i];
    text += (b.section == SceneSection::Quads ? "Q" : "T") + std::to_string(b.page) + "@" +
            std::to_string(b.firstFace) + "x" + std::to_string(b.faceCount) + " ";
  }
  for (int32_t i = 0; i < scenePlan.faceCount; ++i) text += std::to_string(scenePlan.faces[i]);
  return text;
}

TEST(ScenePlan, OneBatchPerRunOfAPageWithinEachSectionSkippingFacesPastTheVertices) {
  makeFaces({0, 0, 0, 1, 1, 2, 0}, {0, 1, 1, 2});
  levelGeometry.numTexturePages = 3;
  levelGeometry.quads[0].vertexIndices[3] = kMaxVertices - 1;  // the last record
  levelGeometry.quads[1].vertexIndices[3] = kMaxVertices;      // one past it
  levelGeometry.triangles[1].vertexIndices[0] = kHuge;
  EXPECT_EQ(plan(), "Q0@0x2 Q1@2x2 Q2@4x1 Q0@5x1 T0@6x1 T1@7x1 T2@8x1 023456023");
  EXPECT_EQ(scenePlan.skippedFaces, 2);
  levelGeometry.quadCount = -5;  // a negative count means none
  EXPECT_EQ(plan(), "T0@0x1 T1@1x1 T2@2x1 023");
}

TEST(ScenePlan, FacesWithoutANamedPageOrCoordinatesDrawUntextured) {
  makeFaces({1, 1, 1, 2, 20}, {});
  levelGeometry.quads[1].objectTexture = kMaxObjectTextures - 1;  // the last record
  levelGeometry.quads[2].objectTexture = kMaxObjectTextures;      // one past it
  levelGeometry.numTexturePages = 2;
  EXPECT_EQ(plan(), "Q1@0x2 Q-1@2x3 01234");
  levelGeometry.numTexturePages = 1000;  // only the pages that can have names
  EXPECT_EQ(plan(), "Q1@0x2 Q-1@2x1 Q2@3x1 Q-1@4x1 01234");
  levelGeometry.numTexturePages = -1;
  EXPECT_EQ(plan(), "Q-1@0x5 01234");
}

TEST(ScenePlan, CornersTakeTheirOwnCoordinatePairAndStayInTheTables) {
  makeFaces({0}, {0});
  levelGeometry.triangles[0] = {{90, 91, 92}, 7, 0};
  for (int32_t i = 0; i < 8; ++i) levelGeometry.objectTextureUVs[7].uv[i] = static_cast<float>(i);
  const SceneCorner last = sceneCorner(levelGeometry, {SceneSection::Triangles, 0, 0, 1}, 0, 2);
  EXPECT_TRUE(last.vertexIndex == 92u && last.u == 4.0f && last.v == 5.0f);
  // Untextured corners send (0, 0); out-of-range faces and corners are clamped.
  EXPECT_EQ(sceneCorner(levelGeometry, {SceneSection::Triangles, -1, 0, 1}, 0, 2).u, 0.0f);
  levelGeometry.quads[kMaxQuads - 1] = {{1, 2, 3, kHuge}, 0, 0};
  const SceneBatch quads = {SceneSection::Quads, 0, 0, 1};
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kHuge, 2).vertexIndex, 3u);
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kMaxQuads - 1, 9).vertexIndex, kMaxVertices - 1u);
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kMaxQuads - 1, -2).vertexIndex, 1u);
}

TEST(ScenePlan, HostileCountsAreBoundedByTheTables) {
  makeFaces({}, {});
  levelGeometry.quadCount = levelGeometry.triangleCount = std::numeric_limits<int32_t>::max();
  levelGeometry.numTexturePages = 2;
  // Alternate pages so that every face opens a batch: the worst case for the tables.
  for (int32_t i = 0; i < kMaxQuads; ++i) levelGeometry.quads[i].texturePage = i % 2;
  for (int32_t i = 0; i < kMaxTriangles; ++i) levelGeometry.triangles[i].texturePage = i % 2;
  plan();
  EXPECT_EQ(scenePlan.batchCount, kMaxSceneBatches);
  EXPECT_EQ(scenePlan.faceCount, kMaxQuads + kMaxTriangles);
}

}  // namespace
