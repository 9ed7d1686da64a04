// Builds the sample level room by room from axis-aligned surfaces cut into tiles of 1024
// units. Every surface is given as its top-left corner and its right and down directions
// as seen from the side it faces, so its corners run clockwise for that viewer (the side
// that survives culling of counter-clockwise faces). World y grows downward.
#include "tools/sample_level.h"

#include <algorithm>
#include <cmath>

#include "tools/sample_textures.h"

namespace {

constexpr int kTile = 1024;
using Page = uint16_t;
constexpr Page kStone = 0, kBrick = 1, kWood = 2, kGrate = 3, kFloorTile = 4, kPageCount = 5;
// Each page has three object textures: the whole tile and its two triangle halves.
using TextureKind = uint16_t;
constexpr TextureKind kWhole = 0, kUpperLeft = 1, kLowerRight = 2, kKindCount = 3;

// Tiles left out of a surface for a doorway: columns first to last, rows from firstRow down.
struct Hole {
  int firstColumn = -1, lastColumn = -1, firstRow = 0;
};

struct Vec {
  int x, y, z;
};
Vec operator+(Vec a, Vec b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator*(Vec a, int s) {
  return {a.x * s, a.y * s, a.z * s};
}

struct Light {
  Vec at;
  float radius;
};

struct RoomBuilder {
  DnlRoom room;
  Vec origin;  // world position of the room's local origin (y always 0)
  std::vector<Light> lights;
  float ambient;
  LevelLayout layout;

  // Shade rises toward the room's lights; a shade of 1.0 is 1024 (Older) or 8192 (Newer).
  uint16_t vertex(Vec world) {
    float shade = ambient;
    for (const Light& light : lights) {
      const float dx = static_cast<float>(world.x - light.at.x);
      const float dy = static_cast<float>(world.y - light.at.y);
      const float dz = static_cast<float>(world.z - light.at.z);
      const float near = 1.0f - std::sqrt(dx * dx + dy * dy + dz * dz) / light.radius;
      shade += std::max(near, 0.0f) * (1.0f - ambient);
    }
    // The Newer word is the Older one times 8, so both layouts load the same shade.
    const int older = static_cast<int>(std::min(shade, 1.0f) * 1024.0f);
    const int word = layout == LevelLayout::Older ? older : older * 8;
    room.vertices.push_back(
        {static_cast<int16_t>(world.x - origin.x), static_cast<int16_t>(world.y),
         static_cast<int16_t>(world.z - origin.z), static_cast<uint16_t>(word)});
    return static_cast<uint16_t>(room.vertices.size() - 1);
  }

  // One tile: corners top-left, top-right, bottom-right, bottom-left as seen from the front.
  void tile(Vec topLeft, Vec right, Vec down, Page page, bool asTriangles) {
    const uint16_t a = vertex(topLeft), b = vertex(topLeft + right);
    const uint16_t c = vertex(topLeft + right + down), d = vertex(topLeft + down);
    const uint16_t first = static_cast<uint16_t>(page * kKindCount);
    if (asTriangles) {
      room.triangles.push_back({{a, b, d}, static_cast<uint16_t>(first + kUpperLeft)});
      room.triangles.push_back({{b, c, d}, static_cast<uint16_t>(first + kLowerRight)});
    } else {
      room.quads.push_back({{a, b, c, d}, static_cast<uint16_t>(first + kWhole)});
    }
  }

  // A surface of `across` x `downward` tiles of `size` units, less the doorway `hole`.
  void surface(Vec topLeft, Vec rightUnit, Vec downUnit, int across, int downward, Page page,
               bool asTriangles = false, Hole hole = {}, int size = kTile) {
    for (int row = 0; row < downward; ++row) {
      for (int column = 0; column < across; ++column) {
        if (column >= hole.firstColumn && column <= hole.lastColumn && row >= hole.firstRow) {
          continue;
        }
        tile(topLeft + rightUnit * (column * size) + downUnit * (row * size), rightUnit * size,
             downUnit * size, page, asTriangles && (row + column) % 3 != 0);
      }
    }
  }
};

constexpr Vec kPlusX{1, 0, 0}, kMinusX{-1, 0, 0}, kPlusZ{0, 0, 1}, kMinusZ{0, 0, -1};
constexpr Vec kDown{0, 1, 0};

// The inside of a box of tiles from (x0, z0) to (x0 + w, z0 + d) tiles, `h` tiles high:
// floor, ceiling and four walls facing inward; holes cut doorways into the walls.
struct BoxFaces {
  Page floor, ceiling, walls;
  Hole nearHole{}, farHole{}, leftHole{}, rightHole{};
  bool floorTriangles = false;
};

void insideOfBox(RoomBuilder& r, int x0, int z0, int w, int d, int h, const BoxFaces& f) {
  const int X0 = x0 * kTile, Z0 = z0 * kTile, X1 = (x0 + w) * kTile, Z1 = (z0 + d) * kTile;
  const int top = -h * kTile;
  r.surface({X0, 0, Z1}, kPlusX, kMinusZ, w, d, f.floor, f.floorTriangles);
  r.surface({X0, top, Z0}, kPlusX, kPlusZ, w, d, f.ceiling);
  r.surface({X0, top, Z1}, kPlusX, kDown, w, h, f.walls, false, f.farHole);     // z = Z1
  r.surface({X1, top, Z0}, kMinusX, kDown, w, h, f.walls, false, f.nearHole);   // z = Z0
  r.surface({X0, top, Z0}, kPlusZ, kDown, d, h, f.walls, false, f.leftHole);    // x = X0
  r.surface({X1, top, Z1}, kMinusZ, kDown, d, h, f.walls, false, f.rightHole);  // x = X1
}

// The outside of a block standing on the floor (a platform, or a pillar up to the ceiling
// without a top), `size`-unit tiles.
void outsideOfBlock(RoomBuilder& r, int x0, int z0, int w, int d, int h, int size, Page top,
                    Page sides, bool withTop = true) {
  const int X0 = x0 * size, Z0 = z0 * size, X1 = (x0 + w) * size, Z1 = (z0 + d) * size;
  const int y = -h * size;
  if (withTop) r.surface({X0, y, Z1}, kPlusX, kMinusZ, w, d, top, false, {}, size);
  r.surface({X0, y, Z0}, kPlusX, kDown, w, h, sides, false, {}, size);   // faces -z
  r.surface({X1, y, Z1}, kMinusX, kDown, w, h, sides, false, {}, size);  // faces +z
  r.surface({X0, y, Z1}, kMinusZ, kDown, d, h, sides, false, {}, size);  // faces -x
  r.surface({X1, y, Z0}, kPlusZ, kDown, d, h, sides, false, {}, size);   // faces +x
}

// A see-through panel, drawn from both sides.
void railing(RoomBuilder& r, Vec topLeft, Vec rightUnit, int length, int height) {
  const Vec right = rightUnit * length, down = kDown * height;
  r.tile(topLeft, right, down, kGrate, false);
  r.tile(topLeft + right, rightUnit * -length, down, kGrate, false);
}

RoomBuilder startRoom(LevelLayout layout, Vec origin, float ambient, std::vector<Light> lights) {
  RoomBuilder r;
  r.layout = layout;
  r.origin = origin;
  r.room.x = origin.x;
  r.room.z = origin.z;
  r.ambient = ambient;
  r.lights = std::move(lights);
  return r;
}

DnlRoom hall(LevelLayout layout) {
  RoomBuilder r = startRoom(layout, {0, 0, 0}, 0.35f,
                            {{{4096, -3500, 4096}, 6500.0f}, {{6144, -1500, 5120}, 2500.0f}});
  BoxFaces faces{kFloorTile, kStone, kBrick};
  faces.farHole = {3, 4, 2};  // doorway into the corridor, two tiles high
  faces.floorTriangles = true;
  insideOfBox(r, 0, 0, 8, 8, 4, faces);
  // A platform of 512-unit tiles, 4 x 4 of them, one tile high, with railings on two sides.
  outsideOfBlock(r, 10, 8, 4, 4, 1, 512, kWood, kStone);
  railing(r, {5120, -1024, 4096}, kPlusX, 2048, 512);
  railing(r, {7168, -1024, 4096}, kPlusZ, 2048, 512);
  r.room.count32 = 2;  // skipped sections with records, as real levels have
  r.room.gridA = 8, r.room.gridB = 8;
  r.room.count20 = 1;
  return r.room;
}

DnlRoom corridor(LevelLayout layout) {
  RoomBuilder r = startRoom(layout, {3072, 0, 8192}, 0.2f, {{{4096, -1500, 11264}, 3000.0f}});
  BoxFaces faces{kWood, kStone, kStone};
  faces.nearHole = {0, 1, 0};  // open at both ends
  faces.farHole = {0, 1, 0};
  insideOfBox(r, 3, 8, 2, 6, 2, faces);
  r.room.gridA = 2, r.room.gridB = 6;
  r.room.count4 = 3;
  return r.room;
}

DnlRoom pillarRoom(LevelLayout layout) {
  RoomBuilder r = startRoom(layout, {1024, 0, 14336}, 0.3f,
                            {{{5120, -4000, 17408}, 7000.0f}, {{8192, -1000, 17408}, 2000.0f}});
  BoxFaces faces{kWood, kStone, kBrick};
  faces.nearHole = {4, 5, 3};   // from the corridor (columns counted from the far x)
  faces.rightHole = {2, 3, 3};  // into the side chamber
  insideOfBox(r, 1, 14, 8, 6, 5, faces);
  outsideOfBlock(r, 5, 32, 1, 1, 10, 512, kStone, kStone, false);
  outsideOfBlock(r, 14, 32, 1, 1, 10, 512, kStone, kStone, false);
  r.room.count24 = 2;
  return r.room;
}

// A short passage between the pillared room and the side chamber, open at both ends, so
// that no two rooms share a wall plane.
DnlRoom passage(LevelLayout layout) {
  RoomBuilder r = startRoom(layout, {9216, 0, 16384}, 0.3f, {});
  BoxFaces faces{kStone, kStone, kStone};
  faces.leftHole = {0, 1, 0};
  faces.rightHole = {0, 1, 0};
  insideOfBox(r, 9, 16, 1, 2, 2, faces);
  return r.room;
}

DnlRoom sideChamber(LevelLayout layout) {
  RoomBuilder r = startRoom(layout, {10240, 0, 15360}, 0.25f, {{{13312, -2500, 17408}, 4000.0f}});
  BoxFaces faces{kFloorTile, kWood, kStone};
  faces.leftHole = {1, 2, 1};
  insideOfBox(r, 10, 15, 6, 4, 3, faces);
  // A four-sided pyramid of triangles in the middle of the floor.
  const Vec apex{13312, -1536, 17408};
  const Vec base[4] = {{12288, 0, 16384}, {14336, 0, 16384}, {14336, 0, 18432}, {12288, 0, 18432}};
  const uint16_t first = static_cast<uint16_t>(kBrick * kKindCount + kUpperLeft);
  for (int side = 0; side < 4; ++side) {
    // Seen from outside the pyramid: apex, then the next base corner, then this one.
    const uint16_t a = r.vertex(apex), b = r.vertex(base[(side + 1) % 4]), c = r.vertex(base[side]);
    r.room.triangles.push_back({{a, b, c}, first});
  }
  return r.room;
}

DnlObjectTexture objectTexture(Page page, TextureKind kind) {
  // Texel positions of corners 0 to 3 for the whole tile and its two triangle halves.
  static constexpr uint8_t kCorners[kKindCount][4][2] = {{{0, 0}, {255, 0}, {255, 255}, {0, 255}},
                                                         {{0, 0}, {255, 0}, {0, 255}, {0, 0}},
                                                         {{255, 0}, {255, 255}, {0, 255}, {0, 0}}};
  DnlObjectTexture t;
  t.tileWord = page;
  for (int k = 0; k < 4; ++k) {
    t.uvWords[2 * k] = static_cast<uint16_t>(kCorners[kind][k][0] << 8);
    t.uvWords[2 * k + 1] = static_cast<uint16_t>(kCorners[kind][k][1] << 8);
  }
  return t;
}

void placeItems(DnlLevel& level) {
  // The start item stands near the hall's entrance wall; angle 0 turns the camera toward +z,
  // down the hall to the platform and the corridor.
  level.items.push_back({0, 4096, 0, 1024, 0});
  uint16_t id = 1;
  auto row = [&](int x0, int z0, int dx, int dz, int count, int y) {
    for (int i = 0; i < count; ++i) {
      level.items.push_back({id, x0 + i * dx, y, z0 + i * dz, static_cast<uint16_t>(i * 8192)});
      id = static_cast<uint16_t>(id * 5 % 251 + 1);
    }
  };
  row(1024, 2048, 0, 1280, 5, 0);     // along the hall's left wall
  row(5632, 4608, 1024, 0, 2, -512);  // on the platform
  row(4096, 9216, 0, 1024, 5, 0);     // down the corridor
  row(2048, 15360, 1536, 0, 5, 0);    // across the pillared room
  row(2048, 19456, 1536, 0, 5, 0);
  row(11264, 15872, 1024, 0, 5, 0);  // the side chamber
  row(11264, 18944, 1024, 0, 5, 0);
  level.items.push_back({0x200, 13312, -1536, 17408, 0});  // on the pyramid's apex
}

}  // namespace

DnlLevel buildSampleLevel(LevelLayout layout) {
  DnlLevel level;
  level.layout = layout;
  level.pages = {stoneTexture(), brickTexture(), woodTexture(), grateTexture(), floorTileTexture()};
  level.rooms = {hall(layout), corridor(layout), pillarRoom(layout), passage(layout),
                 sideChamber(layout)};
  for (int page = 0; page < kPageCount; ++page) {
    for (int kind = 0; kind < kKindCount; ++kind) {
      level.objectTextures.push_back(
          objectTexture(static_cast<Page>(page), static_cast<TextureKind>(kind)));
    }
  }
  placeItems(level);
  for (int s = 0; s < kLevelSectionCount; ++s)
    level.sectionCounts[s] = static_cast<uint32_t>(s % 3);
  level.fillByte = 0;
  return level;
}
