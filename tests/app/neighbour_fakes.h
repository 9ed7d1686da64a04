// Recording stand-ins for the loader and the renderer that the shell calls, so the shell's
// tests run without level files or a window; and one real OpenGL context (EGL, surfaceless)
// in which the shell's own GL switches can be read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/platform/platform.h"

struct NeighbourRecord {
  bool loadSucceeds = true;
  std::vector<std::string> loadedPaths;
  int32_t setupCount = 0;
  int32_t setupWidth = 0, setupHeight = 0;
  int32_t renderCount = 0;
  int32_t releaseCount = 0;
  std::vector<platform::RenderingContextHandle> releasedIn;  // context current at release
};

extern NeighbourRecord neighbours;

// Zeroes the record and the shared shell, camera and frame state the tests look at.
void resetNeighbours();

// Makes the one test OpenGL context current; false when none can be made.
bool makeTestGlContextCurrent();
