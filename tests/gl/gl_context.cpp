// Headless GL context through EGL_MESA_platform_surfaceless: pick a pbuffer config with a
// 16-bit depth buffer, ask for a compatibility-profile context, make it current.
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
  // Mesa picks llvmpipe/softpipe when asked; there is no GPU on the test machines anyway.
  // One rasterising thread unless the caller chose otherwise: deterministic, and the leak
  // checker's stop-the-world at exit has no driver threads to trip over.
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("LP_NUM_THREADS", "0", 0);
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) return false;
  EGLDisplay candidate =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (candidate == EGL_NO_DISPLAY) return false;
  EGLint major = 0;
  EGLint minor = 0;
  if (eglInitialize(candidate, &major, &minor) != EGL_TRUE) return false;
  display = candidate;
  return true;
}

void releaseContext() {
  if (display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
  context = EGL_NO_CONTEXT;
  surface = EGL_NO_SURFACE;
}

}  // namespace

bool makeTestGlContext() {
  if (!openDisplay()) return false;
  releaseContext();
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return false;

  const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                     EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE,
                                     EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,
                                     5,
                                     EGL_GREEN_SIZE,
                                     6,
                                     EGL_BLUE_SIZE,
                                     5,
                                     EGL_DEPTH_SIZE,
                                     16,
                                     EGL_NONE};
  EGLConfig configs[64];
  EGLint configCount = 0;
  if (eglChooseConfig(display, configAttributes, configs, 64, &configCount) != EGL_TRUE ||
      configCount <= 0) {
    return false;
  }
  // Prefer exactly 16 depth bits, as the viewer asks for, with 8-bit channels so that
  // colour checks are not blurred by 5-bit rounding.
  EGLConfig chosen = configs[0];
  int32_t bestScore = -1;
  for (EGLint i = 0; i < configCount; ++i) {
    EGLint depth = 0;
    EGLint red = 0;
    eglGetConfigAttrib(display, configs[i], EGL_DEPTH_SIZE, &depth);
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    const int32_t score = (depth == 16 ? 2 : 0) + (red == 8 ? 1 : 0);
    if (score > bestScore) {
      bestScore = score;
      chosen = configs[i];
    }
  }

  const EGLint surfaceAttributes[] = {EGL_WIDTH, kTestViewWidth, EGL_HEIGHT, kTestViewHeight,
                                      EGL_NONE};
  surface = eglCreatePbufferSurface(display, chosen, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) return false;

  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  context = eglCreateContext(display, chosen, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    releaseContext();
    return false;
  }
  if (eglMakeCurrent(display, surface, surface, context) != EGL_TRUE) {
    releaseContext();
    return false;
  }
  return true;
}

void destroyTestGlContext() {
  // The display stays initialised for the process: terminating it unloads the driver, which
  // the next test would only load again.
  releaseContext();
}

Rgb readPixel(int32_t x, int32_t y) {
  uint8_t rgb[3] = {0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  return {rgb[0], rgb[1], rgb[2]};
}

void readFrame(uint8_t* rgbOut) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kTestViewWidth, kTestViewHeight, GL_RGB, GL_UNSIGNED_BYTE, rgbOut);
}
