// The viewer window's procedure: creation runs the configuration read and the start-up
// sequence; activation switches the display mode and the pointer; key-downs are the
// viewer's commands; the timer makes the frames-per-second text; close, destroy and Esc end.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Returns 1 for every message it handles; the rest go to the platform's default processing.
int32_t viewerWindowProc(platform::WindowHandle window, uint32_t message, uint32_t wParam,
                         uint32_t lParam);
