// The render library's parts that need no GL context: the scene plan's batches, faces
// pointing outside the tables and corners; the status line's widths and signs, the overlay's
// bounded reads and writes, and the glyph font's pitch and row order.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sdl/glyph_raster.h"
#include "render/overlay_text.h"
#include "render/scene_plan.h"
#include "tests/gl/level_builder.h"

namespace {

// Empties the store, then adds faces on the given pages, object texture 0, vertices 0 to 3,
// and sets the page count.
void makeFaces(std::vector<uint32_t> quadPages, std::vector<uint32_t> trianglePages,
               int32_t pageCount) {
  LevelGeometry& g = levelGeometry;
  std::memset(&g, 0, sizeof g);
  for (uint32_t page : quadPages) g.quads[g.quadCount++] = {{0, 1, 2, 3}, 0, page};
  for (uint32_t page : trianglePages) g.triangles[g.triangleCount++] = {{0, 1, 2}, 0, page};
  g.numTexturePages = pageCount;
}

// A batch as (section, page, first entry, entries).
using Batch = std::tuple<SceneSection, int32_t, int32_t, int32_t>;
constexpr SceneSection kQuads = SceneSection::Quads, kTriangles = SceneSection::Triangles;

// Plans the store's scene and lists its batches.
std::vector<Batch> plannedBatches() {
  planScene(levelGeometry, scenePlan);
  std::vector<Batch> batches;
  for (int32_t i = 0; i < scenePlan.batchCount; ++i) {
    const SceneBatch& b = scenePlan.batches[i];
    batches.push_back({b.section, b.page, b.firstFace, b.faceCount});
  }
  return batches;
}

TEST(ScenePlan, OneBatchPerRunOfAPageWithinEachSection) {
  makeFaces({0, 0, 1, 1, 0}, {0, 1}, 2);
  const std::vector<Batch> runs = {{kQuads, 0, 0, 2},
                                   {kQuads, 1, 2, 2},
                                   {kQuads, 0, 4, 1},
                                   {kTriangles, 0, 5, 1},
                                   {kTriangles, 1, 6, 1}};
  EXPECT_EQ(plannedBatches(), runs) << "three runs of quads, two of triangles";
  EXPECT_EQ(scenePlan.faces[4], 4u) << "the last quad's entry";
  EXPECT_EQ(scenePlan.faces[5], 0u) << "the first triangle's entry";
}

TEST(ScenePlan, FacesPastTheVertexTableAreSkippedWithoutSplittingTheirBatch) {
  makeFaces({0, 0, 0}, {}, 1);
  levelGeometry.quads[0].vertexIndices[3] = kMaxVertices - 1;  // the last record: planned
  levelGeometry.quads[1].vertexIndices[3] = kMaxVertices;      // one past it: skipped
  EXPECT_EQ(plannedBatches(), (std::vector<Batch>{{kQuads, 0, 0, 2}})) << "one batch of two faces";
  EXPECT_EQ(scenePlan.skippedFaces, 1) << "skipped faces";
  EXPECT_EQ(scenePlan.faces[1], 2u) << "the face after the skipped one";
}

TEST(ScenePlan, FacesWithoutALoadedPageOrCoordinatesDrawUntextured) {
  makeFaces({1, 1, 2, 20}, {}, 3);
  levelGeometry.quads[0].objectTexture = kMaxObjectTextures - 1;  // the last record
  levelGeometry.quads[1].objectTexture = kMaxObjectTextures;      // one past it
  // Object texture 2499 on page 1, 2500 untextured, page 2 of 3, page 20 of 3 untextured.
  const std::vector<Batch> pages = {{kQuads, 1, 0, 1},
                                    {kQuads, kUntexturedPage, 1, 1},
                                    {kQuads, 2, 2, 1},
                                    {kQuads, kUntexturedPage, 3, 1}};
  EXPECT_EQ(plannedBatches(), pages) << "one batch per face, on its page or untextured";
  levelGeometry.numTexturePages = 1000;
  EXPECT_EQ(std::get<1>(plannedBatches()[3]), kUntexturedPage) << "page 20: only 16 load";
}

TEST(ScenePlan, CornersOfFacesPastTheTablesStayInTheTables) {
  makeFaces({0}, {}, 0);
  levelGeometry.quads[kMaxQuads - 1] = {{1, 2, 3, 0xFFFFFFFFu}, 0, 0};
  const SceneBatch quads = {SceneSection::Quads, 0, 0, 1};
  EXPECT_EQ(sceneCorner(levelGeometry, quads, 0xFFFFFFFFu, 2).vertexIndex, 3u)
      << "a face past the table reads the last record";
  EXPECT_EQ(sceneCorner(levelGeometry, quads, kMaxQuads - 1, 3).vertexIndex, kMaxVertices - 1u)
      << "a vertex index past the table is clamped";
}

// Each corner takes the coordinates of its own face's object texture.
TEST(ScenePlan, CornersTakeTheCoordinatesOfTheirFacesObjectTexture) {
  makeFaces({0}, {0}, 1);
  levelGeometry.quads[0].objectTexture = 2;
  levelGeometry.triangles[0].objectTexture = 3;
  levelGeometry.objectTextureUVs[2].uv[4] = 0.25f;  // corner 2's u
  levelGeometry.objectTextureUVs[3].uv[5] = 0.75f;  // corner 2's v
  EXPECT_EQ(sceneCorner(levelGeometry, {kQuads, 0, 0, 1}, 0, 2).u, 0.25f) << "the quad's u";
  EXPECT_EQ(sceneCorner(levelGeometry, {kTriangles, 0, 1, 1}, 0, 2).v, 0.75f) << "the triangle's v";
}

TEST(ScenePlan, HostileCountsAreBoundedByTheTables) {
  makeFaces({}, {}, 2);
  levelGeometry.quadCount = levelGeometry.triangleCount = std::numeric_limits<int32_t>::max();
  // Alternate pages so that every face opens a batch: the worst case for the tables.
  for (int32_t i = 0; i < kMaxQuads; ++i) levelGeometry.quads[i].texturePage = i % 2;
  for (int32_t i = 0; i < kMaxTriangles; ++i) levelGeometry.triangles[i].texturePage = i % 2;
  planScene(levelGeometry, scenePlan);
  EXPECT_EQ(scenePlan.batchCount, kMaxSceneBatches) << "batches";
  EXPECT_EQ(scenePlan.faceCount, kMaxQuads + kMaxTriangles) << "face entries";
}

char buffer[kTextBufferSize];

// The text a formatter wrote, checking that the count it returned is what stands.
std::string written(int32_t count) {
  EXPECT_EQ(count, static_cast<int32_t>(std::strlen(buffer))) << "the count returned";
  return buffer;
}
std::string status() {
  return written(formatStatusLine(buffer, sizeof buffer));
}
std::string help(int32_t line) {
  return written(formatHelpLine(line, buffer, sizeof buffer));
}

// Position, heading, pitch and bank: the camera's first six floats.
void setPose(const float (&pose)[6]) {
  testlevel::resetWorld();
  std::memcpy(&camera, pose, sizeof pose);
}

TEST(OverlayText, StatusLineShowsThePoseWithFixedWidthsAndSigns) {
  setPose({0.0f, -0.0f, 0.0f, 0.0f, -0.0f, 0.0f});  // a negative zero shows as zero
  EXPECT_EQ(status(), "F1=Help  POS=(X,Y,Z)=(00000,00000,00000) DIR=(H,P,B)=(000,000,000)")
      << "the pose at the origin, before the first timer tick";
  setPose({-512.4f, 12.6f, 123456.0f, 7.6f, -45.0f, 179.99998f});
  std::strcpy(frameStats.fpsText, "FPS=042");
  EXPECT_EQ(status(), "F1=Help FPS=042 POS=(X,Y,Z)=(-0512,00013,123456) DIR=(H,P,B)=(008,-45,180)")
      << "rounded, signed and widened values";
}

TEST(OverlayText, LinesReadAndWriteOnlyWithinTheirBuffers) {
  setPose({-FLT_MAX, -FLT_MAX, -FLT_MAX, FLT_MAX, FLT_MAX, FLT_MAX});
  std::memset(frameStats.fpsText, 'F', sizeof frameStats.fpsText);  // no terminator
  std::memset(levelPath, 'p', sizeof levelPath);
  EXPECT_EQ(status().substr(0, 141), "F1=Help " + std::string(127, 'F') + " POS=(")
      << "an unterminated frame-rate text is read up to its size";
  EXPECT_EQ(help(0), "LEVEL    : " + std::string(127, 'p')) << "an unterminated level path";
  EXPECT_EQ(written(formatItemLabel(0x12345678, buffer, 4)), "123") << "a 4-byte label buffer";
  EXPECT_EQ(formatStatusLine(buffer, 0), 0) << "a buffer of size 0";
}

// At the 480-line screen's 13-pixel cell and at twice that, as a taller window asks for.
TEST(GlyphRaster, GlyphsKeepThePitchOfTheirCellWithRowsStoredBottomUp) {
  for (const int32_t cell : {kGlyphCellHeight, 2 * kGlyphCellHeight}) {
    ASSERT_TRUE(rasterizeGlyphFont(cell)) << "cell " << cell;
    EXPECT_EQ(glyphFont.advance, kGlyphAdvance * cell / kGlyphCellHeight) << "pitch, cell " << cell;
    const GlyphBitmap& t = glyphFont.glyphs['T'];
    EXPECT_TRUE(glyphPixel(t, 0, t.rows - 1)) << "the bar of a T is its last row, cell " << cell;
    EXPECT_FALSE(glyphPixel(t, 0, 0)) << "the first row of a T is its stem alone, cell " << cell;
  }
}

}  // namespace
