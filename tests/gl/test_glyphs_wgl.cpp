// Glyph lists for the GL suites on Windows: the Windows backend's own call on the device
// context of the current WGL context.
#include <windows.h>

#include "platform/platform.h"
#include "tests/gl/test_glyphs.h"

bool buildTestGlyphLists(uint32_t first, uint32_t count, uint32_t base) {
  const auto dc = reinterpret_cast<platform::DeviceContextHandle>(wglGetCurrentDC());
  return dc != nullptr && platform::buildGlyphLists(dc, first, count, base);
}
