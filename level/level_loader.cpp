// The walk over a level file: header and texture pages, rooms, the long run of level-wide
// sections with the object textures and items. Every size is computed in 64 bits and every
// store index is checked against its table before the record is written.
#include "level/level_loader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "level/byte_stream.h"
#include "level/face_grouping.h"
#include "level/level_geometry.h"
#include "level/level_sections.h"
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

// A room section whose count is a u16 (negative only past the end).
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
      // Past the end every texel reads as -1, which converts as the word 0xFFFF does.
      static const std::array<uint8_t, 8192> allOnes = [] {
        std::array<uint8_t, 8192> bytes;
        bytes.fill(0xFF);
        return bytes;
      }();
      const int32_t run = std::min<int32_t>(kTexelsPerPage - done, allOnes.size() / 2);
      convertTexelRun(allOnes.data(), run, out);
      notePastEnd(stream, 2 * static_cast<uint64_t>(run));
      out += 4 * run;
      done += run;
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
float i16AsFloat(int32_t word) {
  return static_cast<float>(static_cast<int16_t>(word & 0xFFFF));
}
float readI16AsFloat() {
  return i16AsFloat(readU16(stream));
}

// Reads `count` records of `recordBytes` into table[total], table[total + 1], ... and fails
// with `full` once total reaches `capacity`, as one record at a time would. Records lying
// whole in the bytes at hand are taken straight from them in one run (fromBytes); a record
// straddling a refill goes through the readers (fromReaders); past the end every field reads
// as -1, so the rest are all alike and need no reading (pastEnd).
template <typename Record, typename FromBytes, typename FromReaders, typename PastEnd>
LoadFailure readRecords(int32_t count, size_t recordBytes, Record* table, int32_t capacity,
                        int32_t& total, LoadFailure full, FromBytes fromBytes,
                        FromReaders fromReaders, PastEnd pastEnd) {
  int32_t done = 0;
  while (done < count) {
    const int32_t wanted = std::min(count - done, capacity - total);
    const size_t whole = (stream.windowSize - stream.cursor) / recordBytes;
    int32_t run = static_cast<int32_t>(std::min<size_t>(whole, static_cast<size_t>(wanted)));
    Record* out = table + total;
    if (run > 0) {
      const uint8_t* at = stream.window + stream.cursor;
      for (int32_t k = 0; k < run; ++k) fromBytes(at + k * recordBytes, out[k]);
      stream.cursor += run * recordBytes;
    } else if (stream.ended) {
      run = wanted;
      for (int32_t k = 0; k < run; ++k) pastEnd(out[k]);
      notePastEnd(stream, static_cast<uint64_t>(run) * recordBytes);
    } else {
      run = 1;
      fromReaders(out[0]);
    }
    done += run;
    total += run;
    if (total == capacity) return full;
  }
  return LoadFailure::None;
}

LoadFailure readVertices(LoadState& state, float roomX, float roomZ) {
  const float scale = state.layout == LevelLayout::Older ? 1.0f / 1024.0f : 1.0f / 8192.0f;
  const auto fromBytes = [&](const uint8_t* at, RoomVertex& vertex) {
    const float shade = static_cast<float>(wordAt(at + 6)) * scale;
    vertex = {i16AsFloat(wordAt(at)) + roomX,
              i16AsFloat(wordAt(at + 2)),
              i16AsFloat(wordAt(at + 4)) + roomZ,
              shade,
              shade,
              shade};
  };
  const auto fromReaders = [&](RoomVertex& vertex) {
    vertex.x = readI16AsFloat() + roomX;
    vertex.y = readI16AsFloat();
    vertex.z = readI16AsFloat() + roomZ;
    const float shade = static_cast<float>(readU16(stream)) * scale;
    readU16(stream);
    readU16(stream);
    vertex.r = vertex.g = vertex.b = shade;
  };
  const auto pastEnd = [&](RoomVertex& vertex) {
    vertex = {roomX - 1.0f, -1.0f, roomZ - 1.0f, -scale, -scale, -scale};
  };
  return readRecords(readU16(stream), 12, levelGeometry.vertices, kMaxVertices, state.vertexTotal,
                     LoadFailure::TooManyVertices, fromBytes, fromReaders, pastEnd);
}

// A face table's records for one room: corner indices made global with the room's vertex
// base, the object texture from the low 15 bits of the texture word.
template <typename Face>
LoadFailure readFaceTable(Face* table, int32_t capacity, int32_t& total, LoadFailure full,
                          int32_t vertexBase) {
  constexpr int32_t corners = sizeof table->vertexIndices / sizeof table->vertexIndices[0];
  const auto fromBytes = [&](const uint8_t* at, Face& face) {
    for (int32_t k = 0; k < corners; ++k) {
      face.vertexIndices[k] = static_cast<uint32_t>(wordAt(at + 2 * k) + vertexBase);
    }
    face.objectTexture = static_cast<uint32_t>(wordAt(at + 2 * corners) & 0x7FFF);
  };
  const auto fromReaders = [&](Face& face) {
    for (uint32_t& index : face.vertexIndices) {
      index = static_cast<uint32_t>(readU16(stream) + vertexBase);
    }
    face.objectTexture = static_cast<uint32_t>(readU16(stream) & 0x7FFF);
  };
  // Past the end: every index the vertex base less one, object texture 0x7FFF; the page is
  // not written here, so the record keeps the one it held.
  const auto pastEnd = [&](Face& face) {
    for (uint32_t& index : face.vertexIndices) index = static_cast<uint32_t>(vertexBase - 1);
    face.objectTexture = 0x7FFF;
  };
  return readRecords(readU16(stream), 2 * corners + 2, table, capacity, total, full, fromBytes,
                     fromReaders, pastEnd);
}

LoadFailure readFaces(LoadState& state, int32_t vertexBase) {
  const LoadFailure quads = readFaceTable(levelGeometry.quads, kMaxQuads, state.quadTotal,
                                          LoadFailure::TooManyQuads, vertexBase);
  if (quads != LoadFailure::None) return quads;
  return readFaceTable(levelGeometry.triangles, kMaxTriangles, state.triangleTotal,
                       LoadFailure::TooManyTriangles, vertexBase);
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
    float* uv = levelGeometry.objectTextureUVs[i].uv;
    if (stream.ended) {  // every byte of the 20-byte record reads as -1
      notePastEnd(stream, 20);
      tileWords[i] = -1;
      for (int32_t k = 0; k < 8; ++k) uv[k] = -0.5f / 256.0f;
      continue;
    }
    readU16(stream);
    tileWords[i] = readU16(stream);
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

// The level-wide sections after the rooms, as kLevelSections lists them.
LoadFailure readLevelSections(LevelLayout layout) {
  int32_t counts[kLevelSectionCount] = {};
  for (int32_t place = 0; place < kLevelSectionCount; ++place) {
    const LevelSection& section = kLevelSections[place];
    switch (section.use) {
      case SectionUse::ObjectTexturesOlder:
      case SectionUse::ObjectTexturesNewer: {
        const LevelLayout owner = section.use == SectionUse::ObjectTexturesOlder
                                      ? LevelLayout::Older
                                      : LevelLayout::Newer;
        if (layout == owner && readObjectTextures() != LoadFailure::None) {
          return LoadFailure::TooManyObjectTextures;
        }
        continue;
      }
      case SectionUse::Items:
        if (readItems() != LoadFailure::None) return LoadFailure::TooManyItems;
        continue;
      case SectionUse::Skipped:
        break;
    }
    switch (section.count) {
      case SectionCount::U32:
        counts[place] = readU32(stream);
        break;
      case SectionCount::U16:
        counts[place] = readU16(stream);
        break;
      case SectionCount::Block:
        counts[place] = 1;
        break;
      case SectionCount::Borrowed:
        counts[place] = counts[section.borrowsCountOf];
        break;
    }
    skipRecords(counts[place], section.recordSize);
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
  report.quadsStored = state.quadTotal;
  report.trianglesStored = state.triangleTotal;
  if (roomFailure != LoadFailure::None) return roomFailure;
  levelGeometry.quadCount = state.quadTotal;
  levelGeometry.triangleCount = state.triangleTotal;
  return readLevelSections(state.layout);
}

LoadFailure finishLoad(LoadFailure failure) {
  report.failure = failure;
  report.bytesPastEnd = stream.bytesPastEnd;
  return failure;
}

void beginReport() {
  report.failure = LoadFailure::None;
  report.layoutKnown = false;
  report.vertexCount = 0;
  report.quadsStored = 0;
  report.trianglesStored = 0;
  report.objectTextureCount = 0;
  report.bytesPastEnd = 0;
}

}  // namespace

LoadFailure loadLevelStream(FILE* file) {
  beginReport();
  if (file == nullptr) return finishLoad(LoadFailure::CannotOpen);
  openFileStream(stream, file);
  const LoadFailure failure = walkLevel();
  stream.file = nullptr;
  return finishLoad(failure);
}

LoadFailure loadLevelFile(const char* path) {
  FILE* file = path == nullptr ? nullptr : fopen(path, "rb");
  const LoadFailure failure = loadLevelStream(file);
  if (file != nullptr) fclose(file);
  return failure;
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
