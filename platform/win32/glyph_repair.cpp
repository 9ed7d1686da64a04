// Win32 backend: measures glyph lists through the raster position and rebuilds the empty
// ones. Plain OpenGL 1.1, so it is tested on every platform's test context.
#include "platform/win32/glyph_repair.h"

#if defined(_WIN32)
#include <windows.h>
#endif
#include <GL/gl.h>

namespace win32 {

namespace {

// Measures with nothing drawn and every touched state given back.
struct MeasuringState {
  MeasuringState() {
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
  }
  ~MeasuringState() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
  }
  MeasuringState(const MeasuringState&) = delete;
  MeasuringState& operator=(const MeasuringState&) = delete;
};

int32_t measureInPlace(uint32_t list) {
  if (glIsList(list) == GL_FALSE) return 0;
  glRasterPos2f(0.0f, 0.0f);  // the middle of the viewport: always a valid position
  GLfloat before[4] = {};
  GLfloat after[4] = {};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
  glCallList(list);
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  return static_cast<int32_t>(after[0] - before[0]);
}

}  // namespace

int32_t measureGlyphAdvance(uint32_t list) {
  const MeasuringState state;
  return measureInPlace(list);
}

uint32_t repairGlyphAdvances(uint32_t listBase, uint32_t count, const int32_t* advances) {
  static const GLubyte kBlankRow[4] = {};  // one row of a 1 x 1 bitmap, nothing set
  uint32_t repaired = 0;
  const MeasuringState state;
  for (uint32_t i = 0; i < count; ++i) {
    if (advances[i] <= 0 || measureInPlace(listBase + i) != 0) continue;
    glNewList(listBase + i, GL_COMPILE);
    glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(advances[i]), 0.0f, kBlankRow);
    glEndList();
    ++repaired;
  }
  return repaired;
}

}  // namespace win32
