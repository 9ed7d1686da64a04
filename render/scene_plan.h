// Planning of the scene list, apart from the GL calls that emit it: which faces go into
// which batch, which page each batch binds and what each corner sends. Safe for any store
// content: counts are clamped to the tables, and for a face that points outside a table
//  - a vertex index at or past kMaxVertices: the face is skipped (it would make GL read
//    past the vertex array); a skipped face does not split the batch around it;
//  - a texturePage not below numTexturePages, or an objectTexture at or past
//    kMaxObjectTextures: the face is drawn untextured (texture object 0, no image), in the
//    current colour or its shade, with texture coordinates (0, 0).
#pragma once

#include <cstdint>

#include "level/level_geometry.h"

enum class SceneSection : uint8_t { Quads, Triangles };

// Page of a batch whose faces are drawn untextured.
inline constexpr int32_t kUntexturedPage = -1;

// Worst case: every face opens a batch of its own.
inline constexpr int32_t kMaxSceneBatches = kMaxQuads + kMaxTriangles;
inline constexpr int32_t kMaxPlannedFaces = kMaxQuads + kMaxTriangles;

struct SceneBatch {
  SceneSection section;
  int32_t page;       // texture page bound for the batch, or kUntexturedPage
  int32_t firstFace;  // first entry of ScenePlan::faces
  int32_t faceCount;  // entries of ScenePlan::faces in this batch
};

struct SceneCorner {
  uint32_t vertexIndex;  // below kMaxVertices
  float u, v;
};

struct ScenePlan {
  SceneBatch batches[kMaxSceneBatches];
  int32_t batchCount;
  uint32_t faces[kMaxPlannedFaces];  // face indices into the batch's section table
  int32_t faceCount;
  int32_t skippedFaces;  // faces left out for a vertex index past the table
};

// The plan of the current store, rewritten by planScene.
extern ScenePlan scenePlan;

// Plans the batches of `level` into `plan`.
void planScene(const LevelGeometry& level, ScenePlan& plan);

// What corner `corner` of face `face` of the batch's section sends. The face must come from
// the plan of the same store and corner must be below the section's corner count.
SceneCorner sceneCorner(const LevelGeometry& level, const SceneBatch& batch, uint32_t face,
                        int32_t corner);

// Corners per face of a section: 4 for quads, 3 for triangles.
inline int32_t cornersPerFace(SceneSection section) {
  return section == SceneSection::Quads ? 4 : 3;
}
