// Planning of the scene list without a GL context: batches per run of a page within each
// section, the corners' vertices and coordinates, faces pointing outside the tables.
#include "render/scene_plan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <span>
#include <tuple>
#include <vector>

namespace {

constexpr SceneSection Q = SceneSection::Quads, T = SceneSection::Triangles;
constexpr uint32_t kHuge = std::numeric_limits<uint32_t>::max();
constexpr int32_t kNone = kUntexturedPage;
using Batch = std::tuple<SceneSection, int32_t, int32_t, int32_t>;  // section, page, first, count
using Batches = std::vector<Batch>;

class ScenePlanTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(&levelGeometry, 0, sizeof levelGeometry); }

  // Faces on the given pages with object texture 0, all on vertices 0 to 3.
  static void addFaces(std::vector<uint32_t> quadPages, std::vector<uint32_t> trianglePages) {
    for (uint32_t page : quadPages)
      levelGeometry.quads[levelGeometry.quadCount++] = {{0, 1, 2, 3}, 0, page};
    for (uint32_t page : trianglePages)
      levelGeometry.triangles[levelGeometry.triangleCount++] = {{0, 1, 2}, 0, page};
  }
  static Batches plan() {
    planScene(levelGeometry, scenePlan);
    Batches batches;
    for (const SceneBatch& b : std::span(scenePlan.batches, scenePlan.batchCount)) {
      batches.emplace_back(b.section, b.page, b.firstFace, b.faceCount);
    }
    return batches;
  }
};

TEST_F(ScenePlanTest, OneBatchPerRunOfAPageWithinEachSectionSkippingFacesPastTheVertices) {
  EXPECT_TRUE(plan().empty());
  levelGeometry.numTexturePages = 3;
  addFaces({0, 0, 0, 1, 1, 2, 0}, {0, 1, 1, 2});
  levelGeometry.quads[0].vertexIndices[3] = kMaxVertices - 1;  // the last record
  levelGeometry.quads[1].vertexIndices[3] = kMaxVertices;      // one past it
  levelGeometry.triangles[1].vertexIndices[0] = kHuge;
  EXPECT_EQ(plan(), (Batches{{Q, 0, 0, 2},
                             {Q, 1, 2, 2},
                             {Q, 2, 4, 1},
                             {Q, 0, 5, 1},
                             {T, 0, 6, 1},
                             {T, 1, 7, 1},
                             {T, 2, 8, 1}}));
  EXPECT_EQ(std::vector<uint32_t>(scenePlan.faces, scenePlan.faces + scenePlan.faceCount),
            (std::vector<uint32_t>{0, 2, 3, 4, 5, 6, 0, 2, 3}));
  EXPECT_EQ(scenePlan.skippedFaces, 2);
  levelGeometry.quadCount = -5;  // a negative count means none
  EXPECT_EQ(plan(), (Batches{{T, 0, 0, 1}, {T, 1, 1, 1}, {T, 2, 2, 1}}));
}

TEST_F(ScenePlanTest, FacesWithoutANamedPageOrCoordinatesDrawUntexturedAtZeroZero) {
  addFaces({1, 1, 1, 2, 20}, {});
  levelGeometry.quads[1].objectTexture = kMaxObjectTextures - 1;  // the last record
  levelGeometry.quads[2].objectTexture = kMaxObjectTextures;      // one past it
  levelGeometry.objectTextureUVs[kMaxObjectTextures - 1].uv[0] = 0.5f;
  levelGeometry.objectTextureUVs[0].uv[0] = 0.25f;
  levelGeometry.numTexturePages = 2;
  EXPECT_EQ(plan(), (Batches{{Q, 1, 0, 2}, {Q, kNone, 2, 3}}));
  EXPECT_EQ(sceneCorner(levelGeometry, scenePlan.batches[0], 1, 0).u, 0.5f);
  EXPECT_EQ(sceneCorner(levelGeometry, scenePlan.batches[1], 3, 0).u, 0.0f);
  levelGeometry.numTexturePages = 1000;  // only the pages that can have names
  EXPECT_EQ(plan(), (Batches{{Q, 1, 0, 2}, {Q, kNone, 2, 1}, {Q, 2, 3, 1}, {Q, kNone, 4, 1}}));
  levelGeometry.numTexturePages = -1;
  EXPECT_EQ(plan(), (Batches{{Q, kNone, 0, 5}}));
}

TEST_F(ScenePlanTest, CornersSendTheirOwnVertexAndCoordinatePairWithinTheTables) {
  for (int32_t i = 0; i < 8; ++i) levelGeometry.objectTextureUVs[7].uv[i] = 0.1f * (i + 1);
  levelGeometry.quads[0] = {{40, 41, 42, 43}, 7, 0};
  levelGeometry.triangles[0] = {{90, 91, 92}, 7, 0};
  const SceneBatch quads = {Q, 0, 0, 1}, triangles = {T, 0, 0, 1};
  for (int32_t k = 0; k < 4; ++k) {
    const SceneCorner quad = sceneCorner(levelGeometry, quads, 0, k);
    const SceneCorner triangle = sceneCorner(levelGeometry, triangles, 0, k % 3);
    EXPECT_EQ(quad.vertexIndex, 40u + k);
    EXPECT_EQ(triangle.vertexIndex, 90u + k % 3);
    EXPECT_TRUE(quad.u == 0.1f * (2 * k + 1) && quad.v == 0.1f * (2 * k + 2)) << k;
    EXPECT_TRUE(triangle.u == 0.1f * (2 * (k % 3) + 1)) << k;
  }
  // Out-of-range faces and corners are clamped: the last face, its last or first corner.
  levelGeometry.quads[kMaxQuads - 1] = {{1, 2, 3, kHuge}, 0, 0};
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kHuge, 2).vertexIndex, 3u);
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kMaxQuads - 1, 9).vertexIndex, kMaxVertices - 1u);
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kMaxQuads - 1, -2).vertexIndex, 1u);
}

TEST_F(ScenePlanTest, HostileCountsAreBoundedByTheTables) {
  levelGeometry.quadCount = levelGeometry.triangleCount = std::numeric_limits<int32_t>::max();
  levelGeometry.numTexturePages = 2;
  // Alternate pages so that every face opens a batch: the worst case for the tables.
  for (int32_t i = 0; i < kMaxQuads; ++i) levelGeometry.quads[i].texturePage = i % 2;
  for (int32_t i = 0; i < kMaxTriangles; ++i) levelGeometry.triangles[i].texturePage = i % 2;
  EXPECT_EQ(plan().size(), static_cast<size_t>(kMaxSceneBatches));
  EXPECT_EQ(scenePlan.faceCount, kMaxQuads + kMaxTriangles);
}

}  // namespace
