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
  uint32_t timerEvent;       // SDL user event type that carries a timer tick
  uint32_t fileChangeEvent;  // SDL user event type that says the watched file changed
  SDL_TimerID timers[kMaxTimers];
  platform::Message queue[kQueueCapacity];
  uint32_t queueHead;
  uint32_t queueCount;
  // Set once the main loop's pass has taken the waiting SDL events; a frame or a wait clears
  // it. Events that arrive while the pass handles its messages wait for the next pass, so a
  // stream of pointer moves cannot keep the loop from drawing or from taking Esc.
  bool pumpedThisPass;
};

extern Backend backend;

// Starts SDL's video and timers once; false when no display can be opened.
bool initialise();

// The virtual-key code of a scancode, 0 for keys the viewer does not use.
uint8_t virtualKeyFor(SDL_Scancode scancode);

// Fills the 256-byte keyboard state from SDL's scancode state through the key table.
void fillKeyboardState(const uint8_t* scancodeState, int scancodeCount, uint8_t state[256]);

// True while the viewer window has the keyboard focus.
bool windowHasFocus();

// Shows and raises the window and gives it the keyboard: without a window manager nobody
// else does, after it is first shown or after a dialog or box took the front.
void bringToFront(SDL_Window* window);

// A modal box takes the focus from the window and gives it back. Those two changes are not
// the user switching windows: they are dropped, so a box shown on activation cannot bring
// itself back for ever. Only a lasting change of focus is delivered, as one activation.
void settleFocusAfterBox(bool hadFocus);

// Queues a message for the viewer window. Consecutive pointer moves are merged into the
// latest, as the desktop does, so a flood of moves takes one slot.
void push(uint32_t message, uint32_t wParam, uint32_t lParam);

// Turns one SDL event into the message it stands for, if any, and queues it.
void translate(const SDL_Event& event);

// Forks the watcher that restores the user's screen layout if the viewer ends without doing
// so (SIGKILL, a crash). Called once before any mode switch; without RandR it does nothing.
void startModeWatcher();

// Tells the watcher whether the viewer's mode is now set (true) or the user's is back.
void reportDisplayMode(bool changed);

// Ends the file watch, if any (also at exit).
void stopFileWatch();

// True when a termination request (SIGINT, SIGTERM) is waiting.
bool quitRequested();

platform::WindowHandle handleOf(SDL_Window* window);
SDL_Window* windowOf(platform::WindowHandle handle);
SDL_Window* windowOf(platform::DeviceContextHandle handle);

}  // namespace sdl
