// The rules a scene plan must keep whatever the store holds: its batches and face entries
// inside their tables, every face index inside its section's table, every page bindable and
// every corner's vertex inside the vertex table. Checked by the scene-plan fuzzer.
#pragma once

#include <algorithm>

#include "level/level_geometry.h"
#include "render/scene_plan.h"

// Null when the plan keeps every rule, otherwise the first rule it breaks.
inline const char* planBoundsViolation(const LevelGeometry& level, const ScenePlan& plan) {
  if (plan.batchCount < 0 || plan.batchCount > kMaxSceneBatches) return "batch count";
  if (plan.faceCount < 0 || plan.faceCount > kMaxPlannedFaces) return "face count";
  const int32_t quads = countWithinTable(level.quadCount, kMaxQuads);
  const int32_t triangles = countWithinTable(level.triangleCount, kMaxTriangles);
  if (plan.faceCount + plan.skippedFaces != quads + triangles) return "faces lost or added";
  const int32_t pages = countWithinTable(level.numTexturePages, kMaxTexturePages);
  int32_t next = 0;
  for (int32_t b = 0; b < plan.batchCount; ++b) {
    const SceneBatch& batch = plan.batches[b];
    if (batch.firstFace != next || batch.faceCount < 1) return "batches not contiguous";
    if (batch.faceCount > plan.faceCount - next) return "batch past the face entries";
    if (batch.page != kUntexturedPage && (batch.page < 0 || batch.page >= pages)) return "page";
    const auto limit = uint32_t(batch.section == SceneSection::Quads ? quads : triangles);
    for (int32_t f = batch.firstFace; f < batch.firstFace + batch.faceCount; ++f) {
      const uint32_t face = plan.faces[f];
      if (face >= limit) return "face index past its table";
      for (int32_t k = 0; k < cornersPerFace(batch.section); ++k) {
        const SceneCorner corner = sceneCorner(level, batch, face, k);
        if (corner.vertexIndex >= static_cast<uint32_t>(kMaxVertices)) return "vertex past table";
      }
    }
    next += batch.faceCount;
  }
  return next == plan.faceCount ? nullptr : "face entries outside every batch";
}
