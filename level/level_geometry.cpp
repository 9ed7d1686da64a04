// Static storage for the level store: zero-initialised at program start and never freed.
#include "level/level_geometry.h"

LevelGeometry levelGeometry;
