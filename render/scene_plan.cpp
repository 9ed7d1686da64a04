// Groups the faces of the store into batches, one per run of faces on the same page, quads
// first, then triangles; a batch never spans the two sections.
#include "render/scene_plan.h"

#include <algorithm>

ScenePlan scenePlan;

namespace {

bool verticesInTable(const uint32_t* indices, int32_t count) {
  for (int32_t k = 0; k < count; ++k) {
    if (indices[k] >= static_cast<uint32_t>(kMaxVertices)) return false;
  }
  return true;
}

// The page a face binds, or kUntexturedPage when its page or its coordinates are missing.
int32_t facePage(uint32_t texturePage, uint32_t objectTexture, int32_t pageCount) {
  if (texturePage >= static_cast<uint32_t>(pageCount)) return kUntexturedPage;
  if (objectTexture >= static_cast<uint32_t>(kMaxObjectTextures)) return kUntexturedPage;
  return static_cast<int32_t>(texturePage);
}

template <typename Face>
void planSection(const Face* faces, int32_t count, SceneSection section, int32_t pageCount,
                 ScenePlan& plan) {
  const int32_t corners = cornersPerFace(section);
  bool batchOpen = false;
  for (int32_t i = 0; i < count; ++i) {
    const Face& face = faces[i];
    if (!verticesInTable(face.vertexIndices, corners)) {
      ++plan.skippedFaces;
      continue;
    }
    const int32_t page = facePage(face.texturePage, face.objectTexture, pageCount);
    if (!batchOpen || plan.batches[plan.batchCount - 1].page != page) {
      plan.batches[plan.batchCount] = {section, page, plan.faceCount, 0};
      ++plan.batchCount;
      batchOpen = true;
    }
    plan.faces[plan.faceCount] = static_cast<uint32_t>(i);
    ++plan.faceCount;
    ++plan.batches[plan.batchCount - 1].faceCount;
  }
}

}  // namespace

void planScene(const LevelGeometry& level, ScenePlan& plan) {
  plan.batchCount = 0;
  plan.faceCount = 0;
  plan.skippedFaces = 0;
  const int32_t pageCount = countWithinTable(level.numTexturePages, kMaxTexturePages);
  // Each planned face adds at most one batch and one entry, and the two counts together
  // stay within the capacities, so the tables cannot overflow.
  planSection(level.quads, countWithinTable(level.quadCount, kMaxQuads), SceneSection::Quads,
              pageCount, plan);
  planSection(level.triangles, countWithinTable(level.triangleCount, kMaxTriangles),
              SceneSection::Triangles, pageCount, plan);
}

SceneCorner sceneCorner(const LevelGeometry& level, const SceneBatch& batch, uint32_t face,
                        int32_t corner) {
  const int32_t k = std::clamp(corner, 0, cornersPerFace(batch.section) - 1);
  uint32_t vertex = 0;
  uint32_t objectTexture = 0;
  if (batch.section == SceneSection::Quads) {
    const QuadFace& quad = level.quads[std::min<uint32_t>(face, kMaxQuads - 1)];
    vertex = quad.vertexIndices[k];
    objectTexture = quad.objectTexture;
  } else {
    const TriFace& triangle = level.triangles[std::min<uint32_t>(face, kMaxTriangles - 1)];
    vertex = triangle.vertexIndices[k];
    objectTexture = triangle.objectTexture;
  }
  SceneCorner result = {std::min<uint32_t>(vertex, kMaxVertices - 1), 0.0f, 0.0f};
  if (batch.page != kUntexturedPage && objectTexture < static_cast<uint32_t>(kMaxObjectTextures)) {
    const ObjectTextureUV& uv = level.objectTextureUVs[objectTexture];
    result.u = uv.uv[2 * k];
    result.v = uv.uv[2 * k + 1];
  }
  return result;
}
