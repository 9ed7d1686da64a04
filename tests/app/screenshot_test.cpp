// F12 through the window procedure on a real GL context: the picture lands in the pictures
// folder (or the working folder when the desktop names none) under the level's name, a
// second one in the same second gets "-2", and the file names made from level paths.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/screenshot.h"
#include "app/window_proc.h"
#include "tests/app/neighbour_fakes.h"

namespace fs = std::filesystem;

namespace {

class ScreenshotTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ASSERT_TRUE(glContextReady());
    folder = fs::temp_directory_path() / ("screenshot-test-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::snprintf(levelPath, sizeof levelPath, "%s", "/levels/crypt.dnl");
  }
  void TearDown() override { fs::remove_all(folder); }
  static void pressF12() { viewerWindowProc(recordedWindow(), platform::kWmKeyDown, kVkF12, 0); }
  // Names of the files in `where` that start with "crypt-" and end with ".png".
  static std::vector<std::string> pictures(const fs::path& where) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(where)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("crypt-", 0) == 0 && name.size() > 4 && name.ends_with(".png")) {
        names.push_back(name);
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path folder;
};

TEST_F(ScreenshotTest, TwoPressesLeaveTwoPicturesInThePicturesFolder) {
  recording.picturesFolder = folder.string();
  pressF12();
  pressF12();
  const std::vector<std::string> names = pictures(folder);
  ASSERT_GE(names.size(), 1u) << "no screenshot in the pictures folder";
  // Two presses within one second share the time: the second is numbered.
  if (names.size() == 2 && names[0].size() == names[1].size() + 2) {
    EXPECT_TRUE(names[0].ends_with("-2.png")) << "second name " << names[0];
  }
  EXPECT_EQ(names.size(), 2u) << "the second press did not leave a second picture";
  EXPECT_GT(fs::file_size(folder / names.back()), 1000u) << "screenshot is not a picture";
}

TEST_F(ScreenshotTest, WithoutAPicturesFolderTheWorkingFolderTakesIt) {
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  pressF12();
  fs::current_path(before);
  EXPECT_EQ(pictures(folder).size(), 1u) << "no screenshot in the working folder";
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
