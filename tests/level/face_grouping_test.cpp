// The regrouping of faces by page: the worked orders of the exchanges, and, over many
// random tables, what must hold afterwards: each page one unbroken run in ascending order,
// pages without a pass behind them, no face lost or added.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "level/face_grouping.h"
#include "tests/level/level_test_support.h"

namespace {

using Tags = std::vector<uint32_t>;

// Faces of one table on the given pages, each tagged by its position from 1 in its first
// vertex index, then regrouped: their tags in the order the regrouping leaves them.
template <typename Face>
Tags groupedTags(Face* table, int32_t& count, const Tags& pages, int32_t pageCount) {
  resetStore();
  levelGeometry.numTexturePages = pageCount;
  count = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) table[i] = {{uint32_t(i + 1)}, 0, pages[i]};
  groupFacesByPage();
  Tags tags;
  for (size_t i = 0; i < pages.size(); ++i) tags.push_back(table[i].vertexIndices[0]);
  return tags;
}

Tags groupedQuads(const Tags& pages, int32_t pageCount) {
  return groupedTags(levelGeometry.quads, levelGeometry.quadCount, pages, pageCount);
}

TEST(GroupFacesByPage, ExchangesLeaveTheWorkedOrders) {
  EXPECT_EQ(groupedQuads({1, 0, 1, 0}, 2), (Tags{2, 4, 3, 1})) << "pages 1, 0, 1, 0";
  EXPECT_EQ(groupedQuads({5, 0, 1}, 2), (Tags{2, 3, 1})) << "page 5 has no pass";
  EXPECT_EQ(groupedQuads({1, 0, 1}, -3), (Tags{1, 2, 3})) << "a negative page count";
}

TEST(GroupFacesByPage, TrianglesAreRegroupedWhenThereAreNoQuads) {
  const Tags pages = {1, 0, 0xFFFFFFFFu};
  EXPECT_EQ(groupedTags(levelGeometry.triangles, levelGeometry.triangleCount, pages, 2),
            (Tags{2, 1, 3}))
      << "the page-0 triangle, the page-1 triangle, the page past all";
}

// The same faces as before, each once; every page below the count forms one unbroken run, the
// runs in ascending order, and faces of other pages stand behind them all.
TEST(GroupFacesByPage, RandomTablesEndInOneRunPerPage) {
  std::mt19937 random(12);
  for (int round = 0; round < 300; ++round) {
    const int32_t pageCount = 1 + int32_t(random() % 6);
    Tags pages(1 + random() % 40);
    for (uint32_t& page : pages) page = random() % (pageCount + 2);
    const Tags tags = groupedQuads(pages, pageCount);
    Tags positions(pages.size());
    std::iota(positions.begin(), positions.end(), 1u);
    ASSERT_TRUE(std::is_permutation(tags.begin(), tags.end(), positions.begin(), positions.end()))
        << "round " << round << ": each face once";
    Tags after;
    for (const uint32_t tag : tags) after.push_back(pages[tag - 1]);
    const auto runOrder = [pageCount](uint32_t a, uint32_t b) {
      return std::min(a, uint32_t(pageCount)) < std::min(b, uint32_t(pageCount));
    };
    const auto inOrder = std::is_sorted_until(after.begin(), after.end(), runOrder) - after.begin();
    EXPECT_EQ(inOrder, std::ssize(after))
        << "round " << round << ": faces in page order before page " << after[inOrder];
  }
}

}  // namespace
