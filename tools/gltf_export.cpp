// Builds the glTF model of the level store with tinygltf and serialises it as .glb. The
// faces are grouped by the scene list's own planner, so the export binds the same page (or
// none) for every face as the viewer and skips the faces the viewer skips.
#include "tools/gltf_export.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <vector>

#include "camera/view_settings.h"
#include "render/scene_plan.h"
#include "render/view_constants.h"
#include "tools/page_png.h"

namespace {

// The export's own plan of the store (the viewer's lives with its scene list).
ScenePlan exportPlan;

constexpr int kTargetVertices = 34962;  // ARRAY_BUFFER
constexpr int kTargetIndices = 34963;   // ELEMENT_ARRAY_BUFFER
constexpr int kFilterLinear = 9729;
constexpr const char* kUnlit = "KHR_materials_unlit";

// The corners of one primitive, one vertex per face corner (a vertex shared by faces has a
// texture coordinate per face), with the triangles' corner indices.
struct PrimitiveData {
  std::vector<float> positions, texCoords, colours;
  std::vector<uint32_t> indices;
};

struct ModelBuilder {
  const LevelGeometry& level;
  const ExportOptions& options;
  tinygltf::Model model;
  std::vector<uint8_t> binary;  // the one buffer, becoming the file's binary chunk

  // Appends `size` bytes at a 4-byte boundary and returns the view of them.
  int addView(const void* bytes, size_t size, int target) {
    binary.resize((binary.size() + 3) / 4 * 4);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = binary.size();
    view.byteLength = size;
    view.target = target;
    const auto* first = static_cast<const uint8_t*>(bytes);
    binary.insert(binary.end(), first, first + size);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size() - 1);
  }

  int addAccessor(const void* bytes, size_t count, int componentType, int type, int target) {
    const size_t width =
        tinygltf::GetComponentSizeInBytes(componentType) * tinygltf::GetNumComponentsInType(type);
    tinygltf::Accessor accessor;
    accessor.bufferView = addView(bytes, count * width, target);
    accessor.componentType = componentType;
    accessor.count = count;
    accessor.type = type;
    model.accessors.push_back(accessor);
    return static_cast<int>(model.accessors.size() - 1);
  }

  // World (x, y, z) to glTF (x, -y, -z), scaled.
  void pushPosition(std::vector<float>& out, double x, double y, double z) const {
    out.push_back(static_cast<float>(x * options.scale));
    out.push_back(static_cast<float>(-y * options.scale));
    out.push_back(static_cast<float>(-z * options.scale));
  }

  void addCorners(const SceneBatch& batch, uint32_t face, PrimitiveData& data) const {
    const int32_t corners = cornersPerFace(batch.section);
    const auto base = static_cast<uint32_t>(data.positions.size() / 3);
    for (int32_t k = 0; k < corners; ++k) {
      const SceneCorner corner = sceneCorner(level, batch, face, k);
      const RoomVertex& vertex = level.vertices[corner.vertexIndex];
      pushPosition(data.positions, vertex.x, vertex.y, vertex.z);
      data.texCoords.push_back(corner.u);
      data.texCoords.push_back(corner.v);
      for (float shade : {vertex.r, vertex.g, vertex.b}) data.colours.push_back(linearShade(shade));
    }
    // The faces that the viewer keeps with culling on (it culls GL_FRONT, counter-clockwise)
    // run clockwise on screen; glTF's front faces run counter-clockwise, so each triangle
    // takes its corners in reverse. A quad is split as GL splits it: 0-1-2 and 0-2-3.
    const uint32_t order[2][3] = {{0, 2, 1}, {0, 3, 2}};
    for (int32_t t = 0; t < corners - 2; ++t) {
      for (uint32_t k : order[t]) data.indices.push_back(base + k);
    }
  }

  // The viewer multiplies texel bytes by the shade as they are; glTF colours are linear and
  // a renderer encodes the product to sRGB, so the shade goes in decoded from sRGB, which
  // gives the same picture. GL clamps a colour to [0, 1] as well.
  static float linearShade(float shade) {
    const double c = std::clamp(static_cast<double>(shade), 0.0, 1.0);
    const double linear = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    return static_cast<float>(linear);
  }

  tinygltf::Primitive addPrimitive(const PrimitiveData& data, bool textured, int material) {
    const size_t vertices = data.positions.size() / 3;
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = material;
    const int position = addAccessor(data.positions.data(), vertices, TINYGLTF_COMPONENT_TYPE_FLOAT,
                                     TINYGLTF_TYPE_VEC3, kTargetVertices);
    tinygltf::Accessor& accessor = model.accessors[position];
    accessor.minValues.assign(3, HUGE_VAL);
    accessor.maxValues.assign(3, -HUGE_VAL);
    for (size_t i = 0; i < data.positions.size(); ++i) {
      accessor.minValues[i % 3] = std::min<double>(accessor.minValues[i % 3], data.positions[i]);
      accessor.maxValues[i % 3] = std::max<double>(accessor.maxValues[i % 3], data.positions[i]);
    }
    primitive.attributes["POSITION"] = position;
    if (textured) {
      primitive.attributes["TEXCOORD_0"] =
          addAccessor(data.texCoords.data(), vertices, TINYGLTF_COMPONENT_TYPE_FLOAT,
                      TINYGLTF_TYPE_VEC2, kTargetVertices);
    }
    if (options.shade) {
      primitive.attributes["COLOR_0"] =
          addAccessor(data.colours.data(), vertices, TINYGLTF_COMPONENT_TYPE_FLOAT,
                      TINYGLTF_TYPE_VEC3, kTargetVertices);
    }
    primitive.indices =
        addAccessor(data.indices.data(), data.indices.size(), TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                    TINYGLTF_TYPE_SCALAR, kTargetIndices);
    return primitive;
  }

  int addMaterial(const std::string& name, int texture) {
    tinygltf::Material material;
    material.name = name;
    material.pbrMetallicRoughness.baseColorTexture.index = texture;
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 1.0;
    if (texture >= 0) {
      material.alphaMode = "MASK";
      material.alphaCutoff = kAlphaThreshold;
    }
    // The viewer draws both sides unless culling is switched on, and lights nothing.
    material.doubleSided = true;
    material.extensions[kUnlit] = tinygltf::Value(tinygltf::Value::Object());
    model.materials.push_back(material);
    return static_cast<int>(model.materials.size() - 1);
  }

  // Image, texture and material k for page k, with linear filtering as the viewer's.
  bool addPages() {
    const int32_t pages = std::clamp(level.numTexturePages, 0, kMaxTexturePages);
    if (pages == 0) return true;
    tinygltf::Sampler sampler;
    sampler.magFilter = kFilterLinear;
    sampler.minFilter = kFilterLinear;
    model.samplers.push_back(sampler);
    std::vector<uint8_t> png;
    for (int32_t p = 0; p < pages; ++p) {
      png.clear();
      if (!appendPagePng(level.texturePages[p], png)) return false;
      tinygltf::Image image;
      image.name = "page " + std::to_string(p);
      image.mimeType = "image/png";
      image.bufferView = addView(png.data(), png.size(), 0);
      model.images.push_back(image);
      tinygltf::Texture texture;
      texture.sampler = 0;
      texture.source = p;
      model.textures.push_back(texture);
      addMaterial(image.name, p);
    }
    return true;
  }

  // One primitive per page in ascending order, then one for the untextured faces; each
  // takes the page's quads and then its triangles, in the scene list's order.
  int addLevelMesh() {
    planScene(level, exportPlan);
    tinygltf::Mesh mesh;
    mesh.name = "level";
    PrimitiveData data;
    for (int32_t page = 0; page <= kMaxTexturePages; ++page) {
      const int32_t wanted = page == kMaxTexturePages ? kUntexturedPage : page;
      data = PrimitiveData();
      for (int32_t b = 0; b < exportPlan.batchCount; ++b) {
        const SceneBatch& batch = exportPlan.batches[b];
        if (batch.page != wanted) continue;
        for (int32_t i = 0; i < batch.faceCount; ++i) {
          addCorners(batch, exportPlan.faces[batch.firstFace + i], data);
        }
      }
      if (data.indices.empty()) continue;
      const bool textured = wanted != kUntexturedPage;
      const int material = textured ? wanted : addMaterial("untextured", -1);
      mesh.primitives.push_back(addPrimitive(data, textured, material));
    }
    if (mesh.primitives.empty()) return -1;
    model.meshes.push_back(mesh);
    tinygltf::Node node;
    node.name = "level";
    node.mesh = 0;
    model.nodes.push_back(node);
    return static_cast<int>(model.nodes.size() - 1);
  }

  // A parent node "items" holding one node per item, named by its label's text.
  int addItems() {
    const int32_t count = std::clamp(level.itemCount, 0, kMaxItems);
    if (!options.items || count == 0) return -1;
    tinygltf::Node parent;
    parent.name = "items";
    for (int32_t i = 0; i < count; ++i) {
      const LevelItem& item = level.items[i];
      char label[16];
      snprintf(label, sizeof label, kItemLabelFormat, static_cast<unsigned>(item.objectId));
      tinygltf::Node node;
      node.name = label;
      std::vector<float> at;
      pushPosition(at, item.x, item.y, item.z);
      node.translation.assign(at.begin(), at.end());
      model.nodes.push_back(node);
      parent.children.push_back(static_cast<int>(model.nodes.size() - 1));
    }
    model.nodes.push_back(parent);
    return static_cast<int>(model.nodes.size() - 1);
  }

  // Maths libraries leave different traces of rounding (about 6e-17) where a sine or cosine is
  // zero; cleared, a quarter turn is exact and the file the same on every system.
  static double exactZero(double value) { return std::fabs(value) < 1e-12 ? 0.0 : value; }

  // The viewer starts at the start pose with pitch 0 and bank 180: its eye-to-world rotation
  // is Ry(heading) Rz(180). Turned into glTF space by Rx(180) that is Ry(180 - heading), a
  // turn about the up axis; glTF cameras look along -z with +y up, as GL's eye space.
  int addStartCamera() {
    tinygltf::Camera camera;
    camera.name = "start";
    camera.type = "perspective";
    camera.perspective.aspectRatio = kExportAspectRatio;
    camera.perspective.yfov = kFieldOfViewDegrees * std::numbers::pi / 180.0;
    camera.perspective.znear = kNearPlane * options.scale;
    camera.perspective.zfar = kDefaultViewSettings.farPlane * options.scale;
    model.cameras.push_back(camera);
    tinygltf::Node node;
    node.name = "start";
    node.camera = 0;
    std::vector<float> at;
    pushPosition(at, level.startX, level.startY, level.startZ);
    node.translation.assign(at.begin(), at.end());
    const double half =
        (180.0 - static_cast<double>(level.startHeading)) * std::numbers::pi / 360.0;
    node.rotation = {0.0, exactZero(std::sin(half)), 0.0, exactZero(std::cos(half))};
    model.nodes.push_back(node);
    return static_cast<int>(model.nodes.size() - 1);
  }

  bool build() {
    model.asset.version = "2.0";
    model.asset.generator = "dnl-export";
    if (!addPages()) return false;
    tinygltf::Scene scene;
    for (int node : {addLevelMesh(), addItems(), addStartCamera()}) {
      if (node >= 0) scene.nodes.push_back(node);
    }
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    if (!model.materials.empty()) model.extensionsUsed.push_back(kUnlit);
    if (!binary.empty()) {
      tinygltf::Buffer buffer;
      buffer.data = std::move(binary);
      model.buffers.push_back(std::move(buffer));
    }
    return true;
  }
};

}  // namespace

bool exportScaleValid(double scale) {
  // World positions stay within 2^32 units, so 1e9 keeps them far from the float range.
  return std::isnormal(scale) && scale > 0.0 && scale <= 1e9;
}

bool buildLevelGlb(const LevelGeometry& level, const ExportOptions& options, std::string& out) {
  if (!exportScaleValid(options.scale)) return false;
  ModelBuilder builder{level, options, {}, {}};
  if (!builder.build()) return false;
  std::ostringstream stream;
  tinygltf::TinyGLTF writer;
  if (!writer.WriteGltfSceneToStream(&builder.model, stream, false, true)) return false;
  out = stream.str();
  return true;
}

bool exportLevelGlb(const LevelGeometry& level, const ExportOptions& options, const char* path) {
  std::string bytes;
  if (!buildLevelGlb(level, options, bytes)) return false;
  FILE* file = fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (fclose(file) == 0 && written) return true;
  std::remove(path);  // no half-written file is left behind
  return false;
}
