// Builds the inspector's views of the level store. Counts read from the store are clamped
// to the tables, and indices held in faces are looked up only when they lie within them.
#include "tools/level_summary.h"

#include <map>
#include <string>

#include "level/level_geometry.h"

namespace {

int32_t quadTotal() {
  return countWithinTable(levelGeometry.quadCount, kMaxQuads);
}
int32_t triangleTotal() {
  return countWithinTable(levelGeometry.triangleCount, kMaxTriangles);
}

// Calls `visit(indices, cornerCount, objectTexture, texturePage)` for every face in order.
template <typename Visit>
void forEachFace(Visit visit) {
  for (int32_t i = 0; i < quadTotal(); ++i) {
    const QuadFace& f = levelGeometry.quads[i];
    visit(f.vertexIndices, 4, f.objectTexture, f.texturePage);
  }
  for (int32_t i = 0; i < triangleTotal(); ++i) {
    const TriFace& f = levelGeometry.triangles[i];
    visit(f.vertexIndices, 3, f.objectTexture, f.texturePage);
  }
}

nlohmann::json faceJson(const uint32_t* indices, int corners, uint32_t texture, uint32_t page) {
  nlohmann::json v = nlohmann::json::array();
  for (int k = 0; k < corners; ++k) v.push_back(indices[k]);
  return {{"v", v}, {"objectTexture", texture}, {"texturePage", page}};
}

}  // namespace

OutsideFaceCounts countFacesOutsideTables(const LoadReport& report) {
  OutsideFaceCounts counts{0, 0, 0, 0};
  const uint32_t vertexCount =
      static_cast<uint32_t>(countWithinTable(report.vertexCount, kMaxVertices));
  const uint32_t textureCount =
      static_cast<uint32_t>(countWithinTable(report.objectTextureCount, kMaxObjectTextures));
  const uint32_t pageCount =
      static_cast<uint32_t>(countWithinTable(levelGeometry.numTexturePages, kMaxTexturePages));
  forEachFace([&](const uint32_t* indices, int corners, uint32_t texture, uint32_t page) {
    bool vertexOutside = false;
    for (int k = 0; k < corners; ++k) vertexOutside |= indices[k] >= vertexCount;
    counts.vertex += vertexOutside;
    counts.objectTexture += texture >= textureCount;
    counts.texturePage += page >= pageCount;
    counts.any += vertexOutside || texture >= textureCount || page >= pageCount;
  });
  return counts;
}

nlohmann::json levelStoreJson(const LoadReport& report) {
  const LevelGeometry& g = levelGeometry;
  nlohmann::json out;
  out["layout"] = report.layoutKnown ? levelLayoutName(report.layout) : "unknown";
  out["numTexturePages"] = g.numTexturePages;
  out["quadCount"] = g.quadCount;
  out["triangleCount"] = g.triangleCount;
  out["itemCount"] = g.itemCount;
  out["start"] = {{"x", g.startX}, {"y", g.startY}, {"z", g.startZ}, {"heading", g.startHeading}};

  nlohmann::json quads = nlohmann::json::array(), triangles = nlohmann::json::array();
  int64_t highestVertex = -1;
  std::map<uint32_t, bool> texturesUsed;
  forEachFace([&](const uint32_t* indices, int corners, uint32_t texture, uint32_t page) {
    (corners == 4 ? quads : triangles).push_back(faceJson(indices, corners, texture, page));
    for (int k = 0; k < corners; ++k) {
      if (indices[k] < static_cast<uint32_t>(kMaxVertices) && indices[k] > highestVertex) {
        highestVertex = indices[k];
      }
    }
    if (texture < static_cast<uint32_t>(kMaxObjectTextures)) texturesUsed[texture] = true;
  });
  out["quads"] = quads;
  out["triangles"] = triangles;

  nlohmann::json vertices = nlohmann::json::array();
  for (int64_t i = 0; i <= highestVertex; ++i) {
    const RoomVertex& v = g.vertices[i];
    vertices.push_back({v.x, v.y, v.z, v.r, v.g, v.b});
  }
  out["vertices"] = vertices;

  nlohmann::json uvs = nlohmann::json::object();
  for (const auto& [index, used] : texturesUsed) {
    const float* uv = g.objectTextureUVs[index].uv;
    uvs[std::to_string(index)] = {uv[0], uv[1], uv[2], uv[3], uv[4], uv[5], uv[6], uv[7]};
  }
  out["objectTextureUVs"] = uvs;

  nlohmann::json items = nlohmann::json::array();
  for (int32_t i = 0; i < countWithinTable(g.itemCount, kMaxItems); ++i) {
    const LevelItem& item = g.items[i];
    items.push_back({{"objectId", item.objectId}, {"x", item.x}, {"y", item.y}, {"z", item.z}});
  }
  out["items"] = items;
  return out;
}

void printLevelSummary(FILE* out, const LoadReport& report) {
  const LevelGeometry& g = levelGeometry;
  fprintf(out, "layout:          %s\n",
          report.layoutKnown ? levelLayoutName(report.layout) : "unknown");
  fprintf(out, "texture pages:   %d\n", g.numTexturePages);
  fprintf(out, "vertices:        %d\n", report.vertexCount);
  fprintf(out, "quads:           %d\n", g.quadCount);
  fprintf(out, "triangles:       %d\n", g.triangleCount);
  fprintf(out, "object textures: %d\n", report.objectTextureCount);
  fprintf(out, "items:           %d\n", g.itemCount);
  fprintf(out, "start:           x %.1f  y %.1f  z %.1f  heading %.0f\n", g.startX, g.startY,
          g.startZ, g.startHeading);

  std::map<uint32_t, int32_t[2]> perPage;
  for (int32_t i = 0; i < quadTotal(); ++i) ++perPage[g.quads[i].texturePage][0];
  for (int32_t i = 0; i < triangleTotal(); ++i) ++perPage[g.triangles[i].texturePage][1];
  fprintf(out, "faces per page:\n");
  for (const auto& [page, counts] : perPage) {
    fprintf(out, "  page %5u: %6d quads %6d triangles\n", page, counts[0], counts[1]);
  }
  const OutsideFaceCounts outside = countFacesOutsideTables(report);
  fprintf(out,
          "faces pointing outside the loaded tables: %d (vertex %d, object texture %d, "
          "page %d)\n",
          outside.any, outside.vertex, outside.objectTexture, outside.texturePage);
  if (report.bytesPastEnd > 0) {
    fprintf(out, "file ends early: the loader read %llu bytes past its end\n",
            static_cast<unsigned long long>(report.bytesPastEnd));
  }
}
