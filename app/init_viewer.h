// The start-up sequence: optionally asks for a level file and loads it, then brings up the
// timer, the display mode, a fresh rendering context with glyph lists and the rendering
// state, and puts the pointer and the camera home. Every failure is shown in an "Error" box
// and destroys the window.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr uint32_t kFpsTimerId = 1;
inline constexpr uint32_t kFpsTimerPeriodMs = 1000;

// askForFile exactly 1 shows the dialog and takes the chosen path into levelPath; loadFile
// exactly 1 loads levelPath. A later pass first releases the context of the pass before.
void initViewer(platform::WindowHandle window, platform::OpenFileRequest* request,
                platform::RenderingContextHandle* contextOut, int32_t askForFile, int32_t loadFile);

// The start-up pass for a level named on the command line: takes `path` into levelPath (a
// path that does not fit fails as an unloadable file) and runs the sequence without asking.
void initViewerWithLevel(platform::WindowHandle window, platform::OpenFileRequest* request,
                         platform::RenderingContextHandle* contextOut, const char* path);
