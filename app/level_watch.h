// Live reload: with --watch (or watch=on) the level file is watched, and each change loads
// it again and rebuilds the scene with the camera pose and every setting kept. A file that
// does not load, or that ends before its last section (a save still being written), keeps
// the level on the screen and says why on stderr; the next change tries again.
#pragma once

#include "platform/platform.h"

// Starts watching levelPath; a watch that cannot start is reported on stderr.
void watchLevelFile(platform::WindowHandle window);

// Handles a change of the watched file. In the display mode while the window is inactive the
// reload waits for the window's activation (reloadOnActivation), so the mode is not switched
// behind the user's back.
void reloadWatchedLevel(platform::WindowHandle window);

// Runs a reload that waited for activation, if any.
void reloadOnActivation(platform::WindowHandle window);
