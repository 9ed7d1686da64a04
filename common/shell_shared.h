// State that several folders read, each item with its one writer:
// - windowActive: written by the window procedure (app); read by the main loop (app) and
//   pointer handling (camera).
// - levelPath: written by the start-up sequence (app); shown by the help screen (render).
// - frameStats.frameCount: counted up by each frame (render), zeroed by the timer tick (app).
// - frameStats.fpsText: written by the timer tick (app); shown by the status line (render).
// - clientArea: written by the window procedure (app) at start and on each resize; read by
//   pointer handling (camera), whose mouse look measures moves from the area's centre.
#pragma once

#include <cstdint>

inline constexpr uint32_t kLevelPathSize = 128;

struct FrameStats {
  int32_t frameCount;  // frames begun since the last timer tick
  char fpsText[128];   // "FPS=%03d", empty until the first tick
};

// Non-zero while the viewer window is the active window.
extern int32_t windowActive;
// Path of the level being viewed.
extern char levelPath[kLevelPathSize];
extern FrameStats frameStats;

// The window's client area in pixels; 640 x 480 until the window says otherwise.
struct ClientArea {
  int32_t width;
  int32_t height;
};
extern ClientArea clientArea;
