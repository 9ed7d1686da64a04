// SDL2 backend: the window, the message queue built from SDL events, the keyboard state, the
// pointer and the one-second timer delivered on the main thread.
#include <cstdlib>
#include <cstring>

#include "platform/sdl/sdl_backend.h"
#include "platform/virtual_keys.h"

namespace sdl {

Backend backend = {};

namespace {

void shutDown() {
  // Leaving SDL gives the display back in the user's own mode on every way out.
  stopFileWatch();
  if (backend.initialised) SDL_Quit();
  backend.initialised = false;
}

// Takes every SDL event waiting now: one pump of the display connection, then the queue
// emptied without pumping again, so events that keep arriving cannot hold the caller.
void drainEvents() {
  SDL_PumpEvents();
  SDL_Event events[64];
  int count = 0;
  while ((count = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
    for (int i = 0; i < count; ++i) translate(events[i]);
  }
}

// Runs on SDL's timer thread: hands the tick to the main thread as an event.
uint32_t timerTick(uint32_t interval, void* param) {
  SDL_Event event = {};
  event.type = backend.timerEvent;
  event.user.code = static_cast<int32_t>(reinterpret_cast<uintptr_t>(param));
  SDL_PushEvent(&event);
  return interval;
}

void stopTimers() {
  for (SDL_TimerID& timer : backend.timers) {
    if (timer != 0) SDL_RemoveTimer(timer);
    timer = 0;
  }
}

}  // namespace

bool initialise() {
  if (backend.initialised) return true;
  // The desktop shows the class name where it shows one (X11 WM_CLASS).
  setenv("SDL_VIDEO_X11_WMCLASS", "Dunmoor Viewer", 0);
  SDL_SetHint(SDL_HINT_APP_NAME, "Dunmoor Viewer");
  // Activation is followed by the window procedure, which switches the mode itself.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Before SDL opens its display connection and before any mode switch.
  startModeWatcher();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
  backend.initialised = true;
  backend.timerEvent = SDL_RegisterEvents(2);
  if (backend.timerEvent == static_cast<uint32_t>(-1)) backend.timerEvent = 0;
  backend.fileChangeEvent = backend.timerEvent == 0 ? 0 : backend.timerEvent + 1;
  std::atexit(shutDown);
  return true;
}

void push(uint32_t message, uint32_t wParam, uint32_t lParam) {
  // With the window gone nothing is left to receive a message; only the quit request is.
  if (backend.window == nullptr) return;
  const bool merges = message == platform::kWmMouseMove || message == platform::kWmSize ||
                      message == platform::kWmFileChanged;
  if (merges && backend.queueCount > 0) {
    const uint32_t last = (backend.queueHead + backend.queueCount - 1) % kQueueCapacity;
    if (backend.queue[last].message == message) {
      backend.queue[last].lParam = lParam;
      return;
    }
  }
  if (backend.queueCount == kQueueCapacity) return;  // a flood drops the newest
  const uint32_t slot = (backend.queueHead + backend.queueCount) % kQueueCapacity;
  backend.queue[slot] = {handleOf(backend.window), message, wParam, lParam};
  ++backend.queueCount;
}

void translate(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    push(platform::kWmClose, 0, 0);
  } else if (event.type == SDL_WINDOWEVENT) {
    switch (event.window.event) {
      case SDL_WINDOWEVENT_CLOSE:
        push(platform::kWmClose, 0, 0);
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        push(platform::kWmActivate, 1, 0);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        push(platform::kWmActivate, 0, 0);
        break;
      case SDL_WINDOWEVENT_EXPOSED:
        push(platform::kWmPaint, 0, 0);
        break;
      case SDL_WINDOWEVENT_SIZE_CHANGED: {
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(backend.window, &width, &height);
        const uint32_t w = static_cast<uint16_t>(width);
        const uint32_t h = static_cast<uint16_t>(height);
        push(platform::kWmSize, 0, w | (h << 16));
        break;
      }
      default:
        break;
    }
  } else if (event.type == SDL_KEYDOWN) {
    // A key pressed with Alt is a system key: not one of the viewer's key commands.
    const uint8_t key = virtualKeyFor(event.key.keysym.scancode);
    const bool withAlt = (event.key.keysym.mod & KMOD_ALT) != 0;
    if (key != 0) push(withAlt ? platform::kWmSysKeyDown : platform::kWmKeyDown, key, 0);
  } else if (event.type == SDL_MOUSEMOTION) {
    const uint32_t x = static_cast<uint16_t>(event.motion.x);
    const uint32_t y = static_cast<uint16_t>(event.motion.y);
    push(platform::kWmMouseMove, 0, x | (y << 16));
  } else if (event.type == backend.timerEvent && backend.timerEvent != 0) {
    push(platform::kWmTimer, static_cast<uint32_t>(event.user.code), 0);
  } else if (event.type == backend.fileChangeEvent && backend.fileChangeEvent != 0) {
    push(platform::kWmFileChanged, 0, 0);
  }
}

bool windowHasFocus() {
  return backend.window != nullptr &&
         (SDL_GetWindowFlags(backend.window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void settleFocusAfterBox(bool hadFocus) {
  if (backend.window == nullptr) return;
  // The desktop may hand the focus back a moment after the box has gone.
  for (int waited = 0; hadFocus && !windowHasFocus() && waited < 250; waited += 10) {
    SDL_PumpEvents();
    SDL_Delay(10);
  }
  SDL_PumpEvents();
  SDL_Event events[64];
  const int count = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  SDL_Event kept[64];
  int keptCount = 0;
  for (int i = 0; i < count; ++i) {
    const uint8_t change = events[i].window.event;
    if (change != SDL_WINDOWEVENT_FOCUS_GAINED && change != SDL_WINDOWEVENT_FOCUS_LOST) {
      kept[keptCount++] = events[i];
    }
  }
  if (keptCount > 0) SDL_PeepEvents(kept, keptCount, SDL_ADDEVENT, 0, 0);
  const bool hasFocus = windowHasFocus();
  if (hasFocus != hadFocus) push(platform::kWmActivate, hasFocus ? 1 : 0, 0);
}

bool quitRequested() {
  return SDL_QuitRequested();
}

void bringToFront(SDL_Window* window) {
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_SetWindowInputFocus(window);
}

platform::WindowHandle handleOf(SDL_Window* window) {
  return reinterpret_cast<platform::WindowHandle>(window);
}

SDL_Window* windowOf(platform::WindowHandle handle) {
  return reinterpret_cast<SDL_Window*>(handle);
}

SDL_Window* windowOf(platform::DeviceContextHandle handle) {
  return reinterpret_cast<SDL_Window*>(handle);
}

}  // namespace sdl

namespace platform {

using sdl::backend;

bool registerWindowClass(const WindowClass& windowClass) {
  if (windowClass.procedure == nullptr || !sdl::initialise()) return false;
  backend.procedure = windowClass.procedure;
  return true;
}

namespace {

WindowHandle makeWindow(const WindowParams& params, uint32_t flags) {
  if (backend.procedure == nullptr || backend.window != nullptr) return nullptr;
  // The window's visual is chosen here: 16-bit colour, 16-bit depth, double-buffered, a
  // compatibility context. A server without such a visual gets the closest one.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 6);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  flags |= SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (params.topMost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  SDL_Window* window =
      SDL_CreateWindow(params.title, params.x, params.y, params.width, params.height, flags);
  if (window == nullptr) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 1);
    window = SDL_CreateWindow(params.title, params.x, params.y, params.width, params.height, flags);
  }
  if (window == nullptr) return nullptr;

  backend.window = window;
  backend.creating = true;
  backend.destroyedWhileCreating = false;
  backend.procedure(sdl::handleOf(window), kWmCreate, 0, 0);
  backend.creating = false;
  if (backend.destroyedWhileCreating) return nullptr;
  return sdl::handleOf(window);
}

}  // namespace

WindowHandle createWindow(const WindowParams& params) {
  return makeWindow(params, SDL_WINDOW_BORDERLESS);
}

WindowHandle createFramedWindow(const WindowParams& params, const WindowFrame& frame) {
  uint32_t flags = 0;
  if (!frame.decorated) flags |= SDL_WINDOW_BORDERLESS;
  if (frame.resizable) flags |= SDL_WINDOW_RESIZABLE;
  // The desktop's own resolution: the window covers the monitor, no mode is switched.
  if (frame.coversDesktop) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  return makeWindow(params, flags);
}

bool getDesktopSize(int32_t* width, int32_t* height) {
  if (!sdl::initialise()) return false;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
  *width = desktop.w;
  *height = desktop.h;
  return true;
}

void showWindow(WindowHandle window, int32_t) {
  SDL_Window* w = sdl::windowOf(window);
  if (w == nullptr) return;
  sdl::bringToFront(w);
}

void updateWindow(WindowHandle) {}

void destroyWindow(WindowHandle window) {
  SDL_Window* w = sdl::windowOf(window);
  if (w == nullptr || w != backend.window) return;
  if (backend.creating) backend.destroyedWhileCreating = true;
  sdl::stopTimers();
  if (backend.procedure != nullptr) backend.procedure(window, kWmDestroy, 0, 0);
  SDL_DestroyWindow(w);
  backend.window = nullptr;
  // Messages still queued for the window die with it, as they do on Windows.
  backend.queueHead = 0;
  backend.queueCount = 0;
}

bool getClientSize(WindowHandle window, int32_t* width, int32_t* height) {
  SDL_Window* w = sdl::windowOf(window);
  if (w == nullptr) return false;
  int w32 = 0;
  int h32 = 0;
  SDL_GL_GetDrawableSize(w, &w32, &h32);
  *width = w32;
  *height = h32;
  return true;
}

void validateWindow(WindowHandle) {}

bool peekMessage() {
  if (!backend.pumpedThisPass) sdl::drainEvents();
  backend.pumpedThisPass = true;
  return backend.queueCount > 0 || backend.quitPosted;
}

bool getMessage(Message* out) {
  for (;;) {
    if (backend.queueCount > 0) {
      *out = backend.queue[backend.queueHead];
      backend.queueHead = (backend.queueHead + 1) % sdl::kQueueCapacity;
      --backend.queueCount;
      return true;
    }
    if (backend.quitPosted) {
      backend.quitPosted = false;
      *out = {sdl::handleOf(backend.window), kWmQuit, 0, 0};
      return false;
    }
    SDL_Event event;
    if (SDL_WaitEvent(&event) != 0) sdl::translate(event);
  }
}

void translateMessage(const Message&) {}

int32_t dispatchMessage(const Message& message) {
  if (backend.procedure == nullptr) return 0;
  return backend.procedure(message.window, message.message, message.wParam, message.lParam);
}

void waitMessage() {
  backend.pumpedThisPass = false;
  if (backend.queueCount > 0 || backend.quitPosted) return;
  SDL_Event event;
  if (SDL_WaitEvent(&event) != 0) sdl::translate(event);
}

void postQuitMessage(int32_t) {
  backend.quitPosted = true;
}

int32_t defaultWindowProc(WindowHandle, uint32_t message, uint32_t wParam, uint32_t) {
  // The desktop's close key combination.
  if (message == kWmSysKeyDown && wParam == kVkF4) sdl::push(kWmClose, 0, 0);
  return 0;
}

bool readKeyboardState(uint8_t state[256]) {
  int count = 0;
  const uint8_t* keys = SDL_GetKeyboardState(&count);
  if (keys == nullptr) return false;
  sdl::fillKeyboardState(keys, count, state);
  const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  if ((buttons & SDL_BUTTON_LMASK) != 0) state[0x01] = 0x80;
  if ((buttons & SDL_BUTTON_RMASK) != 0) state[0x02] = 0x80;
  return true;
}

void setCursorPos(int32_t x, int32_t y) {
  if (backend.window == nullptr) {
    SDL_WarpMouseGlobal(x, y);
    return;
  }
  // Client coordinates: the move this causes arrives at exactly (x, y) wherever the window
  // manager placed the window.
  SDL_WarpMouseInWindow(backend.window, x, y);
}

void showCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool setTimer(WindowHandle window, uint32_t id, uint32_t periodMs) {
  if (window == nullptr || id >= sdl::kMaxTimers || backend.timerEvent == 0) return false;
  // Setting a running timer again restarts it.
  if (backend.timers[id] != 0) SDL_RemoveTimer(backend.timers[id]);
  backend.timers[id] =
      SDL_AddTimer(periodMs, sdl::timerTick, reinterpret_cast<void*>(static_cast<uintptr_t>(id)));
  return backend.timers[id] != 0;
}

}  // namespace platform
