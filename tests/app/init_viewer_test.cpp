// The start-up sequence: rebuilds that skip the dialog and load and release what the pass
// before made, and each failure with its message and box owner. A full pass is seen in every
// end-to-end run.
#include "app/init_viewer.h"
#include "tests/app/neighbour_fakes.h"

class InitViewerTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    recording.windowExists = true;
    setupOpenFileRequest(recordedWindow());
  }
  static void pass(int32_t ask, int32_t load) {
    initViewer(recordedWindow(), &openFileRecord, &renderingContext, ask, load);
  }
};

TEST_F(InitViewerTest, RebuildsSkipDialogAndLoadAndReleaseThePassBefore) {
  pass(1, 1);
  levelGeometry.startZ = -3.0f;
  pass(2, -1);  // only exactly 1 asks or loads
  EXPECT_EQ(camera.position[2], -3.0f) << "a rebuild resets the camera";
  for (int i = 0; i < 100; ++i) {
    recording.currentContext = nullptr;  // as if another thread's context were current
    pass(0, 0);
  }
  EXPECT_EQ(recording.count("showOpenFileDialog"), 1) << "only exactly 1 asks";
  EXPECT_EQ(recording.count("loadLevel"), 1) << "only exactly 1 loads";
  EXPECT_EQ(recording.liveRenderingContexts, 1) << "rendering contexts left";
  EXPECT_EQ(recording.liveDeviceContexts, 1) << "device contexts left";
  // Each release ran in the context of the pass it belongs to, never in the new one.
  ASSERT_EQ(neighbours.releasedIn.size(), 101u) << "one release per pass after the first";
  for (auto context : neighbours.releasedIn) {
    EXPECT_NE(context, nullptr) << "released with a context current";
    EXPECT_NE(context, renderingContext) << "released in the old context, not the new";
  }
}

struct Failure {
  void (*arrange)();
  std::string box;  // the start of the box's line
  int32_t loads;    // a path that does not fit is never cut into another path and loaded
};

// A row is listed by the start of its box.
void PrintTo(const Failure& failure, std::ostream* out) {
  *out << '"' << failure.box.substr(0, 48) << '"';
}

class InitViewerFailure : public InitViewerTest, public testing::WithParamInterface<Failure> {};

TEST_P(InitViewerFailure, ShowsItsMessageAndDestroysTheWindow) {
  GetParam().arrange();
  pass(1, 1);
  const std::string& box = GetParam().box;
  EXPECT_EQ(recording.count("showMessageBox " + box), 1) << "box: " << box;
  EXPECT_EQ(recording.count("loadLevel"), GetParam().loads) << "loads, " << box;
  EXPECT_FALSE(recording.windowExists) << "the window destroyed, " << box;
  EXPECT_EQ(camera.resetPending, 1) << "the start-up stopped there, " << box;
}

const std::string kOpen = "owned Error: Failed to open ", kLong = std::string(400, 'r');
INSTANTIATE_TEST_SUITE_P(
    EachStep, InitViewerFailure,
    testing::Values(
        Failure{[] { recording.dialogAccepts = false; }, "owned Error: Failed to select a DNM", 0},
        Failure{[] { neighbours.loadSucceeds = false; }, kOpen + "/levels/sample.dnl level", 1},
        Failure{[] { recording.timerSucceeds = false; }, "owned Error: Failed to SetTimer", 1},
        Failure{[] { recording.pixelFormat = 0; }, "free Error: ChoosePixelFormat failed", 1},
        Failure{[] { recording.setPixelFormatSucceeds = false; }, "free Error: SetPixel", 1},
        // 128 characters, one too many; and 402, shown cut and marked.
        Failure{[] { recording.dialogPath = std::string(128, 'q'); }, kOpen + "qqq", 0},
        Failure{[] { recording.dialogPath = kLong; }, kOpen + kLong.substr(0, 252) + "... ", 0}));
