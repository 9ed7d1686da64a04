// The file names F12 makes from level paths. F12 itself, with the pictures folder and two
// pictures in the same second, is seen end to end (tests/e2e/render_e2e.sh).
#include <gtest/gtest.h>

#include <string>

#include "app/screenshot.h"

// The level's name without its folder and extension ("level" when that is empty), the time,
// and the number from 2 on.
TEST(ScreenshotName, FollowsTheLevelAndIsNeverCut) {
  const struct {
    const char *levelPath, *expected;
    int32_t number;
  } cases[] = {{"/levels/sample.dnl", "sample-20261207-114512.png", 1},
               {"C:\\Levels\\Jungle.DNL", "Jungle-20261207-114512-3.png", 3},
               {"a.b/noext", "noext-20261207-114512.png", 1},
               {"/levels/.dnl", "level-20261207-114512-2.png", 2}};
  char out[128];
  for (const auto& c : cases) {
    ASSERT_TRUE(screenshotPath("/pics", c.levelPath, "20261207-114512", c.number, out, sizeof out))
        << "a name for " << c.levelPath;
    EXPECT_EQ(out, "/pics" + std::string(1, kFolderSeparator) + c.expected)
        << "name for " << c.levelPath;
  }
  EXPECT_FALSE(screenshotPath("/pics", "sample.dnl", "20261207-114512", 1, out, 24))
      << "a cut name would be another file's";
}
