// The window procedure driven message by message, one behaviour per test: the shade, fog and
// culling keys (rebuilding or switching in place), the timer text, paint, unlisted input,
// deactivation, close and a window's size. The far-plane keys, activation with the display
// mode, Esc and the watched file are seen in the end-to-end runs.
#include "render/opengl.h"

#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

using namespace platform;

class WindowProcTest : public ShellTest {
 protected:
  // Creates the viewer's window, reading the configuration in the working directory.
  void SetUp() override {
    ShellTest::SetUp();
    ASSERT_TRUE(glContextReady());
    recording.windowExists = true;
    recording.procedure = viewerWindowProc;  // destroying delivers the destroy message
    EXPECT_EQ(send(kWmCreate), 1) << "answer to creation";
    // Every context the double makes current starts like a new one: fog and culling off.
    recording.onMakeCurrent = [] {
      glDisable(GL_FOG);
      glDisable(GL_CULL_FACE);
    };
    levelGeometry.startX = 5.0f;
    recording.calls.clear();
    camera.position[0] = 77.0f;  // back at the start pose (x 5) only after a reset
  }
  static int32_t send(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0) {
    return viewerWindowProc(recordedWindow(), message, wParam, lParam);
  }
  static int32_t key(uint32_t code) { return send(kWmKeyDown, code); }
  static int32_t rebuilds() { return recording.count("setupRendering"); }
};

TEST_F(WindowProcTest, ShadeRebuildsWhileFogAndCullingSwitchInPlaceAndSurviveIt) {
  key(kVk2);
  EXPECT_TRUE(glIsEnabled(GL_FOG)) << "fog enabled in the context";
  key(kVk3);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "culling enabled in the context";
  EXPECT_EQ(rebuilds(), 0) << "fog and culling switch without a rebuild";
  key(kVk1);
  EXPECT_EQ(viewSettings.lightingOn, 1) << "1 turns the shade on";
  EXPECT_EQ(rebuilds(), 1) << "1 rebuilds";
  EXPECT_TRUE(glIsEnabled(GL_FOG)) << "fog still on in the new context";
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "culling still on in the new context";
  key(kVk2);
  EXPECT_FALSE(glIsEnabled(GL_FOG)) << "2 again turns fog off";
  key(kVk1);
  EXPECT_EQ(viewSettings.lightingOn, 0) << "1 again turns the shade off";
}

// The status and help keys are seen toggling in main_loop_test.cpp; R, F6 and the boxes for
// a refused display mode in the end-to-end runs.
TEST_F(WindowProcTest, UnlistedKeysAndMessagesDoNothing) {
  for (uint32_t code : {0u, 26u, 118u, 255u, 0x10000u + 27u, 0x41u, 0x35u, 0x38u, 0x60u, 0x61u,
                        0x71u, 0x25u, 0xBBu}) {
    EXPECT_EQ(key(code), 1) << "answer to key " << code;
  }
  EXPECT_TRUE(recording.calls.empty()) << "calls for unlisted keys";
  EXPECT_EQ(viewSettings.showStatus, 1) << "settings after unlisted keys";
  EXPECT_EQ(send(0x0084, 5, 6), 0) << "answer to an unlisted message";
  EXPECT_EQ(recording.count("defaultWindowProc 132"), 1) << "an unlisted message goes on";
  EXPECT_EQ(send(kWmPaint), 1) << "answer to paint";
  EXPECT_EQ(recording.count("validateWindow"), 1) << "paint validates";
}

TEST_F(WindowProcTest, OnlyTimerOneMakesTheFrameRateText) {
  frameStats.frameCount = 57;
  EXPECT_EQ(send(kWmTimer, 2), 1) << "answer to timer 2";
  EXPECT_STREQ(frameStats.fpsText, "") << "timer 2 writes no text";
  send(kWmTimer, 1);
  EXPECT_STREQ(frameStats.fpsText, "FPS=057") << "timer 1 text";
  EXPECT_EQ(frameStats.frameCount, 0) << "timer 1 restarts the count";
  frameStats.frameCount = 1234;
  send(kWmTimer, 1);
  EXPECT_STREQ(frameStats.fpsText, "FPS=1234") << "four digits";
}

// Deactivation gives the user's mode back and shows the pointer; close destroys the window.
TEST_F(WindowProcTest, DeactivationRestoresTheModeAndCloseDestroysTheWindow) {
  send(kWmActivate, 0x10002);
  EXPECT_EQ(windowActive, 2) << "the activation state, the low 16 bits";
  send(kWmActivate, 0x30000);
  EXPECT_EQ(windowActive, 0) << "inactive: the low 16 bits are 0";
  EXPECT_EQ(recording.count("changeDisplayMode restore"), 1) << "restore on deactivation";
  EXPECT_EQ(recording.count("showCursor 1"), 1) << "pointer shown";
  EXPECT_EQ(send(kWmClose), 1) << "answer to close";
  EXPECT_EQ(recording.count("destroyWindow"), 1) << "close destroys the window";
}

// In a window the projection follows each new size, the glyph lists only a change of the
// glyph height, the pointer the new centre; an inactive window draws again when uncovered.
TEST_F(WindowProcTest, AWindowFollowsItsSizeAndKeepsItsPictureWhileInactive) {
  send(kWmSize, 0, 800u | (600u << 16));
  EXPECT_EQ(recording.count("resizeRendering"), 0) << "the display mode takes no size";
  screenOptions.screen = ScreenChoice::Window;
  send(kWmSize, 0, 800u | (600u << 16));
  EXPECT_EQ(recording.count("resizeRendering 800x600"), 1) << "the projection follows";
  EXPECT_EQ(recording.count("buildGlyphListsAtHeight 0 255 1000 16"), 1)
      << "600 lines call for 16-pixel glyphs";
  EXPECT_EQ(recording.count("renderFrame"), 1) << "an inactive window draws its new size once";
  send(kWmActivate, 1);
  send(kWmSize, 0, 805u | (605u << 16));
  EXPECT_EQ(recording.count("buildGlyphListsAtHeight"), 1) << "same glyph height: not rebuilt";
  send(kWmMouseMove, 0, 500u | (400u << 16));
  EXPECT_EQ(recording.count("setCursorPos 402 302"), 1) << "mouse look re-centres on the client";
  EXPECT_EQ(recording.count("changeDisplayMode"), 0) << "a window never switches the mode";
  send(kWmActivate, 0);
  send(kWmPaint);
  EXPECT_EQ(recording.count("renderFrame"), 2) << "uncovered while inactive: drawn again";
}
