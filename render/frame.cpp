// One frame: count it, clear, draw the status line and help screen in eye space, apply the
// camera, draw the level with texturing on, label every item in world space, flush.
#include "render/frame.h"

#include "render/opengl.h"

#include "camera/camera.h"
#include "camera/view_settings.h"
#include "common/shell_shared.h"
#include "level/level_geometry.h"
#include "render/font_lists.h"
#include "render/overlay_text.h"
#include "render/render_setup.h"
#include "render/scene_list.h"

namespace {

constexpr float kOverlayZ = -400.0f;
constexpr float kStatusY = -160.0f;
constexpr float kLabelRise = 256.0f;

char textBuffer[kTextBufferSize];

// The overlay stands exactly on the near plane, where rounding may put its raster position
// just outside the view volume. Drawing it through the projection with a flat depth row
// keeps every pixel where it was and cannot be clipped at the near plane; a depth range of
// [0, 0] gives it the nearest depth, as the near plane would.
void beginOverlay() {
  // Setup leaves texturing on; text sampling a texel would take its colour or be cut by
  // the alpha test, so the overlay is always drawn untextured, as after every later frame.
  glDisable(GL_TEXTURE_2D);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadMatrixd(overlayProjection);
  glMatrixMode(GL_MODELVIEW);
  glDepthRange(0.0, 0.0);
}

void endOverlay() {
  glDepthRange(0.0, 1.0);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void drawOverlay() {
  if (viewSettings.showStatus == 0 && viewSettings.showHelp == 0) return;
  beginOverlay();
  if (viewSettings.showStatus != 0) {
    const int32_t count = formatStatusLine(textBuffer, sizeof textBuffer);
    drawText3D(overlayLeftX, kStatusY, kOverlayZ, textBuffer, count);
  }
  if (viewSettings.showHelp != 0) {
    for (int32_t line = 0; line < kHelpLineCount; ++line) {
      const int32_t count = formatHelpLine(line, textBuffer, sizeof textBuffer);
      drawText3D(overlayLeftX, helpLineY(line), kOverlayZ, textBuffer, count);
    }
  }
  endOverlay();
}

void applyCamera() {
  glRotated(-static_cast<double>(camera.bank), 0.0, 0.0, 1.0);
  glRotated(-static_cast<double>(camera.pitch), 1.0, 0.0, 0.0);
  glRotated(-static_cast<double>(camera.heading), 0.0, 1.0, 0.0);
  glTranslated(-static_cast<double>(camera.position[0]), -static_cast<double>(camera.position[1]),
               -static_cast<double>(camera.position[2]));
}

void drawItemLabels() {
  const int32_t count = countWithinTable(levelGeometry.itemCount, kMaxItems);
  for (int32_t i = 0; i < count; ++i) {
    const LevelItem& item = levelGeometry.items[i];
    const int32_t length = formatItemLabel(item.objectId, textBuffer, sizeof textBuffer);
    drawText3D(static_cast<float>(item.x), static_cast<float>(item.y) - kLabelRise,
               static_cast<float>(item.z), textBuffer, length);
  }
}

}  // namespace

void drawText3D(float x, float y, float z, const char* text, int32_t count) {
  if (text == nullptr || count <= 0) return;
  glRasterPos3f(x, y, z);
  glListBase(kFontListBase);
  glCallLists(count, GL_UNSIGNED_BYTE, text);
}

void renderFrame() {
  // Wraps rather than overflows should the timer never come to zero it.
  frameStats.frameCount = static_cast<int32_t>(static_cast<uint32_t>(frameStats.frameCount) + 1u);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  drawOverlay();
  applyCamera();
  glEnable(GL_TEXTURE_2D);
  glCallList(kSceneList);
  glDisable(GL_TEXTURE_2D);
  if (viewSettings.showLabels != 0) drawItemLabels();
  glPopMatrix();
  glFlush();
}
