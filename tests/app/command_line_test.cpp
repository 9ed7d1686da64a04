// The command line: the options and their exit statuses, and the folder and name of a named
// level proposed to the dialog for F6. Where the texts go, a named level loaded without the
// dialog and F6 asking in its folder are checked on the real program in the end-to-end runs.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CommandLineParse, TheNamedLevelsFolderAndNameGoToTheDialog) {
  // A folder, and a path longer than the folder buffer: the configuration stays.
  const std::string tooLong = std::string("/").append(kViewerPathSize, 'd') + "/a.dnl";
  const struct {
    std::string path;
    const char *dir, *file;
  } cases[] = {{"/levels/a.dnl", "/levels", "a.dnl"},
               {"/a.dnl", "/", "a.dnl"},
               {"a.dnl", ".", "a.dnl"},
               {"/levels/", "kept", "kept.dnl"},
               {tooLong, "kept", "kept.dnl"}};
  for (const auto& c : cases) {
    ViewerPaths paths = {"kept", "kept.dnl"};
    proposeNamedLevel(paths, c.path.c_str());
    EXPECT_STREQ(paths.dataDir, c.dir) << "folder of \"" << c.path << "\"";
    EXPECT_STREQ(paths.dataFile, c.file) << "name of \"" << c.path << "\"";
  }
}

// The options: exit statuses, the screen chosen, the watch, the pose and the level named.
TEST(CommandLineParse, OptionsAndMisuse) {
  using enum ScreenChoice;
  const struct {
    std::vector<const char*> arguments;
    int32_t status;  // -1: run
    ScreenChoice screen;
    int32_t width, height;
    bool watch, pose;
    const char* level;
  } cases[] = {
      {{}, -1, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--window", "a.dnl"}, -1, Window, 0, 0, false, false, "a.dnl"},
      {{"--window=800x600", "--watch"}, -1, Window, 800, 600, true, false, nullptr},
      {{"--fullscreen", "--pose", "1,-2,3,90,0,180"}, -1, Desktop, 0, 0, false, true, nullptr},
      {{"--", "-a.dnl"}, -1, ModeSwitch, 0, 0, false, false, "-a.dnl"},
      {{"a.dnl", "-h"}, 0, ModeSwitch, 0, 0, false, false, nullptr},
      {{"a.dnl", "b.dnl"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--verbose"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--window", "--fullscreen"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--window=800x0"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--pose", "1,2,3"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
      {{"--pose", "1,2,3,4,5,inf"}, 2, ModeSwitch, 0, 0, false, false, nullptr},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"dunmoor-viewer"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    std::string shown;
    for (const char* a : c.arguments) shown += std::string(a) + " ";
    const CommandLine line = parseCommandLine(static_cast<int32_t>(argv.size()), argv.data());
    EXPECT_EQ(line.exitStatus, c.status) << "status: " << shown;
    if (c.status != -1) continue;
    ScreenOptions options = {ModeSwitch, 0, 0, false};
    applyCommandLine(line, &options);
    EXPECT_EQ(options.screen, c.screen) << "screen: " << shown;
    EXPECT_EQ(options.windowWidth, c.width) << "width: " << shown;
    EXPECT_EQ(options.windowHeight, c.height) << "height: " << shown;
    EXPECT_EQ(options.watch, c.watch) << "watch: " << shown;
    EXPECT_EQ(line.poseGiven, c.pose) << "pose: " << shown;
    EXPECT_STREQ(line.levelPath, c.level) << "level: " << shown;
  }
}
