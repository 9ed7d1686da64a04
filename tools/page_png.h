// Encodes one converted texture page as a PNG image with its alpha channel, through the
// project's PNG encoder (common/png_image.h), for the glTF export: 256 x 256 RGBA, rows in the
// order the page stores them (the first row is the image's top, where texture coordinate v = 0
// samples in glTF as t = 0 does in GL).
#pragma once

#include <cstdint>
#include <vector>

#include "level/level_geometry.h"

// Appends the PNG bytes of `page` to `out`; false (with `out` unchanged) when encoding fails.
bool appendPagePng(const TexturePage& page, std::vector<uint8_t>& out);
