// Handles the window's messages (resizes and changes of the watched level file included) and
// the key commands Esc, 0, 1, 2, 3, 4, 9, R, F1, F6 and F12.
#include "app/window_proc.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/display_mode.h"
#include "app/init_viewer.h"
#include "app/level_watch.h"
#include "app/screenshot.h"
#include "app/shell_state.h"
#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "platform/virtual_keys.h"
#include "render/frame.h"
#include "render/gl_switches.h"

namespace {

using platform::WindowHandle;

int32_t toggled(int32_t value) {
  return value == 0 ? 1 : 0;
}

void rebuild(WindowHandle window) {
  initViewer(window, &openFileRecord, &renderingContext, 0, 0);
}

// A level named on the command line is loaded without asking; F6 then asks in its folder.
void onCreate(WindowHandle window) {
  readConfig(viewerPaths);
  if (namedLevel != nullptr) proposeNamedLevel(viewerPaths, namedLevel);
  setupOpenFileRequest(window);
  if (namedLevel != nullptr) {
    initViewerWithLevel(window, &openFileRecord, &renderingContext, namedLevel);
  } else {
    initViewer(window, &openFileRecord, &renderingContext, 1, 1);
  }
}

void onActivate(WindowHandle window, uint32_t wParam) {
  windowActive = static_cast<int32_t>(wParam & 0xFFFFu);
  if (windowActive != 0) {
    enterViewerDisplayMode();
    platform::showCursor(false);
    reloadOnActivation(window);
  } else {
    restoreUserDisplayMode();
    platform::showCursor(true);
  }
}

// In a window or on the desktop an inactive window does not animate but keeps its last
// picture: it is drawn again when uncovered or resized.
void redrawIfInactive() {
  if (screenOptions.screen == ScreenChoice::ModeSwitch || windowActive != 0) return;
  if (renderingContext == nullptr || deviceContext == nullptr) return;
  renderFrame();
  platform::swapBuffers(deviceContext);
}

void onSize(uint32_t lParam) {
  fitToClientArea(static_cast<int32_t>(lParam & 0xFFFFu), static_cast<int32_t>(lParam >> 16));
  redrawIfInactive();
}

void onTimer(uint32_t id) {
  if (id != kFpsTimerId) return;
  std::snprintf(frameStats.fpsText, sizeof frameStats.fpsText, "FPS=%03d",
                static_cast<int>(frameStats.frameCount));
  frameStats.frameCount = 0;
}

// Deletes the rendering context and releases the device context once the quit is taken.
void onQuit(WindowHandle window) {
  if (renderingContext != nullptr) platform::deleteRenderingContext(renderingContext);
  if (deviceContext != nullptr) platform::releaseDeviceContext(window, deviceContext);
  renderingContext = nullptr;
  deviceContext = nullptr;
}

void onKeyDown(WindowHandle window, uint32_t key) {
  if (key == kVkF12) {
    saveScreenshot(window);
    return;
  }
  if (key < kVkEscape || key > kVkF6) return;
  switch (key) {
    case kVkEscape:
      restoreUserDisplayMode();
      platform::postQuitMessage(0);
      break;
    case kVk0:
      viewSettings.farPlane = viewSettings.farPlane + viewSettings.farPlane;
      rebuild(window);
      break;
    case kVk1:
      viewSettings.lightingOn = toggled(viewSettings.lightingOn);
      rebuild(window);
      break;
    case kVk2:
      viewSettings.fogOn = toggled(viewSettings.fogOn);
      applyFogSetting();
      break;
    case kVk3:
      viewSettings.cullOn = toggled(viewSettings.cullOn);
      applyCullSetting();
      break;
    case kVk4:
      viewSettings.showStatus = toggled(viewSettings.showStatus);
      break;
    case kVk9:
      viewSettings.farPlane = viewSettings.farPlane * 0.5f;
      rebuild(window);
      break;
    case kVkR:
      resetCamera();
      break;
    case kVkF1:
      viewSettings.showHelp = toggled(viewSettings.showHelp);
      break;
    case kVkF6:
      initViewer(window, &openFileRecord, &renderingContext, 1, 1);
      break;
    default:
      break;
  }
}

}  // namespace

int32_t viewerWindowProc(WindowHandle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  switch (message) {
    case platform::kWmCreate:
      onCreate(window);
      return 1;
    case platform::kWmDestroy:
      restoreUserDisplayMode();
      platform::postQuitMessage(0);
      return 1;
    case platform::kWmActivate:
      onActivate(window, wParam);
      return 1;
    case platform::kWmPaint:
      platform::validateWindow(window);
      redrawIfInactive();
      return 1;
    case platform::kWmClose:
      platform::destroyWindow(window);
      return 1;
    case platform::kWmQuit:
      onQuit(window);
      return 1;
    case platform::kWmKeyDown:
      onKeyDown(window, wParam);
      return 1;
    case platform::kWmTimer:
      onTimer(wParam);
      return 1;
    case platform::kWmMouseMove:
      // Client coordinates, signed 16 bits each.
      handlePointerMove(static_cast<int16_t>(lParam & 0xFFFFu), static_cast<int16_t>(lParam >> 16));
      return 1;
    case platform::kWmSize:
      if (screenOptions.screen == ScreenChoice::ModeSwitch) break;
      onSize(lParam);
      return 1;
    case platform::kWmFileChanged:
      if (!screenOptions.watch) break;
      reloadWatchedLevel(window);
      return 1;
    default:
      break;
  }
  return platform::defaultWindowProc(window, message, wParam, lParam);
}
