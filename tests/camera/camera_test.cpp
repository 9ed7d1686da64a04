// The camera and navigation: the reset to the start pose, the sign and size of each turn and
// move, operation codes outside the table, the arcsine clamp, the keyboard poll with its
// speed limits, and mouse look with its dead zone and re-centring.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"
#include "platform/virtual_keys.h"
#include "tests/support/recording_platform.h"

namespace {

// Position, angles (compared modulo 360) and the backward column 0 of the orientation.
void expectPose(const std::vector<double>& expected, double tolerance) {
  const Camera& c = camera;
  const double actual[] = {c.position[0],    c.position[1],    c.position[2],
                           c.heading,        c.pitch,          c.bank,
                           c.orientation[0], c.orientation[3], c.orientation[6]};
  for (size_t i = 0; i < 9; ++i) {
    const double d = actual[i] - expected[i];
    EXPECT_NEAR(i >= 3 && i < 6 ? std::remainder(d, 360.0) : d, 0.0, tolerance)
        << i << ": " << actual[i];
  }
}

void resetTo(float x, float y, float z, float heading) {
  levelGeometry.startX = x, levelGeometry.startY = y, levelGeometry.startZ = z;
  levelGeometry.startHeading = heading;
  camera.resetPending = 1;
  moveCamera(CameraOp::Roll, 0.0f);  // what the R key and the end of start-up do
}

// Runs `reference` on a copy of the camera and `action` on the camera; true when both end
// exactly alike.
bool actsAs(const std::function<void()>& action, const std::function<void()>& reference) {
  const Camera saved = camera;
  reference();
  const Camera expected = camera;
  camera = saved;
  action();
  return std::memcmp(&expected, &camera, sizeof camera) == 0;
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
};

TEST_F(CameraTest, ResetRestoresTheStartPoseAndAnglesReadBackClamped) {
  expectPose({10, 20, 30, 0, 0, double(179.99998f), 0, 0, 1}, 1e-7);
  EXPECT_EQ(camera.resetPending, 0);
  EXPECT_NEAR(camera.orientation[1] + camera.orientation[5], -2, 1e-7);  // right -x, up -y
  const float headings[][2] = {{180, 179.99998f}, {270, -90}, {359, -1}};
  for (const auto& [start, readBack] : headings) {
    resetTo(0, 0, 0, start);
    EXPECT_NEAR(camera.heading, readBack, 1e-4) << start;  // never flipped to -180
    EXPECT_NEAR(camera.pitch, 0.0f, 1e-6);
  }
  for (const float sine : {1.0000001f, -1.0000001f}) {
    const float drifted[9] = {0, 1, 0, sine, 0, 0, 0, 0, 1};
    camera.heading = 12.0f, camera.bank = 34.0f;
    extractAngles(drifted);                          // along the vertical heading and bank are kept
    EXPECT_NEAR(camera.pitch, -90.0f * sine, 1e-4);  // not NaN
    EXPECT_EQ(std::vector<float>({camera.heading, camera.bank}), std::vector<float>({12, 34}));
  }
}

TEST_F(CameraTest, TurnsAndMovesHaveTheirSignAndSize) {
  const double s = std::sin(0.1), c = std::cos(0.1), d = 5.72958;
  const std::pair<CameraOp, std::vector<double>> cases[] = {
      {CameraOp::Heading, {10, 20, 30, -d, 0, 180, -s, 0, c}},
      {CameraOp::Pitch, {10, 20, 30, 0, -d, 180, 0, s, c}},
      {CameraOp::Roll, {10, 20, 30, 0, 0, 180 + d, 0, 0, 1}},
      {CameraOp::Advance, {10, 20, 30.1, 0, 0, 180, 0, 0, 1}},
      {CameraOp::Strafe, {9.9, 20, 30, 0, 0, 180, 0, 0, 1}},
      {CameraOp::Rise, {10, 19.9, 30, 0, 0, 180, 0, 0, 1}}};
  for (const auto& [op, expected] : cases) {
    resetTo(10, 20, 30, 0);
    moveCamera(op, 0.1f);
    expectPose(expected, 1e-4);
  }
  resetTo(0, 0, 0, 90);
  const std::vector<float> orientation(camera.orientation, camera.orientation + 9);
  camera.resetPending = 1;  // a move neither performs nor clears a pending reset
  moveCamera(CameraOp::Advance, -100.0f);
  expectPose({-100, 0, 0, 90, 0, 180, 1, 0, 0}, 1e-4);
  EXPECT_EQ(orientation, std::vector<float>(camera.orientation, camera.orientation + 9));
  for (const int32_t op : {6, -1, 100, INT32_MIN, INT32_MAX}) {  // the reset stays pending too
    EXPECT_TRUE(actsAs([op] { moveCamera(static_cast<CameraOp>(op), 0.5f); }, [] {})) << op;
  }
  camera.resetPending = 2;  // only exactly 1 restores the start pose: x stays -100, pending 2
  moveCamera(CameraOp::Roll, 0.0f);
  EXPECT_EQ(camera.position[0] + camera.resetPending, -98.0f);
  resetTo(0, 0, 0, 0);
  for (int i = 0; i < 20; ++i) moveCamera(CameraOp::Pitch, -0.1f);  // down past the vertical
  EXPECT_NEAR(camera.pitch, 65.41f, 0.01);                          // heading and bank flip over
  EXPECT_NEAR(std::fabs(camera.heading) - std::fabs(camera.bank), 180.0f, 1e-3);
}

TEST_F(CameraTest, KeysApplyTheirOperationsInTableOrderUnlessTheReadFails) {
  viewSettings.moveSpeed = 37.5f;
  recording.keyboard[kVkUp] = 0x7F;  // only the high bit means held
  recording.keyboard[kVkOem6] = 0x80;
  recording.keyboardReadSucceeds = false;
  EXPECT_TRUE(actsAs(pollNavigationKeys, [] {}) && viewSettings.moveSpeed == 37.5f);
  recording.keyboardReadSucceeds = true;
  const float m = 37.5f, r = 0.05f;  // the moves go by the speed before ] raises it
  const std::pair<std::vector<uint8_t>, std::vector<float>> frames[] = {
      {{kVkRight, kVkRButton, kVkDown, kVkNumpad0}, {m, m, -m, -r}},
      {{kVkLeft, kVkLButton, kVkUp, kVkNumpad1, kVkOem6}, {-m, -m, m, r}}};
  for (const auto& [held, a] : frames) {
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    for (const uint8_t key : held) recording.keyboard[key] = 0x80;
    EXPECT_TRUE(actsAs(pollNavigationKeys, [&a = a] {
      moveCamera(CameraOp::Strafe, a[0]), moveCamera(CameraOp::Advance, a[1]),
          moveCamera(CameraOp::Rise, a[2]);
      moveCamera(CameraOp::Roll, a[3]);
    }));
  }
}

TEST_F(CameraTest, SpeedsReachTheirLimitsOnTheExpectedFrame) {
  const ViewSettings& v = viewSettings;
  const std::tuple<uint8_t, const float*, float, int> cases[] = {
      {kVkOem6, &v.moveSpeed, 1000.0f, 117},        {kVkOem4, &v.moveSpeed, 10.0f, 117},
      {kVkOemPlus, &v.rollSpeed, 0.1f, 36},         {kVkOemMinus, &v.rollSpeed, 0.001f, 198},
      {kVkOemPeriod, &v.mouseLookSpeed, 0.01f, 71}, {kVkOemComma, &v.mouseLookSpeed, 0.0002f, 128}};
  for (const auto& [key, speed, limit, frame] : cases) {
    viewSettings = kDefaultViewSettings;
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    recording.keyboard[key] = 0x80;
    int reached = 1;
    while (reached < 1000 && (pollNavigationKeys(), *speed != limit)) ++reached;
    for (int more = 0; more < 3; ++more) pollNavigationKeys();
    EXPECT_EQ(reached, frame) << int(key);
    EXPECT_EQ(*speed, limit) << int(key);  // held at the limit, not past it
  }
}

TEST_F(CameraTest, PointerRecentresBeforeTurningOutsideTheDeadZone) {
  const Camera before = camera;
  for (int d = 0; d < 9; ++d) handlePointerMove(319 + d % 3, 239 + d / 3);
  windowActive = 0;
  handlePointerMove(400, 300);
  EXPECT_TRUE(std::memcmp(&before, &camera, sizeof camera) == 0 && recording.calls.empty());
  windowActive = 1;
  bool turnedFirst = true;
  recording.onSetCursorPos = [&] {
    turnedFirst = std::memcmp(&before, &camera, sizeof camera) != 0;
  };
  EXPECT_TRUE(
      actsAs([] { handlePointerMove(322, 240); },
             [] { moveCamera(CameraOp::Heading, -0.005f), moveCamera(CameraOp::Pitch, 0.0f); }));
  EXPECT_EQ(recording.calls, std::vector<std::string>{"setCursorPos 320 240"});
  EXPECT_FALSE(turnedFirst);
  EXPECT_TRUE(
      actsAs([] { handlePointerMove(320, 242); },
             [] { moveCamera(CameraOp::Heading, -0.0f), moveCamera(CameraOp::Pitch, 0.005f); }));
  handlePointerMove(INT32_MIN, INT32_MAX);  // the offsets must not overflow
  EXPECT_FALSE(std::isnan(camera.heading));
}

}  // namespace
