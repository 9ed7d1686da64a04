// The renderer on a real (software) OpenGL: page orientation, alpha test, shade, fog,
// culling, setup and release; the status line and help screen. How faces fall into batches
// is checked without GL in render_test.cpp.
#include <gtest/gtest.h>
#include "render/opengl.h"

#include <cstdlib>
#include <tuple>
#include <vector>

#if defined(_WIN32)
#include <windows.h>  // wglGetCurrentDC

#include "platform/platform.h"
#else  // the FreeType glyph lists of the Linux backend
#include "platform/sdl/glyph_lists.h"
#endif
#include "render/font_lists.h"
#include "render/frame.h"
#include "render/render_setup.h"
#include "render/scene_list.h"
#include "tests/gl/gl_context.h"
#include "tests/gl/level_builder.h"

namespace {

using testlevel::Rgba;

// Glyph lists for codes 0 to 254 from the platform's own source, in the current context.
bool buildGlyphLists() {
#if defined(_WIN32)  // the Windows backend's, on the test window's device context
  const auto dc = reinterpret_cast<platform::DeviceContextHandle>(wglGetCurrentDC());
  return platform::buildGlyphLists(dc, 0, 255, kFontListBase);
#else
  return buildFontGlyphLists(0, 255, kFontListBase);
#endif
}

constexpr Rgba kRed = {248, 0, 0, 255}, kGreen = {0, 248, 0, 255}, kBlue = {0, 0, 248, 255};
constexpr Rgba kWhite = {248, 248, 248, 255}, kGrey = {64, 64, 64, 255}, kBlack = {0, 0, 0, 255};
constexpr Rgba kPlainWhite = {255, 255, 255, 255}, kClear = {248, 0, 0, 0};

// A fresh context per test, the store empty, object texture 0 spanning a whole page (corners
// at texels (0, 0), (255, 0), (255, 255), (0, 255)), no status line.
class RenderGlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testlevel::resetWorld();
    const float low = 0.5f / 256.0f, high = 255.5f / 256.0f;
    levelGeometry.objectTextureUVs[0] = {{low, low, high, low, high, high, low, high}};
    viewSettings.showStatus = 0;
    ASSERT_TRUE(makeTestGlContext());
  }
  void TearDown() override { destroyTestGlContext(); }

  // Pages of one colour each, as many as the store counts.
  static void solidPages(std::vector<Rgba> colours) {
    for (size_t page = 0; page < colours.size(); ++page) {
      testlevel::fillPage(page, [&](int32_t, int32_t) { return colours[page]; });
    }
    levelGeometry.numTexturePages = static_cast<int32_t>(colours.size());
  }
  // Draws a frame, with `setup` first releasing the context's objects and setting it up
  // again for the store, as a reload does.
  static void draw(bool setup = false) {
    if (setup) {
      releaseRendering();
      ASSERT_TRUE(buildGlyphLists());
      setupRendering(kTestViewWidth, kTestViewHeight);
    }
    renderFrame();
    glFinish();
  }
  // Pixels within 8 of colour c in every channel, in columns [x0, x1) and rows [y0, y1);
  // by default those of the text colour.
  static int32_t pixels(int32_t x0, int32_t x1, int32_t y0, int32_t y1, Rgba c = kPlainWhite) {
    const std::vector<uint8_t> rgb = readPixels(x0, y0, x1 - x0, y1 - y0);
    int32_t count = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
      count += std::abs(rgb[i] - c.r) <= 8 && std::abs(rgb[i + 1] - c.g) <= 8 &&
               std::abs(rgb[i + 2] - c.b) <= 8;
    }
    return count;
  }
  static void expectPixels(std::vector<std::tuple<int32_t, int32_t, Rgba>> probes) {
    for (auto [x, y, c] : probes) EXPECT_EQ(pixels(x, x + 1, y, y + 1, c), 1) << x << "," << y;
  }
};

TEST_F(RenderGlTest, PageShowsTheRightWayRoundWithAFarQuadThroughItsCutTexelsFoggedNotCulled) {
  // Quadrants: red at texel (0, 0), green along row 0, blue along column 0, transparent
  // opposite, where a far white quad behind, drawn later and clockwise, must show.
  solidPages({kClear, kWhite});
  testlevel::fillPage(0, [](int32_t s, int32_t t) {
    return t < 128 ? (s < 128 ? kRed : kGreen) : (s < 128 ? kBlue : kClear);
  });
  testlevel::addQuad(0, -700, -500, 700, 500, -1000);
  testlevel::addQuad(1, 13000, 1000, 1000, 9000, -24000);
  draw(true);
  expectPixels({{160, 120, kRed}, {480, 120, kGreen}, {160, 360, kBlue}, {480, 360, kWhite}});
  viewSettings.fogOn = viewSettings.cullOn = 1;  // as the keys do, with the capability
  glEnable(GL_FOG);
  draw();  // fog ends at the default far plane, not before: only the far quad is darkened
  expectPixels({{160, 120, kRed}, {480, 360, {50, 50, 50, 255}}});
  glEnable(GL_CULL_FACE);  // front (counter-clockwise) faces go
  draw();
  expectPixels({{160, 120, kBlack}, {480, 360, {50, 50, 50, 255}}});
}

TEST_F(RenderGlTest, SetupAgainAfterReleaseFollowsTheSettingsAndLeavesNoObjects) {
  testlevel::addQuad(1, -700, -500, 700, 500, -1000, 0.25f);
  viewSettings.farPlane = 12500.0f;
  // The shade darkens only with lighting on; a page count <= 0 makes no textures.
  const Rgba expected[] = {kWhite, {62, 62, 62, 255}, kWhite, kPlainWhite};
  for (int32_t pass = 0; pass < 4; ++pass) {
    solidPages({kRed, kWhite});
    viewSettings.lightingOn = pass == 1;
    if (pass == 3) levelGeometry.numTexturePages = -3;
    draw(true);
    EXPECT_EQ(glIsTexture(textureNames[1]), pass == 3 ? GL_FALSE : GL_TRUE)
        << "page 1's texture, pass " << pass;
    expectPixels({{320, 240, expected[pass]}});
  }
  releaseRendering();
  EXPECT_FALSE(glIsList(kSceneList)) << "the scene list after release";
  EXPECT_FALSE(glIsTexture(textureNames[0])) << "page 0 after release";
}

TEST_F(RenderGlTest, StatusLineAtTheBottomAndHelpAtTheTopStandInFrontOfANearWall) {
  // A wall just beyond the near plane, and the last page setup binds all transparent: the
  // first frame's text must neither hide behind the one nor sample the other. The overlay
  // draws at the nearest depth: the level after it needs the whole range back, or the wall,
  // listed after a far face, would lose the depth test against it.
  solidPages({kGreen, kGrey, kClear});
  testlevel::addQuad(0, -9000, -9000, 9000, 9000, -3000);
  testlevel::addQuad(1, -1203, -1203, 1203, 1203, -401);
  viewSettings.showStatus = 1;
  draw(true);
  EXPECT_GT(pixels(0, 640, 0, 24), 100) << "status line pixels";
  EXPECT_GT(pixels(0, 4, 0, 24), 0) << "the line starts at the left edge";
  EXPECT_EQ(pixels(0, 640, 24, 480), 0) << "text above the status line";
  expectPixels({{320, 240, kGrey}});
  for (int32_t i = 0; i < 33; ++i) renderFrame();  // more frames than a matrix stack holds
  viewSettings.showStatus = 0;
  viewSettings.showHelp = 1;
  draw();
  EXPECT_EQ(pixels(0, 640, 0, 348), 0) << "text below the help screen";
  EXPECT_GT(pixels(0, 640, 462, 480), 50) << "top line, y 160";
  EXPECT_GT(pixels(0, 640, 350, 362), 50) << "bottom line, y 80";
  expectPixels({{320, 240, kGrey}});
  viewSettings.showHelp = 0;
  draw();
  EXPECT_EQ(pixels(0, 640, 0, 480), 0) << "text with both off";
  EXPECT_EQ(frameStats.frameCount, 36) << "one count per frame";
  EXPECT_EQ(glGetError(), GLenum{GL_NO_ERROR}) << "the matrix stacks balance";
  resizeRendering(480, 480);  // a square window: the text keeps to the left edge
  viewSettings.showStatus = 1;
  draw();
  EXPECT_GT(pixels(0, 4, 0, 24), 0) << "the line starts at a square picture's left edge";
}

}  // namespace
