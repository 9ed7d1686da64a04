// Procedural texture pages for the sample level: 256 x 256 texels of 16 bits each
// (bit 15 opaque, then five bits each of red, green and blue), row after row.
#pragma once

#include <cstdint>
#include <vector>

std::vector<uint16_t> stoneTexture();
std::vector<uint16_t> brickTexture();
std::vector<uint16_t> woodTexture();
// Metal bars over transparent holes, for the alpha test to cut out.
std::vector<uint16_t> grateTexture();
std::vector<uint16_t> floorTileTexture();
