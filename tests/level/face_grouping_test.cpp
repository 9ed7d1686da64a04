// The regrouping of faces by page: the worked orders of the exchanges.
#include <gtest/gtest.h>

#include "level/face_grouping.h"
#include "tests/level/level_test_support.h"

namespace {

using Tags = std::vector<uint32_t>;

// Quads on the given pages, each tagged by its position from 1 in its first vertex index,
// then regrouped: their tags in the order the regrouping leaves them.
Tags groupedQuads(const Tags& pages, int32_t pageCount) {
  resetStore();
  levelGeometry.numTexturePages = pageCount;
  levelGeometry.quadCount = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i)
    levelGeometry.quads[i] = {{uint32_t(i + 1)}, 0, pages[i]};
  groupFacesByPage();
  Tags tags;
  for (size_t i = 0; i < pages.size(); ++i) tags.push_back(levelGeometry.quads[i].vertexIndices[0]);
  return tags;
}

TEST(GroupFacesByPage, ExchangesLeaveTheWorkedOrders) {
  EXPECT_EQ(groupedQuads({1, 0, 1, 0}, 2), (Tags{2, 4, 3, 1})) << "pages 1, 0, 1, 0";
  EXPECT_EQ(groupedQuads({5, 0, 1}, 2), (Tags{2, 3, 1})) << "page 5 has no pass";
  EXPECT_EQ(groupedQuads({1, 0, 1}, -3), (Tags{1, 2, 3})) << "a negative page count";
}

}  // namespace
