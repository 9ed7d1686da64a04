// Handles every waiting message, then draws one frame while the window is active, back to
// back with no limiter; sleeps until the next message while it is not.
#include "app/main_loop.h"

#include "app/shell_state.h"
#include "app/window_proc.h"
#include "camera/navigation.h"
#include "common/shell_shared.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "render/frame.h"

int32_t viewerMain(int32_t showCommand) {
  const platform::WindowClass windowClass = {"Dunmoor Viewer", viewerWindowProc};
  if (!platform::registerWindowClass(windowClass)) return 0;
  const platform::WindowParams params = {
      "Dunmoor Viewer", "Generic OpenGL Sample", true, 0, 0, kScreenWidth, kScreenHeight};
  platform::WindowHandle window = platform::createWindow(params);
  if (window == nullptr) return 0;
  platform::showWindow(window, showCommand);
  platform::updateWindow(window);

  for (;;) {
    while (platform::peekMessage()) {
      platform::Message message = {};
      if (!platform::getMessage(&message)) {
        viewerWindowProc(window, platform::kWmQuit, message.wParam, 0);
        return 1;
      }
      platform::translateMessage(message);
      platform::dispatchMessage(message);
    }
    if (windowActive != 0) {
      pollNavigationKeys();
      renderFrame();
      platform::swapBuffers(deviceContext);
    } else {
      platform::waitMessage();
    }
  }
}
