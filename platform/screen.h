// The fixed screen the viewer works on, and the character codes its bitmap font covers.
// Constants only, so the backend, the shell, the camera and the overlay can all share them.
#pragma once

#include <cstdint>

inline constexpr int32_t kScreenWidth = 640;
inline constexpr int32_t kScreenHeight = 480;
inline constexpr int32_t kScreenBitsPerPixel = 16;
// The pointer's home: mouse look measures each move from here.
inline constexpr int32_t kScreenCentreX = kScreenWidth / 2;
inline constexpr int32_t kScreenCentreY = kScreenHeight / 2;

// Character codes 0 to 254 have a glyph (and a display list); 255 has none.
inline constexpr uint32_t kGlyphCodeCount = 255;
