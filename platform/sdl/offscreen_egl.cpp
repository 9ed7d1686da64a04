// Linux backend: the off-screen OpenGL context of dnl-render. EGL on Mesa's surfaceless
// platform with a pbuffer of the picture's size, so no display, window system or window
// manager is needed (ssh, CI, a thumbnailer's sandbox). No SDL here.
#include <EGL/egl.h>
#include <EGL/eglext.h>  // the surfaceless platform

#include "platform/platform.h"

namespace {

struct OffscreenContext {
  EGLDisplay display;
  EGLSurface surface;
  EGLContext context;
};

// One context at a time: the handle given out points here.
OffscreenContext offscreen = {EGL_NO_DISPLAY, EGL_NO_SURFACE, EGL_NO_CONTEXT};

bool chooseConfig(EGLDisplay display, EGLConfig* config) {
  // Desktop OpenGL on a pbuffer, 8 bits per channel, 16 depth bits as the viewer asks for
  // (EGL lists the smallest depth that meets the request first).
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_PBUFFER_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_DEPTH_SIZE,
                           16,
                           EGL_NONE};
  EGLint count = 0;
  return eglChooseConfig(display, wanted, config, 1, &count) == EGL_TRUE && count == 1;
}

}  // namespace

namespace platform {

DeviceContextHandle createOffscreenContext(int32_t width, int32_t height) {
  destroyOffscreenContext(reinterpret_cast<DeviceContextHandle>(&offscreen));
  if (width < 1 || height < 1) return nullptr;
  if (offscreen.display == EGL_NO_DISPLAY) {
    EGLDisplay found = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, nullptr, nullptr);
    if (found == EGL_NO_DISPLAY || eglInitialize(found, nullptr, nullptr) != EGL_TRUE) {
      return nullptr;
    }
    offscreen.display = found;
  }
  EGLDisplay display = offscreen.display;
  EGLConfig config = nullptr;
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE || !chooseConfig(display, &config)) {
    destroyOffscreenContext(reinterpret_cast<DeviceContextHandle>(&offscreen));
    return nullptr;
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  const EGLint profile[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                            EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  offscreen.surface = eglCreatePbufferSurface(display, config, size);
  offscreen.context = eglCreateContext(display, config, EGL_NO_CONTEXT, profile);
  const bool made =
      offscreen.surface != EGL_NO_SURFACE && offscreen.context != EGL_NO_CONTEXT &&
      eglMakeCurrent(display, offscreen.surface, offscreen.surface, offscreen.context) == EGL_TRUE;
  if (!made) {
    destroyOffscreenContext(reinterpret_cast<DeviceContextHandle>(&offscreen));
    return nullptr;
  }
  return reinterpret_cast<DeviceContextHandle>(&offscreen);
}

void destroyOffscreenContext(DeviceContextHandle dc) {
  if (dc == nullptr || offscreen.display == EGL_NO_DISPLAY) return;
  eglMakeCurrent(offscreen.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (offscreen.context != EGL_NO_CONTEXT) eglDestroyContext(offscreen.display, offscreen.context);
  if (offscreen.surface != EGL_NO_SURFACE) eglDestroySurface(offscreen.display, offscreen.surface);
  // The display stays initialised for the process: terminating it would unload the driver,
  // which a next context would only load again.
  offscreen.surface = EGL_NO_SURFACE;
  offscreen.context = EGL_NO_CONTEXT;
}

}  // namespace platform
