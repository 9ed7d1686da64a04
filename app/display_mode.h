// The viewer's screen mode, 640 x 480 with 16-bit colour, while its window is active, and
// the user's own mode otherwise. A refused switch is reported and the viewer goes on. In a
// window or on the whole desktop neither call touches the mode.
#pragma once

#include <cstdint>

// The message format for a switch result, or null when the result is not reported.
const char* displayModeMessage(int32_t result);

// Requests 640 x 480 x 16; a refusal is shown in an unowned "Error" box.
void enterViewerDisplayMode();

// Returns the screen to the user's own mode; the outcome is not looked at.
void restoreUserDisplayMode();
