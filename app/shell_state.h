// The shell's own state for the whole run: the configured paths, the open-file request, the
// window's device and rendering contexts, and the buffer failure messages are formatted in.
#pragma once

#include <cstdint>

#include "app/config_file.h"
#include "platform/platform.h"

// Long enough for the load-failure message with the longest path the dialog can return.
inline constexpr uint32_t kMessageTextSize = 384;

extern ViewerPaths viewerPaths;
extern platform::OpenFileRequest openFileRecord;
extern platform::DeviceContextHandle deviceContext;
extern platform::RenderingContextHandle renderingContext;
extern char messageText[kMessageTextSize];
// The level named on the command line, loaded at start instead of asking; null when none.
// Written once by the program's entry before the window is made.
extern const char* namedLevel;

// How the viewer takes the screen and whether it watches the level file: the configuration
// file's settings under the command line's. Written once by the program's entry.
extern ScreenOptions screenOptions;

// Points the open-file request at the configured paths, owned by `window`.
void setupOpenFileRequest(platform::WindowHandle window);
