// Emits a level file field by field into a sink that stops at the cut offset, so claims of
// gigabytes cost nothing: runs of filler past the cut are counted, never produced.
#include "tools/dnl_writer.h"

#include <cstdio>

namespace {

struct Sink {
  std::vector<uint8_t>* out;  // null: only count
  uint64_t cutAt;
  uint64_t offset;

  void byte(uint8_t value) {
    if (out != nullptr && offset < cutAt) out->push_back(value);
    ++offset;
  }
  void u16(uint32_t value) {
    byte(static_cast<uint8_t>(value));
    byte(static_cast<uint8_t>(value >> 8));
  }
  void u32(uint32_t value) {
    u16(value & 0xFFFFu);
    u16(value >> 16);
  }
  void fill(uint64_t count, uint8_t value) {
    if (out != nullptr && offset < cutAt) {
      const uint64_t room = cutAt - offset;
      out->insert(out->end(), static_cast<size_t>(count < room ? count : room), value);
    }
    offset += count;
  }
};

uint32_t versionOf(const DnlLevel& level) {
  if (level.versionWord != 0) return level.versionWord;
  return level.layout == LevelLayout::Older ? 45u : 0xFF180038u;
}

uint64_t recordBytes(int64_t count, uint64_t size) {
  return count > 0 ? static_cast<uint64_t>(count) * size : 0;
}

void writeRoom(Sink& sink, const DnlLevel& level, const DnlRoom& room) {
  const bool older = level.layout == LevelLayout::Older;
  const uint8_t fill = level.fillByte;
  sink.u32(static_cast<uint32_t>(room.x));
  sink.u32(static_cast<uint32_t>(room.z));
  sink.fill(12, fill);
  sink.u16(static_cast<uint32_t>(room.vertices.size()));
  for (const DnlVertex& v : room.vertices) {
    sink.u16(static_cast<uint16_t>(v.x));
    sink.u16(static_cast<uint16_t>(v.y));
    sink.u16(static_cast<uint16_t>(v.z));
    sink.u16(v.shade);
    sink.fill(4, fill);
  }
  sink.u16(static_cast<uint32_t>(room.quads.size()));
  for (const DnlQuad& q : room.quads) {
    for (const uint16_t index : q.vertices) sink.u16(index);
    sink.u16(q.textureWord);
  }
  sink.u16(static_cast<uint32_t>(room.triangles.size()));
  for (const DnlTriangle& t : room.triangles) {
    for (const uint16_t index : t.vertices) sink.u16(index);
    sink.u16(t.textureWord);
  }
  const uint64_t records = room.writeSkippedRecords ? 1 : 0;
  sink.u16(room.count4);
  sink.fill(records * 4 * room.count4, fill);
  sink.u16(room.count32);
  sink.fill(records * 32 * room.count32, fill);
  sink.u16(room.gridA);
  sink.u16(room.gridB);
  sink.fill(records * 8 * uint64_t{room.gridA} * room.gridB, fill);
  sink.fill(older ? 6 : 4, fill);
  sink.u16(room.count24);
  sink.fill(records * 24 * room.count24, fill);
  sink.u16(room.count20);
  sink.fill(records * 20 * room.count20, fill);
  sink.fill(older ? 4 : 7, fill);
}

// A skipped level section: its count (if it has one) and, unless the level only claims them,
// its records of filler.
void writeSkippedSection(Sink& sink, const DnlLevel& level, int32_t place) {
  const LevelSection& section = kLevelSections[place];
  const uint32_t count = level.sectionCounts[place];
  int64_t records = 0;
  switch (section.count) {
    case SectionCount::U32:
      sink.u32(count);
      records = static_cast<int32_t>(count);
      break;
    case SectionCount::U16:
      sink.u16(count & 0xFFFFu);
      records = count & 0xFFFFu;
      break;
    case SectionCount::Block:
      sink.fill(section.recordSize, level.fillByte);
      return;
    case SectionCount::Borrowed:
      records = static_cast<int32_t>(level.sectionCounts[section.borrowsCountOf]);
      break;
  }
  if (level.writeSectionRecords)
    sink.fill(recordBytes(records, section.recordSize), level.fillByte);
}

void writeObjectTextures(Sink& sink, const DnlLevel& level) {
  sink.u32(static_cast<uint32_t>(
      level.objectTextureCountField.value_or(static_cast<int32_t>(level.objectTextures.size()))));
  for (const DnlObjectTexture& t : level.objectTextures) {
    sink.u16(t.attributeWord);
    sink.u16(t.tileWord);
    for (const uint16_t word : t.uvWords) sink.u16(word);
  }
}

void writeItems(Sink& sink, const DnlLevel& level) {
  sink.u32(static_cast<uint32_t>(
      level.itemCountField.value_or(static_cast<int32_t>(level.items.size()))));
  for (const DnlItem& item : level.items) {
    sink.u16(item.objectId);
    sink.fill(2, level.fillByte);
    sink.u32(static_cast<uint32_t>(item.x));
    sink.u32(static_cast<uint32_t>(item.y));
    sink.u32(static_cast<uint32_t>(item.z));
    sink.u16(item.angle);
    sink.fill(6, level.fillByte);
  }
}

void writeLevel(Sink& sink, const DnlLevel& level) {
  const uint8_t fill = level.fillByte;
  const bool older = level.layout == LevelLayout::Older;
  sink.u32(versionOf(level));
  sink.fill(768 + 1024, fill);
  sink.u32(static_cast<uint32_t>(
      level.pageCountField.value_or(static_cast<int32_t>(level.pages.size()))));
  sink.fill(65536 * uint64_t{level.pages.size()}, fill);
  for (const std::vector<uint16_t>& page : level.pages) {
    for (size_t i = 0; i < 65536; ++i) sink.u16(i < page.size() ? page[i] : 0);
  }
  sink.fill(4, fill);
  sink.u16(level.roomCountField.value_or(static_cast<uint16_t>(level.rooms.size())));
  for (const DnlRoom& room : level.rooms) writeRoom(sink, level, room);

  for (int32_t place = 0; place < kLevelSectionCount; ++place) {
    switch (kLevelSections[place].use) {
      case SectionUse::ObjectTexturesOlder:
        if (older) writeObjectTextures(sink, level);
        break;
      case SectionUse::ObjectTexturesNewer:
        if (!older) writeObjectTextures(sink, level);
        break;
      case SectionUse::Items:
        writeItems(sink, level);
        break;
      case SectionUse::Skipped:
        writeSkippedSection(sink, level, place);
        break;
    }
  }
  for (const uint8_t b : level.trailing) sink.byte(b);
}

}  // namespace

std::vector<uint8_t> writeDnlBytes(const DnlLevel& level, uint64_t cutAt) {
  std::vector<uint8_t> bytes;
  Sink sink{&bytes, cutAt, 0};
  writeLevel(sink, level);
  return bytes;
}

uint64_t dnlLength(const DnlLevel& level) {
  Sink sink{nullptr, 0, 0};
  writeLevel(sink, level);
  return sink.offset;
}

bool writeDnlFile(const char* path, const DnlLevel& level, uint64_t cutAt) {
  const std::vector<uint8_t> bytes = writeDnlBytes(level, cutAt);
  FILE* file = fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}
