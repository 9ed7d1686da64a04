// Static storage for the state shared between the shell, the camera and the renderer.
#include "common/shell_shared.h"

int32_t windowActive = 0;
char levelPath[kLevelPathSize] = {};
FrameStats frameStats = {0, {}};
ClientArea clientArea = {640, 480};
