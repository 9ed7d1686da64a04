// The overlay's bitmap font: one display list per character code 0 to 254, list
// kFontListBase + code. The shell builds and deletes them with each rendering context
// through the platform doorway; the frame calls them to draw text.
#pragma once

#include <cstdint>

#include "platform/screen.h"  // kGlyphCodeCount: the lists that exist

inline constexpr uint32_t kFontListBase = 1000;

// The glyphs' pixel height on the 480-line screen.
inline constexpr int32_t kGlyphHeightAt480 = 13;

// The glyph height for a client area `clientHeight` pixels tall: 13 at 480 lines and in
// proportion to the height above and below, within 8 to 64 pixels.
inline int32_t overlayGlyphHeight(int32_t clientHeight) {
  const int64_t height = (static_cast<int64_t>(clientHeight) * kGlyphHeightAt480 + 240) / 480;
  return height < 8 ? 8 : (height > 64 ? 64 : static_cast<int32_t>(height));
}
