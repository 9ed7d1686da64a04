// Writes the seed corpus of the level fuzz targets into the folder named on the command line:
// small levels of both layouts, an empty one, one with a texture page, cut files, counts that
// claim more than the file holds, faces whose indices point outside every table, and the
// known edge level.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/dnl_writer.h"
#include "tools/edge_levels.h"

namespace {

DnlRoom smallRoom(int32_t x, int32_t z) {
  DnlRoom room;
  room.x = x;
  room.z = z;
  for (int16_t i = 0; i < 6; ++i) {
    room.vertices.push_back({static_cast<int16_t>(i * 100), static_cast<int16_t>(-i * 50),
                             static_cast<int16_t>(i * 70), static_cast<uint16_t>(1024 * i)});
  }
  room.quads = {{{0, 1, 2, 3}, 0}, {{2, 3, 4, 5}, 0x8001}};
  room.triangles = {{{0, 2, 4}, 1}, {{1, 3, 5}, 2}};
  room.count4 = 2;
  room.count32 = 1;
  room.gridA = 2;
  room.gridB = 3;
  room.count24 = 1;
  room.count20 = 1;
  return room;
}

DnlLevel smallLevel(LevelLayout layout) {
  DnlLevel level;
  level.layout = layout;
  level.rooms = {smallRoom(1024, 2048), smallRoom(-4096, 0)};
  for (uint16_t k = 0; k < 3; ++k) {
    DnlObjectTexture texture;
    texture.tileWord = k;
    for (uint16_t c = 0; c < 8; ++c) texture.uvWords[c] = static_cast<uint16_t>((c * 32) << 8);
    level.objectTextures.push_back(texture);
  }
  level.items = {{0, 512, 0, 512, 16384}, {7, 100, 200, 300, 0}};
  for (int s = 0; s < kLevelSectionCount; ++s)
    level.sectionCounts[s] = static_cast<uint32_t>(s % 3);
  return level;
}

bool save(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = folder + "/" + name;
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  bool ok = true;
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    const std::string tag = layout == LevelLayout::Older ? "older_" : "newer_";
    DnlLevel level = smallLevel(layout);
    const std::vector<uint8_t> whole = writeDnlBytes(level);
    ok &= save(out, tag + "small.dnl", whole);
    // Cut inside the rooms, inside the level sections and just before the items.
    for (const size_t cut : {size_t{1900}, size_t{2100}, whole.size() - 9000}) {
      ok &= save(out, tag + "cut_" + std::to_string(cut) + ".dnl",
                 std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
    }

    DnlLevel empty;
    empty.layout = layout;
    ok &= save(out, tag + "empty.dnl", writeDnlBytes(empty));

    // One texture page: whole in the Older seed; the Newer one cut inside the page's
    // texels, so the fuzzer's corpus is not dominated by 200 KB inputs.
    DnlLevel paged = smallLevel(layout);
    paged.pages = {std::vector<uint16_t>(65536, 0x8421)};
    const uint64_t pageCut = layout == LevelLayout::Older ? kDnlNoCut : 1800 + 65536 + 4001;
    ok &= save(out, tag + "one_page.dnl", writeDnlBytes(paged, pageCut));

    // Claims the file never backs: a huge grid, a shared count sizing a later
    // section past 32 bits.
    DnlLevel claims = smallLevel(layout);
    claims.rooms[0].gridA = claims.rooms[0].gridB = 65535;
    claims.rooms[0].writeSkippedRecords = false;
    claims.sectionCounts[kSharedCountSection] = 0x7FFFFFFF;
    claims.writeSectionRecords = false;
    ok &= save(out, tag + "claims.dnl", writeDnlBytes(claims));

    DnlLevel over = smallLevel(layout);
    over.objectTextureCountField = 2501;
    ok &= save(out, tag + "too_many_textures.dnl", writeDnlBytes(over));
    over = smallLevel(layout);
    over.itemCountField = -1;
    over.pageCountField = static_cast<int32_t>(0x80000000u);
    ok &= save(out, tag + "negative_counts.dnl", writeDnlBytes(over));

    // Faces pointing past every table: vertex, object texture and page (bit 15 set).
    DnlLevel wild = smallLevel(layout);
    wild.rooms[0].quads.push_back({{0xFFFF, 0, 1, 2}, 0x7FFF});
    wild.rooms[1].triangles.push_back({{0, 1, 0xFFFF}, 2});
    wild.objectTextures[2].tileWord = 0x8002;
    wild.objectTextures[1].tileWord = 0xFFFF;
    ok &= save(out, tag + "wild_faces.dnl", writeDnlBytes(wild));
  }
  // Shades past white, items, and faces drawn untextured or skipped: what the export handles.
  ok &= save(out, "known_edge.dnl", writeDnlBytes(knownEdgeLevel()));
  if (!ok) fprintf(stderr, "cannot write the seeds into %s\n", out.c_str());
  return ok ? 0 : 1;
}
