// The glTF export read back with tinygltf's own reader: pages, geometry, shades, items and
// the start camera against the level store. Materials, empty levels and the options are left
// to the validator stage, which checks every edge level; dnl-export's refusals to
// tools_cli_test.sh.
#include <tiny_gltf.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "camera/camera.h"
#include "tests/level/level_test_support.h"
#include "tools/edge_levels.h"
#include "tools/gltf_export.h"
#include "tools/gltf_read_back.h"
#include "tools/sample_level.h"

namespace {

using Vec3 = std::array<double, 3>;
constexpr float kScale = 1.0f / 1024.0f;

// Loads `dnl` into a fresh store, exports it and reads the file back.
tinygltf::Model exportAndRead(const DnlLevel& dnl) {
  resetStore();
  EXPECT_EQ(loadDnl(dnl), LoadFailure::None) << "level loads";
  std::string glb;
  EXPECT_TRUE(buildLevelGlb(levelGeometry, {}, glb)) << "export succeeds";
  tinygltf::Model model;
  std::string error, warning;
  EXPECT_TRUE(readGlb(glb, &model, &error, &warning)) << "tinygltf reads the file: " << error;
  EXPECT_EQ(warning, "") << "tinygltf's warnings";
  return model;
}

// The values of an accessor as T, `width` per element.
template <typename T>
std::vector<T> values(const tinygltf::Model& model, int index, size_t width) {
  const tinygltf::Accessor& accessor = model.accessors.at(index);
  const tinygltf::BufferView& view = model.bufferViews.at(accessor.bufferView);
  const uint8_t* first =
      model.buffers.at(view.buffer).data.data() + view.byteOffset + accessor.byteOffset;
  std::vector<T> out(accessor.count * width);
  std::memcpy(out.data(), first, out.size() * sizeof(T));
  return out;
}

const tinygltf::Node* findNode(const tinygltf::Model& model, const std::string& name) {
  const auto named = [&name](const tinygltf::Node& node) { return node.name == name; };
  const auto found = std::find_if(model.nodes.begin(), model.nodes.end(), named);
  return found == model.nodes.end() ? nullptr : &*found;
}

// Columns 1 (up) and 2 (backward) of the rotation matrix of unit quaternion (x, y, z, w).
Vec3 upOf(const std::vector<double>& q) {
  return {2 * (q[0] * q[1] - q[2] * q[3]), 1 - 2 * (q[0] * q[0] + q[2] * q[2]),
          2 * (q[1] * q[2] + q[0] * q[3])};
}
Vec3 backwardOf(const std::vector<double>& q) {
  return {2 * (q[0] * q[2] + q[1] * q[3]), 2 * (q[1] * q[2] - q[0] * q[3]),
          1 - 2 * (q[0] * q[0] + q[1] * q[1])};
}

double distance(Vec3 a, Vec3 b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Appends the texture coordinates (u, v, u, v, ...) the export must give the corners of page
// `page` in this table, each face's corners in record order, from its object texture.
template <typename Face>
void expectCoordinates(const Face* faces, int32_t count, uint32_t page, int32_t corners,
                       std::vector<float>& out) {
  for (int32_t i = 0; i < count; ++i) {
    const float* uv = levelGeometry.objectTextureUVs[faces[i].objectTexture].uv;
    if (faces[i].texturePage == page) out.insert(out.end(), uv, uv + 2 * corners);
  }
}

// Each corner's texture coordinates and its page.
TEST(SampleExport, EveryCornerKeepsItsPageAndTheCoordinatesOfItsObjectTexture) {
  const tinygltf::Model model = exportAndRead(buildSampleLevel(LevelLayout::Older));
  ASSERT_EQ(model.meshes.size(), 1u) << "one mesh";
  const std::vector<tinygltf::Primitive>& primitives = model.meshes[0].primitives;
  ASSERT_EQ(primitives.size(), 5u) << "one primitive per page";
  for (uint32_t p = 0; p < primitives.size(); ++p) {
    EXPECT_EQ(primitives[p].material, static_cast<int>(p)) << "primitive " << p << " material";
    std::vector<float> want;  // quads first
    expectCoordinates(levelGeometry.quads, levelGeometry.quadCount, p, 4, want);
    expectCoordinates(levelGeometry.triangles, levelGeometry.triangleCount, p, 3, want);
    EXPECT_EQ(values<float>(model, primitives[p].attributes.at("TEXCOORD_0"), 2), want)
        << "coordinates of page " << p << "'s corners";
  }
}

TEST(EdgeExport, KnownLevelShadesItemsAndFacesTheViewerDoesNotTexture) {
  const tinygltf::Model model = exportAndRead(knownEdgeLevel());
  ASSERT_EQ(model.meshes.size(), 1u) << "one mesh";
  const std::vector<tinygltf::Primitive>& primitives = model.meshes[0].primitives;
  ASSERT_EQ(primitives.size(), 2u) << "page 0 and the untextured faces";
  // Shades 0, 0.5, 1 and 4 decoded from sRGB (4 clamped to 1, as GL clamps it).
  const auto colours = values<float>(model, primitives[0].attributes.at("COLOR_0"), 3);
  const float wanted[] = {0.0f, 0.21404114f, 1.0f, 1.0f};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(colours[3 * k], wanted[k], 1e-6) << "shade of quad corner " << k;
  }
  const tinygltf::Primitive& plain = primitives[1];
  EXPECT_EQ(plain.attributes.count("TEXCOORD_0"), 0u) << "untextured faces have no coordinates";
  EXPECT_EQ(model.accessors.at(plain.indices).count, 3u)
      << "the triangle past the table is left out";
  const tinygltf::Node* item = findNode(model, "1a5");
  ASSERT_NE(item, nullptr) << "item 421 labelled in lower-case hexadecimal";
  const std::vector<double> position = {100 * kScale, 200 * kScale, -300 * kScale};
  EXPECT_EQ(item->translation, position) << "item position, up is +y";
}

// The quad's corners where the viewer draws them, y and z negated. Its triangles are GL's
// split, through corners 0 and 2, and face +z: the side the viewer keeps with culling on (it
// culls counter-clockwise faces), which glTF takes for the front when the corners run
// counter-clockwise.
TEST(EdgeExport, CornersSitWhereTheViewerDrawsThemAndFaceTheSideItKeeps) {
  const tinygltf::Model model = exportAndRead(knownEdgeLevel());
  const tinygltf::Primitive& quad = model.meshes.at(0).primitives.at(0);
  const auto positions = values<float>(model, quad.attributes.at("POSITION"), 3);
  const float worldXY[4][2] = {{2048, -512}, {3072, -512}, {3072, 0}, {2048, 0}};  // z is -1024
  ASSERT_GE(positions.size(), 12u) << "the quad's four corners come first";
  for (size_t k = 0; k < 4; ++k) {
    const std::vector<float> corner(&positions[3 * k], &positions[3 * k + 3]);
    EXPECT_EQ(corner, (std::vector<float>{worldXY[k][0] * kScale, -worldXY[k][1] * kScale, 1.0f}))
        << "corner " << k;
  }
  const auto indices = values<uint32_t>(model, quad.indices, 1);
  ASSERT_GE(indices.size(), 6u) << "the quad's two triangles come first";
  const std::vector<uint32_t> split[2] = {{0, 1, 2}, {0, 2, 3}};
  for (size_t t = 0; t < 2; ++t) {
    std::vector<uint32_t> corners(&indices[3 * t], &indices[3 * t + 3]);
    const float *a = &positions[3 * corners[0]], *b = &positions[3 * corners[1]],
                *c = &positions[3 * corners[2]];
    const float normalZ = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
    EXPECT_GT(normalZ, 0.0f) << "triangle " << t << " faces +z";
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners, split[t]) << "the corners of triangle " << t;
  }
}

// The start camera against the viewer's own camera reset, for several headings.
TEST(EdgeExport, StartCameraLooksWhereTheViewerLooks) {
  for (uint16_t angle : {0, 16384, 40000}) {
    DnlLevel dnl = knownEdgeLevel();
    dnl.items[1].angle = angle;
    const tinygltf::Model model = exportAndRead(dnl);
    const tinygltf::Node* start = findNode(model, "start");
    ASSERT_NE(start, nullptr) << "the start camera node";
    const std::vector<double> position = {1000 * kScale, -1024 * kScale, -3000 * kScale};
    EXPECT_EQ(start->translation, position) << "start position, 1024 above the start item";
    camera = {};
    resetCamera();
    const float* m = camera.orientation;
    // The viewer looks along minus column 0 with column 2 up; in glTF space y and z negate,
    // and a camera looks along minus its z axis.
    const Vec3 backward = {m[0], -m[3], -m[6]}, up = {m[2], -m[5], -m[8]};
    EXPECT_LT(distance(backwardOf(start->rotation), backward), 1e-6)
        << "view direction at angle " << angle;
    EXPECT_LT(distance(upOf(start->rotation), up), 1e-6) << "up direction at angle " << angle;
  }
}

}  // namespace
