// The program's entry and main loop: the window it makes, exit statuses, every waiting
// message handled before each frame, drawing only while active, and the teardown at the end.
// The box and the mode restored after a failed start-up are seen in the desktop runs.
#include "app/main_loop.h"
#include "tests/app/neighbour_fakes.h"

TEST_F(ShellTest, MainEndsWithZeroWhenStartUpFailsAndOneOnClose) {
  recording.registerSucceeds = false;
  EXPECT_EQ(viewerMain(1), 0) << "status when the class cannot be registered";
  EXPECT_EQ(callList(), "registerWindowClass Dunmoor Viewer") << "nothing after the class";
  SetUp();
  recording.dialogAccepts = false;
  EXPECT_EQ(viewerMain(1), 0) << "status when start-up fails";
  EXPECT_EQ(recording.count("showWindow"), 0) << "the window never shown";
  EXPECT_EQ(recording.count("renderFrame"), 0) << "no frame drawn";
  SetUp();
  recording.post(platform::kWmClose);
  EXPECT_EQ(viewerMain(5), 1) << "status after a close";
  EXPECT_EQ(recording.count("showWindow 5"), 1) << "shown with the show command";
}

TEST_F(ShellTest, EveryWaitingMessageIsHandledBeforeEachFrameUntilEsc) {
  recording.post(platform::kWmActivate, 1);
  recording.post(platform::kWmKeyDown, kVk4);
  recording.post(platform::kWmKeyDown, kVkF1);
  std::vector<int32_t> seen;  // status and help as each frame is shown
  recording.onSwapBuffers = [&seen] {
    seen.insert(seen.end(), {viewSettings.showStatus, viewSettings.showHelp});
    recording.post(platform::kWmKeyDown, seen.size() == 2 ? kVk4 : kVkEscape);
  };
  EXPECT_EQ(viewerMain(1), 1) << "status after Esc";
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 1, 1}))
      << "status and help at each frame: the waiting keys handled before the first";
  // No sleeping while active; the quit tears both contexts down.
  EXPECT_EQ(callList(true),
            "registerWindowClass Dunmoor Viewer, createWindow Dunmoor Viewer \"Generic OpenGL "
            "Sample\" topMost=1 0,0 640x480, showOpenFileDialog, loadLevel /levels/sample.dnl, "
            "rebuild, showWindow 1, updateWindow, changeDisplayMode 640x480x16, showCursor 0, "
            "renderFrame, swapBuffers, renderFrame, swapBuffers, changeDisplayMode restore, "
            "postQuitMessage 0, deleteRenderingContext, releaseDeviceContext")
      << "the calls of the whole run";
}

TEST_F(ShellTest, InactiveWindowSleepsAndDrawsNothing) {
  int waits = 0;
  recording.onWaitMessage = [&waits] {
    recording.post(++waits == 3 ? platform::kWmClose : platform::kWmPaint);
  };
  EXPECT_EQ(viewerMain(1), 1) << "status";
  EXPECT_EQ(waits, 3) << "waits while inactive";
  EXPECT_EQ(recording.count("renderFrame"), 0) << "frames while inactive";
}

// A window gets the size asked for, or 1280 x 720, shrunk in proportion to fit the desktop
// (1920 x 1080 in the double) with room for its frame; the desktop gets the desktop's size.
TEST_F(ShellTest, TheWindowIsMadeAsTheScreenOptionsSay) {
  const struct {
    ScreenOptions options;
    const char* created;
  } cases[] = {
      {{ScreenChoice::Window, 0, 0, false}, "resizable=1 coversDesktop=0, createWindow"},
      {{ScreenChoice::Window, 0, 0, false}, "topMost=0 0,0 1280x720"},
      {{ScreenChoice::Window, 800, 600, false}, "topMost=0 0,0 800x600"},
      {{ScreenChoice::Window, 4000, 3000, false}, "topMost=0 0,0 1312x984"},
      {{ScreenChoice::Desktop, 800, 600, false}, "decorated=0 resizable=0 coversDesktop=1"},
      {{ScreenChoice::Desktop, 800, 600, false}, "topMost=0 0,0 1920x1080"},
  };
  for (const auto& c : cases) {
    SetUp();
    screenOptions = c.options;
    recording.post(platform::kWmClose);
    viewerMain(1);
    const std::string calls = callList();
    EXPECT_NE(calls.find(c.created), std::string::npos) << c.created << " in " << calls;
    EXPECT_EQ(recording.count("changeDisplayMode"), 0) << "no mode switch for " << c.created;
  }
}
