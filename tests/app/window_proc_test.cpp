// The window procedure driven message by message: creation, activation, pointer moves, the
// timer text, paint, close, quit, every key command, and unlisted keys.
#include "render/opengl.h"
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

using namespace platform;

namespace {

int32_t send(uint32_t message, uint32_t wParam = 0, uint32_t lParam = 0) {
  return viewerWindowProc(recordedWindow(), message, wParam, lParam);
}

// Creates the viewer's window, reading the configuration in the working directory.
void create() {
  recording.windowExists = true;
  recording.procedure = viewerWindowProc;  // destroying delivers the destroy message
  EXPECT_EQ(send(kWmCreate), 1);
}

// What one message did: its answer, the settings that differ from the defaults, "x=5" for a
// camera put back at the start, then the platform calls it made, with each
// whole rebuild pass shown as "rebuild".
std::string digest(int32_t answer) {
  std::string out = std::to_string(answer);
  const auto add = [&out](bool shown, const std::string& token) {
    if (shown) out += " " + token;
  };
  add(viewSettings.farPlane != 25000.0f,
      "far=" + std::to_string(static_cast<int>(viewSettings.farPlane)));
  add(viewSettings.lightingOn != 0, "light=" + std::to_string(viewSettings.lightingOn));
  const auto gl = [](int32_t on, GLenum cap) {
    return std::to_string(on) + (glIsEnabled(cap) ? "gl" : "");
  };
  add(viewSettings.fogOn != 0 || glIsEnabled(GL_FOG), "fog=" + gl(viewSettings.fogOn, GL_FOG));
  add(viewSettings.cullOn != 0 || glIsEnabled(GL_CULL_FACE),
      "cull=" + gl(viewSettings.cullOn, GL_CULL_FACE));
  add(viewSettings.showStatus != 1, "status=" + std::to_string(viewSettings.showStatus));
  add(viewSettings.showHelp != 0, "help=" + std::to_string(viewSettings.showHelp));
  add(windowActive != 0, "active=" + std::to_string(windowActive));
  add(camera.position[0] == 5.0f, "x=5");
  return out + " |" + (recording.calls.empty() ? "" : " " + callList(true));
}

}  // namespace

TEST_F(ShellTest, WindowProcedureHandlesEachMessageAsTheScriptSays) {
  ASSERT_TRUE(glContextReady());
  create();
  // Every context the double makes current starts like a new one: fog and culling off.
  recording.onMakeCurrent = [] {
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
  };
  levelGeometry.startX = 5.0f;
  recording.displayModeResult = -2;  // each switch on activation reports the refusal
  const uint32_t kPointer = 400u | (300u << 16);
  const struct {
    uint32_t message, wParam, lParam;
    const char* digest;
  } script[] = {
      {kWmPaint, 0, 0, "1 | validateWindow"},
      {0x0084, 5, 6, "0 | defaultWindowProc 132"},
      {kWmMouseMove, 0, kPointer, "1 |"},  // no mouse look while inactive
      {kWmActivate, 0x30000, 0, "1 | changeDisplayMode restore, showCursor 1"},
      {kWmActivate, 0x10002, 0,
       "1 active=2 | changeDisplayMode 640x480x16, showMessageBox free Error: Return=-2, The "
       "graphics mode is not supported.\n, showCursor 0"},
      {kWmMouseMove, 0, kPointer, "1 active=2 | setCursorPos 320 240"},
      {kWmActivate, 0, 0, "1 | changeDisplayMode restore, showCursor 1"},
      {kWmKeyDown, kVk0, 0, "1 far=50000 x=5 | rebuild"},
      {kWmKeyDown, kVk9, 0, "1 x=5 | rebuild"},
      {kWmKeyDown, kVk9, 0, "1 far=12500 x=5 | rebuild"},
      {kWmKeyDown, kVk0, 0, "1 x=5 | rebuild"},
      {kWmKeyDown, kVk2, 0, "1 fog=1gl |"},
      {kWmKeyDown, kVk3, 0, "1 fog=1gl cull=1gl |"},
      {kWmKeyDown, kVk1, 0, "1 light=1 fog=1gl cull=1gl x=5 | rebuild"},
      {kWmKeyDown, kVk2, 0, "1 light=1 cull=1gl |"},
      {kWmKeyDown, kVk1, 0, "1 cull=1gl x=5 | rebuild"},
      {kWmKeyDown, kVk3, 0, "1 |"},
      {kWmKeyDown, kVk4, 0, "1 status=0 |"},
      {kWmKeyDown, kVkF1, 0, "1 status=0 help=1 |"},
      {kWmKeyDown, kVk4, 0, "1 help=1 |"},
      {kWmKeyDown, kVkF1, 0, "1 |"},
      {kWmKeyDown, kVkR, 0, "1 x=5 |"},
      {kWmKeyDown, kVkF6, 0, "1 x=5 | showOpenFileDialog, loadLevel /levels/sample.dnl, rebuild"},
      {kWmKeyDown, kVkEscape, 0, "1 | changeDisplayMode restore, postQuitMessage 0"},
      {kWmClose, 0, 0, "1 | destroyWindow, changeDisplayMode restore, postQuitMessage 0"},
      {kWmQuit, 0, 0, "1 | deleteRenderingContext, releaseDeviceContext"},
      {kWmQuit, 0, 0, "1 |"},
  };
  for (const auto& step : script) {
    recording.calls.clear();
    camera.position[0] = 77.0f;
    EXPECT_EQ(digest(send(step.message, step.wParam, step.lParam)), step.digest);
    EXPECT_LE(recording.liveRenderingContexts, 1);
  }
  // Unlisted keys, the keypad and codes beyond a byte answer 1 and do nothing.
  recording.calls.clear();
  for (uint32_t code : {0u, 26u, 118u, 255u, 0x10000u + 27u, 0x41u, 0x35u, 0x38u, 0x60u, 0x61u,
                        0x71u, 0x25u, 0xBBu}) {
    EXPECT_EQ(digest(send(kWmKeyDown, code)), "1 |") << code;
  }
  viewSettings.showHelp = 7;  // any value but 0 toggles to 0
  send(kWmKeyDown, kVkF1);
  EXPECT_EQ(viewSettings.showHelp, 0);
  // Only timer 1 makes the frames-per-second text and restarts the count.
  for (const auto& [frames, id, text] :
       {std::tuple{57, 2u, ""}, {57, 1u, "FPS=057"}, {1234, 1u, "FPS=1234"}}) {
    frameStats.frameCount = frames;
    EXPECT_EQ(send(kWmTimer, id), 1);
    EXPECT_STREQ(frameStats.fpsText, text);
    EXPECT_EQ(frameStats.frameCount, id == 1 ? 0 : frames);
  }
}

TEST_F(ShellTest, CreationReadsTheConfigurationAndAFailedReloadQuits) {
  const auto folder = std::filesystem::temp_directory_path() / std::to_string(getpid());
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "dunmoor.cfg") << "data_dir=/srv/levels\ndata_file=castle.dnl\n";
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  create();
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(recording.lastDialogProposal + recording.lastDialogRequest.initialDir,
            "castle.dnl/srv/levels");
  EXPECT_NE(renderingContext, nullptr);
  recording.calls.clear();
  recording.dialogAccepts = false;
  EXPECT_EQ(send(kWmKeyDown, kVkF6), 1);
  EXPECT_EQ(callList(),
            "showOpenFileDialog, showMessageBox owned Error: Failed to select a DNM "
            "level file, destroyWindow, changeDisplayMode restore, postQuitMessage 0");
  ShellTest::SetUp();
  recording.dialogAccepts = false;
  create();  // a failed creation still answers 1
}
