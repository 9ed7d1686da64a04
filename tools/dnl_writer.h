// Builds level files of either layout from an in-memory description, for tests, fuzz seeds,
// benchmarks and the sample generator. Skipped sections get chosen counts and filler bytes;
// the output can be cut short at any offset and may claim sizes it never writes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "level/level_loader.h"
#include "level/level_sections.h"

struct DnlVertex {
  int16_t x, y, z;
  uint16_t shade;
};

struct DnlQuad {
  uint16_t vertices[4];  // room-local indices
  uint16_t textureWord;  // low 15 bits: object texture
};

struct DnlTriangle {
  uint16_t vertices[3];
  uint16_t textureWord;
};

struct DnlRoom {
  int32_t x = 0, z = 0;
  std::vector<DnlVertex> vertices;
  std::vector<DnlQuad> quads;
  std::vector<DnlTriangle> triangles;
  // Counts of the skipped room sections and the grid dimensions.
  uint16_t count4 = 0, count32 = 0, gridA = 0, gridB = 0, count24 = 0, count20 = 0;
  // False: the counts above are written but their records are not (a hostile claim).
  bool writeSkippedRecords = true;
};

struct DnlObjectTexture {
  uint16_t attributeWord = 0;
  uint16_t tileWord = 0;
  uint16_t uvWords[8] = {};  // u then v of corners 0 to 3; the high byte is the texel position
};

struct DnlItem {
  uint16_t objectId = 0;
  int32_t x = 0, y = 0, z = 0;
  uint16_t angle = 0;
};

struct DnlLevel {
  LevelLayout layout = LevelLayout::Older;
  uint32_t versionWord = 0;                  // 0: 45 for Older, 0xFF180038 for Newer
  std::vector<std::vector<uint16_t>> pages;  // 65536 texels each (shorter: padded with 0)
  std::vector<DnlRoom> rooms;
  // Counts of the skipped level-wide sections by their place in kLevelSections. Those
  // without a count of their own ignore theirs; 16-bit counts keep their low 16 bits.
  uint32_t sectionCounts[kLevelSectionCount] = {};
  bool writeSectionRecords = true;  // false: counts only, as a hostile claim
  std::vector<DnlObjectTexture> objectTextures;
  std::vector<DnlItem> items;
  std::vector<uint8_t> trailing;  // bytes after the last section
  // Replace the count written for a table (the records written stay those listed).
  std::optional<int32_t> pageCountField, objectTextureCountField, itemCountField;
  std::optional<uint16_t> roomCountField;
  uint8_t fillByte = 0xA5;  // content of every skipped byte
};

inline constexpr uint64_t kDnlNoCut = UINT64_MAX;

// The file's bytes, ending at `cutAt` when the file would be longer.
std::vector<uint8_t> writeDnlBytes(const DnlLevel& level, uint64_t cutAt = kDnlNoCut);
// Writes the bytes to `path`; false when the file cannot be written.
bool writeDnlFile(const char* path, const DnlLevel& level, uint64_t cutAt = kDnlNoCut);
// The length the whole file would have, cut or not (sizes claimed but not written excluded).
uint64_t dnlLength(const DnlLevel& level);
