// PNG pictures through stb_image_write, the same code on every system: 8-bit RGB or RGBA
// pixels encoded to a caller's sink, or to a file that appears whole or not at all (written
// beside the target under a temporary name, then renamed onto it).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int32_t kMaxPngSide = 16384;

struct PixelImage {
  const uint8_t* pixels;  // rows of width * channels bytes, without padding
  int32_t width;          // 1 to kMaxPngSide
  int32_t height;         // 1 to kMaxPngSide
  int32_t channels;       // 3 (RGB) or 4 (RGBA)
  bool bottomUp;          // the first row is the picture's bottom row (as glReadPixels gives)
};

// Receives the encoded bytes in order, in one or more pieces.
using PngSink = void (*)(void* context, const void* bytes, size_t size);

// False for an image outside the limits above or a failed encoding.
bool encodePng(const PixelImage& image, PngSink sink, void* context);

enum class PngFileMode {
  Replace,       // an existing file at the path is replaced; an empty one is filled in place
                 // (a thumbnail service reads the file it made through the handle it holds)
  KeepExisting,  // an existing file at the path is kept and the write fails
};

// Writes the image as a PNG file at `path`. On failure no file is left behind: neither a
// partial target nor the temporary file.
bool writePngFile(const PixelImage& image, const char* path, PngFileMode mode);
