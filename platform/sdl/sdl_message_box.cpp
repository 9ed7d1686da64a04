// SDL2 backend: the modal message box. It is kept in view above the viewer window, its text
// wrapped to fit the screen; the window gets the keyboard back after it, and SIGINT or
// SIGTERM while it is open ends the viewer at once (the mode watcher restores the mode).
#include <signal.h>
#include <unistd.h>

#include <cstdio>

#include "platform/sdl/sdl_backend.h"
#include "platform/text_wrap.h"

namespace {

// The box's font is at most this wide; the margin holds its border and padding.
constexpr int kGlyphWidthPixels = 8;
constexpr int kBoxMarginPixels = 80;
constexpr uint32_t kMinColumns = 20;
constexpr uint32_t kMaxColumns = 120;

// The status the viewer ends with when a signal comes while a box is open: what it would
// be at any other time, 0 during start-up and 1 once the main loop runs.
volatile sig_atomic_t exitStatusDuringBox = 1;

void endDuringBox(int) {
  _exit(exitStatusDuringBox);
}

// Characters per line that fit the width of the screen the viewer is on.
uint32_t columnsForScreen(SDL_Window* window) {
  int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
  if (display < 0) display = 0;
  SDL_DisplayMode mode;
  int width = 640;
  if (SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.w > 0) width = mode.w;
  const int columns = (width - kBoxMarginPixels) / kGlyphWidthPixels;
  if (columns < static_cast<int>(kMinColumns)) return kMinColumns;
  if (columns > static_cast<int>(kMaxColumns)) return kMaxColumns;
  return static_cast<uint32_t>(columns);
}

}  // namespace

namespace platform {

void showMessageBox(WindowHandle, const char* text, const char* title) {
  std::fprintf(stderr, "%s: %s\n", title, text);
  SDL_Window* window = sdl::backend.window;
  char wrapped[1024];
  wrapText(text, columnsForScreen(window), wrapped, sizeof wrapped);

  struct sigaction endNow = {};
  endNow.sa_handler = endDuringBox;
  sigemptyset(&endNow.sa_mask);
  struct sigaction previousInterrupt = {};
  struct sigaction previousTerminate = {};
  exitStatusDuringBox = sdl::backend.creating ? 0 : 1;
  sigaction(SIGINT, &endNow, &previousInterrupt);
  sigaction(SIGTERM, &endNow, &previousTerminate);
  // A termination request that came before the box ends the viewer without one.
  if (!sdl::quitRequested()) {
    // A box without a parent opens underneath the always-on-top window: while the window is
    // shown, every box is its child, and the window steps off the top for the time.
    const uint32_t flags = window != nullptr ? SDL_GetWindowFlags(window) : 0;
    const bool shown = (flags & SDL_WINDOW_SHOWN) != 0;
    const bool onTop = (flags & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
    const bool hadFocus = sdl::windowHasFocus();
    if (onTop) SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, wrapped, shown ? window : nullptr) !=
        0) {
      std::fprintf(stderr, "(no message box: %s)\n", SDL_GetError());
    }
    if (onTop) SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
    if (shown) sdl::bringToFront(window);
    sdl::settleFocusAfterBox(hadFocus);
  }
  sigaction(SIGINT, &previousInterrupt, nullptr);
  sigaction(SIGTERM, &previousTerminate, nullptr);
}

}  // namespace platform
