// dunmoor-viewer: the program the backend's entry point runs; its exit status is the main
// loop's.
#include "app/main_loop.h"
#include "platform/platform.h"
#include "render/heap_setting.h"

int32_t platform::runProgram(int32_t, char**, int32_t showCommand) {
  keepFreedHeapMemory();
  return viewerMain(showCommand);
}
