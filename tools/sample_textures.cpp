// Stone, brick, wood, grate and floor-tile patterns from a small hash noise; every page
// tiles seamlessly because the noise wraps at the page edge.
#include "tools/sample_textures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSide = 256;

uint32_t hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth value noise in [0, 1] with a lattice of `cell` texels, wrapping at the page edge.
float valueNoise(int x, int y, int cell, uint32_t seed) {
  const int cells = kSide / cell;
  const int cx = x / cell, cy = y / cell;
  const float fx = static_cast<float>(x % cell) / cell, fy = static_cast<float>(y % cell) / cell;
  auto at = [&](int ix, int iy) {
    return (hash(static_cast<uint32_t>(ix % cells), static_cast<uint32_t>(iy % cells), seed) &
            0xFFFF) /
           65535.0f;
  };
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const float top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * sx;
  const float bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * sx;
  return top + (bottom - top) * sy;
}

float fractalNoise(int x, int y, uint32_t seed) {
  return 0.5f * valueNoise(x, y, 64, seed) + 0.3f * valueNoise(x, y, 16, seed + 1) +
         0.2f * valueNoise(x, y, 4, seed + 2);
}

// Colour channels in [0, 1] to an opaque (or transparent) 5-5-5 texel.
uint16_t texel(float r, float g, float b, bool opaque = true) {
  auto channel = [](float c) {
    return static_cast<uint16_t>(std::clamp(static_cast<int>(c * 31.0f + 0.5f), 0, 31));
  };
  return static_cast<uint16_t>((opaque ? 0x8000 : 0) | channel(r) << 10 | channel(g) << 5 |
                               channel(b));
}

template <typename Shade>
std::vector<uint16_t> paint(Shade shade) {
  std::vector<uint16_t> page(kSide * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) page[y * kSide + x] = shade(x, y);
  }
  return page;
}

}  // namespace

std::vector<uint16_t> stoneTexture() {
  return paint([](int x, int y) {
    const float n = fractalNoise(x, y, 11);
    const float crack = valueNoise(x, y, 32, 19) > 0.48f && valueNoise(x, y, 32, 19) < 0.5f;
    const float v = 0.35f + 0.45f * n - 0.2f * crack;
    return texel(v, v * 0.97f, v * 0.9f);
  });
}

std::vector<uint16_t> brickTexture() {
  return paint([](int x, int y) {
    const int row = y / 32;
    const int shifted = (x + (row % 2) * 32) % kSide;
    const bool mortar = y % 32 < 3 || shifted % 64 < 3;
    const float n = fractalNoise(x, y, 23);
    if (mortar) return texel(0.55f + 0.1f * n, 0.53f + 0.1f * n, 0.5f + 0.1f * n);
    const float tint =
        (hash(static_cast<uint32_t>(shifted / 64), static_cast<uint32_t>(row), 5) & 255) / 255.0f;
    return texel(0.5f + 0.2f * tint + 0.2f * n, 0.2f + 0.1f * n, 0.12f + 0.08f * n);
  });
}

std::vector<uint16_t> woodTexture() {
  return paint([](int x, int y) {
    const int plank = x / 32;
    const bool seam = x % 32 < 2 || (y + plank * 97) % 256 < 2;
    const float grain = 0.5f + 0.5f * std::sin((x % 32) * 0.6f + valueNoise(x, y, 16, 31) * 6.0f);
    const float n = fractalNoise(x, y, 37 + static_cast<uint32_t>(plank));
    const float v = seam ? 0.2f : 0.45f + 0.2f * grain * n + 0.15f * n;
    return texel(v, v * 0.68f, v * 0.4f);
  });
}

std::vector<uint16_t> grateTexture() {
  return paint([](int x, int y) {
    const bool bar = x % 32 < 6 || y % 32 < 6 || x < 8 || x > 247 || y < 8 || y > 247;
    if (!bar) return texel(0, 0, 0, false);
    const float n = fractalNoise(x, y, 41);
    return texel(0.35f + 0.25f * n, 0.38f + 0.25f * n, 0.42f + 0.25f * n);
  });
}

std::vector<uint16_t> floorTileTexture() {
  return paint([](int x, int y) {
    const bool dark = ((x / 64) + (y / 64)) % 2 == 1;
    const bool grout = x % 64 < 2 || y % 64 < 2;
    const float n = fractalNoise(x, y, 53);
    if (grout) return texel(0.25f, 0.25f, 0.25f);
    return dark ? texel(0.2f + 0.1f * n, 0.28f + 0.1f * n, 0.32f + 0.1f * n)
                : texel(0.75f + 0.15f * n, 0.72f + 0.15f * n, 0.62f + 0.15f * n);
  });
}
