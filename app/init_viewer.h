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

// The part of a pass that makes the rendering context: releases the pass before, enters the
// display mode, sets the pixel format, makes the context current with glyph lists for the
// client area and sets up rendering for it. A failure is shown and destroys the window
// (false). Leaves the camera and the pointer alone.
bool bringUpRendering(platform::WindowHandle window, platform::RenderingContextHandle* contextOut);

// The glyph height the current lists were built at.
extern int32_t builtGlyphHeight;

// Takes a new client size: the projection follows it, and in a window or on the desktop the
// glyph lists are built again when the size calls for another glyph height.
void fitToClientArea(int32_t width, int32_t height);

// The start-up pass for a level named on the command line: takes `path` into levelPath (a
// path that does not fit fails as an unloadable file) and runs the sequence without asking.
void initViewerWithLevel(platform::WindowHandle window, platform::OpenFileRequest* request,
                         platform::RenderingContextHandle* contextOut, const char* path);
