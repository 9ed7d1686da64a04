// The frame's text on a real (software) OpenGL: the status line and help screen on the near
// plane, item labels in the world, and the frame counter.
#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "render/frame.h"
#include "render/overlay_text.h"
#include "render/render_setup.h"
#include "tests/gl/gl_fixture.h"

namespace {

using testlevel::Builder;
using testlevel::fillPageSolid;
using testlevel::Rgba;
using testlevel::setFullPageCoordinates;

class OverlayGlTest : public GlDrawTest {
 protected:
  void SetUp() override {
    GlDrawTest::SetUp();
    std::strcpy(levelPath, "levels/sample.dnl");
    setFullPageCoordinates(0);
  }

  static void draw() {
    renderFrame();
    glFinish();
  }

  // A dark wall across the whole view at eye distance `distance`.
  static void addWall(Builder& level, float distance) {
    fillPageSolid(0, Rgba{64, 64, 64, 255});
    levelGeometry.numTexturePages = 1;
    level.quad(0, 0, -3 * distance, -3 * distance, 3 * distance, 3 * distance, -distance);
  }

  static std::vector<uint8_t> frame() {
    std::vector<uint8_t> pixels(kTestViewWidth * kTestViewHeight * 3);
    readFrame(pixels.data());
    return pixels;
  }
};

TEST_F(OverlayGlTest, StatusLineStandsAtTheBottomAndTheHelpScreenAtTheTop) {
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();  // status line only, the start settings
  EXPECT_GT(whitePixels(0, 640, 0, 24), 100);
  EXPECT_EQ(whitePixels(0, 640, 24, 480), 0);
  EXPECT_GT(whitePixels(0, 12, 0, 24), 0) << "the line starts at the left edge";

  viewSettings.showStatus = 0;
  viewSettings.showHelp = 1;
  draw();
  EXPECT_EQ(whitePixels(0, 640, 0, 348), 0);
  EXPECT_GT(whitePixels(0, 640, 462, 480), 50) << "top line, y 160";
  EXPECT_GT(whitePixels(0, 640, 350, 362), 50) << "bottom line, y 80";
  EXPECT_GT(whitePixels(0, 640, 348, 480), 2000);

  viewSettings.showHelp = 0;
  draw();
  EXPECT_EQ(whitePixels(0, 640, 0, 480), 0);
}

TEST_F(OverlayGlTest, OverlayOnTheNearPlaneLandsWhereTheSameRayWellInsideWould) {
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  const std::vector<uint8_t> onNearPlane = frame();

  // The same text at twice the distance along the same eye ray, through the real
  // projection, where no rounding can clip it.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  char text[kTextBufferSize];
  const int32_t count = formatStatusLine(text, sizeof text);
  drawText3D(-440.0f, -320.0f, -800.0f, text, count);
  glFinish();
  const std::vector<uint8_t> inside = frame();
  EXPECT_GT(whitePixels(0, 640, 0, 24), 100);
  EXPECT_TRUE(onNearPlane == inside) << "the overlay moved";
}

TEST_F(OverlayGlTest, OverlayStaysInFrontOfLevelGeometryJustBeyondTheNearPlane) {
  Builder level;
  addWall(level, 401.0f);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_GT(whitePixels(0, 640, 0, 24), 100);
  EXPECT_TRUE(near(readPixel(320, 240), 64, 64, 64));
}

TEST_F(OverlayGlTest, FirstFrameOverlayIsNotCutByTheTexelUnderItsTextureCoordinate) {
  // Setup leaves texturing on with the last page bound; its texels are all transparent.
  fillPageSolid(0, Rgba{248, 0, 0, 0});
  levelGeometry.numTexturePages = 1;
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_GT(whitePixels(0, 640, 0, 24), 100);
}

class ItemLabelGlTest : public OverlayGlTest {
 protected:
  void SetUp() override {
    OverlayGlTest::SetUp();
    viewSettings.showStatus = 0;
    camera.bank = 180.0f;  // the level's upright view: world y grows downward
    levelGeometry.items[0] = {421, 0, 0, -2000};
    levelGeometry.itemCount = 1;
  }

  // The label "1a5" starts at the centre column; 256 units above the item at distance
  // 2000 is 74 pixels above the centre row.
  static int32_t labelPixels() { return whitePixels(316, 352, 306, 332); }
  static int32_t pixelsBelowCentre() { return whitePixels(316, 352, 148, 174); }
};

TEST_F(ItemLabelGlTest, LabelStandsAboveItsItem) {
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_GT(labelPixels(), 20);
  EXPECT_EQ(pixelsBelowCentre(), 0);
  EXPECT_EQ(whitePixels(0, 640, 0, 480), labelPixels()) << "nothing else is drawn";
}

TEST_F(ItemLabelGlTest, LabelIsHiddenBehindANearerWallButNotByAFartherOne) {
  Builder level;
  addWall(level, 1000.0f);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_EQ(labelPixels(), 0);

  testlevel::resetWorld();
  SetUp();
  Builder farLevel;
  addWall(farLevel, 3000.0f);
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_GT(labelPixels(), 20);
}

TEST_F(ItemLabelGlTest, NoLabelsForANegativeItemCountAndAtMostTheTableForAHugeOne) {
  levelGeometry.itemCount = -1;
  setupRendering(kTestViewWidth, kTestViewHeight);
  draw();
  EXPECT_EQ(labelPixels(), 0);
  levelGeometry.itemCount = 1 << 30;  // only the 248 records are read
  draw();
  EXPECT_GT(labelPixels(), 20);
}

TEST_F(OverlayGlTest, FrameCountRisesByOnePerFrameAndTheMatricesBalance) {
  viewSettings.showHelp = 1;
  setupRendering(kTestViewWidth, kTestViewHeight);
  frameStats.frameCount = 7;
  for (int32_t i = 1; i <= 3; ++i) {
    renderFrame();
    EXPECT_EQ(frameStats.frameCount, 7 + i);
  }
  GLint modelView = 0;
  GLint projection = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelView);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
  EXPECT_EQ(modelView, 1);
  EXPECT_EQ(projection, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
