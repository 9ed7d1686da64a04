// Reads the command line with CLI11 and points the open-file dialog at a level named on it.
#include "app/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/program_options.h"

#ifndef DUNMOOR_VERSION
#define DUNMOOR_VERSION "unknown"
#endif

namespace {

// Windows paths may also use a backslash between folders.
#ifdef _WIN32
constexpr bool kBackslashSeparates = true;
#else
constexpr bool kBackslashSeparates = false;
#endif

bool isSeparator(char c) {
  return c == '/' || (kBackslashSeparates && c == '\\');
}

// CLI11 keeps its own copies of the arguments; the level path is kept here for the run.
std::string namedLevelText;

// Misuse found after CLI11's own checks, reported the same way.
int32_t misuse(const CLI::App& app, const char* what) {
  std::fprintf(stderr, "%s: %s\n", app.get_name().c_str(), what);
  std::fputs(app.help().c_str(), stderr);
  return kExitMisuse;
}

}  // namespace

CommandLine parseCommandLine(int32_t argumentCount, const char* const* arguments) {
  CommandLine result = {};
  result.exitStatus = kParsedGoOn;
  if (arguments == nullptr || argumentCount < 1) return result;
  CLI::App app{
      "Shows a level file in 3D, full screen at 640 x 480 unless told otherwise. "
      "Without LEVEL it asks for one.",
      "dunmoor-viewer"};
  declareVersion(app, DUNMOOR_VERSION);
  std::string windowText;
  std::string poseText;
  namedLevelText.clear();
  CLI::Option* window = app.add_flag("--window", windowText,
                                     "a resizable window, WxH pixels of picture (default 1280x720)")
                            ->option_text("[=WxH]");
  bool desktopGiven = false;
  CLI::Option* desktop =
      app.add_flag("--fullscreen", desktopGiven,
                   "the whole desktop at its own resolution, without a mode switch");
  window->excludes(desktop);
  app.add_flag("--watch", result.watch, "reload the level whenever its file changes");
  CLI::Option* pose =
      app.add_option("--pose", poseText, "start pose: position, heading, pitch, bank")
          ->option_text("X,Y,Z,H,P,B");
  CLI::Option* level = app.add_option("LEVEL", namedLevelText, "the level file to show");
  result.exitStatus = parseProgramOptions(app, argumentCount, arguments);
  if (result.exitStatus != kParsedGoOn) return result;

  if (window->count() > 0) {
    if (!parseWindowSize(windowText.c_str(), &result.windowWidth, &result.windowHeight)) {
      result.exitStatus = misuse(app, "--window: the size is not WxH with sides 1 to 16384");
      return result;
    }
    result.screenGiven = true;
    result.screen = ScreenChoice::Window;
  } else if (desktopGiven) {
    result.screenGiven = true;
    result.screen = ScreenChoice::Desktop;
  }
  if (pose->count() > 0) {
    if (!parseCameraPose(poseText.c_str(), &result.pose)) {
      result.exitStatus = misuse(app, "--pose: not six numbers X,Y,Z,H,P,B");
      return result;
    }
    result.poseGiven = true;
  }
  if (level->count() > 0) result.levelPath = namedLevelText.c_str();
  return result;
}

void applyCommandLine(const CommandLine& commandLine, ScreenOptions* options) {
  if (commandLine.screenGiven) {
    options->screen = commandLine.screen;
    options->windowWidth = commandLine.windowWidth;
    options->windowHeight = commandLine.windowHeight;
  }
  if (commandLine.watch) options->watch = true;
}

void proposeNamedLevel(ViewerPaths& paths, const char* levelPath) {
  if (levelPath == nullptr) return;
  const size_t length = strnlen(levelPath, kViewerPathSize);
  if (length == 0 || length >= kViewerPathSize) return;
  size_t nameStart = 0;
  for (size_t i = 0; i < length; ++i) {
    if (isSeparator(levelPath[i])) nameStart = i + 1;
  }
  if (nameStart == length) return;  // names a folder, not a file
  // The folder keeps its separator only when it is the root.
  const size_t folderLength = nameStart == 0 ? 0 : (nameStart == 1 ? 1 : nameStart - 1);
  if (folderLength == 0) {
    std::memcpy(paths.dataDir, ".", 2);
  } else {
    std::memcpy(paths.dataDir, levelPath, folderLength);
    paths.dataDir[folderLength] = '\0';
  }
  std::memcpy(paths.dataFile, levelPath + nameStart, length - nameStart);
  paths.dataFile[length - nameStart] = '\0';
}
