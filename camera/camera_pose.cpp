// Reads a pose from text and keeps the pose that a camera reset restores.
#include "camera/camera_pose.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "level/level_geometry.h"

namespace {

constexpr int kPoseValueCount = 6;

bool resetPoseGiven = false;
CameraPose givenResetPose = {};

}  // namespace

bool parseCameraPose(const char* text, CameraPose* out) {
  if (text == nullptr || out == nullptr) return false;
  float values[kPoseValueCount] = {};
  const char* cursor = text;
  for (int i = 0; i < kPoseValueCount; ++i) {
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(cursor, &end);
    if (end == cursor || errno == ERANGE || !std::isfinite(value)) return false;
    values[i] = value;
    const char expected = i + 1 < kPoseValueCount ? ',' : '\0';
    if (*end != expected) return false;
    cursor = end + 1;
  }
  *out = {{values[0], values[1], values[2]}, values[3], values[4], values[5]};
  return true;
}

void setResetPose(const CameraPose* pose) {
  resetPoseGiven = pose != nullptr;
  if (pose != nullptr) givenResetPose = *pose;
}

CameraPose resetPose() {
  if (resetPoseGiven) return givenResetPose;
  return {{levelGeometry.startX, levelGeometry.startY, levelGeometry.startZ},
          levelGeometry.startHeading,
          0.0f,
          180.0f};
}
