// Reads back the frame just drawn, for pictures written to files (dnl-render, the viewer's
// F12 screenshot): 8-bit RGB rows without padding, the bottom row first, as OpenGL gives them.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads width x height pixels from the lower left corner of the buffer being drawn into.
// False, with nothing read, when the size is not positive or 3 * width * height bytes do
// not fit in `capacity`.
bool readFrameRgb(int32_t width, int32_t height, uint8_t* out, size_t capacity);
