// A camera pose as the status line shows it (position in world units; heading, pitch and
// bank in degrees), read from the text "X,Y,Z,H,P,B" that --pose takes, and the pose a reset
// goes back to when one was given instead of the level's start pose.
#pragma once

struct CameraPose {
  float position[3];
  float heading;
  float pitch;
  float bank;
};

// Reads exactly six comma-separated finite numbers; false (and `out` untouched) otherwise.
bool parseCameraPose(const char* text, CameraPose* out);

// From now on a reset restores `pose` (copied); null goes back to the level's start pose.
void setResetPose(const CameraPose* pose);

// The pose a reset restores: the one set above, or else the level's start pose (heading
// from the level, pitch 0, bank 180).
CameraPose resetPose();
