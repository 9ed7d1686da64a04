// Win32 backend: the off-screen context of dnl-render. The context belongs to a pop-up that is
// never shown; a window never shown owns no pixels on some drivers, so where the driver offers
// framebuffer objects the picture is drawn into one of its own (8-bit colour, 16-bit depth) instead
// of the window's buffer.
#include "platform/win32/win32_backend.h"
// OpenGL's extension types need windows.h first.
#include <GL/gl.h>
#include <GL/glext.h>

namespace {

struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSEXTPROC genFramebuffers;
  PFNGLBINDFRAMEBUFFEREXTPROC bindFramebuffer;
  PFNGLGENRENDERBUFFERSEXTPROC genRenderbuffers;
  PFNGLBINDRENDERBUFFEREXTPROC bindRenderbuffer;
  PFNGLRENDERBUFFERSTORAGEEXTPROC renderbufferStorage;
  PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC framebufferRenderbuffer;
  PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC checkFramebufferStatus;
};

struct OffscreenContext {
  HWND window;
  HDC device;
  HGLRC context;
};

OffscreenContext offscreen = {nullptr, nullptr, nullptr};

template <typename Call>
bool find(Call* call, const char* name) {
  *call = reinterpret_cast<Call>(reinterpret_cast<void*>(wglGetProcAddress(name)));
  return *call != nullptr;
}

// Binds a framebuffer object of the given size with colour and depth renderbuffers; false
// (the window's own buffer stays bound) where the driver has none.
bool bindOwnFramebuffer(int32_t width, int32_t height) {
  FramebufferCalls gl = {};
  const bool found = find(&gl.genFramebuffers, "glGenFramebuffersEXT") &&
                     find(&gl.bindFramebuffer, "glBindFramebufferEXT") &&
                     find(&gl.genRenderbuffers, "glGenRenderbuffersEXT") &&
                     find(&gl.bindRenderbuffer, "glBindRenderbufferEXT") &&
                     find(&gl.renderbufferStorage, "glRenderbufferStorageEXT") &&
                     find(&gl.framebufferRenderbuffer, "glFramebufferRenderbufferEXT") &&
                     find(&gl.checkFramebufferStatus, "glCheckFramebufferStatusEXT");
  if (!found) return false;
  GLuint framebuffer = 0;
  GLuint buffers[2] = {0, 0};
  gl.genFramebuffers(1, &framebuffer);
  gl.genRenderbuffers(2, buffers);
  gl.bindFramebuffer(GL_FRAMEBUFFER_EXT, framebuffer);
  gl.bindRenderbuffer(GL_RENDERBUFFER_EXT, buffers[0]);
  gl.renderbufferStorage(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT,
                             buffers[0]);
  gl.bindRenderbuffer(GL_RENDERBUFFER_EXT, buffers[1]);
  gl.renderbufferStorage(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT16, width, height);
  gl.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                             buffers[1]);
  if (gl.checkFramebufferStatus(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT) return true;
  gl.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
  return false;
}

}  // namespace

namespace platform {

DeviceContextHandle createOffscreenContext(int32_t width, int32_t height) {
  destroyOffscreenContext(reinterpret_cast<DeviceContextHandle>(offscreen.device));
  if (width < 1 || height < 1) return nullptr;
  // The system's static-text class: a pop-up of it never paints and has no border.
  offscreen.window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
  offscreen.device = offscreen.window != nullptr ? GetDC(offscreen.window) : nullptr;
  PIXELFORMATDESCRIPTOR wanted = {};
  wanted.nSize = sizeof wanted;
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 24;
  wanted.cDepthBits = 16;
  const int format = offscreen.device != nullptr ? ChoosePixelFormat(offscreen.device, &wanted) : 0;
  if (format != 0 && SetPixelFormat(offscreen.device, format, &wanted)) {
    offscreen.context = wglCreateContext(offscreen.device);
  }
  if (offscreen.context == nullptr || !wglMakeCurrent(offscreen.device, offscreen.context)) {
    destroyOffscreenContext(reinterpret_cast<DeviceContextHandle>(offscreen.device));
    return nullptr;
  }
  if (!bindOwnFramebuffer(width, height)) glDrawBuffer(GL_BACK);
  return reinterpret_cast<DeviceContextHandle>(offscreen.device);
}

void destroyOffscreenContext(DeviceContextHandle) {
  wglMakeCurrent(nullptr, nullptr);
  if (offscreen.context != nullptr) wglDeleteContext(offscreen.context);
  if (offscreen.device != nullptr) ReleaseDC(offscreen.window, offscreen.device);
  if (offscreen.window != nullptr) DestroyWindow(offscreen.window);
  offscreen = {nullptr, nullptr, nullptr};
}

}  // namespace platform
