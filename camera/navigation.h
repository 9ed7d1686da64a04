// Turns the keyboard state and pointer movement into camera operations, and changes the
// three navigation speeds. Per frame for keys, per pointer movement for mouse look.
#pragma once

#include <cstdint>

// Reads the whole keyboard state once and applies every held key's action in a fixed order.
void pollNavigationKeys();

// Turns the camera by the pointer's offset from the screen centre, in pixels.
void mouseLook(float dx, float dy);

// Handles one pointer move at client position (x, y): ignored while inactive or within the
// dead zone around the screen centre; otherwise re-centres the pointer, then turns.
void handlePointerMove(int32_t x, int32_t y);
