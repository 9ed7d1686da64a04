// The overlay's bitmap font: one display list per character code 0 to 254, list
// kFontListBase + code. The shell builds and deletes them with each rendering context
// through the platform doorway; the frame calls them to draw text.
#pragma once

#include <cstdint>

#include "platform/screen.h"  // kGlyphCodeCount: the lists that exist

inline constexpr uint32_t kFontListBase = 1000;
