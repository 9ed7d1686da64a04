// The overlay's texts and font: status line widths and signs, the help screen's state
// columns, item labels, bounded reads and writes; glyphs on the pitch, rows bottom-up.
#include "render/overlay_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

#include "render/glyph_raster.h"
#include "tests/gl/level_builder.h"

namespace {

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
  EXPECT_EQ(formatHelpLine(2, buffer, 10), 9);
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
