// Per-run frame state shared by the frame and the shell: the frame counter and the
// frames-per-second text, and the path of the level being viewed.
#pragma once

#include <cstdint>

struct FrameStats {
  int32_t frameCount;  // frames begun since the last timer tick
  char fpsText[128];   // "FPS=%03d", empty until the first tick
};

extern FrameStats frameStats;

// Path of the level being viewed; written by the start-up sequence, shown by the help screen.
extern char levelPath[128];
