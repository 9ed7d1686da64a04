// The command line: options, one level, misuse; a named level is loaded at start without
// the dialog, a named path too long for the level path fails as an unloadable file, and F6
// then asks in the named level's folder.
#include "app/command_line.h"

#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

namespace {

CommandLine parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "dunmoor-viewer");
  return parseCommandLine(static_cast<int32_t>(arguments.size()), arguments.data());
}

// Creates the window with `level` named on the command line.
void createNamed(const char* level) {
  namedLevel = level;
  recording.windowExists = true;
  recording.procedure = viewerWindowProc;
  viewerWindowProc(recordedWindow(), platform::kWmCreate, 0, 0);
  namedLevel = nullptr;
}

}  // namespace

TEST(CommandLineParse, OptionsLevelsAndMisuse) {
  EXPECT_EQ(parse({}).action, CommandLineAction::Run) << "no argument runs";
  EXPECT_EQ(parse({}).levelPath, nullptr) << "and asks for a level";
  EXPECT_STREQ(parse({"a.dnl"}).levelPath, "a.dnl") << "one level is named";
  EXPECT_EQ(parse({"a.dnl", "-h"}).action, CommandLineAction::ShowHelp) << "help after a level";
  EXPECT_EQ(parse({"--verbose"}).action, CommandLineAction::Misuse) << "an unknown option";
  EXPECT_EQ(parse({"a.dnl", "b.dnl"}).action, CommandLineAction::Misuse) << "two levels";
  EXPECT_STREQ(parse({"--", "-odd.dnl"}).levelPath, "-odd.dnl") << "-- ends the options";
  EXPECT_EQ(parseCommandLine(3, nullptr).action, CommandLineAction::Run) << "no argument list";
  const char* cut[] = {"dunmoor-viewer", nullptr, "b.dnl"};
  EXPECT_EQ(parseCommandLine(3, cut).levelPath, nullptr) << "reading stops at a null argument";
}

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

TEST_F(ShellTest, ANamedPathLongerThanTheLevelPathFailsAsAnUnloadableFile) {
  ASSERT_TRUE(glContextReady());
  const std::string path = "/" + std::string(140, 'd') + "/level.dnl";
  createNamed(path.c_str());
  EXPECT_EQ(recording.count("loadLevel"), 0) << "a cut path is never loaded";
  EXPECT_EQ(recording.count("showMessageBox owned Error: Failed to open " + path), 1)
      << "the load failure names the whole path";
  EXPECT_EQ(recording.count("destroyWindow"), 1) << "and the start-up ends";
}
