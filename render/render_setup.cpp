// One-time state of a rendering context: depth and alpha tests, fog range from the far plane,
// front-face culling mode, modulated textures, one texture object per page, the projection
// with a near plane at 400 units, and the scene list.
#include "render/render_setup.h"

#include "render/opengl.h"

#include "camera/view_settings.h"
#include "render/scene_list.h"
#include "render/view_constants.h"

uint32_t textureNames[kMaxTexturePages];
double overlayProjection[16];
float overlayLeftX = kOverlayLeftXAt4By3;

namespace {

// Texture names made by the last setup; the store's page count may change before release.
int32_t generatedTextureCount = 0;

void keepOverlayProjection() {
  glGetDoublev(GL_PROJECTION_MATRIX, overlayProjection);
  // Zeroing the depth row puts every overlay point at clip z 0, inside the depth range
  // whatever the near plane; x, y and w, and so the pixels, stay those of the projection.
  for (int32_t column = 0; column < 4; ++column) overlayProjection[column * 4 + 2] = 0.0;
}

// Viewport and perspective for a client area, into the projection matrix (current), and the
// overlay's left edge: the same fraction of the picture's width at every aspect ratio.
void applyProjection(int32_t width, int32_t height, float farPlane) {
  // A zero or negative height (a minimised window) would divide by zero.
  const double divisor = height > 0 ? static_cast<double>(height) : 1.0;
  const float aspect = static_cast<float>(static_cast<double>(width) / divisor);
  glViewport(0, 0, width, height);
  gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, farPlane);
  keepOverlayProjection();
  // Exactly 1 at 4:3 (3w = 4h), so the 640 x 480 overlay stands where it always has.
  overlayLeftX = static_cast<float>(kOverlayLeftXAt4By3 * (3.0 * width) / (4.0 * divisor));
}

}  // namespace

void resizeRendering(int32_t width, int32_t height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  applyProjection(width, height, viewSettings.farPlane);
  glMatrixMode(GL_MODELVIEW);
}

void setupRendering(int32_t width, int32_t height) {
  const float farPlane = viewSettings.farPlane;
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_ALPHA_TEST);
  glFogf(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, farPlane * 0.8f);
  glFogf(GL_FOG_END, farPlane);
  glAlphaFunc(GL_GREATER, kAlphaThreshold);
  glCullFace(GL_FRONT);
  glEnable(GL_TEXTURE_2D);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  // A hostile page count must neither overrun textureNames nor read past the pages.
  const int32_t pageCount = countWithinTable(levelGeometry.numTexturePages, kMaxTexturePages);
  generatedTextureCount = pageCount;
  if (pageCount > 0) glGenTextures(pageCount, textureNames);
  for (int32_t k = 0; k < pageCount; ++k) {
    glBindTexture(GL_TEXTURE_2D, textureNames[k]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTexturePageSide, kTexturePageSide, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, levelGeometry.texturePages[k].texels);
  }

  glMatrixMode(GL_PROJECTION);
  applyProjection(width, height, farPlane);
  glMatrixMode(GL_MODELVIEW);

  compileSceneList();
  glColor3f(1.0f, 1.0f, 1.0f);
}

void releaseRendering() {
  if (generatedTextureCount > 0) glDeleteTextures(generatedTextureCount, textureNames);
  generatedTextureCount = 0;
  glDeleteLists(kSceneList, 1);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
