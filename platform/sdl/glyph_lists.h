// SDL backend: bitmap glyph lists of a fixed-pitch font: list listBase + i draws the glyph of
// character code firstCode + i with glBitmap and advances the raster position by 8 pixels.
#pragma once

#include <cstdint>

// Builds the lists for codes firstCode..firstCode+count-1 (code 255 and beyond get none) in
// the current context from the system's monospace font; false when no font could be loaded.
bool buildFontGlyphLists(uint32_t firstCode, uint32_t count, uint32_t listBase);
