// Win32 backend: repair of glyph lists that lost their advance. Wine's wglUseFontBitmapsA
// reports success, but the lists of blank glyphs (the space) come out empty, so the text
// after a space runs on without it. Each list is measured by where it leaves the raster
// position; one that does not move it is rebuilt as an empty bitmap with the font's advance.
#pragma once

#include <cstdint>

namespace win32 {

// How far list `list` moves the raster position to the right, in pixels, in the current
// context (0 for an empty or missing list).
int32_t measureGlyphAdvance(uint32_t list);

// Rebuilds every list listBase + i (i < count) that does not move the raster position while
// advances[i], the font's advance of that code, is positive. Returns how many were rebuilt.
uint32_t repairGlyphAdvances(uint32_t listBase, uint32_t count, const int32_t* advances);

}  // namespace win32
