// The loader and renderer stand-ins and the per-test reset.
#include "tests/app/neighbour_fakes.h"

#include <cstring>

#include "level/level_loader.h"
#include "render/frame.h"
#include "render/render_setup.h"
#include "tests/gl/gl_context.h"

NeighbourRecord neighbours;

bool loadLevel(const char* path) {
  recording.calls.push_back(std::string("loadLevel ") + path);
  neighbours.report.failure = neighbours.loadSucceeds ? LoadFailure::None : LoadFailure::CannotOpen;
  return neighbours.loadSucceeds;
}

const LoadReport& lastLoadReport() {
  return neighbours.report;
}

const char* loadFailureText(LoadFailure) {
  return "refused";
}

void resizeRendering(int32_t width, int32_t height) {
  recording.calls.push_back("resizeRendering " + std::to_string(width) + "x" +
                            std::to_string(height));
}

void setupRendering(int32_t width, int32_t height) {
  recording.calls.push_back("setupRendering " + std::to_string(width) + "x" +
                            std::to_string(height));
}

void releaseRendering() {
  neighbours.releasedIn.push_back(recording.currentContext);
}

void renderFrame() {
  ++frameStats.frameCount;
  recording.calls.emplace_back("renderFrame");
}

void ShellTest::SetUp() {
  resetRecording();
  neighbours = NeighbourRecord{};
  frameStats = {};
  std::memset(levelPath, 0, sizeof levelPath);
  viewSettings = kDefaultViewSettings;
  camera = {};
  camera.resetPending = 1;
  levelGeometry = {};
  windowActive = 0;
  viewerPaths = {};
  openFileRecord = {};
  deviceContext = nullptr;
  renderingContext = nullptr;
  std::memset(messageText, 0, sizeof messageText);
  screenOptions = {ScreenChoice::ModeSwitch, 0, 0, false};
  clientArea = {640, 480};
}

std::string callList(bool passes) {
  std::string out;
  for (size_t i = 0; i < recording.calls.size(); ++i) {
    const bool pass = passes && recording.calls[i] == "setTimer 1 1000";
    out += (i == 0 ? "" : ", ") + (pass ? "rebuild" : recording.calls[i]);
    while (pass && i + 1 < recording.calls.size() && recording.calls[i] != "setCursorPos 320 240")
      ++i;
  }
  return out;
}

bool glContextReady() {
  static const bool ready = makeTestGlContext();
  return ready;
}
