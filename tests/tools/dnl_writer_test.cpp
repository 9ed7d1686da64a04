// The writer's own promises that tests elsewhere rely on: its length, cutting short,
// the layout differences it writes, and claims that are written without their records.
#include "tools/dnl_writer.h"

#include <gtest/gtest.h>

namespace {

DnlLevel twoRooms(LevelLayout layout) {
  DnlLevel level;
  level.layout = layout;
  level.pages.resize(1);
  DnlRoom room;
  room.vertices = {{1, 2, 3, 4}};
  room.quads = {{{0, 0, 0, 0}, 1}};
  room.gridA = 2, room.gridB = 3, room.count32 = 1;
  level.rooms = {room, room};
  level.sectionCounts[16] = 2;
  level.sectionCounts[21] = 0x10003;  // only the low 16 bits are a count
  level.objectTextures.resize(1);
  level.items.resize(2);
  level.trailing = {9, 9};
  return level;
}

TEST(DnlWriter, WritesTheSizesOfTheFormatTables) {
  const DnlLevel older = twoRooms(LevelLayout::Older);
  const std::vector<uint8_t> bytes = writeDnlBytes(older);
  ASSERT_EQ(bytes.size(), dnlLength(older));
  const uint64_t room = 48 + 12 + 10 + 32 + 8 * 6;
  const uint64_t sections = 4 * 20 + 8 * 2 + 20 * 2 + 2 + 2 + 3 * 16 + 8192 + 740;
  const uint64_t expected =
      1800 + 196608 + 4 + 2 + 2 * room + sections + (4 + 20) + (4 + 2 * 24) + 2;
  EXPECT_EQ(bytes.size(), expected);
  EXPECT_EQ(bytes[0], 45);
  EXPECT_EQ(bytes[1796], 1);           // the page count
  EXPECT_EQ(bytes[1804 + 196608], 2);  // the room count
  // Newer rooms are one byte longer each; the object textures only move.
  EXPECT_EQ(dnlLength(twoRooms(LevelLayout::Newer)), expected + 2);
  EXPECT_EQ(writeDnlBytes(twoRooms(LevelLayout::Newer))[3], 0xFF);
}

TEST(DnlWriter, CutsShortAndClaimsWithoutRecords) {
  const DnlLevel level = twoRooms(LevelLayout::Newer);
  const std::vector<uint8_t> whole = writeDnlBytes(level);
  const std::vector<uint8_t> cut = writeDnlBytes(level, 1803);
  EXPECT_EQ(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + 1803));
  EXPECT_EQ(writeDnlBytes(level, 0).size(), 0u);

  DnlLevel claim = level;
  claim.rooms[0].gridA = claim.rooms[0].gridB = 65535;
  claim.rooms[0].writeSkippedRecords = false;
  claim.writeSectionRecords = false;
  EXPECT_EQ(dnlLength(claim), whole.size() - 8 * 6 - 32 - 8 * 2 - 20 * 2 - 3 * 16);
  claim.writeSectionRecords = true;
  claim.sectionCounts[4] = 0x7FFFFFFF;  // 64 GiB claimed, only the cut is produced
  EXPECT_EQ(writeDnlBytes(claim, 5000).size(), 5000u);
  EXPECT_GT(dnlLength(claim), uint64_t{0x7FFFFFFF} * 32);
}

}  // namespace
