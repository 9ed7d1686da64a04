// The start-up sequence: the order of a full pass, rebuilds that skip the dialog and load and
// release what the pass before made, and each failure with its message and box owner.
#include "app/init_viewer.h"
#include "app/display_mode.h"
#include "tests/app/neighbour_fakes.h"

class InitViewerTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    recording.windowExists = true;
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
            "buildGlyphLists 0 255 1000, setupRendering 638x478, setCursorPos 320 240")
      << "the steps of a full pass in order";
  EXPECT_EQ(camera.position[0], 512.0f) << "the camera at the start pose";
  // The filter, folder and name the dialog gets are seen by a real dialog program in the
  // desktop end-to-end runs.
  EXPECT_EQ(recording.lastDialogRequest.owner, recordedWindow()) << "the dialog's owner";
  recording.dialogPath = "/" + std::string(122, 'p') + ".dnl";  // 127: the longest that fits
  pass(1, 1);
  EXPECT_EQ(recording.lastDialogProposal, "/levels/sample.dnl") << "the last choice proposed";
  EXPECT_EQ(levelPath, recording.dialogPath) << "a 127-character path kept whole";
  EXPECT_EQ(recording.count("loadLevel " + recording.dialogPath), 1) << "and loaded";
}

TEST_F(InitViewerTest, RebuildsSkipDialogAndLoadAndReleaseThePassBefore) {
  pass(1, 1);
  levelGeometry.startZ = -3.0f;
  pass(2, -1);  // only exactly 1 asks or loads
  EXPECT_EQ(camera.position[2], -3.0f) << "a rebuild resets the camera";
  pass(0, 1);
  for (int i = 0; i < 100; ++i) {
    recording.currentContext = nullptr;  // as if another thread's context were current
    pass(0, 0);
  }
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1) << "only exactly 1 asks";
  EXPECT_EQ(recording.count("loadLevel /levels/sample.dnl"), 2) << "only exactly 1 loads";
  EXPECT_EQ(recording.count("setCursorPos 320 240"), 103) << "every pass ends centred";
  EXPECT_EQ(recording.liveRenderingContexts, 1) << "rendering contexts left";
  EXPECT_EQ(recording.liveDeviceContexts, 1) << "device contexts left";
  // Each release ran in the context of the pass it belongs to, never in the new one.
  ASSERT_EQ(neighbours.releasedIn.size(), 102u) << "one release per pass after the first";
  for (auto context : neighbours.releasedIn) {
    EXPECT_NE(context, nullptr) << "released with a context current";
    EXPECT_NE(context, renderingContext) << "released in the old context, not the new";
  }
  EXPECT_EQ(recording.currentContext, renderingContext) << "the new context current";
}

TEST_F(InitViewerTest, EachFailureShowsItsMessageAndDestroysTheWindow) {
  const std::string tooLong = "/" + std::string(123, 'q') + ".dnl";  // 128: one too many
  const std::string wayTooLong = "/" + std::string(400, 'r') + ".dnl";
  const std::string end = " level file or the data file is invalid/corrupted";
  const struct {
    void (*arrange)();
    std::string dialogPath, box;
    int32_t loads;  // a path that does not fit is never cut into another path and loaded
  } rows[] = {
      {[] { recording.dialogAccepts = false; }, "",
       "owned Error: Failed to select a DNM level file", 0},
      {[] { neighbours.loadSucceeds = false; }, "",
       "owned Error: Failed to open /levels/sample.dnl" + end, 1},
      {[] { recording.timerSucceeds = false; }, "", "owned Error: Failed to SetTimer", 1},
      {[] { recording.pixelFormat = 0; }, "", "free Error: ChoosePixelFormat failed", 1},
      {[] { recording.setPixelFormatSucceeds = false; }, "", "free Error: SetPixelFormat failed",
       1},
      {[] {}, tooLong, "owned Error: Failed to open " + tooLong + end, 0},
      {[] {}, wayTooLong, "owned Error: Failed to open " + wayTooLong.substr(0, 252) + "..." + end,
       0},
  };
  for (const auto& row : rows) {
    SetUp();
    if (!row.dialogPath.empty()) recording.dialogPath = row.dialogPath;
    row.arrange();
    pass(1, 1);
    EXPECT_EQ(recording.count("showMessageBox " + row.box), 1) << "box: " << row.box;
    EXPECT_EQ(recording.count("loadLevel"), row.loads) << "loads, " << row.box;
    EXPECT_EQ(recording.calls.back(), "destroyWindow") << "the window destroyed, " << row.box;
    EXPECT_EQ(camera.resetPending, 1) << "the camera never reset, " << row.box;
  }
}
