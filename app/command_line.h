// The viewer's command line, `dunmoor-viewer [LEVEL]` with --help and --version, read the
// same way on every platform (the Windows backend passes the file dropped on the program as
// the argument). The arguments are untrusted: nothing here copies them.
#pragma once

#include <cstdint>

#include "app/config_file.h"

enum class CommandLineAction { Run, ShowHelp, ShowVersion, Misuse };

struct CommandLine {
  CommandLineAction action;
  const char* levelPath;  // the level named on the command line, null when none
};

inline constexpr const char* kUsageText =
    "Usage: dunmoor-viewer [LEVEL]\n"
    "Shows a level file in 3D, full screen. Without LEVEL it asks for one.\n"
    "  --help     show this text and end\n"
    "  --version  show the version and end\n";

// Reads argv. "--" ends the options, so a level whose name starts with '-' can be named.
// More than one level, or an option it does not know, is Misuse.
CommandLine parseCommandLine(int32_t argumentCount, const char* const* arguments);

// Makes the dialog of a later F6 start in the named level's folder and propose its name. A
// folder or name that does not fit leaves the configured values.
void proposeNamedLevel(ViewerPaths& paths, const char* levelPath);
