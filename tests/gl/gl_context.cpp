// Headless GL context through EGL_MESA_platform_surfaceless: a pbuffer config with 16 depth
// bits, a compatibility-profile context made current.
#include "tests/gl/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>  // the surfaceless platform

#include <cstdlib>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;

}  // namespace

bool makeTestGlContext() {
  if (display == EGL_NO_DISPLAY) {
    // Software rendering on one thread unless the caller chose otherwise: deterministic, and
    // the leak checker's stop-the-world at exit has no driver threads to trip over.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    setenv("LP_NUM_THREADS", "0", 0);
    EGLDisplay found = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, nullptr, nullptr);
    if (found == EGL_NO_DISPLAY || !eglInitialize(found, nullptr, nullptr)) return false;
    display = found;
  }
  destroyTestGlContext();
  // At least 16 depth bits: EGL lists the smallest depth first, so exactly 16 as the viewer
  // asks for, with the deepest colour offered, so that colour checks are not blurred.
  const EGLint wanted[] = {EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT,  // desktop GL on a pbuffer
                           EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_DEPTH_SIZE, 16, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  eglBindAPI(EGL_OPENGL_API);  // a failure here or below leaves no config: nothing is made
  eglChooseConfig(display, wanted, &config, 1, &count);
  const EGLint size[] = {EGL_WIDTH, kTestViewWidth, EGL_HEIGHT, kTestViewHeight, EGL_NONE};
  surface = eglCreatePbufferSurface(display, config, size);
  // No attributes: a compatibility-profile context, as the fixed-function drawing needs.
  context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  const bool made = surface != EGL_NO_SURFACE && context != EGL_NO_CONTEXT &&
                    eglMakeCurrent(display, surface, surface, context);
  if (!made) destroyTestGlContext();
  return made;
}

// The display stays initialised for the process: terminating it unloads the driver, which
// the next test would only load again.
void destroyTestGlContext() {
  // Calls on no display, context or surface fail harmlessly.
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display, context);
  eglDestroySurface(display, surface);
  context = EGL_NO_CONTEXT;
  surface = EGL_NO_SURFACE;
}
