// One display list per character code: the glyph as a glBitmap that then advances the
// raster position by the font's fixed pitch. The unpack state is set for the glyph table's
// layout while the lists compile (bitmaps are unpacked at compile time) and restored after.
#include "platform/sdl/glyph_lists.h"

#include <GL/gl.h>

#include <algorithm>

#include "platform/sdl/glyph_raster.h"

bool buildFontGlyphLists(uint32_t firstCode, uint32_t count, uint32_t listBase,
                         int32_t cellHeight) {
  if (!rasterizeGlyphFont(cellHeight)) return false;
  // Code 255 has no list; a range reaching past it, or list names past 2^32, is cut.
  if (firstCode >= kGlyphCodeCount) return true;
  uint32_t listCount = std::min<uint32_t>(count, kGlyphCodeCount - firstCode);
  listCount = std::min<uint32_t>(listCount, UINT32_MAX - listBase);

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, kGlyphMaxWidth);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (uint32_t i = 0; i < listCount; ++i) {
    const GlyphBitmap& glyph = glyphFont.glyphs[firstCode + i];
    glNewList(listBase + i, GL_COMPILE);
    // Empty glyphs pass their (unread) table too: Mesa takes a null image in a list for a
    // failed allocation and raises GL_OUT_OF_MEMORY.
    // The origin is the pen position on the baseline, measured from the bitmap's lower left.
    glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
             static_cast<GLfloat>(glyph.rows - glyph.top), static_cast<GLfloat>(glyphFont.advance),
             0.0f, glyph.bits);
    glEndList();
  }
  glPopClientAttrib();
  return true;
}
