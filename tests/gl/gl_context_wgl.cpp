// The test OpenGL context on Windows: WGL on a hidden 640 x 480 pop-up of its own class (a
// double-buffered RGBA format with the deepest colour and 16 depth bits), drawn into and read
// back from the back buffer. Under Wine this is Mesa's renderer through the X server.
#include <windows.h>

#include <GL/gl.h>

#include "tests/gl/gl_context.h"

namespace {

HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC context = nullptr;

bool makeWindow() {
  if (window != nullptr) return true;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "Dunmoor Test Context";
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
  // A pop-up has no border: its client area is the test view's size.
  window =
      CreateWindowExA(0, windowClass.lpszClassName, "test context", WS_POPUP, 0, 0, kTestViewWidth,
                      kTestViewHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return false;
  deviceContext = GetDC(window);
  PIXELFORMATDESCRIPTOR wanted = {};
  wanted.nSize = sizeof wanted;
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 32;
  wanted.cDepthBits = 16;
  const int format = ChoosePixelFormat(deviceContext, &wanted);
  return format != 0 && SetPixelFormat(deviceContext, format, &wanted);
}

}  // namespace

bool makeTestGlContext() {
  destroyTestGlContext();
  if (!makeWindow()) return false;
  context = wglCreateContext(deviceContext);
  if (context == nullptr || !wglMakeCurrent(deviceContext, context)) {
    destroyTestGlContext();
    return false;
  }
  glViewport(0, 0, kTestViewWidth, kTestViewHeight);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  return true;
}

// The window stays for the process: only the context is made afresh.
void destroyTestGlContext() {
  wglMakeCurrent(nullptr, nullptr);
  if (context != nullptr) wglDeleteContext(context);
  context = nullptr;
}

std::vector<uint8_t> readPixels(int32_t x, int32_t y, int32_t width, int32_t height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(3 * width * height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}
