// Emits the planned batches into display list kSceneList: the vertex table serves as the
// vertex (and, with shading on, colour) array, each corner sends its texture coordinates and
// then its vertex by index.
#include "render/scene_list.h"

#include "render/opengl.h"

#include "camera/view_settings.h"
#include "render/render_setup.h"
#include "render/scene_plan.h"

namespace {

void emitBatch(const SceneBatch& batch) {
  // Texture object 0 has no image, so an untextured batch draws in the primary colour.
  const GLuint texture = batch.page == kUntexturedPage ? 0 : textureNames[batch.page];
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(batch.section == SceneSection::Quads ? GL_QUADS : GL_TRIANGLES);
  const int32_t corners = cornersPerFace(batch.section);
  for (int32_t i = 0; i < batch.faceCount; ++i) {
    const uint32_t face = scenePlan.faces[batch.firstFace + i];
    for (int32_t k = 0; k < corners; ++k) {
      const SceneCorner corner = sceneCorner(levelGeometry, batch, face, k);
      glTexCoord2d(corner.u, corner.v);
      glArrayElement(static_cast<GLint>(corner.vertexIndex));
    }
  }
  glEnd();
}

}  // namespace

void compileSceneList() {
  planScene(levelGeometry, scenePlan);

  RoomVertex* first = &levelGeometry.vertices[0];
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(RoomVertex), &first->x);
  if (viewSettings.lightingOn == 1) glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(3, GL_FLOAT, sizeof(RoomVertex), &first->r);

  glNewList(kSceneList, GL_COMPILE);
  for (int32_t b = 0; b < scenePlan.batchCount; ++b) emitBatch(scenePlan.batches[b]);
  glEndList();
}
