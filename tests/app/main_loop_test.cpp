// The program's entry and main loop: the window it makes, exit statuses, every waiting
// message handled before each frame, drawing only while active, and the teardown at the end.
#include "app/main_loop.h"
#include "tests/app/neighbour_fakes.h"

TEST_F(ShellTest, MainEndsWithZeroWhenStartUpFailsAndOneOnClose) {
  recording.registerSucceeds = false;
  EXPECT_EQ(viewerMain(1), 0);
  EXPECT_EQ(recording.count("createWindow"), 0);
  SetUp();
  recording.dialogAccepts = false;
  EXPECT_EQ(viewerMain(1), 0);
  EXPECT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_EQ(recording.count("showWindow") + recording.count("renderFrame"), 0);
  SetUp();
  recording.post(platform::kWmClose);
  EXPECT_EQ(viewerMain(5), 1);
  EXPECT_EQ(recording.calls.at(0), "registerWindowClass Dunmoor Viewer");
  EXPECT_EQ(recording.calls.at(1),
            "createWindow Dunmoor Viewer \"Generic OpenGL Sample\" topMost=1 0,0 640x480");
  EXPECT_EQ(recording.count("showWindow 5"), 1);
  EXPECT_EQ(recording.count("changeDisplayMode restore"), 1);
}

TEST_F(ShellTest, EveryWaitingMessageIsHandledBeforeEachFrameUntilEsc) {
  recording.post(platform::kWmActivate, 1);
  recording.post(platform::kWmKeyDown, kVk4);
  recording.post(platform::kWmKeyDown, kVkF1);
  std::vector<int32_t> seen;  // status and help as each frame is shown
  recording.onSwapBuffers = [&seen] {
    seen.insert(seen.end(), {viewSettings.showStatus, viewSettings.showHelp});
    if (seen.size() == 2) recording.post(platform::kWmKeyDown, kVk4);
    if (seen.size() == 6) recording.post(platform::kWmKeyDown, kVkEscape);
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(recording.count("renderFrame"), 3);
  EXPECT_EQ(recording.count("waitMessage"), 0);  // no sleeping while active
  EXPECT_EQ(recording.liveRenderingContexts + recording.liveDeviceContexts, 0);
  const auto render = std::find(recording.calls.begin(), recording.calls.end(), "renderFrame");
  EXPECT_EQ(*(render + 1), "swapBuffers");
  EXPECT_EQ(*(render - 1), "showCursor 0");
}

TEST_F(ShellTest, InactiveWindowSleepsAndDrawsNothing) {
  int waits = 0;
  recording.onWaitMessage = [&waits] {
    recording.post(++waits == 3 ? platform::kWmClose : platform::kWmPaint);
  };
  EXPECT_EQ(viewerMain(1), 1);
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(recording.count("renderFrame"), 0);
}
