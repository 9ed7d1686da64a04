// Field offsets of the base level walked from the layout's sizes, and counts set with their
// records through the writer's description of a level.
#include "tests/hostile/level_fields.h"

namespace {

constexpr uint64_t kSectionSizes[26] = {0, 2,  2,  4, 32, 6, 8, 2, 4,  2, 18, 32, 16,
                                        8, 16, 16, 8, 2,  0, 2, 0, 16, 1, 0,  8,  4};

int32_t sectionNumber(CountField field) {
  const int32_t f = static_cast<int32_t>(field);
  const int32_t first = static_cast<int32_t>(CountField::Section1);
  if (f >= first && f < first + 17) return f - first + 1;
  switch (field) {
    case CountField::Section19:
      return 19;
    case CountField::Section21:
      return 21;
    case CountField::Section22:
      return 22;
    case CountField::Section24:
      return 24;
    case CountField::Section25:
      return 25;
    default:
      return 0;
  }
}

uint64_t positive(int64_t count) {
  return count > 0 ? static_cast<uint64_t>(count) : 0;
}

}  // namespace

CountFieldInfo countFieldInfo(CountField field) {
  static const char* const kSectionNames[26] = {
      "",           "section 1",  "section 2",  "section 3",  "section 4",  "section 5",
      "section 6",  "section 7",  "section 8",  "section 9",  "section 10", "section 11",
      "section 12", "section 13", "section 14", "section 15", "section 16", "section 17",
      "",           "section 19", "",           "section 21", "section 22", "",
      "section 24", "section 25"};
  switch (field) {
    case CountField::PageCount:
      return {"page count", 4, kMaxTexturePages, 196608};
    case CountField::RoomCount:
      return {"room count", 2, 0, 49};
    case CountField::Vertices:
      return {"vertex count", 2, kMaxVertices, 12};
    case CountField::Quads:
      return {"quad count", 2, kMaxQuads, 10};
    case CountField::Triangles:
      return {"triangle count", 2, kMaxTriangles, 8};
    case CountField::Room4:
      return {"room 4-byte count", 2, 0, 4};
    case CountField::Room32:
      return {"room 32-byte count", 2, 0, 32};
    case CountField::GridA:
      return {"grid dimension A", 2, 0, 8};
    case CountField::GridB:
      return {"grid dimension B", 2, 0, 8};
    case CountField::Room24:
      return {"room 24-byte count", 2, 0, 24};
    case CountField::Room20:
      return {"room 20-byte count", 2, 0, 20};
    case CountField::ObjectTextures:
      return {"object-texture count", 4, kMaxObjectTextures, 20};
    case CountField::Items:
      return {"item count", 4, kMaxItems, 24};
    default:
      break;
  }
  const int32_t n = sectionNumber(field);
  const uint64_t size = n == 16 ? 8 + 20 : kSectionSizes[n];
  return {kSectionNames[n], n == 21 || n == 22 ? 2 : 4, 0, size};
}

DnlLevel baseLevel(LevelLayout layout, int32_t pageCount) {
  DnlLevel level;
  level.layout = layout;
  level.pages.assign(static_cast<size_t>(pageCount), std::vector<uint16_t>(65536, 0x801F));
  DnlRoom room;
  room.x = 1000;
  room.z = -2000;
  room.vertices = {{0, 0, 0, 1024}, {10, -20, 30, 512}, {-40, 50, 60, 0}, {70, 80, -90, 8192}};
  room.quads = {{{0, 1, 2, 3}, 1}};
  room.triangles = {{{3, 2, 1}, 0x8000}};
  room.count4 = room.count32 = room.gridA = room.gridB = room.count24 = room.count20 = 1;
  level.rooms = {room};
  for (int s = 1; s < kDnlSectionCount; ++s) level.sectionCounts[s] = 1;
  level.objectTextures.resize(2);
  level.objectTextures[0].tileWord = 0;
  level.objectTextures[1].tileWord = pageCount > 1 ? 1 : 0;
  level.items = {{0, 4096, 256, -8192, 16384}, {12, 1, 2, 3, 0}};
  return level;
}

FieldOffsets fieldOffsets(const DnlLevel& level) {
  FieldOffsets f{};
  const bool older = level.layout == LevelLayout::Older;
  const DnlRoom& room = level.rooms.at(0);
  const auto mark = [&f](CountField field, uint64_t at) { f.at[static_cast<int32_t>(field)] = at; };
  uint64_t at = 4 + 768 + 1024;
  mark(CountField::PageCount, at);
  at += 4 + 196608 * uint64_t{level.pages.size()} + 4;
  mark(CountField::RoomCount, at);
  at += 2 + 20;
  mark(CountField::Vertices, at);
  at += 2 + 12 * uint64_t{room.vertices.size()};
  mark(CountField::Quads, at);
  at += 2 + 10 * uint64_t{room.quads.size()};
  mark(CountField::Triangles, at);
  at += 2 + 8 * uint64_t{room.triangles.size()};
  mark(CountField::Room4, at);
  at += 2 + 4 * uint64_t{room.count4};
  mark(CountField::Room32, at);
  at += 2 + 32 * uint64_t{room.count32};
  mark(CountField::GridA, at);
  mark(CountField::GridB, at + 2);
  at += 4 + 8 * uint64_t{room.gridA} * room.gridB + (older ? 6 : 4);
  mark(CountField::Room24, at);
  at += 2 + 24 * uint64_t{room.count24};
  mark(CountField::Room20, at);
  at += 2 + 20 * uint64_t{room.count20} + (older ? 4 : 7);
  const auto section = [&](int n) {
    const CountField field =
        n <= 17 ? static_cast<CountField>(static_cast<int32_t>(CountField::Section1) + n - 1)
                : CountField::Section19;
    mark(field, at);
    const int64_t count = static_cast<int32_t>(level.sectionCounts[n]);
    at += 4 + kSectionSizes[n] * positive(count);
  };
  const auto objectTextures = [&] {
    mark(CountField::ObjectTextures, at);
    at += 4 + 20 * uint64_t{level.objectTextures.size()};
  };
  for (int n = 1; n <= 11; ++n) section(n);
  if (older) objectTextures();
  for (int n = 12; n <= 17; ++n) section(n);
  at += 20 * positive(static_cast<int32_t>(level.sectionCounts[16]));
  section(19);
  if (!older) objectTextures();
  mark(CountField::Items, at);
  at += 4 + 24 * uint64_t{level.items.size()} + 8192;
  mark(CountField::Section21, at);
  at += 2 + 16 * uint64_t{level.sectionCounts[21] & 0xFFFFu};
  mark(CountField::Section22, at);
  at += 2 + uint64_t{level.sectionCounts[22] & 0xFFFFu} + 740;
  mark(CountField::Section24, at);
  at += 4 + 8 * positive(static_cast<int32_t>(level.sectionCounts[24]));
  mark(CountField::Section25, at);
  at += 4 + 4 * positive(static_cast<int32_t>(level.sectionCounts[25]));
  f.length = at;
  return f;
}

bool setCountWithRecords(DnlLevel& level, CountField field, uint32_t value, uint64_t byteBudget) {
  const CountFieldInfo info = countFieldInfo(field);
  const int64_t count = info.width == 2 ? int64_t{value & 0xFFFFu} : static_cast<int32_t>(value);
  if (info.capacity > 0 && info.width == 4 && count > info.capacity) {
    // Refused as soon as it is read: no records needed behind it.
    if (field == CountField::PageCount) level.pageCountField = static_cast<int32_t>(value);
    if (field == CountField::ObjectTextures) {
      level.objectTextureCountField = static_cast<int32_t>(value);
    }
    if (field == CountField::Items) level.itemCountField = static_cast<int32_t>(value);
    return true;
  }
  if (positive(count) * info.recordSize > byteBudget) return false;
  const size_t n = static_cast<size_t>(positive(count));
  DnlRoom& room = level.rooms.at(0);
  const uint16_t word = static_cast<uint16_t>(value);
  switch (field) {
    case CountField::PageCount:
      level.pages.assign(n, std::vector<uint16_t>(65536, 0x801F));
      if (count < 0) level.pageCountField = static_cast<int32_t>(value);
      return true;
    case CountField::RoomCount:
      level.rooms.resize(n);
      return true;
    case CountField::Vertices:
      room.vertices.resize(n, {1, 2, 3, 1024});
      return true;
    case CountField::Quads:
      room.quads.resize(n, {{0, 1, 2, 3}, 1});
      return true;
    case CountField::Triangles:
      room.triangles.resize(n, {{0, 1, 2}, 0});
      return true;
    case CountField::Room4:
      room.count4 = word;
      return true;
    case CountField::Room32:
      room.count32 = word;
      return true;
    case CountField::GridA:
      room.gridA = word;
      return true;
    case CountField::GridB:
      room.gridB = word;
      return true;
    case CountField::Room24:
      room.count24 = word;
      return true;
    case CountField::Room20:
      room.count20 = word;
      return true;
    case CountField::ObjectTextures:
      level.objectTextures.resize(n);
      if (count < 0) level.objectTextureCountField = static_cast<int32_t>(value);
      return true;
    case CountField::Items:
      level.items.resize(n, {5, 0, 0, 0, 0});
      if (count < 0) level.itemCountField = static_cast<int32_t>(value);
      return true;
    default:
      level.sectionCounts[sectionNumber(field)] = value;
      return true;
  }
}
