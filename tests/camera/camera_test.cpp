// The camera and navigation: the reset to the start pose, the sign and size of each turn and
// move, operation codes outside the table, the arcsine clamp, the keyboard poll with its
// speed limits, and mouse look with its dead zone and re-centring.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>

#include "app/platform/virtual_keys.h"
#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "tests/support/recording_platform.h"

namespace {

using Vec = std::vector<double>;

// Every global the camera reads goes back to its start-of-process state, the start pose at
// (10, 20, 30) heading 0, and the camera is reset to it.
class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    camera = Camera{{0.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f, {}, 1};
    viewSettings = kDefaultViewSettings;
    windowActive = 1;
    resetRecording();
    resetTo(10, 20, 30, 0);
  }
  static void resetTo(float x, float y, float z, float heading) {
    levelGeometry.startX = x, levelGeometry.startY = y, levelGeometry.startZ = z;
    levelGeometry.startHeading = heading;
    camera.resetPending = 1;
    moveCamera(Roll, 0.0f);  // what the R key and the end of start-up do
  }
  static Vec column(int c) {
    return {camera.orientation[c], camera.orientation[c + 3], camera.orientation[c + 6]};
  }
  static Vec position() { return {camera.position[0], camera.position[1], camera.position[2]}; }
  // The camera after `reference` runs on a copy of it; the camera itself is left as it was.
  static Camera replay(const std::function<void()>& reference) {
    Camera saved = camera;
    reference();
    std::swap(saved, camera);
    return saved;
  }
  static bool cameraIs(const Camera& expected) {
    return std::memcmp(&expected, &camera, sizeof camera) == 0;
  }
};

void expectNear(const Vec& actual, const Vec& expected, double tolerance) {
  for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

TEST_F(CameraTest, ResetRestoresTheStartPoseAndReadsHeadingsBack) {
  expectNear(position(), {10, 20, 30}, 0);
  EXPECT_EQ(camera.resetPending, 0);
  EXPECT_EQ(camera.heading, 0.0f);
  EXPECT_EQ(camera.pitch, 0.0f);
  EXPECT_FLOAT_EQ(camera.bank, 179.99998f);
  expectNear(column(0), {0, 0, 1}, 1e-7);
  expectNear(column(1), {-1, 0, 0}, 1e-7);
  expectNear(column(2), {0, -1, 0}, 1e-7);
  const float headings[][2] = {{180, 179.99998f}, {270, -90}, {359, -1}};
  for (const auto& [start, readBack] : headings) {
    resetTo(0, 0, 0, start);
    EXPECT_NEAR(camera.heading, readBack, 1e-4) << start;  // never flipped to -180
    EXPECT_NEAR(camera.pitch, 0.0f, 1e-6);
  }
}

TEST_F(CameraTest, TurnsHaveTheirSignAndSizeAboutTheCameraAxes) {
  const struct {
    int32_t op;
    float heading, pitch, bank, viewX, viewY;
  } cases[] = {{Heading, -5.7296f, 0, 180, 0.0998f, 0},
               {Pitch, 0, -5.7296f, 180, 0, -0.0998f},
               {Roll, 0, 0, -174.2704f, 0, 0}};
  for (const auto& c : cases) {
    resetTo(0, 0, 0, 0);
    moveCamera(c.op, 0.1f);
    EXPECT_NEAR(camera.heading, c.heading, 1e-4) << c.op;
    EXPECT_NEAR(camera.pitch, c.pitch, 1e-4) << c.op;
    EXPECT_NEAR(std::remainder(camera.bank - c.bank, 360.0f), 0.0f, 1e-3) << c.op;
    expectNear(column(0),
               {-c.viewX, -c.viewY, std::sqrt(1 - c.viewX * c.viewX - c.viewY * c.viewY)},
               1e-4);  // column 0 looks backward
  }
  resetTo(0, 0, 0, 0);
  for (int i = 0; i < 20; ++i) moveCamera(Pitch, -0.1f);  // down past the vertical
  EXPECT_NEAR(camera.pitch, 65.41f, 0.01);
  EXPECT_NEAR(std::fabs(camera.heading), 180.0f, 1e-3);
  EXPECT_NEAR(camera.bank, 0.0f, 1e-3);
}

TEST_F(CameraTest, MovesFollowTheCameraAxesAndLeaveTheTurnAlone) {
  const struct {
    int32_t op;
    float amount;
    Vec to;
  } cases[] = {
      {Advance, -100, {10, 20, -70}}, {Strafe, -100, {110, 20, 30}}, {Rise, 100, {10, -80, 30}}};
  for (const auto& c : cases) {
    resetTo(10, 20, 30, 0);
    moveCamera(c.op, c.amount);
    expectNear(position(), c.to, 1e-4);
  }
  resetTo(0, 0, 0, 90);
  const Camera before = camera;
  moveCamera(Advance, -100.0f);
  expectNear(position(), {-100, 0, 0}, 1e-4);
  EXPECT_EQ(std::memcmp(before.orientation, camera.orientation, sizeof before.orientation), 0);
  EXPECT_EQ(camera.heading, before.heading);
  camera.resetPending = 1;  // a move neither performs nor clears a pending reset
  moveCamera(Advance, 5.0f);
  EXPECT_EQ(camera.resetPending, 1);
  EXPECT_NEAR(camera.position[0], -95.0f, 1e-4);
  for (const int32_t op : {6, -1, 100, INT32_MIN, INT32_MAX}) {
    const Camera unchanged = camera;
    moveCamera(op, 0.5f);
    EXPECT_TRUE(cameraIs(unchanged)) << op;  // the reset stays pending too
  }
}

TEST_F(CameraTest, ExtractAnglesClampsADriftedSineOfPitch) {
  camera.heading = 12.0f, camera.bank = 34.0f;
  for (const float sine : {1.0000001f, -1.0000001f}) {
    const float drifted[9] = {0, 1, 0, sine, 0, 0, 0, 0, 1};
    extractAngles(drifted);
    EXPECT_NEAR(camera.pitch, -90.0f * sine, 1e-4);  // not NaN
    EXPECT_EQ(camera.heading, 12.0f);                // along the vertical heading and bank are kept
    EXPECT_EQ(camera.bank, 34.0f);
  }
}

TEST_F(CameraTest, KeysApplyTheirOperationsInTableOrderUnlessTheReadFails) {
  viewSettings.moveSpeed = 37.5f;
  const std::vector<std::pair<uint8_t, std::function<void()>>> cases = {
      {kVkRight, [] { moveCamera(Strafe, 37.5f); }},
      {kVkDown, [] { moveCamera(Advance, 37.5f); }},
      {kVkNumpad0, [] { moveCamera(Rise, -37.5f); }},
      {kVkRButton, [] { moveCamera(Roll, -0.05f); }}};
  for (const auto& [key, reference] : cases) {
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    recording.keyboard[key] = 0x80;
    const Camera expected = replay(reference);
    pollNavigationKeys();
    EXPECT_TRUE(cameraIs(expected)) << int(key);
  }
  std::memset(recording.keyboard, 0, sizeof recording.keyboard);
  for (const uint8_t key : {kVkLeft, kVkLButton, kVkUp, kVkNumpad1, kVkOem6})
    recording.keyboard[key] = 0x80;
  recording.keyboard[kVkDown] = 0x7F;  // only the high bit means held
  recording.keyboardReadSucceeds = false;
  const Camera before = camera;
  pollNavigationKeys();
  EXPECT_TRUE(cameraIs(before));
  EXPECT_EQ(viewSettings.moveSpeed, 37.5f);
  recording.keyboardReadSucceeds = true;
  const Camera expected = replay([] {
    moveCamera(Strafe, -37.5f), moveCamera(Advance, -37.5f), moveCamera(Rise, 37.5f);
    moveCamera(Roll, 0.05f);  // after the moves, which still go by the old speed
  });
  pollNavigationKeys();
  EXPECT_TRUE(cameraIs(expected));
  EXPECT_GT(viewSettings.moveSpeed, 37.5f);
}

TEST_F(CameraTest, SpeedsReachTheirLimitsOnTheExpectedFrame) {
  const struct {
    uint8_t key;
    const float* speed;
    float limit;
    int frame;
  } cases[] = {{kVkOem6, &viewSettings.moveSpeed, 1000.0f, 117},
               {kVkOem4, &viewSettings.moveSpeed, 10.0f, 117},
               {kVkOemPlus, &viewSettings.rollSpeed, 0.1f, 36},
               {kVkOemMinus, &viewSettings.rollSpeed, 0.001f, 198},
               {kVkOemPeriod, &viewSettings.mouseLookSpeed, 0.01f, 71},
               {kVkOemComma, &viewSettings.mouseLookSpeed, 0.0002f, 128}};
  for (const auto& c : cases) {
    viewSettings = kDefaultViewSettings;
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    recording.keyboard[c.key] = 0x80;
    int frame = 1;
    while (frame < 1000 && (pollNavigationKeys(), *c.speed != c.limit)) ++frame;
    EXPECT_EQ(frame, c.frame) << int(c.key);
    for (int more = 0; more < 3; ++more) pollNavigationKeys();
    EXPECT_EQ(*c.speed, c.limit) << int(c.key);  // held at the limit, not past it
  }
}

TEST_F(CameraTest, PointerRecentresBeforeTurningOutsideTheDeadZone) {
  const Camera before = camera;
  for (int d = 0; d < 9; ++d) handlePointerMove(319 + d % 3, 239 + d / 3);
  windowActive = 0;
  handlePointerMove(400, 300);
  EXPECT_TRUE(cameraIs(before));
  EXPECT_TRUE(recording.calls.empty());
  windowActive = 1;
  Camera atRecentre{};
  recording.onSetCursorPos = [&] { atRecentre = camera; };
  const Camera expected =
      replay([] { moveCamera(Heading, -2 * 0.0025f), moveCamera(Pitch, 0.0f); });
  handlePointerMove(322, 240);
  EXPECT_EQ(recording.calls, std::vector<std::string>{"setCursorPos 320 240"});
  EXPECT_EQ(std::memcmp(&atRecentre, &before, sizeof before), 0) << "turned before re-centring";
  EXPECT_TRUE(cameraIs(expected));
  const Camera down = replay([] { moveCamera(Heading, 0.0f), moveCamera(Pitch, 2 * 0.0025f); });
  handlePointerMove(320, 242);
  EXPECT_TRUE(cameraIs(down));
  handlePointerMove(INT32_MIN, INT32_MAX);  // the offsets must not overflow
  EXPECT_FALSE(std::isnan(camera.heading));
}

}  // namespace
