// The level drawn on a real (software) OpenGL: texture orientation, the alpha test, the
// vertex shade, fog, culling, batches binding their own pages, faces outside the tables.
#include <GL/gl.h>

#include "render/frame.h"
#include "render/render_setup.h"
#include "render/scene_list.h"
#include "render/scene_plan.h"
#include "tests/gl/gl_fixture.h"

namespace {

using testlevel::Builder;
using testlevel::fillPage;
using testlevel::fillPageSolid;
using testlevel::Rgba;
using testlevel::setFullPageCoordinates;

constexpr Rgba kRed = {248, 0, 0, 255};
constexpr Rgba kGreen = {0, 248, 0, 255};
constexpr Rgba kBlue = {0, 0, 248, 255};
constexpr Rgba kWhite = {248, 248, 248, 255};

class SceneGlTest : public GlDrawTest {
 protected:
  void SetUp() override {
    GlDrawTest::SetUp();
    viewSettings.showStatus = 0;  // the level alone
    setFullPageCoordinates(0);
  }

  static void draw() {
    renderFrame();
    glFinish();
  }
};

TEST_F(SceneGlTest, TexturePageFillsTheViewTheRightWayRoundWithItsTexelsUnchanged) {
  // Quadrants: red at the first texel (row 0, column 0), green along row 0, blue along
  // column 0, white opposite.
  fillPage(0, [](int32_t s, int32_t t) {
    if (t < 128) return s < 128 ? kRed : kGreen;
    return s < 128 ? kBlue : kWhite;
  });
  levelGeometry.numTexturePages = 1;
  Builder level;
  level.quad(0, 0, -700, -500, 700, 500, -1000);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_TRUE(near(readPixel(160, 120), 248, 0, 0));
  EXPECT_TRUE(near(readPixel(480, 120), 0, 248, 0));
  EXPECT_TRUE(near(readPixel(160, 360), 0, 0, 248));
  EXPECT_TRUE(near(readPixel(480, 360), 248, 248, 248));
}

TEST_F(SceneGlTest, TransparentTexelsAreCutOutAndLeaveNoDepthBehind) {
  // The front quad's left half is transparent (white with alpha 0); a blue quad stands
  // behind it and is drawn after it.
  fillPage(0, [](int32_t s, int32_t) { return s < 128 ? Rgba{248, 248, 248, 0} : kWhite; });
  fillPageSolid(1, kBlue);
  levelGeometry.numTexturePages = 2;
  Builder level;
  level.quad(0, 0, -700, -500, 700, 500, -1000);
  level.quad(1, 0, -2000, -2000, 2000, 2000, -2000);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_TRUE(near(readPixel(160, 240), 0, 0, 248));
  EXPECT_TRUE(near(readPixel(480, 240), 248, 248, 248));
}

TEST_F(SceneGlTest, VertexShadeDarkensTheLevelOnlyWithLightingOn) {
  fillPageSolid(0, kWhite);
  levelGeometry.numTexturePages = 1;
  Builder level;
  level.quad(0, 0, -700, -500, 700, 500, -1000, 0.25f);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_TRUE(near(readPixel(320, 240), 248, 248, 248));

  viewSettings.lightingOn = 1;
  freshContext();
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_TRUE(near(readPixel(320, 240), 62, 62, 62));
}

TEST_F(SceneGlTest, FogAtTheDefaultFarPlaneDarkensAFarQuadButNotANearOne) {
  fillPageSolid(0, kWhite);
  levelGeometry.numTexturePages = 1;
  Builder level;
  level.quad(0, 0, -400, -200, -40, 200, -1000);       // near, left of centre
  level.quad(0, 0, 1000, -5000, 13000, 5000, -24000);  // far, right of centre
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  const Rgb farClear = readPixel(480, 240);
  EXPECT_TRUE(near(farClear, 248, 248, 248));

  viewSettings.fogOn = 1;  // as the fog key does: flip the flag, switch the capability
  glEnable(GL_FOG);
  draw();
  EXPECT_TRUE(near(readPixel(200, 240), 248, 248, 248));
  const Rgb farFogged = readPixel(480, 240);
  EXPECT_LT(farFogged.r, 100);
  EXPECT_GT(farFogged.r, 10) << "fog ends at the far plane, not before";
}

TEST_F(SceneGlTest, CullingRemovesCounterClockwiseFacesAndKeepsClockwiseOnes) {
  fillPageSolid(0, kWhite);
  levelGeometry.numTexturePages = 1;
  Builder level;
  level.quad(0, 0, -400, -200, -40, 200, -1000);                          // front face
  level.quad(0, 0, 40, -200, 400, 200, -1000, 1.0f, /*clockwise=*/true);  // back face
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_TRUE(near(readPixel(200, 240), 248, 248, 248));
  EXPECT_TRUE(near(readPixel(440, 240), 248, 248, 248));

  viewSettings.cullOn = 1;
  glEnable(GL_CULL_FACE);
  draw();
  EXPECT_TRUE(near(readPixel(200, 240), 0, 0, 0));
  EXPECT_TRUE(near(readPixel(440, 240), 248, 248, 248));
}

TEST_F(SceneGlTest, EachBatchBindsItsOwnPageAndFacesWithoutAPageDrawInTheCurrentColour) {
  fillPageSolid(0, kRed);
  fillPageSolid(1, kGreen);
  fillPageSolid(2, kBlue);
  levelGeometry.numTexturePages = 3;
  Builder level;
  // Grouped as the loader leaves them: pages 0, 1, 1, 2, then one past the count. At
  // distance 1000 a world unit covers 0.5794 pixels.
  level.quad(0, 0, -520, 100, -340, 300, -1000);
  level.quad(1, 0, -300, 100, -120, 300, -1000);
  level.quad(1, 0, -80, 100, 100, 300, -1000);
  level.quad(2, 0, 140, 100, 320, 300, -1000);
  level.quad(7, 0, -520, -300, -340, -100, -1000);
  level.triangle(2, 0, -300, -300, -120, -100, -1000);
  level.triangle(1, 0, -80, -300, 100, -100, -1000);
  setupRendering(kTestViewWidth, kTestViewHeight);
  EXPECT_EQ(scenePlan.batchCount, 6);  // quads: 0, 1, 2, untextured; triangles: 2, 1
  draw();
  const int32_t top = 356;  // y 200
  EXPECT_TRUE(near(readPixel(71, top), 248, 0, 0));
  EXPECT_TRUE(near(readPixel(198, top), 0, 248, 0));
  EXPECT_TRUE(near(readPixel(326, top), 0, 248, 0));
  EXPECT_TRUE(near(readPixel(453, top), 0, 0, 248));
  const int32_t bottom = 78;  // y -280, inside the triangles' lower left corners
  EXPECT_TRUE(near(readPixel(71, bottom), 255, 255, 255));
  EXPECT_TRUE(near(readPixel(158, bottom), 0, 0, 248));
  EXPECT_TRUE(near(readPixel(285, bottom), 0, 248, 0));
}

TEST_F(SceneGlTest, FacesPointingPastTheVertexTableAreLeftOutOfTheList) {
  fillPageSolid(0, kWhite);
  levelGeometry.numTexturePages = 1;
  Builder level;
  level.quad(0, 0, -400, -200, -40, 200, -1000);
  level.quad(0, 0, 40, -200, 400, 200, -1000);
  levelGeometry.quads[1].vertexIndices[2] = kMaxVertices;
  setupRendering(kTestViewWidth, kTestViewHeight);
  EXPECT_EQ(scenePlan.skippedFaces, 1);
  draw();
  EXPECT_TRUE(near(readPixel(200, 240), 248, 248, 248));
  EXPECT_TRUE(near(readPixel(440, 240), 0, 0, 0));
}

TEST_F(SceneGlTest, SetupFollowsTheFarPlaneAndMakesNoTexturesWithoutPages) {
  viewSettings.farPlane = 12500.0f;
  levelGeometry.numTexturePages = -3;
  Builder level;
  level.quad(0, 0, -700, -500, 700, 500, -1000);
  textureNames[0] = 0;
  setupRendering(kTestViewWidth, kTestViewHeight);
  GLfloat fogStart = 0.0f;
  GLfloat fogEnd = 0.0f;
  glGetFloatv(GL_FOG_START, &fogStart);
  glGetFloatv(GL_FOG_END, &fogEnd);
  EXPECT_EQ(fogStart, 10000.0f);
  EXPECT_EQ(fogEnd, 12500.0f);
  EXPECT_EQ(textureNames[0], 0u);
  for (GLuint name = 1; name < 64; ++name) EXPECT_FALSE(glIsTexture(name)) << name;
  EXPECT_TRUE(glIsList(kSceneList));
  draw();  // untextured in the current colour, white
  EXPECT_TRUE(near(readPixel(320, 240), 255, 255, 255));
}

TEST_F(SceneGlTest, ReleaseAndSetupInOneContextKeepTheObjectCountAndThePicture) {
  fillPageSolid(0, kRed);
  fillPageSolid(1, kGreen);
  levelGeometry.numTexturePages = 2;
  Builder level;
  level.quad(1, 0, -700, -500, 700, 500, -1000);
  viewSettings.lightingOn = 1;
  setupRendering(kTestViewWidth, kTestViewHeight);
  viewSettings.lightingOn = 0;
  for (int32_t pass = 0; pass < 4; ++pass) {
    releaseRendering();
    EXPECT_FALSE(glIsList(kSceneList));
    EXPECT_FALSE(glIsList(kFontListBase));
    int32_t live = 0;
    for (GLuint name = 1; name < 256; ++name) live += glIsTexture(name);
    EXPECT_EQ(live, 0);
    ASSERT_TRUE(buildFontGlyphLists(0, 255, kFontListBase));
    setupRendering(kTestViewWidth, kTestViewHeight);
    live = 0;
    for (GLuint name = 1; name < 256; ++name) live += glIsTexture(name);
    EXPECT_EQ(live, 2) << "pass " << pass;
  }
  GLboolean colourArray = GL_TRUE;
  glGetBooleanv(GL_COLOR_ARRAY, &colourArray);
  EXPECT_FALSE(colourArray);
  draw();
  EXPECT_TRUE(near(readPixel(320, 240), 0, 248, 0));
}

}  // namespace
