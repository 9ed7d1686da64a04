// The render library's parts that need no GL context: the scene plan's batches, faces
// pointing outside the tables and corners; the overlay's texts (widths, signs, state columns,
// bounded reads and writes) and its font (glyphs on the pitch, rows bottom-up).
#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/sdl/glyph_raster.h"
#include "render/overlay_text.h"
#include "render/scene_plan.h"
#include "tests/gl/level_builder.h"

namespace {

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
  levelGeometry.triangles[1].vertexIndices[0] = 0xFFFFFFFFu;
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
  levelGeometry.quads[kMaxQuads - 1] = {{1, 2, 3, 0xFFFFFFFFu}, 0, 0};
  const SceneBatch quads = {SceneSection::Quads, 0, 0, 1};
  EXPECT_EQ(sceneCorner(levelGeometry, quads, 0xFFFFFFFFu, 2).vertexIndex, 3u);
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

char buffer[kTextBufferSize];

// The text a formatter wrote, checking that the count it returned is what stands.
std::string written(int32_t count) {
  EXPECT_EQ(count, static_cast<int32_t>(std::strlen(buffer)));
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
  EXPECT_EQ(status(), "F1=Help  POS=(X,Y,Z)=(00000,00000,00000) DIR=(H,P,B)=(000,000,000)");
  setPose({-512.4f, 12.6f, 123456.0f, 7.6f, -45.0f, 179.99998f});
  std::strcpy(frameStats.fpsText, "FPS=042");
  EXPECT_EQ(status(), "F1=Help FPS=042 POS=(X,Y,Z)=(-0512,00013,123456) DIR=(H,P,B)=(008,-45,180)");
}

TEST(OverlayText, LinesReadAndWriteOnlyWithinTheirBuffers) {
  setPose({-FLT_MAX, -FLT_MAX, -FLT_MAX, FLT_MAX, FLT_MAX, FLT_MAX});
  std::memset(frameStats.fpsText, 'F', sizeof frameStats.fpsText);  // no terminator
  std::memset(levelPath, 'p', sizeof levelPath);
  EXPECT_EQ(status().substr(0, 141), "F1=Help " + std::string(127, 'F') + " POS=(");
  EXPECT_EQ(help(0), "LEVEL    : " + std::string(127, 'p'));
  EXPECT_EQ(written(formatItemLabel(0x12345678, buffer, 4)), "123");
  EXPECT_EQ(formatStatusLine(buffer, 0), 0);
}

TEST(OverlayText, HelpScreenShowsTheStateUnderTheTogglesAndLabelsAreHex) {
  setPose({});
  EXPECT_EQ(help(9) + help(-1), "");
  for (int32_t line = 0; line < kHelpLineCount; ++line) EXPECT_LE(help(line).size(), 80u);
  // Columns under the toggles' "=": status, light, fog, cull, then status again.
  viewSettings.lightingOn = viewSettings.cullOn = 1;
  viewSettings.fogOn = 2;  // only exactly 1 reads as on
  const std::string toggles = help(5), state = help(6);
  const size_t columns[] = {14, 24, 35, 44, 54};
  const char* expected[] = {"ON ", "ON ", "OFF", "ON ", "ON "};
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(toggles[columns[i] - 1], '=') << i;
    EXPECT_EQ(state.substr(columns[i], 3), expected[i]) << i;
  }
  viewSettings.showStatus = 0;
  viewSettings.showHelp = 1;  // the help flag itself is not shown
  EXPECT_EQ(help(6).substr(14, 3) + help(6).substr(54), "OFFOFF");
  EXPECT_EQ(written(formatItemLabel(421, buffer, sizeof buffer)), "1a5");
}

TEST(GlyphRaster, MonospaceGlyphsFitThePitchWithRowsBottomUpAndControlsEmpty) {
  ASSERT_TRUE(rasterizeGlyphFont());
  EXPECT_TRUE(glyphFont.pixelSize <= 13 && glyphFont.lineHeight >= 12 &&
              glyphFont.lineHeight <= 17);
  for (int32_t code = 0x21; code < 0x7f; ++code) {
    const GlyphBitmap& glyph = glyphFont.glyphs[code];
    // One column of overhang is allowed; more would run into the next character.
    EXPECT_TRUE(glyph.width > 0 && glyph.left >= -1 && glyph.left + glyph.width <= 9) << code;
  }
  for (int32_t code : {0, 9, 10, 0x20, 0x7f, 0x9f}) EXPECT_EQ(glyphFont.glyphs[code].width, 0);
  EXPECT_GT(glyphFont.glyphs[0xe9].width, 0);  // Latin-1 e acute
  // The bar of a T is its top row, the stem alone at the bottom; a quote stands high.
  const GlyphBitmap& t = glyphFont.glyphs['T'];
  EXPECT_TRUE(glyphPixel(t, 0, t.rows - 1) && !glyphPixel(t, 0, 0));
  EXPECT_GT(glyphFont.glyphs['\''].top - glyphFont.glyphs['\''].rows, 3);
}

}  // namespace
