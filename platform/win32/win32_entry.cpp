// Win32 backend: the process entry of a GUI-subsystem program. The command line comes as the
// C runtime parsed it; the show command goes on to the window.
#include <windows.h>

#include <cstdlib>

#include "platform/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return platform::runProgram(__argc, __argv, showCommand);
}
