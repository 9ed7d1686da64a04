// Fills the level store directly for drawing tests and benchmarks: texture pages from a
// colour rule, vertices, and axis-aligned faces facing the default camera (looking along -z).
#pragma once

#include <cstdint>
#include <cstring>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"

namespace testlevel {

struct Rgba {
  uint8_t r, g, b, a;
};

// Empties the store and puts settings, camera and frame state back to their start values,
// with the camera at the origin looking along -z, y up (no bank).
inline void resetWorld() {
  std::memset(&levelGeometry, 0, sizeof levelGeometry);
  viewSettings = kDefaultViewSettings;
  camera = {};
  frameStats = {};
  std::memset(levelPath, 0, sizeof levelPath);
}

// Fills page `page` from rule(s, t), s the column and t the row (first row is t = 0).
template <typename Rule>
void fillPage(int32_t page, Rule rule) {
  for (int32_t i = 0; i < kTexturePageSide * kTexturePageSide; ++i) {
    const Rgba colour = rule(i % kTexturePageSide, i / kTexturePageSide);
    std::memcpy(levelGeometry.texturePages[page].texels + 4 * i, &colour, 4);
  }
}

// Appends a rectangle in the plane z with four vertices of its own in the given shade and
// object texture 0: counter-clockwise on screen (a front face) unless x1 < x0.
inline void addQuad(uint32_t page, float x0, float y0, float x1, float y1, float z,
                    float shade = 1.0f) {
  const uint32_t first = 4 * static_cast<uint32_t>(levelGeometry.quadCount);
  const float corners[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  for (uint32_t k = 0; k < 4; ++k) {
    levelGeometry.vertices[first + k] = {corners[k][0], corners[k][1], z, shade, shade, shade};
  }
  levelGeometry.quads[levelGeometry.quadCount++] = {
      {first, first + 1, first + 2, first + 3}, 0, page};
}

}  // namespace testlevel
