// Fills the level store directly for drawing tests: texture pages from a colour rule,
// vertices, and axis-aligned faces facing the default camera (looking along -z, y up).
#pragma once

#include <cstdint>
#include <cstring>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "render/frame_stats.h"

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
  uint8_t* texels = levelGeometry.texturePages[page].texels;
  for (int32_t t = 0; t < kTexturePageSide; ++t) {
    for (int32_t s = 0; s < kTexturePageSide; ++s) {
      const Rgba c = rule(s, t);
      uint8_t* texel = texels + 4 * (t * kTexturePageSide + s);
      texel[0] = c.r;
      texel[1] = c.g;
      texel[2] = c.b;
      texel[3] = c.a;
    }
  }
}

inline void fillPageSolid(int32_t page, Rgba colour) {
  fillPage(page, [colour](int32_t, int32_t) { return colour; });
}

// Object texture `record` spans the whole page: corner 0 at texel (0, 0), corner 1 at
// (255, 0), corner 2 at (255, 255), corner 3 at (0, 255).
inline void setFullPageCoordinates(int32_t record) {
  const float low = 0.5f / 256.0f;
  const float high = 255.5f / 256.0f;
  const float uv[8] = {low, low, high, low, high, high, low, high};
  std::memcpy(levelGeometry.objectTextureUVs[record].uv, uv, sizeof uv);
}

struct Builder {
  uint32_t vertexCount = 0;

  uint32_t vertex(float x, float y, float z, float shade = 1.0f) {
    levelGeometry.vertices[vertexCount] = {x, y, z, shade, shade, shade};
    return vertexCount++;
  }

  // A rectangle in the plane z, corners bottom-left, bottom-right, top-right, top-left:
  // counter-clockwise on screen (a front face) unless `clockwise`.
  void quad(uint32_t page, uint32_t objectTexture, float x0, float y0, float x1, float y1, float z,
            float shade = 1.0f, bool clockwise = false) {
    uint32_t a = vertex(x0, y0, z, shade);
    uint32_t b = vertex(x1, y0, z, shade);
    uint32_t c = vertex(x1, y1, z, shade);
    uint32_t d = vertex(x0, y1, z, shade);
    if (clockwise) {
      const uint32_t swap = b;
      b = d;
      d = swap;
    }
    levelGeometry.quads[levelGeometry.quadCount++] = {{a, b, c, d}, objectTexture, page};
  }

  // A triangle bottom-left, bottom-right, top-left of the rectangle, counter-clockwise.
  void triangle(uint32_t page, uint32_t objectTexture, float x0, float y0, float x1, float y1,
                float z) {
    const uint32_t a = vertex(x0, y0, z);
    const uint32_t b = vertex(x1, y0, z);
    const uint32_t c = vertex(x0, y1, z);
    levelGeometry.triangles[levelGeometry.triangleCount++] = {{a, b, c}, objectTexture, page};
  }
};

}  // namespace testlevel
