// The level-wide sections that follow the last room, in file order, with the size of each.
// The viewer keeps only the object textures and the items; of every other section only its
// size matters, so those are known by their place in this table and their sizes alone.
// The loader walks this table, and the level-file writer in tools/ writes by it.
#pragma once

#include <cstdint>

// What stands in front of a section's records.
enum class SectionCount : uint8_t {
  U32,       // a 32-bit count, taken as signed (zero or less: no records)
  U16,       // a 16-bit count
  Block,     // no count: one block of recordSize bytes
  Borrowed,  // no count of its own: as many records as an earlier section's count says
};

enum class SectionUse : uint8_t {
  Skipped,
  ObjectTexturesOlder,  // kept; in the Older layout only
  ObjectTexturesNewer,  // kept; in the Newer layout only
  Items,                // kept
};

struct LevelSection {
  SectionUse use;
  SectionCount count;
  uint16_t recordSize;    // bytes per record; for a Block, bytes of the block
  int8_t borrowsCountOf;  // Borrowed: the place of the section whose count it repeats
};

// The place of the 8-byte section whose count also counts the records of the 20-byte
// section two places after it.
inline constexpr int32_t kSharedCountSection = 16;

inline constexpr LevelSection kLevelSections[] = {
    {SectionUse::Skipped, SectionCount::U32, 2, 0},  // places 0 to 10: u32 counts
    {SectionUse::Skipped, SectionCount::U32, 2, 0},
    {SectionUse::Skipped, SectionCount::U32, 4, 0},
    {SectionUse::Skipped, SectionCount::U32, 32, 0},
    {SectionUse::Skipped, SectionCount::U32, 6, 0},
    {SectionUse::Skipped, SectionCount::U32, 8, 0},
    {SectionUse::Skipped, SectionCount::U32, 2, 0},
    {SectionUse::Skipped, SectionCount::U32, 4, 0},
    {SectionUse::Skipped, SectionCount::U32, 2, 0},
    {SectionUse::Skipped, SectionCount::U32, 18, 0},
    {SectionUse::Skipped, SectionCount::U32, 32, 0},
    {SectionUse::ObjectTexturesOlder, SectionCount::U32, 20, 0},  // at most 2500 records
    {SectionUse::Skipped, SectionCount::U32, 16, 0},              // places 12 to 17
    {SectionUse::Skipped, SectionCount::U32, 8, 0},
    {SectionUse::Skipped, SectionCount::U32, 16, 0},
    {SectionUse::Skipped, SectionCount::U32, 16, 0},
    {SectionUse::Skipped, SectionCount::U32, 8, 0},  // kSharedCountSection
    {SectionUse::Skipped, SectionCount::U32, 2, 0},
    {SectionUse::Skipped, SectionCount::Borrowed, 20, kSharedCountSection},  // 10 u16 each
    {SectionUse::Skipped, SectionCount::U32, 2, 0},
    {SectionUse::ObjectTexturesNewer, SectionCount::U32, 20, 0},  // at most 2500 records
    {SectionUse::Items, SectionCount::U32, 24, 0},                // at most 248 records
    {SectionUse::Skipped, SectionCount::Block, 8192, 0},
    {SectionUse::Skipped, SectionCount::U16, 16, 0},
    {SectionUse::Skipped, SectionCount::U16, 1, 0},
    {SectionUse::Skipped, SectionCount::Block, 740, 0},
    {SectionUse::Skipped, SectionCount::U32, 8, 0},
    {SectionUse::Skipped, SectionCount::U32, 4, 0},  // the last section read; the file may go on
};

inline constexpr int32_t kLevelSectionCount = sizeof kLevelSections / sizeof kLevelSections[0];
static_assert(kLevelSections[kSharedCountSection].count == SectionCount::U32);
