// The optional configuration file "dunmoor.cfg" in the working directory: the folder the
// open-file dialog starts in, the level file name it proposes, and how the viewer takes the
// screen and whether it follows edits of the level. Nothing about the file is ever reported;
// a line the reader cannot take stops reading and leaves what it has.
#pragma once

#include <cstdint>

inline constexpr uint32_t kViewerPathSize = 256;

struct ViewerPaths {
  char dataDir[kViewerPathSize];   // initial folder of the dialog, default "."
  char dataFile[kViewerPathSize];  // proposed file; receives the chosen full path
};

// How the viewer takes the screen: the 640 x 480 display mode (the default), a window, or
// the whole desktop at its own resolution.
enum class ScreenChoice : int32_t { ModeSwitch, Window, Desktop };

inline constexpr int32_t kLargestWindowSide = 16384;

struct ScreenOptions {
  ScreenChoice screen;
  int32_t windowWidth;  // the window's client size; 0 x 0 for the default size
  int32_t windowHeight;
  bool watch;  // reload the level whenever its file changes
};

// "WxH" with both sides 1..16384 gives that size; "on", "true" or "1" the default size (0 x 0).
// False for anything else, leaving the size untouched.
bool parseWindowSize(const char* text, int32_t* width, int32_t* height);

// Sets the defaults, then reads "dunmoor.cfg". 1 when the file was read to its end, 0 when it
// cannot be opened or reading stopped at a line that is neither a comment nor a known key.
int32_t readConfig(ViewerPaths& paths);

// The same, reading the named file instead of "dunmoor.cfg". With `screen`, also its keys
// window=WxH|on|off, fullscreen=on|off and watch=on|off (a value it cannot read leaves the
// setting as it was); without, those lines are passed over.
int32_t readConfigFile(ViewerPaths& paths, const char* fileName, ScreenOptions* screen = nullptr);
