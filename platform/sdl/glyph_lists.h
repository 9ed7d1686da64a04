// SDL backend: bitmap glyph lists of a fixed-pitch font: list listBase + i draws the glyph of
// character code firstCode + i with glBitmap and advances the raster position by the pitch
// (8 pixels for the 480-line screen's 13-pixel cell).
#pragma once

#include <cstdint>

#include "platform/sdl/glyph_raster.h"

// Builds the lists for codes firstCode..firstCode+count-1 (code 255 and beyond get none) in
// the current context from the system's monospace font; false when no font could be loaded.
// cellHeight sets the glyphs' height and pitch (see rasterizeGlyphFont).
bool buildFontGlyphLists(uint32_t firstCode, uint32_t count, uint32_t listBase,
                         int32_t cellHeight = kGlyphCellHeight);
