// Headless GL context through EGL_MESA_platform_surfaceless: a pbuffer config with 16 depth
// bits and 8-bit channels, a compatibility-profile context made current.
#include "tests/gl/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdlib>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;

bool openDisplay() {
  if (display != EGL_NO_DISPLAY) return true;
  // Software rendering on one thread unless the caller chose otherwise: deterministic, and
  // the leak checker's stop-the-world at exit has no driver threads to trip over.
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("LP_NUM_THREADS", "0", 0);
  auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay found = EGL_NO_DISPLAY;
  if (platformDisplay) found = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, nullptr, nullptr);
  if (found != EGL_NO_DISPLAY && eglInitialize(found, nullptr, nullptr)) display = found;
  return display != EGL_NO_DISPLAY;
}

// Exactly 16 depth bits, as the viewer asks for, and 8-bit channels, so that colour checks
// are not blurred by 5-bit rounding; the first offered config otherwise.
EGLConfig chooseConfig() {
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,   EGL_DEPTH_SIZE,  16,
                           EGL_NONE};
  EGLConfig configs[256];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 256, &count) || count <= 0) return nullptr;
  for (EGLint i = 0; i < count; ++i) {
    EGLint depth = 0, red = 0;
    eglGetConfigAttrib(display, configs[i], EGL_DEPTH_SIZE, &depth);
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    if (depth == 16 && red == 8) return configs[i];
  }
  return configs[0];
}

}  // namespace

bool makeTestGlContext() {
  if (!openDisplay()) return false;
  destroyTestGlContext();
  const EGLConfig config = eglBindAPI(EGL_OPENGL_API) ? chooseConfig() : nullptr;
  const EGLint size[] = {EGL_WIDTH, kTestViewWidth, EGL_HEIGHT, kTestViewHeight, EGL_NONE};
  const EGLint profile[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                            EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  surface = eglCreatePbufferSurface(display, config, size);
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, profile);
  const bool made = surface != EGL_NO_SURFACE && context != EGL_NO_CONTEXT &&
                    eglMakeCurrent(display, surface, surface, context);
  if (!made) destroyTestGlContext();
  return made;
}

// The display stays initialised for the process: terminating it unloads the driver, which
// the next test would only load again.
void destroyTestGlContext() {
  if (display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
  context = EGL_NO_CONTEXT;
  surface = EGL_NO_SURFACE;
}

void readPixels(int32_t x, int32_t y, int32_t width, int32_t height, Rgb* out) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, out);
}
