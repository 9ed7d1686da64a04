// Camera arithmetic: the six operations of moveCamera, the matrix built from the angles at a
// reset, the angles read back from the matrix after every turn, and the n x n product.
// Every stored value is single precision; intermediate steps run in double.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "camera/camera.h"
#include "camera/camera_pose.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kRadiansToDegrees = 57.2957763671875f;

// Scratch matrices of a turn: the incremental rotation and the product, kept apart from
// the orientation because the product cannot be formed in place.
float incrementalRotation[9];
float turnProduct[9];

// The level's start pose, or the pose given in its place (camera_pose.h).
void restoreStartPose() {
  const CameraPose pose = resetPose();
  for (int32_t i = 0; i < 3; ++i) camera.position[i] = pose.position[i];
  camera.resetPending = 0;
  camera.heading = pose.heading;
  camera.pitch = pose.pitch;
  camera.bank = pose.bank;
  buildOrientation(camera.orientation);
}

// Turns every camera axis by `amount` radians about camera axis `axis` (column of M).
void turn(int32_t axis, float amount, float sqrtTwo) {
  const float* m = camera.orientation;
  const float half = amount * 0.5f;
  // The quaternion's factor 2 is folded into s and w as sqrt(2) each.
  const float s = static_cast<float>(std::sin(static_cast<double>(half)) * sqrtTwo);
  const float w = static_cast<float>(std::cos(static_cast<double>(half)) * sqrtTwo);
  const double x = static_cast<float>(static_cast<double>(m[axis]) * s);
  const double y = static_cast<float>(static_cast<double>(m[axis + 3]) * s);
  const double z = static_cast<float>(static_cast<double>(m[axis + 6]) * s);
  float* d = incrementalRotation;
  d[0] = static_cast<float>(1.0 - y * y - z * z);
  d[1] = static_cast<float>(x * y - w * z);
  d[2] = static_cast<float>(x * z + w * y);
  d[3] = static_cast<float>(x * y + w * z);
  d[4] = static_cast<float>(1.0 - x * x - z * z);
  d[5] = static_cast<float>(y * z - w * x);
  d[6] = static_cast<float>(x * z - w * y);
  d[7] = static_cast<float>(y * z + w * x);
  d[8] = static_cast<float>(1.0 - x * x - y * y);
  multiplyMatrices(incrementalRotation, camera.orientation, turnProduct, 3);
  std::copy(turnProduct, turnProduct + 9, camera.orientation);
  extractAngles(camera.orientation);
}

}  // namespace

void moveCamera(CameraOp op, float amount) {
  static const float sqrtTwo = std::sqrt(2.0f);
  // Tested unsigned, so a negative value is out of range too.
  const auto code = static_cast<uint32_t>(op);
  if (code > static_cast<uint32_t>(CameraOp::Advance)) return;
  if (code <= static_cast<uint32_t>(CameraOp::Heading)) {
    if (camera.resetPending == 1) restoreStartPose();
    // Roll, Pitch and Heading turn about columns 0, 1 and 2.
    turn(static_cast<int32_t>(code), amount, sqrtTwo);
    return;
  }
  // Strafe, Rise and Advance move along columns 1, 2 and 0.
  const int32_t column = op == CameraOp::Advance ? 0 : static_cast<int32_t>(code) - 2;
  for (int32_t i = 0; i < 3; ++i) {
    const double step = static_cast<double>(amount) * camera.orientation[3 * i + column];
    camera.position[i] = static_cast<float>(camera.position[i] + step);
  }
}

// A roll by zero after asking for the reset: the reset happens inside the turn, which then
// reads the angles back from the rebuilt matrix.
void resetCamera() {
  camera.resetPending = 1;
  moveCamera(CameraOp::Roll, 0.0f);
}

void buildOrientation(float out[9]) {
  // The products stay unrounded: sin(180 degrees) then comes out as +2.4e-8, so a heading or
  // bank of 180 reads back as 179.99998 rather than -180.
  const double h = static_cast<double>(camera.heading) * kDegreesToRadians;
  const double p = static_cast<double>(camera.pitch) * kDegreesToRadians;
  const double b = static_cast<double>(camera.bank) * kDegreesToRadians;
  const double sh = std::sin(h), ch = std::cos(h);
  const double sp = std::sin(p), cp = std::cos(p);
  const double sb = std::sin(b), cb = std::cos(b);
  out[0] = static_cast<float>(cp * sh);
  out[1] = static_cast<float>(sh * sb * sp + cb * ch);
  out[2] = static_cast<float>(sh * cb * sp - sb * ch);
  out[3] = static_cast<float>(-sp);
  out[4] = static_cast<float>(sb * cp);
  out[5] = static_cast<float>(cb * cp);
  out[6] = static_cast<float>(cp * ch);
  out[7] = static_cast<float>(ch * sb * sp - cb * sh);
  out[8] = static_cast<float>(ch * cb * sp + sb * sh);
}

void extractAngles(const float m[9]) {
  // Rounding drift near the vertical can push m[3] just past +-1; clamp to keep asin defined.
  const double sinPitch = std::clamp(static_cast<double>(m[3]), -1.0, 1.0);
  camera.pitch = static_cast<float>(std::asin(sinPitch) * -kRadiansToDegrees);
  // Looking straight along the vertical leaves heading and bank undefined: keep them.
  if (m[0] == 0.0f && m[6] == 0.0f) return;
  camera.heading = static_cast<float>(
      std::atan2(static_cast<double>(m[0]), static_cast<double>(m[6])) * kRadiansToDegrees);
  camera.bank = static_cast<float>(
      std::atan2(static_cast<double>(m[4]), static_cast<double>(m[5])) * kRadiansToDegrees);
}

void multiplyMatrices(const float* a, const float* b, float* out, int n) {
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      float& sum = out[i * n + j];
      sum = 0.0f;
      for (int k = 0; k < n; ++k) {
        sum = static_cast<float>(sum + static_cast<double>(a[i * n + k]) * b[k * n + j]);
      }
    }
  }
}
