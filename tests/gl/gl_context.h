// A headless OpenGL compatibility context for tests and benchmarks: EGL on Mesa's
// surfaceless platform with a 640 x 480 pbuffer (16-bit depth), software rendering on one
// thread unless LP_NUM_THREADS says otherwise, no display needed. Plus read-back helpers.
#pragma once

#include <cstdint>

inline constexpr int32_t kTestViewWidth = 640;
inline constexpr int32_t kTestViewHeight = 480;

// Creates a fresh context with its own pbuffer and makes it current, destroying any context
// this harness made before; false when EGL cannot provide one.
bool makeTestGlContext();

// Releases the harness's context and its pbuffer (with every object made in it).
void destroyTestGlContext();

struct Rgb {
  uint8_t r, g, b;
};

// Reads the colour of one window pixel (origin at the bottom left) of the current buffer.
Rgb readPixel(int32_t x, int32_t y);

// Reads the whole 640 x 480 colour buffer as RGB bytes, bottom row first.
void readFrame(uint8_t* rgbOut);
