// The window procedure driven message by message: creation, activation, paint, close, quit,
// the timer text, pointer moves, every key command, and unlisted keys.
#include <GL/gl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

using platform::kWmKeyDown;

class WindowProcTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    recording.windowExists = true;
    recording.procedure = viewerWindowProc;  // destroying delivers the destroy message
    ASSERT_EQ(send(platform::kWmCreate), 1);
    recording.calls.clear();
  }
  static int32_t send(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0) {
    return viewerWindowProc(recordedWindow(), message, wParam, lParam);
  }
};

TEST_F(WindowProcTest, CreationReadsTheConfigurationAndAnswersOneEvenWhenItFails) {
  const auto folder = std::filesystem::temp_directory_path() / std::to_string(getpid());
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "dunmoor.cfg") << "data_dir=/srv/levels\ndata_file=castle.dnl\n";
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  SetUp();
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(recording.lastDialogProposal, "castle.dnl");
  EXPECT_STREQ(recording.lastDialogRequest.initialDir, "/srv/levels");
  EXPECT_NE(renderingContext, nullptr);
  ShellTest::SetUp();
  recording.windowExists = true;
  recording.procedure = viewerWindowProc;
  recording.dialogAccepts = false;
  EXPECT_EQ(send(platform::kWmCreate), 1);
  EXPECT_FALSE(recording.windowExists);
  EXPECT_EQ(recording.count("postQuitMessage 0"), 1);
}

TEST_F(WindowProcTest, ActivationSwitchesModeAndPointerAndMouseLook) {
  EXPECT_EQ(send(platform::kWmMouseMove, 0, 400u | (300u << 16)), 1);
  EXPECT_EQ(send(platform::kWmActivate, 1), 1);
  EXPECT_EQ(windowActive, 1);
  send(platform::kWmMouseMove, 0, 400u | (300u << 16));  // recentred only while active
  send(platform::kWmActivate, 0);
  EXPECT_EQ(windowActive, 0);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"changeDisplayMode 640x480x16", "showCursor 0",
                                      "setCursorPos 320 240", "changeDisplayMode restore",
                                      "showCursor 1"}));
  // Only the low 16 bits count: 2 is a click activation, 0x30000 is inactive.
  recording.displayModeResult = -2;
  send(platform::kWmActivate, 0x00010002);
  EXPECT_EQ(windowActive, 2);
  send(platform::kWmActivate, 0x00030000);
  EXPECT_EQ(windowActive, 0);
  send(platform::kWmActivate, 1);
  EXPECT_EQ(recording.messageBoxes.size(), 2u);  // a refused mode is reported each time
}

TEST_F(WindowProcTest, PaintCloseQuitAndOtherMessages) {
  EXPECT_EQ(send(platform::kWmPaint), 1);
  EXPECT_EQ(send(0x0084, 5, 6), 0);
  EXPECT_EQ(send(platform::kWmClose), 1);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"validateWindow", "defaultWindowProc 132", "destroyWindow",
                                      "changeDisplayMode restore", "postQuitMessage 0"}));
  EXPECT_FALSE(recording.windowExists);
  EXPECT_EQ(send(platform::kWmQuit), 1);  // tears down both contexts, once
  send(platform::kWmQuit);
  EXPECT_EQ(recording.liveRenderingContexts + recording.liveDeviceContexts, 0);
  EXPECT_TRUE(renderingContext == nullptr && deviceContext == nullptr);
  EXPECT_EQ(recording.calls.size(), 7u);
}

TEST_F(WindowProcTest, TimerOneMakesTheFramesPerSecondText) {
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

TEST_F(WindowProcTest, EachKeyCommandChangesItsSettingAndRebuildsOnlyWhenItMust) {
  const struct {
    uint8_t key;
    int presses, rebuilds;
    bool resetsCamera;
    void (*change)(ViewSettings&);
  } rows[] = {
      {kVk0, 2, 2, true, [](ViewSettings& s) { s.farPlane = 100000.0f; }},
      {kVk9, 2, 2, true, [](ViewSettings& s) { s.farPlane = 6250.0f; }},
      {kVk1, 1, 1, true, [](ViewSettings& s) { s.lightingOn = 1; }},
      {kVk1, 2, 2, true, [](ViewSettings&) {}},
      {kVk2, 1, 0, false, [](ViewSettings& s) { s.fogOn = 1; }},
      {kVk2, 2, 0, false, [](ViewSettings&) {}},
      {kVk3, 1, 0, false, [](ViewSettings& s) { s.cullOn = 1; }},
      {kVk3, 2, 0, false, [](ViewSettings&) {}},
      {kVk4, 1, 0, false, [](ViewSettings& s) { s.showStatus = 0; }},
      {kVk4, 2, 0, false, [](ViewSettings&) {}},
      {kVkF1, 1, 0, false, [](ViewSettings& s) { s.showHelp = 1; }},
      {kVkF1, 2, 0, false, [](ViewSettings&) {}},
      {kVkR, 1, 0, true, [](ViewSettings&) {}},
      {kVkF6, 1, 1, true, [](ViewSettings&) {}},
  };
  ASSERT_TRUE(glContextReady());
  for (const auto& row : rows) {
    SetUp();
    levelGeometry.startX = 5.0f;
    camera.position[0] = 77.0f;
    ViewSettings expected = kDefaultViewSettings;
    row.change(expected);
    for (int i = 0; i < row.presses; ++i) EXPECT_EQ(send(kWmKeyDown, row.key), 1);
    EXPECT_EQ(std::memcmp(&viewSettings, &expected, sizeof expected), 0) << int{row.key};
    EXPECT_EQ(recording.count("createRenderingContext"), row.rebuilds) << int{row.key};
    EXPECT_EQ(camera.position[0], row.resetsCamera ? 5.0f : 77.0f) << int{row.key};
    EXPECT_EQ(glIsEnabled(GL_FOG) + 2 * glIsEnabled(GL_CULL_FACE),
              expected.fogOn + 2 * expected.cullOn);
    // Only F6 asks for and loads a level; nothing but a rebuild talks to the platform.
    EXPECT_EQ(
        recording.count("showOpenFileDialog") + recording.count("loadLevel /levels/sample.dnl"),
        row.key == kVkF6 ? 2 : 0);
    EXPECT_TRUE(row.rebuilds > 0 || recording.calls.empty()) << int{row.key};
    EXPECT_EQ(recording.liveRenderingContexts, 1);
  }
  viewSettings.showHelp = 7;  // any value but 0 toggles to 0
  send(kWmKeyDown, kVkF1);
  EXPECT_EQ(viewSettings.showHelp, 0);
}

TEST_F(WindowProcTest, EscAndFailedReloadQuitAndUnlistedKeysDoNothing) {
  const ViewSettings before = viewSettings;
  for (uint32_t code :
       {0u, 26u, 118u, 255u, 0x10000u + 27u, uint32_t{kVkA}, 0x35u, 0x38u, uint32_t{kVkNumpad0},
        uint32_t{kVkNumpad1}, uint32_t{kVkF1} + 1, uint32_t{kVkLeft}, uint32_t{kVkOemPlus}}) {
    EXPECT_EQ(send(kWmKeyDown, code), 1) << code;
  }
  EXPECT_EQ(std::memcmp(&before, &viewSettings, sizeof before), 0);
  EXPECT_EQ(send(kWmKeyDown, kVkEscape), 1);
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"changeDisplayMode restore", "postQuitMessage 0"}));
  EXPECT_TRUE(recording.windowExists);  // Esc quits without destroying
  recording.dialogAccepts = false;
  send(kWmKeyDown, kVkF6);
  EXPECT_EQ(recording.messageBoxes.size(), 1u);
  EXPECT_FALSE(recording.windowExists);
  EXPECT_EQ(recording.count("postQuitMessage 0"), 2);
}
