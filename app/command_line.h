// The viewer's command line, `dunmoor-viewer [OPTIONS] [LEVEL]`, read the same way on every
// platform (the Windows backend passes the file dropped on the program as the argument):
// --help, --version, --window[=WxH], --fullscreen, --watch and --pose X,Y,Z,H,P,B.
#pragma once

#include <cstdint>

#include "app/config_file.h"
#include "camera/camera_pose.h"

struct CommandLine {
  int32_t exitStatus;     // -1: run; otherwise end at once with this status
  const char* levelPath;  // the level named on the command line, null when none
  bool screenGiven;       // --window or --fullscreen chose the screen below
  ScreenChoice screen;
  int32_t windowWidth;  // --window's size, 0 x 0 for the default
  int32_t windowHeight;
  bool watch;
  bool poseGiven;
  CameraPose pose;
};

// Reads argv. --help and --version print on stdout (status 0); misuse names what was wrong
// and prints the usage on stderr (status 2): an unknown option, more than one level, a bad
// size or pose, --window with --fullscreen. "--" ends the options, so a level whose name
// starts with '-' can be named. The level path stays valid until the next call.
CommandLine parseCommandLine(int32_t argumentCount, const char* const* arguments);

// The command line's choices over those of the configuration file.
void applyCommandLine(const CommandLine& commandLine, ScreenOptions* options);

// Makes the dialog of a later F6 start in the named level's folder and propose its name. A
// folder or name that does not fit leaves the configured values.
void proposeNamedLevel(ViewerPaths& paths, const char* levelPath);
