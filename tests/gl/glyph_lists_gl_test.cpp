// The glyph lists on a real (software) OpenGL: one per code below 255, drawn the right way
// up on the 8-pixel pitch, with the caller's pixel store left as it was.
#include <GL/gl.h>

#include "render/glyph_lists.h"
#include "render/glyph_raster.h"
#include "tests/gl/gl_context.h"

#include <gtest/gtest.h>

namespace {

class GlyphListsGlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(makeTestGlContext()); }
  void TearDown() override { destroyTestGlContext(); }
};

TEST_F(GlyphListsGlTest, MakesOneListPerCodeBelow255AndRestoresThePixelStore) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  ASSERT_TRUE(buildFontGlyphLists(0, 256, kFontListBase));
  EXPECT_TRUE(glIsList(kFontListBase));
  EXPECT_TRUE(glIsList(kFontListBase + 254));
  EXPECT_FALSE(glIsList(kFontListBase + 255));
  GLint alignment = 0;
  GLint rowLength = 0;
  GLboolean lsbFirst = GL_FALSE;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  glGetBooleanv(GL_UNPACK_LSB_FIRST, &lsbFirst);
  EXPECT_EQ(alignment, 8);
  EXPECT_EQ(rowLength, 3);
  EXPECT_TRUE(lsbFirst);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlyphListsGlTest, ARangeIsCutAtCode254AndListsCountFromTheBase) {
  ASSERT_TRUE(buildFontGlyphLists(250, 100, 3000));
  EXPECT_TRUE(glIsList(3004));
  EXPECT_FALSE(glIsList(3005));
  EXPECT_TRUE(buildFontGlyphLists(255, 1, 4000));
  EXPECT_FALSE(glIsList(4000));
}

TEST_F(GlyphListsGlTest, GlyphsAreDrawnUprightAndAdvanceEightPixels) {
  ASSERT_TRUE(buildFontGlyphLists(0, 255, kFontListBase));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kTestViewWidth, 0, kTestViewHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1.0f, 1.0f, 1.0f);
  glRasterPos2i(100, 100);
  const char text[] = "TT";
  glListBase(kFontListBase);
  glCallLists(2, GL_UNSIGNED_BYTE, text);
  glFinish();

  const GlyphBitmap& glyph = glyphFont.glyphs['T'];
  ASSERT_GT(glyph.width, 0);
  const int32_t bottom = 100 - (glyph.rows - glyph.top);
  int32_t mismatches = 0;
  for (int32_t copy = 0; copy < 2; ++copy) {
    for (int32_t row = -2; row < glyph.rows + 2; ++row) {
      for (int32_t column = 0; column < kGlyphAdvance; ++column) {
        const int32_t x = 100 + copy * kGlyphAdvance + column;
        const bool expected = glyphPixel(glyph, column - glyph.left, row);
        mismatches += (readPixel(x, bottom + row).r > 128) != expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
