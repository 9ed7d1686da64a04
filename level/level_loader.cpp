// The walk over a level file: header and texture pages, rooms, the long run of level-wide
// sections with the object textures and items. Every size is computed in 64 bits and every
// store index is checked against its table before the record is written.
#include "level/level_loader.h"

#include <cmath>

#include "level/byte_stream.h"
#include "level/face_grouping.h"
#include "level/level_geometry.h"
#include "level/texel_conversion.h"

namespace {

ByteStream stream;
int32_t tileWords[kMaxObjectTextures];
LoadReport report;

struct LoadState {
  LevelLayout layout;
  int32_t vertexTotal;
  int32_t quadTotal;
  int32_t triangleTotal;
};

// Skips `count` records of `size` bytes; a count of zero or less is an empty section.
void skipRecords(int64_t count, uint64_t size) {
  if (count > 0) skipBytes(stream, static_cast<uint64_t>(count) * size);
}

// A section whose count is a u32 taken as signed.
void skipSection32(uint64_t recordSize) {
  skipRecords(readU32(stream), recordSize);
}
// A section whose count is a u16 (negative only past the end).
void skipSection16(uint64_t recordSize) {
  skipRecords(readU16(stream), recordSize);
}

bool readVersion(LevelLayout& layout) {
  const uint32_t word = static_cast<uint32_t>(readU32(stream));
  if (word == 45u) {
    layout = LevelLayout::Older;
    return true;
  }
  if (word == 0xFF080038u || word == 0xFF180038u || word == 0xFF180034u) {
    layout = LevelLayout::Newer;
    return true;
  }
  return false;
}

// Converts a page's texels straight from the bytes at hand where whole texels lie there,
// one reader call where a texel straddles a refill, and the past-the-end texel once the
// stream has ended: the same values as one readU16 per texel.
void readTexturePage(uint8_t* out) {
  int32_t done = 0;
  while (done < kTexelsPerPage) {
    const size_t atHand = (stream.windowSize - stream.cursor) / 2;
    if (atHand > 0) {
      const int32_t run = atHand < static_cast<size_t>(kTexelsPerPage - done)
                              ? static_cast<int32_t>(atHand)
                              : kTexelsPerPage - done;
      convertTexelRun(stream.window + stream.cursor, run, out);
      stream.cursor += 2 * static_cast<size_t>(run);
      out += 4 * run;
      done += run;
    } else if (byteStreamEnded(stream)) {
      for (; done < kTexelsPerPage; ++done, out += 4) convertTexel(-1, out);
    } else {
      convertTexel(readU16(stream), out);
      out += 4;
      ++done;
    }
  }
}

void readTexturePages(int32_t pageCount) {
  for (int32_t p = 0; p < pageCount; ++p) readTexturePage(levelGeometry.texturePages[p].texels);
}

// The low 16 bits of a reader result taken as a signed 16-bit value.
float readI16AsFloat() {
  return static_cast<float>(static_cast<int16_t>(readU16(stream) & 0xFFFF));
}

LoadFailure readVertices(LoadState& state, float roomX, float roomZ) {
  const float shadeScale = state.layout == LevelLayout::Older ? 1.0f / 1024.0f : 1.0f / 8192.0f;
  const int32_t count = readU16(stream);
  for (int32_t n = 0; n < count; ++n) {
    RoomVertex& vertex = levelGeometry.vertices[state.vertexTotal];
    vertex.x = readI16AsFloat() + roomX;
    vertex.y = readI16AsFloat();
    vertex.z = readI16AsFloat() + roomZ;
    const float shade = static_cast<float>(readU16(stream)) * shadeScale;
    readU16(stream);
    readU16(stream);
    vertex.r = vertex.g = vertex.b = shade;
    if (++state.vertexTotal == kMaxVertices) return LoadFailure::TooManyVertices;
  }
  return LoadFailure::None;
}

// A room-local index plus the room's vertex base, kept as the unsigned word the file implies.
uint32_t readFaceIndex(int32_t vertexBase) {
  return static_cast<uint32_t>(readU16(stream) + vertexBase);
}

LoadFailure readFaces(LoadState& state, int32_t vertexBase) {
  const int32_t quadCount = readU16(stream);
  for (int32_t n = 0; n < quadCount; ++n) {
    QuadFace& face = levelGeometry.quads[state.quadTotal];
    for (uint32_t& index : face.vertexIndices) index = readFaceIndex(vertexBase);
    face.objectTexture = static_cast<uint32_t>(readU16(stream) & 0x7FFF);
    if (++state.quadTotal == kMaxQuads) return LoadFailure::TooManyQuads;
  }
  const int32_t triangleCount = readU16(stream);
  for (int32_t n = 0; n < triangleCount; ++n) {
    TriFace& face = levelGeometry.triangles[state.triangleTotal];
    for (uint32_t& index : face.vertexIndices) index = readFaceIndex(vertexBase);
    face.objectTexture = static_cast<uint32_t>(readU16(stream) & 0x7FFF);
    if (++state.triangleTotal == kMaxTriangles) return LoadFailure::TooManyTriangles;
  }
  return LoadFailure::None;
}

// The room sections the viewer does not need; only their sizes matter.
void skipRoomTail(LevelLayout layout) {
  skipSection16(4);
  skipSection16(32);  // each record: one ignored u16 and 30 bytes
  const int32_t gridA = readU16(stream);
  const int32_t gridB = readU16(stream);
  if (gridA > 0 && gridB > 0) skipRecords(int64_t{gridA} * gridB, 8);
  skipBytes(stream, layout == LevelLayout::Older ? 6 : 4);
  skipSection16(24);
  skipSection16(20);
  skipBytes(stream, layout == LevelLayout::Older ? 4 : 7);
}

LoadFailure readRooms(LoadState& state) {
  const int32_t roomCount = readU16(stream);
  for (int32_t room = 0; room < roomCount; ++room) {
    // Past the end a room reads as -1 throughout: every count is negative and nothing is
    // stored, so the remaining rooms can be passed over at once.
    if (byteStreamEnded(stream)) break;
    const float roomX = static_cast<float>(readU32(stream));
    const float roomZ = static_cast<float>(readU32(stream));
    skipBytes(stream, 12);
    const int32_t vertexBase = state.vertexTotal;
    LoadFailure failure = readVertices(state, roomX, roomZ);
    if (failure == LoadFailure::None) failure = readFaces(state, vertexBase);
    if (failure != LoadFailure::None) return failure;
    skipRoomTail(state.layout);
  }
  return LoadFailure::None;
}

// Records each tileWord as it is read; the pages are given to the faces in one pass after
// the section, which ends the same as assigning each record's page on the spot.
LoadFailure readObjectTextures() {
  const int32_t count = readU32(stream);
  if (count > kMaxObjectTextures) return LoadFailure::TooManyObjectTextures;
  report.objectTextureCount = count;
  for (int32_t i = 0; i < count; ++i) {
    readU16(stream);
    tileWords[i] = readU16(stream);
    float* uv = levelGeometry.objectTextureUVs[i].uv;
    for (int32_t k = 0; k < 8; ++k) {
      readU8(stream);
      uv[k] = (static_cast<float>(readU8(stream)) + 0.5f) / 256.0f;
    }
  }
  assignTexturePages(tileWords, count);
  groupFacesByPage();
  return LoadFailure::None;
}

LoadFailure readItems() {
  const int32_t count = readU32(stream);
  if (count > kMaxItems) return LoadFailure::TooManyItems;
  levelGeometry.itemCount = count;
  for (int32_t i = 0; i < count; ++i) {
    LevelItem& item = levelGeometry.items[i];
    item.objectId = readU16(stream);
    readU16(stream);
    item.x = readU32(stream);
    item.y = readU32(stream);
    item.z = readU32(stream);
    const int32_t angle = readU16(stream);
    for (int32_t k = 0; k < 3; ++k) readU16(stream);
    if (item.objectId != 0) continue;
    // 182 angle units to the degree; the camera faces the opposite way to the item.
    const int32_t degrees = angle / 182;
    levelGeometry.startHeading = static_cast<float>(std::fmod(degrees + 180, 360.0));
    levelGeometry.startX = static_cast<float>(item.x);
    levelGeometry.startY = static_cast<float>(item.y) - 1024.0f;
    levelGeometry.startZ = static_cast<float>(item.z);
  }
  return LoadFailure::None;
}

LoadFailure walkLevel() {
  LoadState state{};
  if (!readVersion(state.layout)) return LoadFailure::UnknownVersion;
  report.layoutKnown = true;
  report.layout = state.layout;
  skipBytes(stream, 768 + 1024);
  const int32_t pageCount = readU32(stream);
  if (pageCount > kMaxTexturePages) return LoadFailure::TooManyTexturePages;
  levelGeometry.numTexturePages = pageCount;
  skipRecords(pageCount, 65536);
  readTexturePages(pageCount);
  readU32(stream);

  const LoadFailure roomFailure = readRooms(state);
  report.vertexCount = state.vertexTotal;
  if (roomFailure != LoadFailure::None) return roomFailure;
  levelGeometry.quadCount = state.quadTotal;
  levelGeometry.triangleCount = state.triangleTotal;

  static constexpr uint64_t kSections1To11[] = {2, 2, 4, 32, 6, 8, 2, 4, 2, 18, 32};
  for (const uint64_t size : kSections1To11) skipSection32(size);
  if (state.layout == LevelLayout::Older) {
    if (readObjectTextures() != LoadFailure::None) return LoadFailure::TooManyObjectTextures;
  }
  static constexpr uint64_t kSections12To15[] = {16, 8, 16, 16};
  for (const uint64_t size : kSections12To15) skipSection32(size);
  const int32_t section16Count = readU32(stream);
  skipRecords(section16Count, 8);
  skipSection32(2);                 // section 17
  skipRecords(section16Count, 20);  // section 18: 10 words of 2 bytes per section-16 record
  skipSection32(2);                 // section 19
  if (state.layout == LevelLayout::Newer) {
    if (readObjectTextures() != LoadFailure::None) return LoadFailure::TooManyObjectTextures;
  }
  if (readItems() != LoadFailure::None) return LoadFailure::TooManyItems;

  skipBytes(stream, 8192);
  skipSection16(16);
  skipSection16(1);
  skipBytes(stream, 740);
  skipSection32(8);
  skipSection32(4);
  return LoadFailure::None;
}

LoadFailure finishLoad(LoadFailure failure) {
  report.failure = failure;
  return failure;
}

void beginReport() {
  report.failure = LoadFailure::None;
  report.layoutKnown = false;
  report.vertexCount = 0;
  report.objectTextureCount = 0;
}

}  // namespace

LoadFailure loadLevelFile(const char* path) {
  beginReport();
  FILE* file = path == nullptr ? nullptr : fopen(path, "rb");
  if (file == nullptr) return finishLoad(LoadFailure::CannotOpen);
  openFileStream(stream, file);
  const LoadFailure failure = walkLevel();
  fclose(file);
  stream.file = nullptr;
  return finishLoad(failure);
}

LoadFailure loadLevelBytes(const uint8_t* data, size_t size) {
  beginReport();
  openMemoryStream(stream, data, size);
  return finishLoad(walkLevel());
}

bool loadLevel(const char* path) {
  return loadLevelFile(path) == LoadFailure::None;
}

bool loadLevelFromMemory(const uint8_t* data, size_t size) {
  return loadLevelBytes(data, size) == LoadFailure::None;
}

const LoadReport& lastLoadReport() {
  return report;
}

const char* loadFailureText(LoadFailure failure) {
  switch (failure) {
    case LoadFailure::None:
      return "none";
    case LoadFailure::CannotOpen:
      return "the file cannot be opened";
    case LoadFailure::UnknownVersion:
      return "the version word is not one of a level file";
    case LoadFailure::TooManyTexturePages:
      return "more than 16 texture pages";
    case LoadFailure::TooManyVertices:
      return "the vertex total reaches 18658";
    case LoadFailure::TooManyQuads:
      return "the quad total reaches 13882";
    case LoadFailure::TooManyTriangles:
      return "the triangle total reaches 5613";
    case LoadFailure::TooManyObjectTextures:
      return "more than 2500 object textures";
    case LoadFailure::TooManyItems:
      return "more than 248 items";
  }
  return "unknown failure";
}

const char* levelLayoutName(LevelLayout layout) {
  return layout == LevelLayout::Older ? "older" : "newer";
}
