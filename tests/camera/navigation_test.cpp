// Navigation input: the keyboard poll (order of keys, pairs held together, a failed read),
// the three speeds reaching their limits on exact frames, and mouse look with its dead zone
// and re-centring.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "app/platform/virtual_keys.h"
#include "tests/camera/camera_fixture.h"

namespace {

class Navigation : public CameraFixture {
 protected:
  void SetUp() override {
    CameraFixture::SetUp();
    resetCamera();
  }

  static void hold(uint8_t key) { recording.keyboard[key] = 0x80; }

  // Runs `reference` on a copy of the current camera and returns the result; the camera
  // itself is left as it was.
  static Camera replay(const std::function<void()>& reference) {
    const Camera saved = camera;
    reference();
    const Camera result = camera;
    camera = saved;
    return result;
  }

  static void expectCamera(const Camera& expected) {
    EXPECT_EQ(std::memcmp(&expected, &camera, sizeof camera), 0)
        << "position " << camera.position[0] << " " << camera.position[1] << " "
        << camera.position[2] << " heading " << camera.heading << " pitch " << camera.pitch
        << " bank " << camera.bank;
  }
};

TEST_F(Navigation, EachMovementKeyAndButtonAppliesItsOperationWithTheCurrentSpeed) {
  struct Case {
    uint8_t key;
    int32_t op;
    float amount;
  };
  viewSettings.moveSpeed = 37.5f;
  viewSettings.rollSpeed = 0.07f;
  const Case cases[] = {{kVkLeft, Strafe, -37.5f}, {kVkRight, Strafe, 37.5f},
                        {kVkUp, Advance, -37.5f},  {kVkDown, Advance, 37.5f},
                        {kVkNumpad1, Rise, 37.5f}, {kVkNumpad0, Rise, -37.5f},
                        {kVkLButton, Roll, 0.07f}, {kVkRButton, Roll, -0.07f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << int(c.key));
    resetCamera();
    const Camera expected = replay([&] { moveCamera(c.op, c.amount); });
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    hold(c.key);
    pollNavigationKeys();
    expectCamera(expected);
  }
  // The left button raises bank: 180 + 4.01 degrees, wrapped.
  resetCamera();
  recording.keyboard[kVkRButton] = 0;
  hold(kVkLButton);
  pollNavigationKeys();
  EXPECT_NEAR(camera.bank, -180.0 + 0.07 * 57.29578, 1e-3);
}

TEST_F(Navigation, KeysActInTableOrderWithinOneFrame) {
  // Strafe comes before the roll, so it follows the unrolled right axis; the movement comes
  // before ], so this frame still moves by the old speed.
  hold(kVkLeft);
  hold(kVkLButton);
  hold(kVkUp);
  hold(kVkNumpad1);
  hold(kVkOem6);
  const Camera expected = replay([] {
    moveCamera(Strafe, -100.0f);
    moveCamera(Advance, -100.0f);
    moveCamera(Rise, 100.0f);
    moveCamera(Roll, 0.05f);
  });
  pollNavigationKeys();
  expectCamera(expected);
  EXPECT_GT(viewSettings.moveSpeed, 100.0f);
}

TEST_F(Navigation, BothKeysOfAPairHeldTogetherCancelOut) {
  const Camera start = camera;
  for (uint8_t key :
       {kVkLeft, kVkRight, kVkUp, kVkDown, kVkNumpad1, kVkNumpad0, kVkLButton, kVkRButton,
        kVkOemPlus, kVkOemMinus, kVkOemPeriod, kVkOemComma, kVkOem6, kVkOem4}) {
    hold(key);
  }
  for (int frame = 0; frame < 10; ++frame) pollNavigationKeys();
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(camera.position[i], start.position[i], 1e-3);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(camera.orientation[i], start.orientation[i], 1e-6);
  EXPECT_NEAR(viewSettings.moveSpeed, 100.0f, 1e-3);
  EXPECT_NEAR(viewSettings.rollSpeed, 0.05f, 1e-7);
  EXPECT_NEAR(viewSettings.mouseLookSpeed, 0.0025f, 1e-8);
}

TEST_F(Navigation, AFailedKeyboardReadDoesNothingThatFrame) {
  hold(kVkUp);
  hold(kVkLButton);
  hold(kVkOem6);
  recording.keyboardReadSucceeds = false;
  const Camera before = camera;
  pollNavigationKeys();
  expectCamera(before);
  EXPECT_EQ(viewSettings.moveSpeed, 100.0f);
}

TEST_F(Navigation, OnlyTheHighBitMeansHeld) {
  recording.keyboard[kVkUp] = 0x7F;  // toggled and other low bits, not down
  const Camera before = camera;
  pollNavigationKeys();
  expectCamera(before);
}

// Holds `key` frame after frame and returns the frame on which `speed` first equals `limit`,
// checking that it was strictly inside the range before and stays put afterwards.
int frameReachingLimit(uint8_t key, const float& speed, float limit, bool raising) {
  recording.keyboard[key] = 0x80;
  for (int frame = 1; frame <= 1000; ++frame) {
    const float before = speed;
    pollNavigationKeys();
    if (speed == limit) {
      for (int more = 0; more < 5; ++more) {
        pollNavigationKeys();
        EXPECT_EQ(speed, limit);
      }
      return frame;
    }
    EXPECT_TRUE(raising ? speed > before && speed < limit : speed < before && speed > limit)
        << "frame " << frame << " value " << speed;
  }
  return -1;
}

TEST_F(Navigation, SpeedsReachTheirLimitsExactlyOnTheExpectedFrame) {
  struct Case {
    uint8_t key;
    const float* speed;
    float limit;
    bool raising;
    int frame;
  };
  const Case cases[] = {
      {kVkOem6, &viewSettings.moveSpeed, 1000.0f, true, 117},
      {kVkOem4, &viewSettings.moveSpeed, 10.0f, false, 117},
      {kVkOemPlus, &viewSettings.rollSpeed, 0.1f, true, 36},
      {kVkOemMinus, &viewSettings.rollSpeed, 0.001f, false, 198},
      {kVkOemPeriod, &viewSettings.mouseLookSpeed, 0.01f, true, 71},
      {kVkOemComma, &viewSettings.mouseLookSpeed, 0.0002f, false, 128},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << int(c.key));
    viewSettings = kDefaultViewSettings;
    std::memset(recording.keyboard, 0, sizeof recording.keyboard);
    EXPECT_EQ(frameReachingLimit(c.key, *c.speed, c.limit, c.raising), c.frame);
  }
}

using MouseLook = Navigation;

TEST_F(MouseLook, PointerInTheDeadZoneIsIgnored) {
  const Camera before = camera;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) handlePointerMove(320 + dx, 240 + dy);
  }
  expectCamera(before);
  EXPECT_EQ(recording.count("setCursorPos"), 0);
}

TEST_F(MouseLook, PointerOutsideTheDeadZoneRecentresThenTurns) {
  Camera atRecentre{};
  recording.onSetCursorPos = [&] { atRecentre = camera; };
  const Camera before = camera;
  const Camera expected = replay([] {
    moveCamera(Heading, -2.0f * 0.0025f);
    moveCamera(Pitch, 0.0f);
  });
  handlePointerMove(322, 240);
  ASSERT_EQ(recording.calls.size(), 1u);
  EXPECT_EQ(recording.calls[0], "setCursorPos 320 240");
  EXPECT_EQ(std::memcmp(&atRecentre, &before, sizeof before), 0) << "turned before re-centring";
  expectCamera(expected);
}

TEST_F(MouseLook, EveryOffsetPastOnePixelTurns) {
  const int offsets[][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {2, 2}, {-1, 5}, {-320, -240}};
  for (const auto& o : offsets) {
    resetCamera();
    resetRecording();
    const Camera before = camera;
    handlePointerMove(320 + o[0], 240 + o[1]);
    EXPECT_EQ(recording.count("setCursorPos 320 240"), 1) << o[0] << "," << o[1];
    EXPECT_NE(std::memcmp(&before, &camera, sizeof camera), 0) << o[0] << "," << o[1];
  }
}

TEST_F(MouseLook, PointerRightRaisesHeadingAndPointerDownLowersPitch) {
  viewSettings.mouseLookSpeed = 0.004f;
  handlePointerMove(330, 240);
  EXPECT_NEAR(camera.heading, 10 * 0.004 * 57.29578, 1e-3);
  resetCamera();
  handlePointerMove(320, 250);
  EXPECT_NEAR(camera.pitch, -10 * 0.004 * 57.29578, 1e-3);
}

TEST_F(MouseLook, PointerMovesWhileInactiveAreIgnored) {
  windowActive = 0;
  const Camera before = camera;
  handlePointerMove(400, 300);
  handlePointerMove(0, 0);
  expectCamera(before);
  EXPECT_TRUE(recording.calls.empty());
}

TEST_F(MouseLook, ExtremeCoordinatesGiveExactOffsetsWithoutOverflow) {
  handlePointerMove(INT32_MIN, INT32_MAX);
  EXPECT_EQ(recording.count("setCursorPos 320 240"), 1);
  EXPECT_FALSE(std::isnan(camera.heading));
  resetCamera();
  const Camera expected = replay([] { mouseLook(65535.0f - 320.0f, 65535.0f - 240.0f); });
  handlePointerMove(65535, 65535);
  expectCamera(expected);
}

}  // namespace
