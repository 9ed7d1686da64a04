// Brings a newly created OpenGL context into the state every frame is drawn in: fixed tests,
// fog parameters, cull mode, texture environment, one texture per page, viewport and
// projection, and the compiled scene list.
#pragma once

#include <cstdint>

#include "level/level_geometry.h"

// Entry k names the texture object of texture page k in the current context.
extern uint32_t textureNames[kMaxTexturePages];

// Call once per new context, with the client area's size in pixels.
void setupRendering(int32_t width, int32_t height);
