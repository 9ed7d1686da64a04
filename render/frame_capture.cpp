// Frame read-back: waits for the drawing to finish and reads the colour buffer that the
// frame was drawn into, packed one byte per channel.
#include "render/frame_capture.h"

#include "render/opengl.h"

bool readFrameRgb(int32_t width, int32_t height, uint8_t* out, size_t capacity) {
  if (out == nullptr || width <= 0 || height <= 0) return false;
  const uint64_t bytes = 3u * static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (bytes > capacity) return false;
  // Errors left by earlier calls would be taken for the read's own.
  for (int32_t i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, out);
  return glGetError() == GL_NO_ERROR;
}
