// A headless OpenGL context for tests and benchmarks: the platform's own off-screen context
// (EGL on Mesa's surfaceless platform, or WGL on a hidden window on Windows) at 640 x 480,
// software rendering on one thread unless LP_NUM_THREADS says otherwise. Plus a read-back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/opengl.h"

inline constexpr int32_t kTestViewWidth = 640;
inline constexpr int32_t kTestViewHeight = 480;

// Creates a fresh context with its own drawing buffer and makes it current, destroying any
// context this harness made before; false when none can be had.
bool makeTestGlContext();

// Releases the harness's context and its drawing buffer (with every object made in it).
void destroyTestGlContext();

// Reads a block of window pixels (origin at the bottom left) of the current buffer as RGB
// bytes, row by row from the bottom one.
inline std::vector<uint8_t> readPixels(int32_t x, int32_t y, int32_t width, int32_t height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(3 * width * height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
