// Sets the two OpenGL capabilities that the view settings switch without a rebuild.
#include "render/gl_switches.h"

#include "render/opengl.h"

#include "camera/view_settings.h"

void applyFogSetting() {
  if (viewSettings.fogOn == 1) {
    glEnable(GL_FOG);
  } else {
    glDisable(GL_FOG);
  }
}

void applyCullSetting() {
  if (viewSettings.cullOn == 1) {
    glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_CULL_FACE);
  }
}
