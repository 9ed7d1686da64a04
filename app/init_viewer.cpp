// Runs the start-up sequence in its fixed order. A rebuild deletes the textures, lists and
// context of the pass before, so passes can repeat for ever without growing memory, and
// applies the fog and cull settings to the new context.
#include "app/init_viewer.h"

#include <cstdio>
#include <cstring>

#include "app/display_mode.h"
#include "app/level_watch.h"
#include "app/shell_state.h"
#include "camera/camera.h"
#include "common/shell_shared.h"
#include "level/level_loader.h"
#include "platform/screen.h"
#include "render/font_lists.h"
#include "render/gl_switches.h"
#include "render/render_setup.h"

namespace {

using platform::WindowHandle;

constexpr size_t kShownPathSize = 256;
constexpr const char* kLoadFailure =
    "Failed to open %s level file or the data file is invalid/corrupted";

// Shows `text` in an "Error" box, owned by the window or not, then destroys the window.
void fail(WindowHandle window, bool owned, const char* text) {
  platform::showMessageBox(owned ? window : nullptr, text, "Error");
  platform::destroyWindow(window);
}

void failLoading(WindowHandle window, const char* path) {
  std::snprintf(messageText, sizeof messageText, kLoadFailure, path);
  fail(window, true, messageText);
}

// Takes a chosen or named path into levelPath. A path that does not fit is never cut into
// another path: it fails as an unloadable file, the message showing at most kShownPathSize
// bytes of it.
bool takeLevelPath(WindowHandle window, const char* path, size_t capacity, bool tooLong) {
  const size_t length = strnlen(path, capacity);
  if (tooLong || length >= sizeof levelPath) {
    char shown[kShownPathSize];
    if (length == capacity) {  // not even terminated within capacity: marked as cut
      std::snprintf(shown, sizeof shown, "%.*s...", static_cast<int>(sizeof shown - 4), path);
    } else {
      std::snprintf(shown, sizeof shown, "%.*s", static_cast<int>(length), path);
    }
    failLoading(window, shown);
    return false;
  }
  std::memcpy(levelPath, path, length);
  levelPath[length] = '\0';
  return true;
}

// Deletes what the pass before created in its context, the context, and the device context.
void releasePreviousPass(WindowHandle window, platform::RenderingContextHandle* contextOut) {
  if (*contextOut != nullptr) {
    if (deviceContext != nullptr && platform::makeCurrent(deviceContext, *contextOut)) {
      releaseRendering();
      platform::deleteGlyphLists(kFontListBase, kGlyphCodeCount);
    }
    platform::makeCurrent(deviceContext, nullptr);
    platform::deleteRenderingContext(*contextOut);
    *contextOut = nullptr;
  }
  if (deviceContext != nullptr) {
    platform::releaseDeviceContext(window, deviceContext);
    deviceContext = nullptr;
  }
}

// Glyph lists for the client area: the 480-line screen's own in the display mode, lists at
// the height the client's height calls for in a window or on the desktop.
void buildGlyphs(int32_t clientHeight) {
  if (screenOptions.screen == ScreenChoice::ModeSwitch) {
    platform::buildGlyphLists(deviceContext, 0, kGlyphCodeCount, kFontListBase);
    builtGlyphHeight = kGlyphHeightAt480;
    return;
  }
  builtGlyphHeight = overlayGlyphHeight(clientHeight);
  platform::buildGlyphListsAtHeight(deviceContext, 0, kGlyphCodeCount, kFontListBase,
                                    builtGlyphHeight);
}

}  // namespace

int32_t builtGlyphHeight = 0;

void fitToClientArea(int32_t width, int32_t height) {
  if (renderingContext == nullptr || width <= 0 || height <= 0) return;
  clientArea = {width, height};
  resizeRendering(width, height);
  if (screenOptions.screen != ScreenChoice::ModeSwitch &&
      overlayGlyphHeight(height) != builtGlyphHeight) {
    platform::deleteGlyphLists(kFontListBase, kGlyphCodeCount);
    buildGlyphs(height);
  }
}

bool bringUpRendering(WindowHandle window, platform::RenderingContextHandle* contextOut) {
  releasePreviousPass(window, contextOut);
  deviceContext = platform::getDeviceContext(window);
  enterViewerDisplayMode();

  const platform::PixelFormatRequest pixelFormat = {16, 16, true};
  const int32_t format = platform::choosePixelFormat(deviceContext, pixelFormat);
  if (format == 0) {
    std::snprintf(messageText, sizeof messageText, "%s", "ChoosePixelFormat failed");
    fail(window, false, messageText);
    return false;
  }
  if (!platform::setPixelFormat(deviceContext, format)) {
    std::snprintf(messageText, sizeof messageText, "%s", "SetPixelFormat failed");
    fail(window, false, messageText);
    return false;
  }

  *contextOut = platform::createRenderingContext(deviceContext);
  platform::makeCurrent(deviceContext, *contextOut);
  int32_t width = 0;
  int32_t height = 0;
  platform::getClientSize(window, &width, &height);
  buildGlyphs(height);
  // The display mode keeps the 640 x 480 screen's centre for the pointer, as ever.
  if (screenOptions.screen != ScreenChoice::ModeSwitch) clientArea = {width, height};
  setupRendering(width, height);
  // A new context starts with fog and culling off; put back what the user switched on.
  applyFogSetting();
  applyCullSetting();
  return true;
}

void initViewer(WindowHandle window, platform::OpenFileRequest* request,
                platform::RenderingContextHandle* contextOut, int32_t askForFile,
                int32_t loadFile) {
  if (askForFile == 1) {
    request->nameTooLong = false;
    if (!platform::showOpenFileDialog(request)) {
      std::snprintf(messageText, sizeof messageText, "%s", "Failed to select a DNM level file");
      fail(window, true, messageText);
      return;
    }
    if (!takeLevelPath(window, request->fileName, request->fileNameCapacity,
                       request->nameTooLong)) {
      return;
    }
  }
  if (loadFile == 1 && !loadLevel(levelPath)) {
    failLoading(window, levelPath);
    return;
  }
  if (!platform::setTimer(window, kFpsTimerId, kFpsTimerPeriodMs)) {
    std::snprintf(messageText, sizeof messageText, "%s", "Failed to SetTimer");
    fail(window, true, messageText);
    return;
  }

  if (!bringUpRendering(window, contextOut)) return;
  if (loadFile == 1 && screenOptions.watch) watchLevelFile(window);

  platform::setCursorPos(clientArea.width / 2, clientArea.height / 2);
  resetCamera();
}

void initViewerWithLevel(WindowHandle window, platform::OpenFileRequest* request,
                         platform::RenderingContextHandle* contextOut, const char* path) {
  if (!takeLevelPath(window, path, kShownPathSize, false)) return;
  initViewer(window, request, contextOut, 0, 1);
}
