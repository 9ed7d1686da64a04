// The optional configuration file "dunmoor.cfg" in the working directory: the folder the
// open-file dialog starts in and the level file name it proposes. Nothing about the file is
// ever reported; a line the reader cannot take stops reading and leaves what it has.
#pragma once

#include <cstdint>

inline constexpr uint32_t kViewerPathSize = 256;

struct ViewerPaths {
  char dataDir[kViewerPathSize];   // initial folder of the dialog, default "."
  char dataFile[kViewerPathSize];  // proposed file; receives the chosen full path
};

// Sets the defaults, then reads "dunmoor.cfg". 1 when the file was read to its end, 0 when it
// cannot be opened or reading stopped at a line that is neither a comment nor a known key.
int32_t readConfig(ViewerPaths& paths);

// The same, reading the named file instead of "dunmoor.cfg".
int32_t readConfigFile(ViewerPaths& paths, const char* fileName);
