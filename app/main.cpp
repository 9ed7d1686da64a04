// dunmoor-viewer: the program the backend's entry point runs. It reads the command line
// (--help and --version print and end with 0, a misused one ends with 2), then runs the main
// loop, whose exit status it returns.
#include <cstdio>

#include "app/command_line.h"
#include "app/main_loop.h"
#include "app/shell_state.h"
#include "platform/platform.h"
#include "render/heap_setting.h"

#ifndef DUNMOOR_VERSION
#define DUNMOOR_VERSION "unknown"
#endif

int32_t platform::runProgram(int32_t argumentCount, char** arguments, int32_t showCommand) {
  const CommandLine commandLine = parseCommandLine(argumentCount, arguments);
  switch (commandLine.action) {
    case CommandLineAction::ShowHelp:
      std::fputs(kUsageText, stdout);
      return 0;
    case CommandLineAction::ShowVersion:
      std::puts("dunmoor-viewer " DUNMOOR_VERSION);
      return 0;
    case CommandLineAction::Misuse:
      std::fputs(kUsageText, stderr);
      return 2;
    case CommandLineAction::Run:
      break;
  }
  namedLevel = commandLine.levelPath;
  keepFreedHeapMemory();
  return viewerMain(showCommand);
}
