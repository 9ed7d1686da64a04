// The start-up sequence: the order of a full pass, rebuilds that skip the dialog and load and
// release what the pass before made, the failure table with its messages and box owners, and
// the display-mode result table. Fog and culling on a new context: see the window script.
#include <algorithm>
#include <cstring>

#include "app/display_mode.h"
#include "app/init_viewer.h"
#include "tests/app/neighbour_fakes.h"

class InitViewerTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    recording.windowExists = true;
    std::strcpy(viewerPaths.dataDir, "/levels");
    std::strcpy(viewerPaths.dataFile, "jungle.dnl");
    setupOpenFileRequest(recordedWindow());
  }
  static void pass(int32_t ask, int32_t load) {
    initViewer(recordedWindow(), &openFileRecord, &renderingContext, ask, load);
  }
};

TEST_F(InitViewerTest, FullPassRunsEveryStepInOrderAndRemembersTheChoice) {
  levelGeometry.startX = 512.0f;
  pass(1, 1);
  EXPECT_EQ(callList(),
            "showOpenFileDialog, loadLevel /levels/sample.dnl, setTimer 1 1000, getDeviceContext, "
            "changeDisplayMode 640x480x16, choosePixelFormat colour=16 depth=16 double=1, "
            "setPixelFormat 1, createRenderingContext, makeCurrent context, "
            "buildGlyphLists 0 255 1000, setupRendering 638x478, setCursorPos 320 240");
  EXPECT_TRUE(camera.resetPending == 0 && camera.position[0] == 512.0f && recording.windowExists);
  EXPECT_TRUE(renderingContext != nullptr && recording.currentContext == renderingContext);
  const platform::OpenFileRequest& r = recording.lastDialogRequest;
  EXPECT_EQ(std::string(r.filterLabel) + "|" + r.filterPattern + "|" + r.initialDir + "|" +
                recording.lastDialogProposal,
            "DNL Files|*.dnl|/levels|jungle.dnl");
  EXPECT_TRUE(r.owner == recordedWindow() && r.filterIndex == 1 && r.fileNameCapacity == 256);
  recording.dialogPath = "/" + std::string(122, 'p') + ".dnl";  // 127: the longest that fits
  pass(1, 1);
  EXPECT_EQ(recording.lastDialogProposal, "/levels/sample.dnl");
  EXPECT_EQ(levelPath, recording.dialogPath);
  EXPECT_EQ(recording.count("loadLevel " + recording.dialogPath), 1);
}

TEST_F(InitViewerTest, RebuildsSkipDialogAndLoadAndReleaseThePassBefore) {
  pass(1, 1);
  levelGeometry.startZ = -3.0f;
  pass(2, -1);  // only exactly 1 asks or loads
  EXPECT_EQ(camera.position[2], -3.0f);
  pass(0, 1);
  for (int i = 0; i < 100; ++i) {
    recording.currentContext = nullptr;  // as if another thread's context were current
    pass(0, 0);
  }
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(recording.count("loadLevel /levels/sample.dnl"), 2);
  EXPECT_EQ(recording.count("setCursorPos 320 240"), 103);
  EXPECT_EQ(recording.liveRenderingContexts + recording.liveDeviceContexts, 2);
  // Each release ran in the context of the pass it belongs to, never in the new one.
  ASSERT_EQ(neighbours.releasedIn.size(), 102u);
  for (auto context : neighbours.releasedIn) EXPECT_TRUE(context && context != renderingContext);
  EXPECT_EQ(recording.currentContext, renderingContext);
}

TEST_F(InitViewerTest, EachFailureShowsItsMessageAndDestroysTheWindow) {
  const std::string tooLong = "/" + std::string(123, 'q') + ".dnl";  // 128: one too many
  const std::string wayTooLong = "/" + std::string(400, 'r') + ".dnl";
  const std::string loaded = "showOpenFileDialog, loadLevel /levels/sample.dnl, ";
  const std::string formatChosen = loaded +
                                   "setTimer 1 1000, getDeviceContext, changeDisplayMode "
                                   "640x480x16, choosePixelFormat colour=16 depth=16 double=1, ";
  const std::string end = " level file or the data file is invalid/corrupted, destroyWindow";
  const struct {
    void (*arrange)();
    std::string dialogPath, calls;
  } rows[] = {
      {[] { recording.dialogAccepts = false; }, "",
       "showOpenFileDialog, showMessageBox owned Error: Failed to select a DNM level file, "
       "destroyWindow"},
      {[] { neighbours.loadSucceeds = false; }, "",
       loaded + "showMessageBox owned Error: Failed to open /levels/sample.dnl" + end},
      {[] { recording.timerSucceeds = false; }, "",
       loaded + "setTimer 1 1000, showMessageBox owned Error: Failed to SetTimer, destroyWindow"},
      {[] { recording.pixelFormat = 0; }, "",
       formatChosen + "showMessageBox free Error: ChoosePixelFormat failed, destroyWindow"},
      {[] { recording.setPixelFormatSucceeds = false; }, "",
       formatChosen + "setPixelFormat 1, showMessageBox free Error: SetPixelFormat failed, " +
           "destroyWindow"},
      // A path that does not fit is never cut into another path and loaded.
      {[] {}, tooLong,
       "showOpenFileDialog, showMessageBox owned Error: Failed to open " + tooLong + end},
      {[] {}, wayTooLong,
       "showOpenFileDialog, showMessageBox owned Error: Failed to open " +
           wayTooLong.substr(0, 252) + "..." + end},
  };
  for (const auto& row : rows) {
    SetUp();
    if (!row.dialogPath.empty()) recording.dialogPath = row.dialogPath;
    row.arrange();
    pass(1, 1);
    EXPECT_EQ(callList(), row.calls);
    EXPECT_NE(row.calls.find(messageText), std::string::npos) << messageText;
    EXPECT_TRUE(!recording.windowExists && camera.resetPending == 1);
    EXPECT_TRUE(levelPath[0] == '\0' || std::string(levelPath) == "/levels/sample.dnl");
  }
}

TEST_F(ShellTest, DisplayModeResultsShowTheirRowOrNothing) {
  const char* const rows[] = {
      "Return=-4, An invalid set of flags was passed in.\n",
      "Return=-3, Unable to write settings to the registry.\n",
      "Return=-2, The graphics mode is not supported.\n",
      "Return=-1, The display driver failed the specified graphics mode.\n",
      "",
      "Return=1, The computer must be restarted in order for the graphics mode to work.\n"};
  for (int32_t result : {-4, -3, -2, -1, 0, 1, -5, 2, INT32_MIN}) {
    resetRecording();
    recording.displayModeResult = result;
    enterViewerDisplayMode();
    const std::string message = result >= -4 && result <= 1 ? rows[result + 4] : "";
    EXPECT_EQ(callList(), "changeDisplayMode 640x480x16" +
                              (message.empty() ? "" : ", showMessageBox free Error: " + message));
  }
  resetRecording();
  recording.displayModeResult = -2;
  restoreUserDisplayMode();
  EXPECT_EQ(callList(), "changeDisplayMode restore");
}
