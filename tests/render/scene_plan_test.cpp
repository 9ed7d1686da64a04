// Planning of the scene list without a GL context: batches per page and section, the
// corners' vertices and texture coordinates, and faces that point outside the tables.
#include "render/scene_plan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

class ScenePlanTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(&levelGeometry, 0, sizeof levelGeometry); }

  static void addQuad(uint32_t page, uint32_t objectTexture = 0, uint32_t firstVertex = 0) {
    QuadFace& quad = levelGeometry.quads[levelGeometry.quadCount++];
    quad = {{firstVertex, firstVertex + 1, firstVertex + 2, firstVertex + 3}, objectTexture, page};
  }

  static void addTriangle(uint32_t page, uint32_t objectTexture = 0, uint32_t firstVertex = 0) {
    TriFace& triangle = levelGeometry.triangles[levelGeometry.triangleCount++];
    triangle = {{firstVertex, firstVertex + 1, firstVertex + 2}, objectTexture, page};
  }

  static const ScenePlan& plan() {
    planScene(levelGeometry, scenePlan);
    return scenePlan;
  }

  // Section, page and face count of each batch, as one comparable list.
  struct Shape {
    SceneSection section;
    int32_t page;
    int32_t faces;
    bool operator==(const Shape&) const = default;
  };
  static std::vector<Shape> shapes(const ScenePlan& p) {
    std::vector<Shape> result;
    for (int32_t b = 0; b < p.batchCount; ++b) {
      result.push_back({p.batches[b].section, p.batches[b].page, p.batches[b].faceCount});
    }
    return result;
  }
};

constexpr SceneSection Q = SceneSection::Quads;
constexpr SceneSection T = SceneSection::Triangles;

TEST_F(ScenePlanTest, GroupedFacesGiveOneBatchPerPageAndSectionInPageOrder) {
  levelGeometry.numTexturePages = 3;
  for (uint32_t page : {0u, 0u, 1u, 1u, 1u, 2u}) addQuad(page);
  for (uint32_t page : {1u, 1u, 2u}) addTriangle(page);
  const ScenePlan& p = plan();
  const std::vector<Shape> expected = {{Q, 0, 2}, {Q, 1, 3}, {Q, 2, 1}, {T, 1, 2}, {T, 2, 1}};
  EXPECT_EQ(shapes(p), expected);
  // Faces keep table order, each batch naming the entries it covers.
  ASSERT_EQ(p.faceCount, 9);
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(p.faces[i], static_cast<uint32_t>(i));
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(p.faces[6 + i], static_cast<uint32_t>(i));
  EXPECT_EQ(p.batches[1].firstFace, 2);
  EXPECT_EQ(p.batches[3].firstFace, 6);
}

TEST_F(ScenePlanTest, BatchesFollowRunsAndNeverSpanTheSections) {
  levelGeometry.numTexturePages = 2;
  addQuad(0);
  addQuad(1);
  addQuad(0);
  addTriangle(0);  // same page as the last quad, still a batch of its own
  const std::vector<Shape> expected = {{Q, 0, 1}, {Q, 1, 1}, {Q, 0, 1}, {T, 0, 1}};
  EXPECT_EQ(shapes(plan()), expected);
}

TEST_F(ScenePlanTest, EmptySectionsGiveNoBatches) {
  levelGeometry.numTexturePages = 1;
  EXPECT_EQ(plan().batchCount, 0);
  addTriangle(0);
  EXPECT_EQ(shapes(plan()), (std::vector<Shape>{{T, 0, 1}}));
  levelGeometry.triangleCount = -5;  // a negative count means none
  addQuad(0);
  EXPECT_EQ(shapes(plan()), (std::vector<Shape>{{Q, 0, 1}}));
}

TEST_F(ScenePlanTest, CornersSendTheirVertexAndTheirOwnCoordinatePair) {
  levelGeometry.numTexturePages = 1;
  for (int32_t i = 0; i < 8; ++i) levelGeometry.objectTextureUVs[7].uv[i] = 0.1f * (i + 1);
  addQuad(0, 7, 40);
  addTriangle(0, 7, 90);
  const ScenePlan& p = plan();
  for (int32_t k = 0; k < 4; ++k) {
    const SceneCorner c = sceneCorner(levelGeometry, p.batches[0], p.faces[0], k);
    EXPECT_EQ(c.vertexIndex, 40u + k);
    EXPECT_FLOAT_EQ(c.u, 0.1f * (2 * k + 1));
    EXPECT_FLOAT_EQ(c.v, 0.1f * (2 * k + 2));
  }
  for (int32_t k = 0; k < 3; ++k) {
    const SceneCorner c = sceneCorner(levelGeometry, p.batches[1], p.faces[1], k);
    EXPECT_EQ(c.vertexIndex, 90u + k);
    EXPECT_FLOAT_EQ(c.u, 0.1f * (2 * k + 1));
  }
}

TEST_F(ScenePlanTest, FacesWithoutALoadedPageOrCoordinatesDrawUntextured) {
  levelGeometry.numTexturePages = 2;
  levelGeometry.objectTextureUVs[kMaxObjectTextures - 1].uv[0] = 0.5f;
  addQuad(1);
  addQuad(1, kMaxObjectTextures - 1);  // the last record is still in the table
  addQuad(1, kMaxObjectTextures);      // one past it is not
  addQuad(2);                          // pages past the count come last after grouping
  addQuad(65535);
  const ScenePlan& p = plan();
  EXPECT_EQ(shapes(p), (std::vector<Shape>{{Q, 1, 2}, {Q, kUntexturedPage, 3}}));
  const SceneCorner c = sceneCorner(levelGeometry, p.batches[1], p.faces[2], 0);
  EXPECT_EQ(c.u, 0.0f);
  EXPECT_EQ(c.v, 0.0f);
  EXPECT_FLOAT_EQ(sceneCorner(levelGeometry, p.batches[0], p.faces[1], 0).u, 0.5f);

  levelGeometry.numTexturePages = -1;  // no pages at all
  EXPECT_EQ(shapes(plan()), (std::vector<Shape>{{Q, kUntexturedPage, 5}}));
}

TEST_F(ScenePlanTest, FacesWithAVertexPastTheTableAreSkippedWithoutSplittingTheirBatch) {
  levelGeometry.numTexturePages = 1;
  addQuad(0, 0, kMaxVertices - 4);  // corners up to the last record
  addQuad(0, 0, kMaxVertices - 3);  // last corner one past it
  addQuad(0);
  addTriangle(0);
  levelGeometry.triangles[0].vertexIndices[1] = std::numeric_limits<uint32_t>::max();
  const ScenePlan& p = plan();
  EXPECT_EQ(shapes(p), (std::vector<Shape>{{Q, 0, 2}}));
  EXPECT_EQ(p.skippedFaces, 2);
  EXPECT_EQ(p.faces[0], 0u);
  EXPECT_EQ(p.faces[1], 2u);
}

TEST_F(ScenePlanTest, HostileCountsAreBoundedByTheTables) {
  levelGeometry.quadCount = std::numeric_limits<int32_t>::max();
  levelGeometry.triangleCount = std::numeric_limits<int32_t>::max();
  levelGeometry.numTexturePages = 1000;
  // Alternate pages so that every face opens a batch: the worst case for the tables.
  for (int32_t i = 0; i < kMaxQuads; ++i) levelGeometry.quads[i].texturePage = i % 2 ? 20 : 3;
  for (int32_t i = 0; i < kMaxTriangles; ++i) levelGeometry.triangles[i].texturePage = i % 2;
  const ScenePlan& p = plan();
  EXPECT_EQ(p.faceCount, kMaxQuads + kMaxTriangles);
  EXPECT_EQ(p.batchCount, kMaxSceneBatches);
  // Only the 16 pages that can have texture names are textured.
  EXPECT_EQ(p.batches[0].page, 3);
  EXPECT_EQ(p.batches[1].page, kUntexturedPage);
}

TEST_F(ScenePlanTest, CornerLookupStaysInTheTablesForAnyArguments) {
  levelGeometry.numTexturePages = 1;
  levelGeometry.quads[kMaxQuads - 1] = {{1, 2, 3, 4}, 0, 0};
  const SceneBatch batch = {Q, 0, 0, 1};
  EXPECT_EQ(sceneCorner(levelGeometry, batch, 0xFFFFFFFFu, 3).vertexIndex, 4u);
  EXPECT_EQ(sceneCorner(levelGeometry, batch, kMaxQuads - 1, 9).vertexIndex, 4u);
  EXPECT_EQ(sceneCorner(levelGeometry, batch, kMaxQuads - 1, -2).vertexIndex, 1u);
}

}  // namespace
