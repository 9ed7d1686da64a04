// The user's view settings, kept for the whole run and never saved: the three navigation
// speeds, the far plane and the display toggles (each toggle holds 0 or 1).
#pragma once

#include <cstdint>

struct ViewSettings {
  float moveSpeed;       // world units per frame, 10 to 1000
  float rollSpeed;       // radians per frame, 0.001 to 0.1
  float mouseLookSpeed;  // radians per pixel, 0.0002 to 0.01
  float farPlane;        // world units; halved and doubled without bound
  int32_t showHelp;
  int32_t lightingOn;
  int32_t fogOn;
  int32_t cullOn;
  int32_t showStatus;
  int32_t showLabels;  // the item labels; the viewer keeps them on, dnl-render chooses
};

inline constexpr ViewSettings kDefaultViewSettings = {100.0f, 0.05f, 0.0025f, 25000.0f, 0,
                                                      0,      0,     0,       1,        1};

extern ViewSettings viewSettings;
