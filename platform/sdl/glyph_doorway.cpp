// Linux backend: the doorway's glyph-list calls, shared by the windowed backend and the
// off-screen context. Any current context will do: the device context is not needed.
#include <GL/gl.h>

#include "platform/platform.h"
#include "platform/sdl/glyph_lists.h"

namespace platform {

bool buildGlyphLists(DeviceContextHandle, uint32_t firstCode, uint32_t count, uint32_t listBase) {
  return buildFontGlyphLists(firstCode, count, listBase);
}

bool buildGlyphListsAtHeight(DeviceContextHandle, uint32_t firstCode, uint32_t count,
                             uint32_t listBase, int32_t pixelHeight) {
  return buildFontGlyphLists(firstCode, count, listBase, pixelHeight);
}

void deleteGlyphLists(uint32_t listBase, uint32_t count) {
  glDeleteLists(listBase, static_cast<GLsizei>(count));
}

}  // namespace platform
