// The test OpenGL context on Windows: WGL on a hidden 640 x 480 pop-up (double-buffered RGBA,
// the deepest colour, 16 depth bits), drawn into and read back from the back buffer; under
// Wine, Mesa's renderer through the X server. It calls the system itself, not the platform
// doorway: the shell's suite links a recording double of the doorway beside it.
#include <windows.h>

#include <GL/gl.h>

#include "tests/gl/gl_context.h"

namespace {

HDC deviceContext = nullptr;  // of the window, which stays for the process
HGLRC context = nullptr;

}  // namespace

bool makeTestGlContext() {
  destroyTestGlContext();
  if (deviceContext == nullptr) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "Test GL";
    RegisterClassA(&windowClass);
    // A pop-up has no border: its client area is the test view.
    deviceContext = GetDC(CreateWindowExA(0, "Test GL", "", WS_POPUP, 0, 0, kTestViewWidth,
                                          kTestViewHeight, nullptr, nullptr, nullptr, nullptr));
    PIXELFORMATDESCRIPTOR wanted = {};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 16;
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &wanted), &wanted);
  }
  context = wglCreateContext(deviceContext);
  if (context == nullptr || !wglMakeCurrent(deviceContext, context)) return false;
  glViewport(0, 0, kTestViewWidth, kTestViewHeight);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  return true;
}

// Only the context is made afresh.
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
