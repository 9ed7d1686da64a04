// The camera and navigation: the reset to the start pose, the sign and size of each move and
// turn through the keys and the pointer, the arcsine clamp, the keyboard poll (opposite keys
// cancel) with its speed limits, and mouse look with its dead zone and re-centring.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "camera/camera.h"
#include "camera/camera_pose.h"
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

TEST_F(CameraTest, AGivenPoseReplacesTheStartPoseUntilItIsTakenBack) {
  CameraPose pose = {};
  ASSERT_TRUE(parseCameraPose("-512.5,100,2e3,90,-30,170", &pose)) << "six numbers are a pose";
  setResetPose(&pose);
  resetTo(10, 20, 30, 0);
  const Camera given = {{-512.5f, 100, 2000}, 90, -30, 170, {}, 0};
  EXPECT_TRUE(poseIs(given)) << "the reset takes the pose read from the text";
  setResetPose(nullptr);
  resetTo(10, 20, 30, 0);
  EXPECT_EQ(camera.position[0], 10.0f) << "without a given pose the level's start x";
}

// A turned, pitched and banked pose: the matrix is a rotation (unit columns at right angles)
// and reads back as that pose.
TEST_F(CameraTest, AnyPoseBuildsARotationThatReadsBackAsItself) {
  camera.heading = 30;
  camera.pitch = 20;
  camera.bank = 50;
  const Camera before = camera;
  float m[9];
  buildOrientation(m);
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) {
      const float dot = m[a] * m[b] + m[a + 3] * m[b + 3] + m[a + 6] * m[b + 6];
      EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-6) << "columns " << a << " and " << b;
    }
  }
  extractAngles(m);
  EXPECT_TRUE(poseIs(before)) << "the angles read back";
}

TEST(CameraPoseText, AnythingButSixFiniteNumbersIsRefused) {
  for (const char* text : {"", "1,2,3,4,5", "1,2,3,4,5,6,7", "1,2,3,4,5,6,", "1,2,x,4,5,6",
                           "1,2,3,4,5,inf", "1,2,3,4,5,nan", "1,2,3,4,5,1e39", "1 2 3 4 5 6"}) {
    CameraPose pose = {};
    EXPECT_FALSE(parseCameraPose(text, &pose)) << "refused: '" << text << "'";
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

// One key of each opposite pair; the other is seen to cancel it below.
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
}

// Opposite keys held together cancel; only the high bit means held.
TEST_F(CameraTest, CancellingKeysAndLowBitsLeavePoseAndSpeed) {
  const std::tuple<std::vector<uint8_t>, uint8_t, const char*> cases[] = {
      {{kVkLeft, kVkRight}, 0x80, "left and right"},
      {{kVkUp, kVkDown}, 0x80, "up and down"},
      {{kVkNumpad0, kVkNumpad1}, 0x80, "keypad 0 and 1"},
      {{kVkLButton, kVkRButton}, 0x80, "left and right buttons"},
      {{kVkUp, kVkOem6}, 0x7F, "up and faster as 0x7F"},
  };
  const Camera before = camera;
  for (const auto& [keys, state, what] : cases) {
    hold(keys, state);
    pollNavigationKeys();
    EXPECT_TRUE(poseIs(before)) << "pose with " << what;
    EXPECT_EQ(viewSettings.moveSpeed, kDefaultViewSettings.moveSpeed) << "speed with " << what;
  }
}

TEST_F(CameraTest, SpeedKeysStepTowardTheirLimitsAndStopExactlyOnThem) {
  const ViewSettings& v = viewSettings;
  const std::tuple<uint8_t, const float*, float> cases[] = {
      {kVkOem6, &v.moveSpeed, 1000.0f},         {kVkOem4, &v.moveSpeed, 10.0f},
      {kVkOemPlus, &v.rollSpeed, 0.1f},         {kVkOemMinus, &v.rollSpeed, 0.001f},
      {kVkOemPeriod, &v.mouseLookSpeed, 0.01f}, {kVkOemComma, &v.mouseLookSpeed, 0.0002f}};
  for (const auto& [key, speed, limit] : cases) {
    viewSettings = kDefaultViewSettings;
    hold({key});
    pollNavigationKeys();
    EXPECT_NE(*speed, limit) << "one frame does not reach the limit, key " << int(key);
    for (int frame = 0; frame < 1000; ++frame) pollNavigationKeys();
    EXPECT_EQ(*speed, limit) << "speed after many frames, key " << int(key);
  }
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
