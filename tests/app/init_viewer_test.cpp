// The start-up sequence: the order of a full pass, rebuilds that skip the dialog and load and
// release what the pass before made, the failure table with its messages and box owners, and
// the display-mode result table.
#include <GL/gl.h>

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
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{
                "showOpenFileDialog", "loadLevel /levels/sample.dnl", "setTimer 1 1000",
                "getDeviceContext", "changeDisplayMode 640x480x16",
                "choosePixelFormat colour=16 depth=16 double=1", "setPixelFormat 1",
                "createRenderingContext", "makeCurrent context", "buildGlyphLists 0 255 1000",
                "setupRendering 638x478", "setCursorPos 320 240"}));
  EXPECT_TRUE(camera.resetPending == 0 && camera.position[0] == 512.0f);
  EXPECT_TRUE(renderingContext != nullptr && recording.currentContext == renderingContext);
  EXPECT_TRUE(recording.messageBoxes.empty() && recording.windowExists);
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
  pass(0, 0);
  EXPECT_EQ(camera.position[2], -3.0f);
  pass(2, -1);  // only exactly 1 asks or loads
  pass(0, 1);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(recording.count("loadLevel /levels/sample.dnl"), 2);
  for (int i = 0; i < 100; ++i) pass(0, 0);
  EXPECT_EQ(recording.count("setCursorPos 320 240"), 104);
  EXPECT_EQ(recording.liveRenderingContexts + recording.liveDeviceContexts, 2);
  // Each release ran in the context of the pass it belongs to, never in the new one.
  ASSERT_EQ(neighbours.releasedIn.size(), 103u);
  for (auto context : neighbours.releasedIn) EXPECT_NE(context, renderingContext);
  EXPECT_EQ(std::count(neighbours.releasedIn.begin(), neighbours.releasedIn.end(), nullptr), 0);
  EXPECT_EQ(recording.currentContext, renderingContext);
}

TEST_F(InitViewerTest, NewContextGetsFogAndCullingAsTheSettingsSay) {
  ASSERT_TRUE(glContextReady());
  // Every context the double makes current starts like a new one: both off.
  recording.onMakeCurrent = [] {
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
  };
  viewSettings.fogOn = viewSettings.cullOn = 1;
  pass(0, 0);
  EXPECT_TRUE(glIsEnabled(GL_FOG) && glIsEnabled(GL_CULL_FACE));
  viewSettings.fogOn = 0;
  pass(0, 0);
  EXPECT_TRUE(!glIsEnabled(GL_FOG) && glIsEnabled(GL_CULL_FACE));
}

TEST_F(InitViewerTest, EachFailureShowsItsMessageAndDestroysTheWindow) {
  const std::string broken = "/levels/broken.dnl", tooLong = "/" + std::string(250, 'q') + ".dnl";
  const std::string wayTooLong = "/" + std::string(400, 'r') + ".dnl";  // longer than the dialog
  const std::string loadFailure = " level file or the data file is invalid/corrupted";
  const struct {
    void (*arrange)();
    std::string dialogPath, message, lastCall;  // lastCall: the last call before the box
    bool owned;
  } rows[] = {
      {[] { recording.dialogAccepts = false; }, broken, "Failed to select a DNM level file",
       "showOpenFileDialog", true},
      {[] { neighbours.loadSucceeds = false; }, broken, "Failed to open " + broken + loadFailure,
       "loadLevel " + broken, true},
      {[] { recording.timerSucceeds = false; }, broken, "Failed to SetTimer", "setTimer 1 1000",
       true},
      {[] { recording.pixelFormat = 0; }, broken, "ChoosePixelFormat failed",
       "choosePixelFormat colour=16 depth=16 double=1", false},
      {[] { recording.setPixelFormatSucceeds = false; }, broken, "SetPixelFormat failed",
       "setPixelFormat 1", false},
      // A path that does not fit is never cut into another path and loaded.
      {[] {}, tooLong, "Failed to open " + tooLong + loadFailure, "showOpenFileDialog", true},
      {[] {}, wayTooLong, "Failed to open " + wayTooLong.substr(0, 252) + "..." + loadFailure,
       "showOpenFileDialog", true},
  };
  for (const auto& row : rows) {
    SetUp();
    recording.dialogPath = row.dialogPath;
    row.arrange();
    pass(1, 1);
    ASSERT_EQ(recording.messageBoxes.size(), 1u) << row.message;
    const RecordedMessageBox& box = recording.messageBoxes[0];
    EXPECT_TRUE(box.text == row.message && messageText == row.message) << box.text;
    EXPECT_TRUE(box.title == "Error" && box.owned == row.owned) << row.message;
    const auto shown = std::find(recording.calls.begin(), recording.calls.end(), "showMessageBox");
    EXPECT_EQ(*(shown - 1), row.lastCall);
    EXPECT_EQ(recording.calls.back(), "destroyWindow");
    EXPECT_FALSE(recording.windowExists);
    EXPECT_EQ(recording.count("createRenderingContext") + recording.count("setupRendering"), 0);
    EXPECT_EQ(camera.resetPending, 1);
    EXPECT_TRUE(row.dialogPath == broken || recording.count("loadLevel") + levelPath[0] == 0);
  }
}

TEST_F(ShellTest, DisplayModeResultsShowTheirRowOrNothing) {
  const char* const rows[] = {
      "Return=-4, An invalid set of flags was passed in.\n",
      "Return=-3, Unable to write settings to the registry.\n",
      "Return=-2, The graphics mode is not supported.\n",
      "Return=-1, The display driver failed the specified graphics mode.\n",
      nullptr,
      "Return=1, The computer must be restarted in order for the graphics mode to work.\n"};
  for (int32_t result : {-4, -3, -2, -1, 0, 1, -5, 2, INT32_MIN}) {
    resetRecording();
    recording.displayModeResult = result;
    enterViewerDisplayMode();
    const char* message = result >= -4 && result <= 1 ? rows[result + 4] : nullptr;
    EXPECT_EQ(recording.calls.at(0), "changeDisplayMode 640x480x16");
    ASSERT_EQ(recording.messageBoxes.size(), message != nullptr ? 1u : 0u) << result;
    if (message == nullptr) continue;
    EXPECT_EQ(recording.messageBoxes[0].text, message);
    EXPECT_FALSE(recording.messageBoxes[0].owned || recording.messageBoxes[0].title != "Error");
  }
  resetRecording();
  recording.displayModeResult = -2;
  restoreUserDisplayMode();
  EXPECT_EQ(recording.calls, std::vector<std::string>{"changeDisplayMode restore"});
  EXPECT_TRUE(recording.messageBoxes.empty());
}
