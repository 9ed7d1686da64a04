// The program's entry and main loop: exit statuses, every waiting message handled before
// each frame, drawing only while active, and the teardown at the end. The window it makes,
// the box and the mode restored after a failed start-up are seen in the desktop runs.
#include "app/main_loop.h"
#include "tests/app/neighbour_fakes.h"

// A failed start-up (status 0, no window shown) is seen in the end-to-end cancel run.
TEST_F(ShellTest, MainEndsWithZeroWhenTheWindowClassIsRefused) {
  recording.registerSucceeds = false;
  EXPECT_EQ(viewerMain(1), 0) << "status when the class cannot be registered";
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
  EXPECT_EQ(viewerMain(5), 1) << "status after Esc";
  EXPECT_EQ(recording.count("showWindow 5"), 1) << "shown with the show command";
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 1, 1}))
      << "status and help at each frame: the waiting keys handled before the first";
  EXPECT_EQ(recording.count("waitMessage"), 0) << "no sleeping while active";
  EXPECT_EQ(recording.liveRenderingContexts, 0) << "the quit deletes the rendering context";
}

TEST_F(ShellTest, InactiveWindowSleepsAndDrawsNothing) {
  int waits = 0;
  recording.onWaitMessage = [&waits] {
    recording.post(++waits == 3 ? platform::kWmClose : platform::kWmPaint);
  };
  EXPECT_EQ(viewerMain(1), 1) << "status after a close";
  EXPECT_EQ(waits, 3) << "waits while inactive";
  EXPECT_EQ(recording.count("renderFrame"), 0) << "frames while inactive";
}

// A window gets the size asked for, or 1280 x 720, shrunk in proportion to fit the desktop
// (1920 x 1080 in the double) with room for its frame; the desktop gets the desktop's size.
TEST_F(ShellTest, WindowsAreMadeAsTheScreenOptionsSayWithoutAModeSwitch) {
  using enum ScreenChoice;
  const struct {
    ScreenOptions options;
    const char* created;
  } cases[] = {
      {{Window, 0, 0, false}, "1280x720 decorated=1 resizable=1 covers=0 topMost=0"},
      {{Window, 800, 600, false}, "800x600 decorated=1 resizable=1 covers=0 topMost=0"},
      {{Window, 4000, 3000, false}, "1312x984 decorated=1 resizable=1 covers=0 topMost=0"},
      {{Desktop, 800, 600, false}, "1920x1080 decorated=0 resizable=0 covers=1 topMost=0"},
  };
  for (const auto& c : cases) {
    ShellTest::SetUp();
    screenOptions = c.options;
    recording.post(platform::kWmClose);
    viewerMain(1);
    EXPECT_EQ(recording.count(std::string("createFramedWindow ") + c.created), 1) << c.created;
    EXPECT_EQ(recording.count("changeDisplayMode"), 0) << "no mode switch for " << c.created;
  }
}
