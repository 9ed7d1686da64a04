// Shared state of the SDL2 backend of the platform doorway, seen only by the backend's own
// files: the one window, its procedure, the message queue and the key table.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

#include "platform/platform.h"

namespace sdl {

inline constexpr uint32_t kQueueCapacity = 256;
inline constexpr uint32_t kMaxTimers = 4;  // timer ids 0..3

struct Backend {
  bool initialised;
  platform::WindowProc procedure;
  SDL_Window* window;
  bool creating;
  bool destroyedWhileCreating;
  bool quitPosted;
  uint32_t timerEvent;  // SDL user event type that carries a timer tick
  SDL_TimerID timers[kMaxTimers];
  platform::Message queue[kQueueCapacity];
  uint32_t queueHead;
  uint32_t queueCount;
};

extern Backend backend;

// Starts SDL's video and timers once; false when no display can be opened.
bool initialise();

// The virtual-key code of a scancode, 0 for keys the viewer does not use.
uint8_t virtualKeyFor(SDL_Scancode scancode);

// Fills the 256-byte keyboard state from SDL's scancode state through the key table.
void fillKeyboardState(const uint8_t* scancodeState, int scancodeCount, uint8_t state[256]);

// Turns one SDL event into the message it stands for, if any, and queues it.
void translate(const SDL_Event& event);

// True while the viewer window has the keyboard focus.
bool windowHasFocus();

// A modal box takes the focus from the window and gives it back. Those two changes are not
// the user switching windows: they are dropped, so a box shown on activation cannot bring
// itself back for ever. Only a lasting change of focus is delivered, as one activation.
void settleFocusAfterBox(bool hadFocus);

// True when a termination request (SIGINT, SIGTERM) is waiting.
bool quitRequested();

platform::WindowHandle handleOf(SDL_Window* window);
SDL_Window* windowOf(platform::WindowHandle handle);
SDL_Window* windowOf(platform::DeviceContextHandle handle);

}  // namespace sdl
