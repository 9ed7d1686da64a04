// Brings a newly created OpenGL context into the state every frame is drawn in: fixed tests,
// fog parameters, cull mode, texture environment, one texture per page, viewport and
// projection, and the compiled scene list.
#pragma once

#include <cstdint>

#include "level/level_geometry.h"

// Entry k names the texture object of texture page k in the current context.
extern uint32_t textureNames[kMaxTexturePages];

// The perspective of the last setup with its depth row zeroed (column-major). The overlay is
// drawn through it: the same pixels as the real projection, but no near-plane clipping.
extern double overlayProjection[16];

// Eye-space x of the overlay's left edge: -220 at 4:3, scaled with the aspect ratio so the
// text keeps its place by the window's left edge.
inline constexpr double kOverlayLeftXAt4By3 = -220.0;
extern float overlayLeftX;

// Call once per new context, with the client area's size in pixels.
void setupRendering(int32_t width, int32_t height);

// Sets the viewport and projection for a new client size in the current context, keeping
// the textures and the scene list (a window resized).
void resizeRendering(int32_t width, int32_t height);

// Deletes, in the current context, the textures and the scene list, and
// returns the matrices and client arrays to a new context's state, so that setupRendering
// can run again in the same context without the old objects piling up.
void releaseRendering();
