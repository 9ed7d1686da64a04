// The loader and renderer stand-ins and the per-test reset.
#include "tests/app/neighbour_fakes.h"

#include <cstring>

#include "render/frame.h"
#include "render/render_setup.h"
#include "tests/gl/gl_context.h"
#include "tests/gl/level_builder.h"

NeighbourRecord neighbours;

bool loadLevel(const char* path) {
  recording.calls.push_back(std::string("loadLevel ") + path);
  ++levelGeometry.quadCount;  // as the loader, it writes into the store before it can fail
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

// GL calls need a current context: without one the call shows as such.
void setupRendering(int32_t width, int32_t height) {
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  recording.calls.push_back("setupRendering " +
                            (recording.currentContext ? size : "without a context"));
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
  testlevel::resetWorld();
  camera.resetPending = 1;
  windowActive = 0;
  viewerPaths = {};
  openFileRecord = {};
  deviceContext = nullptr;
  renderingContext = nullptr;
  std::memset(messageText, 0, sizeof messageText);
  screenOptions = {ScreenChoice::ModeSwitch, 0, 0, false};
  clientArea = {640, 480};
}

bool glContextReady() {
  static const bool ready = makeTestGlContext();
  return ready;
}
