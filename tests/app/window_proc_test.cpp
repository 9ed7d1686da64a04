// The window procedure driven message by message: creation, activation, paint, close,
// destroy, teardown, the timer text, pointer moves, every key command and unlisted keys.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/platform/virtual_keys.h"
#include "app/shell_state.h"
#include "app/window_proc.h"
#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "render/frame_stats.h"
#include "tests/app/neighbour_fakes.h"
#include "tests/support/recording_platform.h"

namespace {

using platform::kWmKeyDown;

class WindowProcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRecording();
    resetNeighbours();
    recording.windowExists = true;
    recording.procedure = viewerWindowProc;  // destroying delivers the destroy message
    ASSERT_EQ(send(platform::kWmCreate), 1);
    recording.calls.clear();
  }

  static int32_t send(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0) {
    return viewerWindowProc(recordedWindow(), message, wParam, lParam);
  }
  static int32_t key(uint32_t code) { return send(kWmKeyDown, code); }
  static int rebuilds() { return recording.count("createRenderingContext"); }
};

TEST_F(WindowProcTest, CreationReadsTheConfigurationAndStartsUp) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("dunmoor-create-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::FILE* file = std::fopen((folder / "dunmoor.cfg").c_str(), "wb");
  std::fputs("data_dir=/srv/levels\ndata_file=castle.dnl\n", file);
  std::fclose(file);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  resetRecording();
  resetNeighbours();
  recording.windowExists = true;
  const int32_t result = send(platform::kWmCreate);
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);

  EXPECT_EQ(result, 1);
  EXPECT_EQ(recording.lastDialogProposal, "castle.dnl");
  EXPECT_STREQ(recording.lastDialogRequest.initialDir, "/srv/levels");
  EXPECT_EQ(recording.lastDialogRequest.owner, recordedWindow());
  EXPECT_EQ(neighbours.loadedPaths, std::vector<std::string>{"/levels/sample.dnl"});
  EXPECT_NE(renderingContext, nullptr);
}

TEST_F(WindowProcTest, FailedCreationStillAnswersOne) {
  resetRecording();
  resetNeighbours();
  recording.windowExists = true;
  recording.procedure = viewerWindowProc;
  recording.dialogAccepts = false;
  EXPECT_EQ(send(platform::kWmCreate), 1);
  EXPECT_FALSE(recording.windowExists);
  EXPECT_TRUE(recording.quitPosted);
}

TEST_F(WindowProcTest, ActivationSwitchesModeAndPointer) {
  EXPECT_EQ(send(platform::kWmActivate, 1), 1);
  EXPECT_EQ(windowActive, 1);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"changeDisplayMode 640x480x16", "showCursor 0"}));
  recording.calls.clear();
  EXPECT_EQ(send(platform::kWmActivate, 0), 1);
  EXPECT_EQ(windowActive, 0);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"changeDisplayMode restore", "showCursor 1"}));
  // Only the low 16 bits count: 2 is a click activation, 0x30000 is inactive.
  send(platform::kWmActivate, 0x00010002);
  EXPECT_EQ(windowActive, 2);
  send(platform::kWmActivate, 0x00030000);
  EXPECT_EQ(windowActive, 0);
}

TEST_F(WindowProcTest, RefusedModeOnActivationIsReportedEachTime) {
  recording.displayModeResult = -2;
  send(platform::kWmActivate, 1);
  send(platform::kWmActivate, 0);
  send(platform::kWmActivate, 1);
  ASSERT_EQ(recording.messageBoxes.size(), 2u);
  EXPECT_EQ(recording.messageBoxes[1].text, "Return=-2, The graphics mode is not supported.\n");
  EXPECT_EQ(windowActive, 1);
}

TEST_F(WindowProcTest, PaintValidatesAndDrawsNothing) {
  EXPECT_EQ(send(platform::kWmPaint), 1);
  EXPECT_EQ(recording.calls, std::vector<std::string>{"validateWindow"});
  EXPECT_EQ(neighbours.renderCount, 0);
}

TEST_F(WindowProcTest, CloseDestroysThenDestroyRestoresAndQuits) {
  EXPECT_EQ(send(platform::kWmClose), 1);
  EXPECT_EQ(recording.calls, (std::vector<std::string>{"destroyWindow", "changeDisplayMode restore",
                                                       "postQuitMessage 0"}));
  EXPECT_FALSE(recording.windowExists);
}

TEST_F(WindowProcTest, QuitTearsDownBothContexts) {
  ASSERT_NE(renderingContext, nullptr);
  EXPECT_EQ(send(platform::kWmQuit), 1);
  EXPECT_EQ(recording.liveRenderingContexts, 0);
  EXPECT_EQ(recording.liveDeviceContexts, 0);
  EXPECT_EQ(renderingContext, nullptr);
  EXPECT_EQ(deviceContext, nullptr);
  recording.calls.clear();
  send(platform::kWmQuit);  // nothing left to delete
  EXPECT_TRUE(recording.calls.empty());
}

TEST_F(WindowProcTest, TimerOneMakesTheFramesPerSecondText) {
  EXPECT_STREQ(frameStats.fpsText, "");
  frameStats.frameCount = 57;
  EXPECT_EQ(send(platform::kWmTimer, 2), 1);
  EXPECT_STREQ(frameStats.fpsText, "");
  EXPECT_EQ(frameStats.frameCount, 57);
  send(platform::kWmTimer, 1);
  EXPECT_STREQ(frameStats.fpsText, "FPS=057");
  EXPECT_EQ(frameStats.frameCount, 0);
  frameStats.frameCount = 1234;
  send(platform::kWmTimer, 1);
  EXPECT_STREQ(frameStats.fpsText, "FPS=1234");
}

TEST_F(WindowProcTest, PointerMovesReachMouseLookOnlyWhileActive) {
  EXPECT_EQ(send(platform::kWmMouseMove, 0, 400u | (300u << 16)), 1);
  EXPECT_EQ(recording.count("setCursorPos"), 0);
  send(platform::kWmActivate, 1);
  send(platform::kWmMouseMove, 0, 400u | (300u << 16));
  EXPECT_EQ(recording.count("setCursorPos 320 240"), 1);
}

TEST_F(WindowProcTest, OtherMessagesGoToDefaultProcessing) {
  EXPECT_EQ(send(0x0084, 5, 6), 0);
  EXPECT_EQ(recording.calls, std::vector<std::string>{"defaultWindowProc 132"});
}

TEST_F(WindowProcTest, EscRestoresAndQuitsWithoutDestroying) {
  EXPECT_EQ(key(kVkEscape), 1);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"changeDisplayMode restore", "postQuitMessage 0"}));
  EXPECT_TRUE(recording.windowExists);
}

TEST_F(WindowProcTest, FarPlaneKeysDoubleAndHalveAndRebuild) {
  levelGeometry.startY = 40.0f;
  camera.position[1] = 1.0f;
  key(kVk0);
  EXPECT_EQ(viewSettings.farPlane, 50000.0f);
  EXPECT_EQ(rebuilds(), 1);
  EXPECT_EQ(camera.position[1], 40.0f);
  key(kVk0);
  EXPECT_EQ(viewSettings.farPlane, 100000.0f);
  for (int i = 0; i < 5; ++i) key(kVk9);
  EXPECT_EQ(viewSettings.farPlane, 3125.0f);
  EXPECT_EQ(rebuilds(), 7);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 0);
  EXPECT_EQ(neighbours.loadedPaths.size(), 1u);  // only the start-up load
  EXPECT_EQ(recording.liveRenderingContexts, 1);
}

TEST_F(WindowProcTest, LightingKeyTogglesAndRebuilds) {
  key(kVk1);
  EXPECT_EQ(viewSettings.lightingOn, 1);
  key(kVk1);
  EXPECT_EQ(viewSettings.lightingOn, 0);
  EXPECT_EQ(rebuilds(), 2);
  EXPECT_EQ(neighbours.setupCount, 3);
}

TEST_F(WindowProcTest, FogAndCullKeysSwitchInPlace) {
  ASSERT_TRUE(makeTestGlContextCurrent());
  levelGeometry.startX = 5.0f;
  camera.position[0] = 77.0f;
  key(kVk2);
  EXPECT_EQ(viewSettings.fogOn, 1);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  key(kVk3);
  EXPECT_EQ(viewSettings.cullOn, 1);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  key(kVk2);
  key(kVk3);
  EXPECT_EQ(viewSettings.fogOn, 0);
  EXPECT_EQ(viewSettings.cullOn, 0);
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(rebuilds(), 0);
  EXPECT_EQ(camera.position[0], 77.0f);
}

TEST_F(WindowProcTest, FogSurvivesARebuild) {
  ASSERT_TRUE(makeTestGlContextCurrent());
  recording.onMakeCurrent = [] { glDisable(GL_FOG); };
  key(kVk2);
  key(kVk1);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
}

TEST_F(WindowProcTest, DisplayTogglesChangeOnlyTheirFlag) {
  key(kVk4);
  EXPECT_EQ(viewSettings.showStatus, 0);
  key(kVkF1);
  EXPECT_EQ(viewSettings.showHelp, 1);
  key(kVk4);
  key(kVkF1);
  EXPECT_EQ(viewSettings.showStatus, 1);
  EXPECT_EQ(viewSettings.showHelp, 0);
  EXPECT_TRUE(recording.calls.empty());
}

TEST_F(WindowProcTest, ToggleOfAnOddValueSetsZero) {
  viewSettings.showHelp = 7;
  key(kVkF1);
  EXPECT_EQ(viewSettings.showHelp, 0);
}

TEST_F(WindowProcTest, ResetKeyReturnsTheCameraWithoutRebuilding) {
  levelGeometry.startZ = 256.0f;
  camera.position[2] = -1000.0f;
  key(kVkR);
  EXPECT_EQ(camera.position[2], 256.0f);
  EXPECT_EQ(camera.resetPending, 0);
  EXPECT_EQ(rebuilds(), 0);
  EXPECT_EQ(viewSettings.farPlane, 25000.0f);
}

TEST_F(WindowProcTest, F6ChoosesAndLoadsAnotherLevel) {
  recording.dialogPath = "/levels/next.dnl";
  key(kVkF6);
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1);
  EXPECT_EQ(neighbours.loadedPaths.back(), "/levels/next.dnl");
  EXPECT_STREQ(levelPath, "/levels/next.dnl");
  EXPECT_EQ(rebuilds(), 1);
  EXPECT_EQ(recording.liveRenderingContexts, 1);
}

TEST_F(WindowProcTest, FailedReloadDestroysTheWindowAndQuits) {
  neighbours.loadSucceeds = false;
  key(kVkF6);
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_FALSE(recording.windowExists);
  EXPECT_TRUE(recording.quitPosted);
  EXPECT_EQ(recording.count("changeDisplayMode restore"), 1);
}

TEST_F(WindowProcTest, UnlistedAndOutOfRangeKeysDoNothing) {
  const ViewSettings before = viewSettings;
  camera.position[0] = 3.0f;
  for (uint32_t code :
       {0u, 26u, 118u, 255u, 0x10000u + 27u, uint32_t{kVkA}, 0x35u, 0x38u, uint32_t{kVkNumpad0},
        uint32_t{kVkNumpad1}, uint32_t{kVkF1} + 1, uint32_t{kVkLeft}, uint32_t{kVkOemPlus}}) {
    EXPECT_EQ(key(code), 1) << code;
  }
  EXPECT_EQ(std::memcmp(&before, &viewSettings, sizeof before), 0);
  EXPECT_EQ(camera.position[0], 3.0f);
  EXPECT_TRUE(recording.calls.empty());
}

}  // namespace
