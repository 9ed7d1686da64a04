// Navigation input: the per-frame keyboard poll with its movement, roll and speed keys, and
// mouse look driven by pointer moves away from the screen centre, which is then restored.
#include "camera/navigation.h"

#include <cstdint>

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "platform/virtual_keys.h"

namespace {

constexpr uint8_t kHeldBit = 0x80;
constexpr float kRaiseFactor = 1.01999998f;
constexpr float kLowerFactor = 0.98039216f;

// The keyboard state of the current poll; static so the poll needs no large stack frame.
uint8_t keyboardState[256];

bool held(uint8_t key) {
  return (keyboardState[key] & kHeldBit) != 0;
}

// The product is compared before rounding to single precision, so the speed lands on the
// limit exactly and never passes it.
void raiseSpeed(float& speed, float upperLimit) {
  const double product = static_cast<double>(speed) * kRaiseFactor;
  speed = product >= upperLimit ? upperLimit : static_cast<float>(product);
}

void lowerSpeed(float& speed, float lowerLimit) {
  const double product = static_cast<double>(speed) * kLowerFactor;
  speed = product <= lowerLimit ? lowerLimit : static_cast<float>(product);
}

}  // namespace

void pollNavigationKeys() {
  if (!platform::readKeyboardState(keyboardState)) return;
  ViewSettings& s = viewSettings;
  // Every held key acts, in this order; opposite keys held together cancel out.
  if (held(kVkLeft)) moveCamera(CameraOp::Strafe, -s.moveSpeed);
  if (held(kVkRight)) moveCamera(CameraOp::Strafe, s.moveSpeed);
  if (held(kVkUp)) moveCamera(CameraOp::Advance, -s.moveSpeed);
  if (held(kVkDown)) moveCamera(CameraOp::Advance, s.moveSpeed);
  if (held(kVkNumpad1)) moveCamera(CameraOp::Rise, s.moveSpeed);
  if (held(kVkNumpad0)) moveCamera(CameraOp::Rise, -s.moveSpeed);
  if (held(kVkLButton)) moveCamera(CameraOp::Roll, s.rollSpeed);
  if (held(kVkRButton)) moveCamera(CameraOp::Roll, -s.rollSpeed);
  if (held(kVkOemPlus)) raiseSpeed(s.rollSpeed, 0.1f);
  if (held(kVkOemMinus)) lowerSpeed(s.rollSpeed, 0.001f);
  if (held(kVkOemPeriod)) raiseSpeed(s.mouseLookSpeed, 0.01f);
  if (held(kVkOemComma)) lowerSpeed(s.mouseLookSpeed, 0.0002f);
  if (held(kVkOem6)) raiseSpeed(s.moveSpeed, 1000.0f);
  if (held(kVkOem4)) lowerSpeed(s.moveSpeed, 10.0f);
}

void mouseLook(float dx, float dy) {
  moveCamera(CameraOp::Heading, -dx * viewSettings.mouseLookSpeed);
  moveCamera(CameraOp::Pitch, dy * viewSettings.mouseLookSpeed);
}

void handlePointerMove(int32_t x, int32_t y) {
  if (windowActive == 0) return;
  // Widened so that any 32-bit position gives an exact offset.
  const int32_t centreX = clientArea.width / 2;
  const int32_t centreY = clientArea.height / 2;
  const int64_t dx = static_cast<int64_t>(x) - centreX;
  const int64_t dy = static_cast<int64_t>(y) - centreY;
  // The move caused by the re-centring itself lands in this dead zone.
  if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) return;
  platform::setCursorPos(centreX, centreY);
  mouseLook(static_cast<float>(dx), static_cast<float>(dy));
}
