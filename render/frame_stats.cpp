// Static storage for the frame counter, the frames-per-second text and the level path.
#include "render/frame_stats.h"

FrameStats frameStats = {0, {}};
char levelPath[128] = {};
