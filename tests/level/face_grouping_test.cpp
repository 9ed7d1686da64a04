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

using Pages = std::vector<uint32_t>;

// Quads on the given pages, each tagged by its position from 1 in its first vertex index.
void setQuads(const Pages& pages, int32_t pageCount) {
  resetStore();
  levelGeometry.quadCount = static_cast<int32_t>(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    levelGeometry.quads[i] = {{uint32_t(i + 1)}, 0, pages[i]};
  }
  levelGeometry.numTexturePages = pageCount;
}

std::vector<uint32_t> quadTags() {
  std::vector<uint32_t> tags;
  for (int32_t i = 0; i < levelGeometry.quadCount; ++i) {
    tags.push_back(levelGeometry.quads[i].vertexIndices[0]);
  }
  return tags;
}

TEST(GroupFacesByPage, ExchangesLeaveTheWorkedOrders) {
  setQuads({1, 0, 1, 0}, 2);
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{2, 4, 3, 1})) << "pages 1, 0, 1, 0";
  setQuads({5, 0, 1}, 2);
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{2, 3, 1})) << "page 5 has no pass";
  setQuads({1, 0, 1}, -3);
  groupFacesByPage();
  EXPECT_EQ(quadTags(), (std::vector<uint32_t>{1, 2, 3})) << "a negative page count";
}

TEST(GroupFacesByPage, TrianglesAreRegroupedWhenThereAreNoQuads) {
  resetStore();
  levelGeometry.numTexturePages = 2;
  levelGeometry.triangleCount = 3;
  const uint32_t pages[] = {1, 0, 0xFFFFFFFFu};
  for (uint32_t i = 0; i < 3; ++i) levelGeometry.triangles[i] = {{i + 1}, 0, pages[i]};
  groupFacesByPage();
  EXPECT_EQ(levelGeometry.triangles[0].vertexIndices[0], 2u) << "the page-0 triangle first";
  EXPECT_EQ(levelGeometry.triangles[1].vertexIndices[0], 1u) << "then the page-1 triangle";
  EXPECT_EQ(levelGeometry.triangles[2].texturePage, 0xFFFFFFFFu) << "the page past all last";
}

// The same faces as before, each once; every page below the count forms one unbroken run, the
// runs in ascending order, and faces of other pages stand behind them all.
void expectGrouped(const Pages& before, int32_t pageCount, const std::string& what) {
  const std::vector<uint32_t> tags = quadTags();
  std::vector<uint32_t> positions(before.size());
  std::iota(positions.begin(), positions.end(), 1u);
  ASSERT_TRUE(std::is_permutation(tags.begin(), tags.end(), positions.begin(), positions.end()))
      << what << ": each face once";
  Pages after;
  for (const uint32_t tag : tags) after.push_back(before[tag - 1]);
  const auto runOrder = [pageCount](uint32_t a, uint32_t b) {
    return std::min(a, uint32_t(pageCount)) < std::min(b, uint32_t(pageCount));
  };
  const auto inOrder = std::is_sorted_until(after.begin(), after.end(), runOrder) - after.begin();
  EXPECT_EQ(inOrder, std::ssize(after))
      << what << ": faces in page order before page " << after[inOrder];
}

TEST(GroupFacesByPage, RandomTablesEndInOneRunPerPage) {
  std::mt19937 random(12);
  for (int round = 0; round < 300; ++round) {
    const int32_t pageCount = 1 + int32_t(random() % 6);
    Pages pages(1 + random() % 40);
    for (uint32_t& page : pages) page = random() % (pageCount + 2);
    setQuads(pages, pageCount);
    groupFacesByPage();
    expectGrouped(pages, pageCount, "round " + std::to_string(round));
  }
}

}  // namespace
