// The program's entry and main loop: every waiting message handled before each frame,
// sleeping while inactive, the teardown at the end, and the window each screen option makes.
// Activation, the mode switch, a failed start-up's box and the mode restored after it are seen
// in the desktop runs.
#include "app/main_loop.h"
#include "tests/app/neighbour_fakes.h"

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

TEST_F(ShellTest, AnInactiveWindowSleepsAndDrawsNothing) {
  int waits = 0;
  recording.onWaitMessage = [&waits] {
    recording.post(++waits == 3 ? platform::kWmClose : platform::kWmPaint);
  };
  EXPECT_EQ(viewerMain(1), 1) << "status after a close";
  EXPECT_EQ(recording.count("renderFrame"), 0) << "frames while inactive";
}

// A window gets the size asked for, or 1280 x 720, shrunk in proportion to fit the desktop
// (1920 x 1080 in the double) with room for its frame; the desktop gets the desktop's size.
struct ScreenCase {
  ScreenOptions options;
  const char* created;
};
// A row is listed by the size it makes.
void PrintTo(const ScreenCase& c, std::ostream* out) {
  *out << std::string(c.created).substr(0, std::string(c.created).find(' '));
}
class ScreenWindow : public ShellTest, public testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenWindow, IsMadeAsTheScreenOptionsSayWithoutAModeSwitch) {
  screenOptions = GetParam().options;
  recording.post(platform::kWmClose);
  viewerMain(1);
  const std::string created = GetParam().created;
  EXPECT_EQ(recording.count("createFramedWindow " + created), 1) << created;
  EXPECT_EQ(recording.count("changeDisplayMode"), 0) << "no mode switch for " << created;
}

using enum ScreenChoice;
INSTANTIATE_TEST_SUITE_P(
    EachSize, ScreenWindow,
    testing::Values(
        ScreenCase{{Window, 0, 0, false}, "1280x720 decorated=1 resizable=1 covers=0 topMost=0"},
        ScreenCase{{Window, 800, 600, false}, "800x600 decorated=1 resizable=1 covers=0 topMost=0"},
        ScreenCase{{Window, 4000, 3000, false},
                   "1312x984 decorated=1 resizable=1 covers=0 topMost=0"},
        ScreenCase{{Desktop, 800, 600, false},
                   "1920x1080 decorated=0 resizable=0 covers=1 topMost=0"}));
