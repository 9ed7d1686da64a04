// The program's entry: registers the window class, creates and shows the one viewer window,
// and runs the main loop until the quit request.
#pragma once

#include <cstdint>

// 1 after a normal end; 0 when the class or the window cannot be created, a failed start-up
// included.
int32_t viewerMain(int32_t showCommand);
