// Test fixture for drawing tests: a fresh headless context per test, the store emptied,
// the glyph lists built, and small pixel checks.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "render/glyph_lists.h"
#include "tests/gl/gl_context.h"
#include "tests/gl/level_builder.h"

class GlDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testlevel::resetWorld();
    ASSERT_TRUE(makeTestGlContext()) << "no headless OpenGL context";
    ASSERT_TRUE(buildFontGlyphLists(0, 255, kFontListBase));
  }

  void TearDown() override { destroyTestGlContext(); }

  // A new context, as the viewer makes for every rebuild.
  void freshContext() {
    ASSERT_TRUE(makeTestGlContext());
    ASSERT_TRUE(buildFontGlyphLists(0, 255, kFontListBase));
  }

  // Whether a pixel is within `tolerance` of (r, g, b) in every channel.
  static ::testing::AssertionResult near(Rgb pixel, int r, int g, int b, int tolerance = 6) {
    if (std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
        std::abs(pixel.b - b) <= tolerance) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << int{pixel.r} << "," << int{pixel.g} << "," << int{pixel.b}
           << ") is not near (" << r << "," << g << "," << b << ")";
  }

  // Pixels of text colour (near white) in window rows [rowBegin, rowEnd) and columns
  // [columnBegin, columnEnd) of the current buffer.
  static int32_t whitePixels(int32_t columnBegin, int32_t columnEnd, int32_t rowBegin,
                             int32_t rowEnd) {
    std::vector<uint8_t> frame(kTestViewWidth * kTestViewHeight * 3);
    readFrame(frame.data());
    int32_t count = 0;
    for (int32_t y = rowBegin; y < rowEnd; ++y) {
      for (int32_t x = columnBegin; x < columnEnd; ++x) {
        const uint8_t* p = &frame[(y * kTestViewWidth + x) * 3];
        count += p[0] > 200 && p[1] > 200 && p[2] > 200;
      }
    }
    return count;
  }
};
