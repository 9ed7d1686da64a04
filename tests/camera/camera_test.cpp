// The camera model: the reset to the start pose, turns about the camera's own axes, moves
// along them, the angles read back from the matrix, and the matrix product.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

#include "tests/camera/camera_fixture.h"

namespace {

using Vec = std::array<double, 3>;

double dot(const Vec& a, const Vec& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Right-handed rotation of v by `angle` radians about unit axis k (Rodrigues), in double:
// an independent reference for what one turn must do to every camera axis.
Vec rotate(const Vec& v, const Vec& k, double angle) {
  const Vec cross = {k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                     k[0] * v[1] - k[1] * v[0]};
  const double c = std::cos(angle), s = std::sin(angle), kv = dot(k, v);
  Vec out;
  for (int i = 0; i < 3; ++i) out[i] = v[i] * c + cross[i] * s + k[i] * kv * (1.0 - c);
  return out;
}

using CameraReset = CameraFixture;

TEST_F(CameraReset, RestoresTheStartPoseUprightWithBankJustBelow180) {
  resetCamera();
  EXPECT_EQ(camera.position[0], 10.0f);
  EXPECT_EQ(camera.position[1], 20.0f);
  EXPECT_EQ(camera.position[2], 30.0f);
  EXPECT_EQ(camera.resetPending, 0);
  EXPECT_EQ(camera.heading, 0.0f);
  EXPECT_EQ(camera.pitch, 0.0f);
  EXPECT_FLOAT_EQ(camera.bank, 179.99998f);
  EXPECT_LT(camera.bank, 180.0f);
  expectVectorNear(column(0), {0, 0, 1}, 1e-7);
  expectVectorNear(column(1), {-1, 0, 0}, 1e-7);
  expectVectorNear(column(2), {0, -1, 0}, 1e-7);
}

TEST_F(CameraReset, ReadsStartHeadingsBackNormalisedWithoutFlippingTo180Negative) {
  setStartPose(0, 0, 0, 180.0f);
  resetCamera();
  EXPECT_FLOAT_EQ(camera.heading, 179.99998f);
  EXPECT_FLOAT_EQ(camera.bank, 179.99998f);
  EXPECT_GT(camera.heading, 0.0f);

  setStartPose(0, 0, 0, 270.0f);
  resetCamera();
  EXPECT_NEAR(camera.heading, -90.0f, 1e-4);

  setStartPose(0, 0, 0, 359.0f);
  resetCamera();
  EXPECT_NEAR(camera.heading, -1.0f, 1e-4);
  EXPECT_NEAR(camera.pitch, 0.0f, 1e-6);
}

TEST_F(CameraReset, ZeroRollWithoutPendingResetKeepsTheMatrixAndRederivesAngles) {
  resetCamera();
  moveCamera(Heading, 0.3f);
  moveCamera(Pitch, 0.2f);
  float before[9];
  std::memcpy(before, camera.orientation, sizeof before);
  camera.heading = 1234.0f;  // stale angles must be replaced from the matrix
  camera.bank = -999.0f;
  moveCamera(Roll, 0.0f);
  EXPECT_EQ(std::memcmp(before, camera.orientation, sizeof before), 0);
  EXPECT_NEAR(camera.heading, -0.3 * 57.29578, 1e-3);
  EXPECT_GE(camera.bank, -180.0f);
  EXPECT_LE(camera.bank, 180.0f);
}

TEST_F(CameraReset, MovesIgnoreAPendingResetAndLeaveItSet) {
  camera.position[0] = 1.0f;
  camera.orientation[0] = 1.0f;  // column 0 along world x
  moveCamera(Advance, 5.0f);
  EXPECT_EQ(camera.resetPending, 1);
  EXPECT_EQ(camera.position[0], 6.0f);
  EXPECT_EQ(camera.position[2], 0.0f);
}

TEST_F(CameraReset, OperationCodesOutsideTheTableChangeNothing) {
  camera.position[1] = 7.0f;
  for (int32_t op : {6, -1, 100, INT32_MIN, INT32_MAX}) {
    const Camera before = camera;
    moveCamera(op, 0.5f);
    EXPECT_EQ(std::memcmp(&before, &camera, sizeof camera), 0) << "op " << op;
  }
  EXPECT_EQ(camera.resetPending, 1);
  resetCamera();
  const Camera after = camera;
  moveCamera(6, 1.0f);
  moveCamera(-1, 1.0f);
  EXPECT_EQ(std::memcmp(&after, &camera, sizeof camera), 0);
}

TEST_F(CameraReset, OnlyTheExactValueOneTriggersTheReset) {
  resetCamera();
  moveCamera(Advance, 50.0f);
  const float z = camera.position[2];
  camera.resetPending = 2;
  moveCamera(Roll, 0.0f);
  EXPECT_EQ(camera.position[2], z);
  EXPECT_EQ(camera.resetPending, 2);
  camera.resetPending = -1;
  moveCamera(Heading, 0.0f);
  EXPECT_EQ(camera.position[2], z);
}

using CameraTurns = CameraFixture;

TEST_F(CameraTurns, EachTurnIsRightHandedAboutItsOwnCameraAxis) {
  for (int32_t op : {Roll, Pitch, Heading}) {
    for (float amount : {0.1f, -0.25f}) {
      setStartPose(0, 0, 0, 37.0f);
      resetCamera();
      const Vec axis = column(op);
      const Vec cols[3] = {column(0), column(1), column(2)};
      moveCamera(op, amount);
      for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(testing::Message() << "op " << op << " amount " << amount << " col " << c);
        expectVectorNear(column(c), rotate(cols[c], axis, amount), 2e-6);
      }
    }
  }
}

TEST_F(CameraTurns, HeadingTurnFromTheStartLowersHeadingAndLooksTowardPlusX) {
  resetCamera();
  expectVectorNear(viewDirection(), {0, 0, -1}, 1e-7);
  moveCamera(Heading, 0.1f);
  EXPECT_NEAR(camera.heading, -5.7296f, 1e-4);
  EXPECT_NEAR(camera.pitch, 0.0f, 1e-4);
  EXPECT_GT(viewDirection()[0], 0.09);
}

TEST_F(CameraTurns, PitchTurnFromTheStartTiltsTheViewTowardMinusY) {
  resetCamera();
  moveCamera(Pitch, 0.1f);
  EXPECT_NEAR(camera.pitch, -5.7296f, 1e-4);
  EXPECT_LT(viewDirection()[1], -0.09);
  EXPECT_NEAR(camera.heading, 0.0f, 1e-4);
}

TEST_F(CameraTurns, RollTurnFromTheStartWrapsBankPast180) {
  resetCamera();
  moveCamera(Roll, 0.1f);
  EXPECT_NEAR(camera.bank, -174.2704f, 1e-4);
  EXPECT_NEAR(camera.pitch, 0.0f, 1e-4);
  EXPECT_NEAR(camera.heading, 0.0f, 1e-4);
}

TEST_F(CameraTurns, PitchingPastTheVerticalKeepsPitchInRangeAndFlipsHeadingAndBank) {
  resetCamera();
  for (int i = 0; i < 20; ++i) moveCamera(Pitch, -0.1f);
  EXPECT_NEAR(camera.pitch, 65.41f, 0.01);
  EXPECT_NEAR(std::fabs(camera.heading), 180.0f, 1e-3);
  EXPECT_NEAR(camera.bank, 0.0f, 1e-3);
  // The view direction went down past the vertical (world +y) and now points toward +z.
  EXPECT_GT(viewDirection()[2], 0.0);
  EXPECT_GT(viewDirection()[1], 0.9);
}

using CameraMoves = CameraFixture;

TEST_F(CameraMoves, MovesFromTheStartPoseFollowTheCameraAxes) {
  resetCamera();
  moveCamera(Advance, -100.0f);
  EXPECT_NEAR(camera.position[2], -70.0f, 1e-4);
  EXPECT_NEAR(camera.position[0], 10.0f, 1e-4);
  EXPECT_NEAR(camera.position[1], 20.0f, 1e-4);

  resetCamera();
  moveCamera(Strafe, -100.0f);
  EXPECT_NEAR(camera.position[0], 110.0f, 1e-4);
  EXPECT_NEAR(camera.position[1], 20.0f, 1e-4);
  EXPECT_NEAR(camera.position[2], 30.0f, 1e-4);

  resetCamera();
  moveCamera(Rise, 100.0f);
  EXPECT_NEAR(camera.position[1], -80.0f, 1e-4);
  EXPECT_NEAR(camera.position[0], 10.0f, 1e-4);
  EXPECT_NEAR(camera.position[2], 30.0f, 1e-4);
}

TEST_F(CameraMoves, AdvanceWithHeading90GoesDownX) {
  setStartPose(0, 0, 0, 90.0f);
  resetCamera();
  const float before[9] = {camera.orientation[0], camera.orientation[1], camera.orientation[2],
                           camera.orientation[3], camera.orientation[4], camera.orientation[5],
                           camera.orientation[6], camera.orientation[7], camera.orientation[8]};
  const float heading = camera.heading;
  moveCamera(Advance, -100.0f);
  EXPECT_NEAR(camera.position[0], -100.0f, 1e-4);
  EXPECT_NEAR(camera.position[1], 0.0f, 1e-4);
  EXPECT_NEAR(camera.position[2], 0.0f, 1e-4);
  EXPECT_EQ(std::memcmp(before, camera.orientation, sizeof before), 0);
  EXPECT_EQ(camera.heading, heading);
}

using CameraAngles = CameraFixture;

TEST_F(CameraAngles, ClampsADriftedSineOfPitchInsteadOfProducingNaN) {
  camera.heading = 12.0f;
  camera.bank = 34.0f;
  const float drifted[9] = {0.0f, 1.0f, 0.0f, 1.0000001f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  extractAngles(drifted);
  EXPECT_FALSE(std::isnan(camera.pitch));
  EXPECT_NEAR(camera.pitch, -90.0f, 1e-4);
  // Straight along the vertical: heading and bank keep their previous values.
  EXPECT_EQ(camera.heading, 12.0f);
  EXPECT_EQ(camera.bank, 34.0f);

  const float down[9] = {0.0f, 1.0f, 0.0f, -1.0000001f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
  extractAngles(down);
  EXPECT_NEAR(camera.pitch, 90.0f, 1e-4);
}

TEST_F(CameraAngles, BuildAndExtractAgreeAwayFromTheVertical) {
  for (float h : {-170.0f, -45.0f, 10.0f, 135.0f}) {
    for (float p : {-60.0f, 0.0f, 30.0f}) {
      for (float b : {-120.0f, 5.0f, 170.0f}) {
        camera.heading = h;
        camera.pitch = p;
        camera.bank = b;
        float m[9];
        buildOrientation(m);
        extractAngles(m);
        SCOPED_TRACE(testing::Message() << h << " " << p << " " << b);
        EXPECT_NEAR(camera.heading, h, 1e-3);
        EXPECT_NEAR(camera.pitch, p, 1e-3);
        EXPECT_NEAR(camera.bank, b, 1e-3);
      }
    }
  }
}

TEST(MultiplyMatrices, MultipliesRowMajorAndLeavesOutAloneForEmptySizes) {
  const float a[4] = {1, 2, 3, 4};
  const float b[4] = {5, 6, 7, 8};
  float out[4] = {-1, -1, -1, -1};
  multiplyMatrices(a, b, out, 0);
  multiplyMatrices(a, b, out, -3);
  for (float v : out) EXPECT_EQ(v, -1.0f);
  multiplyMatrices(a, b, out, 2);
  EXPECT_EQ(out[0], 19.0f);
  EXPECT_EQ(out[1], 22.0f);
  EXPECT_EQ(out[2], 43.0f);
  EXPECT_EQ(out[3], 50.0f);
  multiplyMatrices(a, b, out, 1);
  EXPECT_EQ(out[0], 5.0f);
}

}  // namespace
