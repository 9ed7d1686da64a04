// A small base level of either layout and the byte offset of every count field in it,
// worked out from the documented layout (not from the writer), so a hostile file can be
// made by cutting the base file right after a field or by changing one count.
#pragma once

#include <cstdint>
#include <vector>

#include "level/level_geometry.h"
#include "tools/dnl_writer.h"

enum class CountField : int32_t {
  PageCount,
  RoomCount,
  Vertices,
  Quads,
  Triangles,
  Room4,
  Room32,
  GridA,
  GridB,
  Room24,
  Room20,
  Section1,  // sections 1 to 17 follow in order, then 19
  Section19 = Section1 + 17,
  ObjectTextures,
  Items,
  Section21,
  Section22,
  Section24,
  Section25,
  Count
};

inline constexpr int32_t kCountFieldCount = static_cast<int32_t>(CountField::Count);

struct CountFieldInfo {
  const char* name;
  int32_t width;        // 2 or 4 bytes
  int32_t capacity;     // the table the count fills, 0 for a skipped section
  uint64_t recordSize;  // bytes per record it counts (section 16 includes section 18)
};

// The field's description; Section1 + n - 1 stands for section n (n = 1 to 17).
CountFieldInfo countFieldInfo(CountField field);

// Four vertices, one quad and one triangle in one room, one record in every skipped room
// section and level section, two object textures and two items, the first a start item.
DnlLevel baseLevel(LevelLayout layout, int32_t pageCount = 0);

// Offset of every count field in writeDnlBytes(level), and the file's length, for a level
// shaped like baseLevel (one room).
struct FieldOffsets {
  uint64_t at[kCountFieldCount];
  uint64_t length;
};
FieldOffsets fieldOffsets(const DnlLevel& level);

// Sets the field's count in `level` with records behind it, so the rest of the file stays in
// step. False when that would take more than `byteBudget` bytes of records. A count the
// loader refuses before reading records (pages, object textures, items above capacity) and a
// negative 32-bit count get no records.
bool setCountWithRecords(DnlLevel& level, CountField field, uint32_t value, uint64_t byteBudget);
