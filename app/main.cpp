// dunmoor-viewer: takes no arguments; its exit status is the main loop's.
#include "app/main_loop.h"
#include "render/heap_setting.h"

int main() {
  keepFreedHeapMemory();
  return viewerMain(1);
}
