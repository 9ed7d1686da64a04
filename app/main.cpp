// dunmoor-viewer: the program the backend's entry point runs. It reads the command line
// (--help and --version print and end with 0, a misused one ends with 2) and the screen
// settings of the configuration file, under the command line's, then runs the main loop,
// whose exit status it returns.
#include "app/command_line.h"
#include "app/main_loop.h"
#include "app/shell_state.h"
#include "camera/camera_pose.h"
#include "platform/platform.h"
#include "render/heap_setting.h"

int32_t platform::runProgram(int32_t argumentCount, char** arguments, int32_t showCommand) {
  const CommandLine commandLine = parseCommandLine(argumentCount, arguments);
  if (commandLine.exitStatus >= 0) return commandLine.exitStatus;
  ViewerPaths configuredPaths = {};
  readConfigFile(configuredPaths, "dunmoor.cfg", &screenOptions);
  applyCommandLine(commandLine, &screenOptions);
  if (commandLine.poseGiven) setResetPose(&commandLine.pose);
  namedLevel = commandLine.levelPath;
  keepFreedHeapMemory();
  return viewerMain(showCommand);
}
