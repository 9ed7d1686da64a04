// Makes the window the screen options ask for, then handles every waiting message and draws
// one frame while the window is active, back to back with no limiter; sleeps until the next
// message while it is not.
#include "app/main_loop.h"

#include "app/shell_state.h"
#include "app/window_proc.h"
#include "camera/navigation.h"
#include "common/shell_shared.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "render/frame.h"

namespace {

constexpr int32_t kDefaultWindowWidth = 1280;
constexpr int32_t kDefaultWindowHeight = 720;

// The window's client size: the one asked for (or 1280 x 720), shrunk in proportion to fit
// the desktop with room for the window's frame.
void chooseWindowSize(int32_t* width, int32_t* height) {
  const bool sizeGiven = screenOptions.windowWidth > 0 && screenOptions.windowHeight > 0;
  int64_t w = sizeGiven ? screenOptions.windowWidth : kDefaultWindowWidth;
  int64_t h = sizeGiven ? screenOptions.windowHeight : kDefaultWindowHeight;
  int32_t desktopWidth = 0;
  int32_t desktopHeight = 0;
  if (platform::getDesktopSize(&desktopWidth, &desktopHeight)) {
    const int64_t roomW = desktopWidth > 128 ? desktopWidth - 64 : desktopWidth;
    const int64_t roomH = desktopHeight > 128 ? desktopHeight - 96 : desktopHeight;
    if (roomW > 0 && w > roomW) {
      h = h * roomW / w;
      w = roomW;
    }
    if (roomH > 0 && h > roomH) {
      w = w * roomH / h;
      h = roomH;
    }
  }
  *width = static_cast<int32_t>(w < 1 ? 1 : w);
  *height = static_cast<int32_t>(h < 1 ? 1 : h);
}

platform::WindowHandle createViewerWindow() {
  platform::WindowParams params = {
      "Dunmoor Viewer", "Generic OpenGL Sample", true, 0, 0, kScreenWidth, kScreenHeight};
  if (screenOptions.screen == ScreenChoice::ModeSwitch) return platform::createWindow(params);
  params.topMost = false;
  platform::WindowFrame frame = {true, true, false};
  if (screenOptions.screen == ScreenChoice::Desktop) {
    frame = {false, false, true};
    platform::getDesktopSize(&params.width, &params.height);
  } else {
    chooseWindowSize(&params.width, &params.height);
  }
  clientArea = {params.width, params.height};
  return platform::createFramedWindow(params, frame);
}

}  // namespace

int32_t viewerMain(int32_t showCommand) {
  const platform::WindowClass windowClass = {"Dunmoor Viewer", viewerWindowProc};
  if (!platform::registerWindowClass(windowClass)) return 0;
  platform::WindowHandle window = createViewerWindow();
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
