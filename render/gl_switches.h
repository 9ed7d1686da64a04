// Fog and face culling switched in place in the current OpenGL context, as the view
// settings say; used by the fog and cull keys and after every new context.
#pragma once

// Enables GL_FOG when viewSettings.fogOn is 1, else disables it.
void applyFogSetting();

// Enables GL_CULL_FACE when viewSettings.cullOn is 1, else disables it.
void applyCullSetting();
