// Reloads the watched level into the store and rebuilds the rendering context without the
// dialog and without resetting the camera. The store is copied aside first, so a file that
// fails leaves the last level whole for the labels and for later rebuilds.
#include "app/level_watch.h"

#include <cstdio>
#include <cstring>

#include "app/init_viewer.h"
#include "app/shell_state.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "render/frame.h"

namespace {

LevelGeometry keptLevel;  // the store as it was before the reload
bool reloadWaiting = false;

// Loads levelPath; false, with the store as it was and the reason on stderr, when the file
// is refused or ends before its last section.
bool loadKeepingLastLevel() {
  std::memcpy(&keptLevel, &levelGeometry, sizeof keptLevel);
  loadLevel(levelPath);
  const LoadFailure failure = lastLoadReport().failure;
  const uint64_t missing = lastLoadReport().bytesPastEnd;
  if (failure == LoadFailure::None && missing == 0) return true;
  std::memcpy(&levelGeometry, &keptLevel, sizeof keptLevel);
  if (failure != LoadFailure::None) {
    std::fprintf(stderr, "dunmoor-viewer: %.127s: not reloaded: %s\n", levelPath,
                 loadFailureText(failure));
  } else {
    std::fprintf(stderr,
                 "dunmoor-viewer: %.127s: not reloaded: the file ends before its last section "
                 "(%llu bytes short)\n",
                 levelPath, static_cast<unsigned long long>(missing));
  }
  return false;
}

}  // namespace

void watchLevelFile(platform::WindowHandle window) {
  if (!platform::watchFile(window, levelPath)) {
    std::fprintf(stderr, "dunmoor-viewer: %.127s: cannot watch the file for changes\n", levelPath);
  }
}

void reloadWatchedLevel(platform::WindowHandle window) {
  if (screenOptions.screen == ScreenChoice::ModeSwitch && windowActive == 0) {
    reloadWaiting = true;
    return;
  }
  reloadWaiting = false;
  if (!loadKeepingLastLevel()) return;
  if (!bringUpRendering(window, &renderingContext)) return;
  // An inactive window does not draw on its own: show the new level now.
  if (windowActive == 0) {
    renderFrame();
    platform::swapBuffers(deviceContext);
  }
}

void reloadOnActivation(platform::WindowHandle window) {
  if (reloadWaiting) reloadWatchedLevel(window);
}
