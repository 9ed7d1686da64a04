// Draws one frame: the overlay in eye space, the camera transform, the level, the item
// labels in world space.
#pragma once

#include <cstdint>

void renderFrame();

// Draws exactly `count` bytes of `text` with the glyph lists at a 3D raster position.
void drawText3D(float x, float y, float z, const char* text, int32_t count);
