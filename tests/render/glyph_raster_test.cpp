// The rasterised monospace font: found, on the 8-pixel pitch, rows flipped bottom-up for
// glBitmap, control codes empty.
#include "render/glyph_raster.h"

#include <gtest/gtest.h>

namespace {

int32_t inkInRow(const GlyphBitmap& glyph, int32_t row) {
  int32_t count = 0;
  for (int32_t column = 0; column < glyph.width; ++column) count += glyphPixel(glyph, column, row);
  return count;
}

TEST(GlyphRaster, FindsTheMonospaceFontAtASizeFittingThePitch) {
  ASSERT_TRUE(rasterizeGlyphFont());
  EXPECT_TRUE(rasterizeGlyphFont());  // later calls reuse the table
  EXPECT_LE(glyphFont.pixelSize, 13);
  EXPECT_GE(glyphFont.lineHeight, 12);
  EXPECT_LE(glyphFont.lineHeight, 17);
}

TEST(GlyphRaster, PrintableGlyphsHaveInkWithinTheirCellAndControlsHaveNone) {
  ASSERT_TRUE(rasterizeGlyphFont());
  for (int32_t code = 0x21; code < 0x7f; ++code) {
    const GlyphBitmap& glyph = glyphFont.glyphs[code];
    EXPECT_GT(glyph.width, 0) << "code " << code;
    // One column of overhang is allowed; more would run into the next character.
    EXPECT_GE(glyph.left, -1) << "code " << code;
    EXPECT_LE(glyph.left + glyph.width, kGlyphAdvance + 1) << "code " << code;
  }
  for (int32_t code : {0, 9, 10, 0x20, 0x7f, 0x9f}) {
    EXPECT_EQ(glyphFont.glyphs[code].width, 0) << "code " << code;
  }
  EXPECT_GT(glyphFont.glyphs[0xe9].width, 0);  // Latin-1 e acute
}

TEST(GlyphRaster, RowsRunBottomUpAsGlBitmapsDo) {
  ASSERT_TRUE(rasterizeGlyphFont());
  // The bar of a T is its top row; an underscore's ink lies at or below the baseline.
  const GlyphBitmap& t = glyphFont.glyphs['T'];
  ASSERT_GT(t.rows, 4);
  EXPECT_GT(inkInRow(t, t.rows - 1), inkInRow(t, 0));
  EXPECT_EQ(inkInRow(t, 0), inkInRow(t, 1));  // the stem
  const GlyphBitmap& underscore = glyphFont.glyphs['_'];
  EXPECT_LE(underscore.top, 0);
  const GlyphBitmap& quote = glyphFont.glyphs['\''];
  EXPECT_GT(quote.top - quote.rows, 3);  // high above the baseline
}

}  // namespace
