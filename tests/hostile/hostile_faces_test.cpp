// Faces whose indices point outside every table, tile words with bit 15 set, and rooms
// claiming 65535 x 65535 grid records (the stream ends inside them). Such files load (indices are
// stored as given), the grouping puts pages it cannot bind at the tail, and the planner skips or
// untextures each such face without reading past a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <tuple>

#include "tests/hostile/hostile_support.h"

namespace {

DnlLevel wildLevel(LevelLayout layout) {
  DnlLevel level = baseLevel(layout, 1);
  // Quads: a vertex index past every table; object texture 0x7FFF, past the table and claimed
  // by no record; tile words 0x8000 (bit 15 set), 0xFFFF (0x8003: bit 15 of the texture word
  // ignored) and 1 (a page the level does not have); object texture 100, inside the table but
  // past the count; an ordinary face on page 0.
  level.rooms[0].quads = {{{0xFFFF, 0, 1, 2}, 0}, {{0, 1, 2, 3}, 0x7FFF}, {{0, 1, 2, 3}, 2},
                          {{0, 1, 2, 3}, 0x8003}, {{0, 1, 2, 3}, 4},      {{0, 1, 2, 3}, 100},
                          {{3, 2, 1, 0}, 0}};
  level.rooms[0].triangles = {{{0xFFFF, 0xFFFF, 0xFFFF}, 0x7FFF}, {{0, 1, 2}, 3}, {{1, 2, 3}, 0}};
  // A second room whose vertex base of 4 lifts a local index to the vertex table's end.
  DnlRoom& second = level.rooms.emplace_back();
  second.vertices.assign(18000, {1, 2, 3, 0});
  constexpr uint16_t kLast = kMaxVertices - 4;
  second.triangles = {{{0, 1, kLast}, 0}, {{0, 1, kLast - 1}, 0}};
  // Object textures 2 to 4 (the base level has 0 and 1, on page 0).
  for (const uint16_t t : {0x8000, 0xFFFF, 1}) level.objectTextures.emplace_back().tileWord = t;
  return level;
}

TEST(WildFaces, IndicesOutsideEveryTableLoadAndPlanWithoutReadingPastOne) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    ASSERT_EQ(loadFresh(writeDnlBytes(wildLevel(layout))), LoadFailure::None);
    const LevelGeometry& g = levelGeometry;
    ASSERT_TRUE(g.quadCount == 7 && g.triangleCount == 5);
    // Indices are stored whole; page 0 comes first (file order), then the pages no pass names.
    std::vector<uint32_t> pages, lastCorners;
    for (const QuadFace& q : std::span(g.quads, 7)) pages.push_back(q.texturePage);
    for (const TriFace& t : std::span(g.triangles, 5)) lastCorners.push_back(t.vertexIndices[2]);
    std::sort(pages.begin() + 4, pages.end());
    std::sort(lastCorners.begin(), lastCorners.end());
    EXPECT_EQ(pages, (std::vector<uint32_t>{0, 0, 0, 0, 1, 0x8000, 0xFFFF}));
    EXPECT_EQ(lastCorners, (std::vector<uint32_t>{2, 3, kMaxVertices - 1, kMaxVertices, 0xFFFF}));
    EXPECT_EQ(
        std::tuple(g.quads[0].vertexIndices[0], g.quads[1].objectTexture, g.quads[2].objectTexture),
        std::tuple(0xFFFFu, 0x7FFFu, 100u));
    planScene(levelGeometry, scenePlan);
    ASSERT_EQ(planBoundsViolation(levelGeometry, scenePlan), nullptr);
    EXPECT_EQ(scenePlan.skippedFaces, 3);  // one quad, two triangles; index 18657 is planned
    // A face's page is bindable when it names a loaded page and an object-texture record.
    const auto bound = [&](const auto& face) {
      const bool bindable = face.texturePage < uint32_t(g.numTexturePages) &&
                            face.objectTexture < uint32_t(kMaxObjectTextures);
      return bindable ? int32_t(face.texturePage) : kUntexturedPage;
    };
    for (const SceneBatch& batch : std::span(scenePlan.batches, scenePlan.batchCount)) {
      for (const uint32_t i : std::span(scenePlan.faces + batch.firstFace, batch.faceCount)) {
        const bool isQuad = batch.section == SceneSection::Quads;
        EXPECT_EQ(batch.page, isQuad ? bound(g.quads[i]) : bound(g.triangles[i])) << i;
      }
    }
  }
}

TEST(WildFaces, AGridOf65535By65535RecordsEndsTheStream) {
  for (const LevelLayout layout : {LevelLayout::Older, LevelLayout::Newer}) {
    DnlLevel level = baseLevel(layout);
    DnlRoom& room = level.rooms[0];
    room.gridA = room.gridB = 65535;  // 0xFFFE0001 records of 8 bytes, none of them written
    room.writeSkippedRecords = false;
    // No other skipped records, so the grid is reached in step, and a grid skipped short
    // reads on into the next room and the items.
    room.count4 = room.count32 = room.count24 = room.count20 = 0;
    level.rooms.push_back(room);
    ASSERT_EQ(loadFresh(writeDnlBytes(level)), LoadFailure::None);
    // The second room reads as -1 throughout, and so does every count after it.
    EXPECT_EQ(
        std::tuple(lastLoadReport().vertexCount, levelGeometry.quadCount, levelGeometry.itemCount),
        std::tuple(4, 1, -1));
    expectPlanInsideTables("grid 65535 x 65535");
  }
}

}  // namespace
