// A level named on the command line: its folder and name proposed to the dialog, loaded at
// start without the dialog, and F6 then asks in its folder. Options, misuse and a named path
// too long to load are checked on the real program in the end-to-end runs.
#include "app/command_line.h"

#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

namespace {

// Creates the window with `level` named on the command line.
void createNamed(const char* level) {
  namedLevel = level;
  recording.windowExists = true;
  recording.procedure = viewerWindowProc;
  viewerWindowProc(recordedWindow(), platform::kWmCreate, 0, 0);
  namedLevel = nullptr;
}

}  // namespace

TEST(CommandLineParse, TheNamedLevelsFolderAndNameGoToTheDialog) {
  const struct {
    const char *path, *dir, *file;
  } cases[] = {{"/levels/a.dnl", "/levels", "a.dnl"},
               {"/a.dnl", "/", "a.dnl"},
               {"a.dnl", ".", "a.dnl"},
               {"/levels/", "kept", "kept.dnl"}};  // a folder: the configuration stays
  for (const auto& c : cases) {
    ViewerPaths paths = {"kept", "kept.dnl"};
    proposeNamedLevel(paths, c.path);
    EXPECT_STREQ(paths.dataDir, c.dir) << "folder of \"" << c.path << "\"";
    EXPECT_STREQ(paths.dataFile, c.file) << "name of \"" << c.path << "\"";
  }
  const std::string tooLong = "/" + std::string(kViewerPathSize, 'd') + "/a.dnl";
  ViewerPaths paths = {"kept", "kept.dnl"};
  proposeNamedLevel(paths, tooLong.c_str());
  EXPECT_STREQ(paths.dataDir, "kept") << "a path longer than the folder buffer is not taken";
}

TEST_F(ShellTest, ANamedLevelIsLoadedWithoutAskingAndF6AsksInItsFolder) {
  ASSERT_TRUE(glContextReady());
  createNamed("/named/level.dnl");
  EXPECT_EQ(recording.count("showOpenFileDialog"), 0) << "no dialog at start";
  EXPECT_EQ(recording.count("loadLevel /named/level.dnl"), 1) << "the named level is loaded";
  recording.calls.clear();
  viewerWindowProc(recordedWindow(), platform::kWmKeyDown, kVkF6, 0);
  EXPECT_STREQ(recording.lastDialogRequest.initialDir, "/named") << "F6 asks in its folder";
  EXPECT_EQ(recording.lastDialogProposal, "level.dnl") << "proposing its name";
}
