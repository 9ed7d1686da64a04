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

void writeSection32(Sink& sink, const DnlLevel& level, int number, uint64_t size) {
  const uint32_t count = level.sectionCounts[number];
  sink.u32(count);
  if (level.writeSectionRecords) {
    sink.fill(recordBytes(static_cast<int32_t>(count), size), level.fillByte);
  }
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

  static constexpr uint64_t kSizes[kDnlSectionCount] = {
      0, 2, 2, 4, 32, 6, 8, 2, 4, 2, 18, 32, 16, 8, 16, 16, 8, 2, 0, 2, 0, 16, 1, 0, 8, 4};
  for (int s = 1; s <= 11; ++s) writeSection32(sink, level, s, kSizes[s]);
  if (older) writeObjectTextures(sink, level);
  for (int s = 12; s <= 17; ++s) writeSection32(sink, level, s, kSizes[s]);
  if (level.writeSectionRecords) {
    sink.fill(recordBytes(static_cast<int32_t>(level.sectionCounts[16]), 20), fill);
  }
  writeSection32(sink, level, 19, kSizes[19]);
  if (!older) writeObjectTextures(sink, level);
  writeItems(sink, level);
  sink.fill(8192, fill);
  for (int s = 21; s <= 22; ++s) {
    const uint32_t count = level.sectionCounts[s] & 0xFFFFu;
    sink.u16(count);
    if (level.writeSectionRecords) sink.fill(count * kSizes[s], fill);
  }
  sink.fill(740, fill);
  writeSection32(sink, level, 24, kSizes[24]);
  writeSection32(sink, level, 25, kSizes[25]);
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
