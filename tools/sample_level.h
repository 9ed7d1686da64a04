// The demonstration level: a hall with a raised, railed platform, a corridor, a pillared
// room and a side chamber with a pyramid, on five procedural texture pages, with a start
// item that looks into the hall. The same description serves both layouts.
#pragma once

#include "tools/dnl_writer.h"

DnlLevel buildSampleLevel(LevelLayout layout);
