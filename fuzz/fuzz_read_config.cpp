// libFuzzer target: the input becomes "dunmoor.cfg" in a private temporary working
// directory and goes through readConfig, the viewer's own entry, and the read of its screen
// keys. Both paths must come back NUL-terminated inside their buffers, a window size within
// its bounds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/config_file.h"

namespace {

char folder[] = "/tmp/dunmoor-fuzz-cfg-XXXXXX";

// Leaves nothing behind in the temporary folder when the run ends.
void removeFolder() {
  unlink("dunmoor.cfg");
  rmdir(folder);
}

bool terminatedInside(const char* buffer) {
  return memchr(buffer, '\0', kViewerPathSize) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) abort();
  atexit(removeFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = fopen("dunmoor.cfg", "wb");
  if (file == nullptr) abort();
  if ((size > 0 && fwrite(data, 1, size, file) != size) || fclose(file) != 0) abort();
  static ViewerPaths paths;
  memset(&paths, 0x5A, sizeof paths);  // no terminator left over from an earlier run
  const int32_t status = readConfig(paths);
  if (status != 0 && status != 1) __builtin_trap();
  // The screen keys, read by the program's entry from the same file.
  ScreenOptions screen = {ScreenChoice::ModeSwitch, 0, 0, false};
  readConfigFile(paths, "dunmoor.cfg", &screen);
  if (screen.windowWidth < 0 || screen.windowWidth > kLargestWindowSide) __builtin_trap();
  if (screen.windowHeight < 0 || screen.windowHeight > kLargestWindowSide) __builtin_trap();
  if (!terminatedInside(paths.dataDir) || !terminatedInside(paths.dataFile)) __builtin_trap();
  return 0;
}
