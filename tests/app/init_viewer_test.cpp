// The start-up sequence: the order of a full pass, the three kinds of pass, the failure
// table with its messages and box owners, long paths, and rebuilds that release what the
// pass before made.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/init_viewer.h"
#include "app/shell_state.h"
#include "camera/camera.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "render/frame_stats.h"
#include "tests/app/neighbour_fakes.h"
#include "tests/support/recording_platform.h"

namespace {

class InitViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRecording();
    resetNeighbours();
    recording.windowExists = true;
    std::snprintf(viewerPaths.dataDir, sizeof viewerPaths.dataDir, "%s", "/levels");
    std::snprintf(viewerPaths.dataFile, sizeof viewerPaths.dataFile, "%s", "jungle.dnl");
    setupOpenFileRequest(window());
  }

  static platform::WindowHandle window() { return recordedWindow(); }

  void pass(int32_t ask, int32_t load) {
    initViewer(window(), &openFileRecord, &renderingContext, ask, load);
  }

  bool called(const std::string& prefix) const { return recording.count(prefix) > 0; }
};

TEST_F(InitViewerTest, FullPassRunsEveryStepInOrder) {
  levelGeometry.startX = 512.0f;
  camera.position[0] = -7.0f;
  pass(1, 1);
  const std::vector<std::string> expected = {
      "showOpenFileDialog",
      "setTimer 1 1000",
      "getDeviceContext",
      "changeDisplayMode 640x480x16",
      "choosePixelFormat colour=16 depth=16 double=1",
      "setPixelFormat 1",
      "createRenderingContext",
      "makeCurrent context",
      "buildGlyphLists 0 255 1000",
      "setCursorPos 320 240",
  };
  std::vector<std::string> platformCalls;
  for (const std::string& call : recording.calls) {
    if (call != "moveCamera") platformCalls.push_back(call);
  }
  EXPECT_EQ(platformCalls, expected);
  EXPECT_EQ(std::string(levelPath), "/levels/sample.dnl");
  EXPECT_EQ(neighbours.loadedPaths, std::vector<std::string>{"/levels/sample.dnl"});
  EXPECT_EQ(neighbours.setupCount, 1);
  EXPECT_EQ(neighbours.setupWidth, 638);
  EXPECT_EQ(neighbours.setupHeight, 478);
  EXPECT_EQ(camera.resetPending, 0);
  EXPECT_EQ(camera.position[0], 512.0f);
  EXPECT_NE(renderingContext, nullptr);
  EXPECT_EQ(recording.currentContext, renderingContext);
  EXPECT_TRUE(recording.messageBoxes.empty());
  EXPECT_TRUE(recording.windowExists);
}

TEST_F(InitViewerTest, DialogProposesTheConfiguredFileAndRemembersTheChoice) {
  pass(1, 1);
  const platform::OpenFileRequest& request = recording.lastDialogRequest;
  EXPECT_EQ(request.owner, window());
  EXPECT_STREQ(request.filterLabel, "DNL Files");
  EXPECT_STREQ(request.filterPattern, "*.dnl");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_EQ(request.fileNameCapacity, 256u);
  EXPECT_STREQ(request.initialDir, "/levels");
  EXPECT_EQ(recording.lastDialogProposal, "jungle.dnl");
  recording.dialogPath = "/levels/other.dnl";
  pass(1, 1);
  EXPECT_EQ(recording.lastDialogProposal, "/levels/sample.dnl");
  EXPECT_STREQ(levelPath, "/levels/other.dnl");
}

TEST_F(InitViewerTest, RebuildSkipsDialogAndLoadButResetsTheCamera) {
  pass(1, 1);
  camera.position[2] = 99.0f;
  levelGeometry.startZ = -3.0f;
  recording.dialogPath = "/levels/never.dnl";
  pass(0, 0);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(neighbours.loadedPaths.size(), 1u);
  EXPECT_STREQ(levelPath, "/levels/sample.dnl");
  EXPECT_EQ(recording.count("setTimer 1 1000"), 2);
  EXPECT_EQ(recording.count("changeDisplayMode 640x480x16"), 2);
  EXPECT_EQ(neighbours.setupCount, 2);
  EXPECT_EQ(camera.position[2], -3.0f);
  EXPECT_EQ(recording.cursorX, 320);
  EXPECT_EQ(recording.cursorY, 240);
}

TEST_F(InitViewerTest, OnlyExactlyOneAsksOrLoads) {
  pass(1, 1);
  pass(2, -1);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(neighbours.loadedPaths.size(), 1u);
  pass(0, 1);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(neighbours.loadedPaths.size(), 2u);
}

TEST_F(InitViewerTest, RepeatedRebuildsReleaseThePassBefore) {
  pass(1, 1);
  for (int i = 0; i < 100; ++i) pass(0, 0);
  EXPECT_EQ(recording.liveRenderingContexts, 1);
  EXPECT_EQ(recording.liveDeviceContexts, 1);
  ASSERT_EQ(neighbours.releaseCount, 100);
  // Each release ran in the context of the pass it belongs to, never in the new one.
  for (platform::RenderingContextHandle context : neighbours.releasedIn) {
    EXPECT_NE(context, nullptr);
    EXPECT_NE(context, renderingContext);
  }
  EXPECT_EQ(recording.currentContext, renderingContext);
}

TEST_F(InitViewerTest, NewContextGetsFogAndCullingAsTheSettingsSay) {
  ASSERT_TRUE(makeTestGlContextCurrent());
  // Every context the double makes current starts like a new one: both off.
  recording.onMakeCurrent = [] {
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
  };
  viewSettings.fogOn = 1;
  viewSettings.cullOn = 1;
  pass(0, 0);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  viewSettings.fogOn = 0;
  pass(0, 0);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

struct FailureCase {
  const char* name;
  void (*arrange)();
  const char* message;
  bool owned;
  const char* lastCall;  // the last platform call before the box
};

class InitViewerFailureTest : public InitViewerTest,
                              public ::testing::WithParamInterface<FailureCase> {};

TEST_P(InitViewerFailureTest, ShowsTheMessageAndDestroysTheWindow) {
  recording.dialogPath = "/levels/broken.dnl";
  GetParam().arrange();
  pass(1, 1);
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.messageBoxes[0].text, GetParam().message);
  EXPECT_EQ(recording.messageBoxes[0].title, "Error");
  EXPECT_EQ(recording.messageBoxes[0].owned, GetParam().owned);
  EXPECT_STREQ(messageText, GetParam().message);
  const auto box = std::find(recording.calls.begin(), recording.calls.end(), "showMessageBox");
  ASSERT_NE(box, recording.calls.begin());
  EXPECT_EQ(*(box - 1), GetParam().lastCall);
  ASSERT_NE(box + 1, recording.calls.end());
  EXPECT_EQ(*(box + 1), "destroyWindow");
  EXPECT_FALSE(recording.windowExists);
  EXPECT_FALSE(called("createRenderingContext"));
  EXPECT_FALSE(called("setCursorPos"));
  EXPECT_EQ(neighbours.setupCount, 0);
  EXPECT_EQ(camera.resetPending, 1);
}

INSTANTIATE_TEST_SUITE_P(
    FailureTable, InitViewerFailureTest,
    ::testing::Values(
        FailureCase{"DialogCancelled", [] { recording.dialogAccepts = false; },
                    "Failed to select a DNM level file", true, "showOpenFileDialog"},
        FailureCase{"LoadFails", [] { neighbours.loadSucceeds = false; },
                    "Failed to open /levels/broken.dnl level file or the data file is "
                    "invalid/corrupted",
                    true, "showOpenFileDialog"},
        FailureCase{"TimerFails", [] { recording.timerSucceeds = false; }, "Failed to SetTimer",
                    true, "setTimer 1 1000"},
        FailureCase{"NoPixelFormat", [] { recording.pixelFormat = 0; }, "ChoosePixelFormat failed",
                    false, "choosePixelFormat colour=16 depth=16 double=1"},
        FailureCase{"PixelFormatRefused", [] { recording.setPixelFormatSucceeds = false; },
                    "SetPixelFormat failed", false, "setPixelFormat 1"}),
    [](const ::testing::TestParamInfo<FailureCase>& row) { return row.param.name; });

TEST_F(InitViewerTest, CancelledReloadEndsTheViewerToo) {
  pass(1, 1);
  recording.dialogAccepts = false;
  pass(1, 1);
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.messageBoxes[0].text, "Failed to select a DNM level file");
  EXPECT_FALSE(recording.windowExists);
}

TEST_F(InitViewerTest, PathOf127CharactersIsTakenWhole) {
  recording.dialogPath = "/" + std::string(122, 'p') + ".dnl";
  ASSERT_EQ(recording.dialogPath.size(), 127u);
  pass(1, 1);
  EXPECT_EQ(std::string(levelPath), recording.dialogPath);
  EXPECT_EQ(neighbours.loadedPaths, std::vector<std::string>{recording.dialogPath});
  EXPECT_TRUE(recording.messageBoxes.empty());
}

TEST_F(InitViewerTest, PathTooLongForLevelPathFailsWithTheWholePathShown) {
  pass(1, 1);
  recording.dialogPath = "/" + std::string(250, 'q') + ".dnl";
  ASSERT_EQ(recording.dialogPath.size(), 255u);
  pass(1, 1);
  EXPECT_EQ(neighbours.loadedPaths.size(), 1u);  // never loads a cut path
  EXPECT_STREQ(levelPath, "/levels/sample.dnl");
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.messageBoxes[0].text,
            "Failed to open " + recording.dialogPath +
                " level file or the data file is invalid/corrupted");
  EXPECT_TRUE(recording.messageBoxes[0].owned);
  EXPECT_FALSE(recording.windowExists);
}

TEST_F(InitViewerTest, PathTooLongForTheDialogBufferFailsAsUnloadable) {
  recording.dialogPath = "/" + std::string(400, 'r') + ".dnl";
  pass(1, 1);
  EXPECT_TRUE(neighbours.loadedPaths.empty());
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  const std::string& text = recording.messageBoxes[0].text;
  EXPECT_EQ(text.rfind("Failed to open /rrr", 0), 0u);
  EXPECT_NE(text.find("... level file or the data file is invalid/corrupted"), std::string::npos);
  EXPECT_FALSE(recording.windowExists);
}

}  // namespace
