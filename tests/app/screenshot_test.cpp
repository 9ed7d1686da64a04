// The file names F12 makes from level paths, numbered on past the pictures already there. F12
// itself, with the pictures folder, is seen end to end (tests/e2e/render_e2e.sh).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/screenshot.h"

namespace fs = std::filesystem;

// A new folder under the temporary one, named for this process.
static fs::path newFolder(const std::string& name) {
  const fs::path folder = fs::temp_directory_path() / (name + std::to_string(::getpid()));
  fs::create_directories(folder);
  return folder;
}

TEST(ScreenshotFile, TakenNamesAreNumberedOnAndKeptAsTheyWere) {
  const fs::path folder = newFolder("numbered-");
  std::ofstream(folder / "crypt-T.png") << "old";
  const uint8_t pixel[3] = {1, 2, 3};
  const PixelImage image = {pixel, 1, 1, 3, true};
  char first[256];
  char second[256];
  const std::string where = folder.string();
  ASSERT_TRUE(saveNumberedPicture(image, where.c_str(), "crypt.dnl", "T", first, sizeof first));
  ASSERT_TRUE(saveNumberedPicture(image, where.c_str(), "crypt.dnl", "T", second, sizeof second));
  const uintmax_t oldSize = fs::file_size(folder / "crypt-T.png");
  fs::remove_all(folder);
  EXPECT_EQ(fs::path(first).filename(), "crypt-T-2.png") << "first free name";
  EXPECT_EQ(fs::path(second).filename(), "crypt-T-3.png") << "next free name";
  EXPECT_EQ(oldSize, 3u) << "the file already there is kept";
}

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
