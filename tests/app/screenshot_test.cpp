// F12 through the window procedure on a real GL context when the desktop names no pictures
// folder (the working folder takes the picture), and the file names made from level paths.
// The pictures folder and numbering are seen end to end (tests/e2e/render_e2e.sh f12).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/screenshot.h"
#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

namespace fs = std::filesystem;

namespace {

TEST_F(ShellTest, F12WithoutAPicturesFolderSavesInTheWorkingFolder) {
  ASSERT_TRUE(glContextReady());
  const fs::path folder = fs::temp_directory_path() / ("f12-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  std::snprintf(levelPath, sizeof levelPath, "%s", "/levels/crypt.dnl");
  viewerWindowProc(recordedWindow(), platform::kWmKeyDown, kVkF12, 0);
  fs::current_path(before);
  int pictures = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    pictures += entry.path().filename().string().rfind("crypt-", 0) == 0 ? 1 : 0;
  }
  fs::remove_all(folder);
  EXPECT_EQ(pictures, 1) << "one crypt-*.png in the working folder";
}

TEST(ScreenshotFile, TakenNamesAreNumberedOnAndKeptAsTheyWere) {
  const fs::path folder = fs::temp_directory_path() / ("numbered-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::FILE* taken = std::fopen((folder / "crypt-T.png").string().c_str(), "wb");
  std::fputs("old", taken);
  std::fclose(taken);
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

struct NameCase {
  const char* levelPath;
  int32_t number;
  const char* expected;
};

class ScreenshotNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ScreenshotNameTest, NameFollowsTheLevel) {
  char out[128];
  ASSERT_TRUE(screenshotPath("/pics", GetParam().levelPath, "20261207-114512", GetParam().number,
                             out, sizeof out));
  EXPECT_EQ(out, "/pics" + std::string(1, kFolderSeparator) + GetParam().expected)
      << "name for " << GetParam().levelPath;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ScreenshotNameTest,
    ::testing::Values(NameCase{"/levels/sample.dnl", 1, "sample-20261207-114512.png"},
                      NameCase{"C:\\Levels\\Jungle.DNL", 3, "Jungle-20261207-114512-3.png"},
                      NameCase{"a.b/noext", 1, "noext-20261207-114512.png"},
                      NameCase{"/levels/.dnl", 2, "level-20261207-114512-2.png"}));

TEST(ScreenshotName, TooLongForTheBufferIsRefused) {
  char out[24];
  EXPECT_FALSE(screenshotPath("/pics", "sample.dnl", "20261207-114512", 1, out, sizeof out))
      << "a cut name would be another file's";
}

}  // namespace
