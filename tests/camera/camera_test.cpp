// The camera and navigation: the reset to the start pose, the sign and size of each move and
// turn through the keys and the pointer (opposite keys cancel), the speed limit, the arcsine
// clamp, and mouse look with its dead zone and re-centring.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"
#include "platform/virtual_keys.h"
#include "tests/support/recording_platform.h"

namespace {

void resetTo(float x, float y, float z, float heading) {
  levelGeometry.startX = x;
  levelGeometry.startY = y;
  levelGeometry.startZ = z;
  levelGeometry.startHeading = heading;
  resetCamera();
}

// True when the position and angles (the camera's first six floats) are those of `before`,
// within rounding.
bool poseIs(const Camera& before) {
  float now[6], then[6];
  std::memcpy(now, &camera, sizeof now);
  std::memcpy(then, &before, sizeof then);
  return std::equal(now, now + 6, then, [](float a, float b) { return std::fabs(a - b) <= 1e-3f; });
}

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {  // every global the camera reads, as at the start of the process
    camera = Camera{{0, 0, 0}, 0, 0, 0, {}, 1};
    viewSettings = kDefaultViewSettings;
    windowActive = 1;
    resetRecording();
    resetTo(10, 20, 30, 0);
  }
  static void hold(const std::vector<uint8_t>& keys, uint8_t state = 0x80) {
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    for (const uint8_t key : keys) recording.keyboard[key] = state;
  }
};

// The start heading read back from the matrix, in (-180, 180]; the view upright: bank 180.
TEST_F(CameraTest, ResetTakesTheStartPoseAndReadsItsAnglesBack) {
  EXPECT_EQ(camera.resetPending, 0) << "the reset is done";
  EXPECT_NEAR(camera.orientation[6], 1.0f, 1e-7) << "backward axis (column 0) along +z";
  const float headings[][2] = {{0, 0}, {180, 180}, {270, -90}, {359, -1}};
  for (const auto& [start, readBack] : headings) {
    resetTo(10, 20, 30, start);
    EXPECT_TRUE(poseIs({{10, 20, 30}, readBack, 0, 180, {}, 0}))
        << "the start pose, from start heading " << start;
  }
}

TEST_F(CameraTest, AnglesAlongTheVerticalKeepHeadingAndBankAndNeverGiveNaN) {
  for (const float sine : {1.0000001f, -1.0000001f}) {
    const float drifted[9] = {0, 1, 0, sine, 0, 0, 0, 0, 1};
    camera.heading = 12.0f;
    camera.bank = 34.0f;
    extractAngles(drifted);
    EXPECT_TRUE(poseIs({{10, 20, 30}, 12, -90 * sine, 34, {}, 0}))
        << "pitch -90 times the sine " << sine << ", heading and bank kept";
  }
}

// One key of each opposite pair, then a pair held together.
TEST_F(CameraTest, HeldKeysMoveByTheSpeed) {
  viewSettings.moveSpeed = 37.5f;
  const std::tuple<uint8_t, const float*, float, const char*> keys[] = {
      {kVkLeft, &camera.position[0], 10 + 37.5f, "left: x"},
      {kVkUp, &camera.position[2], 30 - 37.5f, "up: z"},
      {kVkNumpad1, &camera.position[1], 20 - 37.5f, "keypad 1: y"},
      {kVkLButton, &camera.bank, 180 + 2.864789f, "left button: bank, 0.05 radians"},
  };
  for (const auto& [key, value, expected, what] : keys) {
    resetTo(10, 20, 30, 0);
    hold({key});
    pollNavigationKeys();
    EXPECT_NEAR(std::remainder(*value - expected, 360.0f), 0.0f, 1e-3) << what;
  }
  resetTo(0, 0, 0, 90);
  hold({kVkUp});
  pollNavigationKeys();
  EXPECT_NEAR(camera.position[0], -37.5f, 1e-3) << "up at heading 90 advances along -x";
  recording.keyboardReadSucceeds = false;
  pollNavigationKeys();
  EXPECT_NEAR(camera.position[0], -37.5f, 1e-3) << "a failed read of the keys moves nothing";
  recording.keyboardReadSucceeds = true;
  const Camera before = camera;
  hold({kVkLeft, kVkRight});
  pollNavigationKeys();
  EXPECT_TRUE(poseIs(before)) << "left and right held together cancel";
}

TEST_F(CameraTest, TheFasterKeyStopsExactlyOnTheHighestSpeed) {
  hold({kVkOem6});
  for (int frame = 0; frame < 1000; ++frame) pollNavigationKeys();
  EXPECT_EQ(viewSettings.moveSpeed, 1000.0f) << "the speed after many frames of ]";
}

// Where the pointer is re-centred is seen through the window procedure in
// window_proc_test.cpp.
TEST_F(CameraTest, PointerTurnsOutsideTheDeadZoneAfterRecentringWhileActive) {
  const Camera before = camera;
  windowActive = 0;
  handlePointerMove(400, 300);
  EXPECT_TRUE(poseIs(before)) << "an inactive window ignores the pointer";
  windowActive = 1;
  for (int d = 0; d < 9; ++d) handlePointerMove(319 + d % 3, 239 + d / 3);
  EXPECT_TRUE(poseIs(before)) << "moves within one pixel of the centre";
  EXPECT_EQ(recording.count("setCursorPos"), 0) << "no re-centring for those moves";
  bool turnedFirst = true;
  recording.onSetCursorPos = [&] { turnedFirst = !poseIs(before); };
  handlePointerMove(322, 240);  // two pixels right: just outside the dead zone
  EXPECT_FALSE(turnedFirst) << "re-centred before turning";
  EXPECT_NEAR(camera.heading, 2 * 0.0025 * 57.29578, 1e-3) << "x offset 2 turns the heading";
  handlePointerMove(320, 242);
  EXPECT_NEAR(camera.pitch, -2 * 0.0025 * 57.29578, 1e-3) << "y offset 2 turns the pitch";
  handlePointerMove(INT32_MIN, INT32_MAX);
  EXPECT_FALSE(std::isnan(camera.heading)) << "extreme offsets must not overflow";
}

}  // namespace
