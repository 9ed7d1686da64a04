// export-viewer-frame LEVEL.dnl OUT.png [--cull] [--shade]: the viewer's first frame of a
// level, drawn by the viewer's own renderer on the headless test context with the status line
// off (and no glyph lists, so no item labels), saved as a PNG for the export picture test.
#include <GL/gl.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "render/frame.h"
#include "render/render_setup.h"
#include "tests/gl/gl_context.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: export-viewer-frame LEVEL.dnl OUT.png [--cull] [--shade]\n");
    return 1;
  }
  bool cull = false;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--cull") == 0) cull = true;
    if (std::strcmp(argv[i], "--shade") == 0) viewSettings.lightingOn = 1;
  }
  if (!loadLevel(argv[1])) {
    fprintf(stderr, "export-viewer-frame: %s does not load\n", argv[1]);
    return 1;
  }
  if (!makeTestGlContext()) {
    fprintf(stderr, "export-viewer-frame: no OpenGL context\n");
    return 1;
  }
  viewSettings.showStatus = 0;
  setupRendering(kTestViewWidth, kTestViewHeight);
  if (cull) glEnable(GL_CULL_FACE);
  // The start-up sequence's reset to the start pose.
  camera.resetPending = 1;
  moveCamera(CameraOp::Roll, 0.0f);
  renderFrame();
  glFinish();
  const std::vector<uint8_t> bottomUp = readPixels(0, 0, kTestViewWidth, kTestViewHeight);
  destroyTestGlContext();

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = kTestViewWidth;
  image.height = kTestViewHeight;
  image.format = PNG_FORMAT_RGB;
  // A negative row stride tells libpng that the buffer holds the bottom row first, as GL
  // reads it back.
  if (png_image_write_to_file(&image, argv[2], 0, bottomUp.data(), -3 * kTestViewWidth, nullptr) ==
      0) {
    fprintf(stderr, "export-viewer-frame: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
