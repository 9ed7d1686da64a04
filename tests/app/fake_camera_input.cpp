// Temporary stand-ins for the camera functions the shell calls, until the camera lands.
#include "camera/camera.h"
#include "camera/navigation.h"
#include "level/level_geometry.h"
#include "tests/support/recording_platform.h"

int32_t windowActive = 0;

void moveCamera(int32_t op, float) {
  recording.calls.emplace_back("moveCamera");
  if (op == Roll && camera.resetPending == 1) {
    camera.position[0] = levelGeometry.startX;
    camera.position[1] = levelGeometry.startY;
    camera.position[2] = levelGeometry.startZ;
    camera.resetPending = 0;
  }
}

void pollNavigationKeys() {
  recording.calls.emplace_back("pollNavigationKeys");
}

void handlePointerMove(int32_t x, int32_t y) {
  if (windowActive == 0) return;
  if (x == 320 && y == 240) return;
  platform::setCursorPos(320, 240);
}
