// A headless OpenGL compatibility context for tests and benchmarks: EGL on Mesa's
// surfaceless platform with a 640 x 480 pbuffer (16-bit depth), software rendering on one
// thread unless LP_NUM_THREADS says otherwise, no display needed (on Windows, WGL on a
// hidden window: gl_context_wgl.cpp). Plus a read-back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/opengl.h"

inline constexpr int32_t kTestViewWidth = 640;
inline constexpr int32_t kTestViewHeight = 480;

// Creates a fresh context with its own pbuffer and makes it current, destroying any context
// this harness made before; false when EGL cannot provide one.
bool makeTestGlContext();

// Releases the harness's context and its pbuffer (with every object made in it).
void destroyTestGlContext();

// Reads a block of window pixels (origin at the bottom left) of the current buffer as RGB
// bytes, row by row from the bottom one.
inline std::vector<uint8_t> readPixels(int32_t x, int32_t y, int32_t width, int32_t height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(3 * width * height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
