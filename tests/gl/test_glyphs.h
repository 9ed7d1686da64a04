// Glyph lists for the GL suites in the current context, from the platform's own source: the
// Linux backend's FreeType rasteriser, or the Windows backend's wglUseFontBitmapsA (with its
// repair) on the context's device context.
#pragma once

#include <cstdint>

// Lists for codes first..first+count-1 at base + code; false when the font gave none.
bool buildTestGlyphLists(uint32_t first, uint32_t count, uint32_t base);
