// The loader and renderer stand-ins, the frame state they own, and the EGL test context.
#include "tests/app/neighbour_fakes.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

#include "app/shell_state.h"
#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "render/frame.h"
#include "render/frame_stats.h"
#include "render/render_setup.h"
#include "tests/support/recording_platform.h"

NeighbourRecord neighbours;
FrameStats frameStats = {};
char levelPath[128] = {};

bool loadLevel(const char* path) {
  neighbours.loadedPaths.emplace_back(path);
  return neighbours.loadSucceeds;
}

void setupRendering(int32_t width, int32_t height) {
  ++neighbours.setupCount;
  neighbours.setupWidth = width;
  neighbours.setupHeight = height;
}

void releaseRendering() {
  ++neighbours.releaseCount;
  neighbours.releasedIn.push_back(recording.currentContext);
}

void renderFrame() {
  ++neighbours.renderCount;
  ++frameStats.frameCount;
  recording.calls.emplace_back("renderFrame");
}

void resetNeighbours() {
  neighbours = NeighbourRecord{};
  frameStats = {};
  std::memset(levelPath, 0, sizeof levelPath);
  viewSettings = kDefaultViewSettings;
  camera = {};
  camera.resetPending = 1;
  levelGeometry = {};
  windowActive = 0;
  viewerPaths = {};
  openFileRecord = {};
  deviceContext = nullptr;
  renderingContext = nullptr;
  std::memset(messageText, 0, sizeof messageText);
}

bool makeTestGlContextCurrent() {
  static bool tried = false;
  static bool current = false;
  if (tried) return current;
  tried = true;
  auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getDisplay == nullptr) return false;
  EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) return false;
  if (!eglBindAPI(EGL_OPENGL_API)) return false;
  const EGLint attributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  eglChooseConfig(display, attributes, &config, 1, &count);
  EGLContext context =
      eglCreateContext(display, count > 0 ? config : nullptr, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) return false;
  current = eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE;
  return current;
}
