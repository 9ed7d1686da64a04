// The program's entry and main loop: the window it makes, exit statuses, every waiting
// message handled before each frame, drawing only while active, and the teardown at the end.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_loop.h"
#include "app/platform/virtual_keys.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "tests/app/neighbour_fakes.h"
#include "tests/support/recording_platform.h"

namespace {

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetRecording();
    resetNeighbours();
  }
  static size_t indexOf(const std::string& call, size_t from = 0) {
    auto it =
        std::find(recording.calls.begin() + static_cast<long>(from), recording.calls.end(), call);
    return static_cast<size_t>(it - recording.calls.begin());
  }
};

TEST_F(MainLoopTest, CreatesTheOneTopMostWindow) {
  recording.post(platform::kWmClose);
  EXPECT_EQ(viewerMain(5), 1);
  EXPECT_EQ(recording.calls.at(0), "registerWindowClass Dunmoor Viewer");
  EXPECT_EQ(recording.calls.at(1),
            "createWindow Dunmoor Viewer \"Generic OpenGL Sample\" topMost=1 0,0 640x480");
  EXPECT_EQ(recording.count("showWindow 5"), 1);
}

TEST_F(MainLoopTest, FailedRegistrationEndsWithZero) {
  recording.registerSucceeds = false;
  EXPECT_EQ(viewerMain(1), 0);
  EXPECT_EQ(recording.count("createWindow"), 0);
}

TEST_F(MainLoopTest, FailedStartUpEndsWithZeroBeforeTheLoop) {
  recording.dialogAccepts = false;
  EXPECT_EQ(viewerMain(1), 0);
  ASSERT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.count("showWindow"), 0);
  EXPECT_EQ(recording.count("changeDisplayMode restore"), 1);
  EXPECT_EQ(neighbours.renderCount, 0);
}

TEST_F(MainLoopTest, EscAfterDrawingEndsWithOneAndTearsDown) {
  recording.post(platform::kWmActivate, 1);
  int frames = 0;
  recording.onSwapBuffers = [&frames] {
    if (++frames == 3) recording.post(platform::kWmKeyDown, kVkEscape);
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(neighbours.renderCount, 3);
  EXPECT_EQ(recording.liveRenderingContexts, 0);
  EXPECT_EQ(recording.liveDeviceContexts, 0);
  EXPECT_EQ(recording.count("waitMessage"), 0);  // no sleeping while active
}

TEST_F(MainLoopTest, ClosingTheWindowEndsWithOne) {
  recording.post(platform::kWmActivate, 1);
  recording.onSwapBuffers = [] { recording.post(platform::kWmClose); };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(recording.count("changeDisplayMode restore"), 1);
  EXPECT_EQ(recording.liveRenderingContexts, 0);
}

TEST_F(MainLoopTest, EveryWaitingMessageIsHandledBeforeTheFrame) {
  recording.post(platform::kWmActivate, 1);
  recording.post(platform::kWmKeyDown, kVk4);
  recording.post(platform::kWmKeyDown, kVkF1);
  int32_t statusAtFrame = -1;
  int32_t helpAtFrame = -1;
  recording.onSwapBuffers = [&] {
    statusAtFrame = viewSettings.showStatus;
    helpAtFrame = viewSettings.showHelp;
    recording.post(platform::kWmKeyDown, kVkEscape);
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(statusAtFrame, 0);
  EXPECT_EQ(helpAtFrame, 1);
  EXPECT_EQ(neighbours.renderCount, 1);
  const size_t render = indexOf("renderFrame");
  EXPECT_LT(indexOf("showCursor 0"), render);
  EXPECT_EQ(indexOf("swapBuffers"), render + 1);
}

TEST_F(MainLoopTest, InactiveWindowSleepsAndDrawsNothing) {
  int waits = 0;
  recording.onWaitMessage = [&waits] {
    recording.post(++waits == 3 ? platform::kWmClose : platform::kWmPaint);
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(neighbours.renderCount, 0);
  EXPECT_EQ(windowActive, 0);
}

TEST_F(MainLoopTest, DeactivationStopsDrawingUntilActivatedAgain) {
  recording.post(platform::kWmActivate, 1);
  int frames = 0;
  recording.onSwapBuffers = [&frames] {
    if (++frames == 2) recording.post(platform::kWmActivate, 0);
  };
  recording.onWaitMessage = [&frames] {
    recording.post(platform::kWmActivate, 1);
    recording.onSwapBuffers = [] { recording.post(platform::kWmKeyDown, kVkEscape); };
    frames += 100;
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(recording.count("waitMessage"), 1);
  EXPECT_EQ(neighbours.renderCount, 3);
  // Start-up, then the two activations.
  EXPECT_EQ(recording.count("changeDisplayMode 640x480x16"), 3);
}

}  // namespace
