// Glyph lists for the GL suites on Linux: the SDL backend's FreeType rasteriser.
#include "platform/sdl/glyph_lists.h"
#include "tests/gl/test_glyphs.h"

bool buildTestGlyphLists(uint32_t first, uint32_t count, uint32_t base) {
  return buildFontGlyphLists(first, count, base);
}
