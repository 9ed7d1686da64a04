// Shared set-up for the camera suites: the camera, the view settings, the level's start
// pose, the window flag and the recording platform all go back to their start-of-process
// state before each test, since every one of them is a process-wide global.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "camera/camera.h"
#include "camera/navigation.h"
#include "camera/view_settings.h"
#include "level/level_geometry.h"
#include "tests/support/recording_platform.h"

class CameraFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    camera = Camera{{0.0f, 0.0f, 0.0f}, 0.0f, 0.0f, 0.0f, {}, 1};
    viewSettings = kDefaultViewSettings;
    setStartPose(10.0f, 20.0f, 30.0f, 0.0f);
    windowActive = 1;
    resetRecording();
  }

  static void setStartPose(float x, float y, float z, float heading) {
    levelGeometry.startX = x;
    levelGeometry.startY = y;
    levelGeometry.startZ = z;
    levelGeometry.startHeading = heading;
  }

  // What the R key and the end of start-up do.
  static void resetCamera() {
    camera.resetPending = 1;
    moveCamera(Roll, 0.0f);
  }

  // Column c of the orientation: 0 backward, 1 right, 2 up.
  static std::array<double, 3> column(int c) {
    const float* m = camera.orientation;
    return {m[c], m[c + 3], m[c + 6]};
  }

  static std::array<double, 3> viewDirection() {
    const std::array<double, 3> back = column(0);
    return {-back[0], -back[1], -back[2]};
  }
};

inline void expectVectorNear(const std::array<double, 3>& actual,
                             const std::array<double, 3>& expected, double tolerance) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}
