// dunmoor-viewer: takes no arguments; its exit status is the main loop's.
#include "app/main_loop.h"

int main() {
  return viewerMain(1);
}
