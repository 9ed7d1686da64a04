// The one camera: position, the orientation matrix (the master copy, columns are the
// camera's backward, right and up axes in world coordinates) and the heading, pitch and
// bank angles read back from it. All turning and moving goes through moveCamera.
#pragma once

#include <cstdint>

struct Camera {
  float position[3];     // x, y, z in world units; world y grows downward
  float heading;         // degrees, derived from orientation after every turn
  float pitch;           // degrees, -90 to 90
  float bank;            // degrees
  float orientation[9];  // row-major 3 x 3, element (i, j) at [3i + j]
  int32_t resetPending;  // exactly 1: the next turn first restores the start pose
};

enum class CameraOp : int32_t {
  Roll = 0,     // turn about column 0 (backward axis), radians
  Pitch = 1,    // turn about column 1 (right axis), radians
  Heading = 2,  // turn about column 2 (up axis), radians
  Strafe = 3,   // move along column 1, world units
  Rise = 4,     // move along column 2, world units
  Advance = 5,  // move along column 0 (positive moves backward), world units
};

// The process-wide camera: resetPending is 1 at start, everything else zero.
extern Camera camera;

// Applies one operation; a value outside the six operations is ignored.
void moveCamera(CameraOp op, float amount);

// Puts the camera back at the start pose at once (R, and the end of every start-up pass).
void resetCamera();

// Fills `out` from the camera's current heading, pitch and bank.
void buildOrientation(float out[9]);

// Sets the camera's heading, pitch and bank from matrix `m`.
void extractAngles(const float m[9]);

// out = a x b for n x n row-major matrices; out must not overlap a or b; n <= 0 does nothing.
void multiplyMatrices(const float* a, const float* b, float* out, int n);
