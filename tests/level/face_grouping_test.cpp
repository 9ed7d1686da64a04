// The regrouping of faces by page: the exchange order, faces of pages beyond the count, no
// pages, and counts beyond the tables.
#include "level/face_grouping.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/level/level_test_support.h"

namespace {

using Tags = std::vector<uint32_t>;

// Faces given pages and tagged in their first vertex index by their position from 1; the
// tags of the same faces after the grouping.
template <typename Face>
Tags groupedTags(Face* faces, int32_t& count, const Tags& pages, int32_t pageCount) {
  count = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) faces[i] = {{uint32_t(i + 1)}, 0, pages[i]};
  levelGeometry.numTexturePages = pageCount;
  groupFacesByPage();
  Tags out;
  for (int32_t i = 0; i < count; ++i) out.push_back(faces[i].vertexIndices[0]);
  return out;
}

TEST(GroupFacesByPage, ExchangesInTheDocumentedOrderWithinTheTables) {
  const std::tuple<Tags, int32_t, Tags> cases[] = {
      {{1, 0, 1, 0}, 2, {2, 4, 3, 1}},
      {{5, 0, 1}, 2, {2, 3, 1}},
      {{1, 0, 1}, 0, {1, 2, 3}},
      {{1, 0, 1}, -3, {1, 2, 3}},
      {{0, 0, 0, 0}, 16, {1, 2, 3, 4}},
      {{2, 1, 0}, 3, {3, 2, 1}},
      {{0x8002, 1, 0, 0xFFFFFFFF, 1}, 2, {3, 2, 5, 4, 1}}};
  for (const auto& [pages, pageCount, after] : cases) {
    resetStore();  // each table regrouped while the other is empty
    EXPECT_EQ(groupedTags(levelGeometry.quads, levelGeometry.quadCount, pages, pageCount), after);
    resetStore();
    EXPECT_EQ(groupedTags(levelGeometry.triangles, levelGeometry.triangleCount, pages, pageCount),
              after);
  }
  levelGeometry.quadCount = levelGeometry.triangleCount = 0x7FFFFFFF;
  levelGeometry.quads[0].texturePage = 1;
  groupFacesByPage();  // the sanitizers report any access past the tables
  EXPECT_EQ(levelGeometry.quads[kMaxQuads - 1].texturePage, 1u);
}

}  // namespace
