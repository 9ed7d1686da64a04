// The test OpenGL context on Windows: WGL on a hidden 640 x 480 pop-up (a double-buffered
// format of pixel type 0, RGBA, with the deepest colour and 16 depth bits); a fresh context
// draws into and reads from the back buffer with the whole window as its viewport. Under Wine,
// Mesa's renderer through the X server. It calls the system itself, not the platform doorway:
// the shell's suite links a recording double of the doorway beside it.
#include <windows.h>

#include "tests/gl/gl_context.h"

static HDC deviceContext = nullptr;  // of the window, which stays for the process
static HGLRC context = nullptr;

bool makeTestGlContext() {
  destroyTestGlContext();
  if (deviceContext == nullptr) {
    // The system's static-text class: a pop-up of it that is never shown has no border and
    // never paints, so its client area is the test view.
    deviceContext = GetDC(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, kTestViewWidth,
                                          kTestViewHeight, nullptr, nullptr, nullptr, nullptr));
    PIXELFORMATDESCRIPTOR wanted = {};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 16;
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &wanted), &wanted);
  }
  context = wglCreateContext(deviceContext);
  return context != nullptr && wglMakeCurrent(deviceContext, context);
}

// Only the context is made afresh.
void destroyTestGlContext() {
  wglMakeCurrent(nullptr, nullptr);
  if (context != nullptr) wglDeleteContext(context);
  context = nullptr;
}
