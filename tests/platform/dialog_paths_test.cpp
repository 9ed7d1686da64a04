// The dialog programs' arguments: a case-blind filter pattern, and the starting path in the
// working folder when the configured folder does not exist.
#include "platform/sdl/dialog_paths.h"

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

TEST(DialogPaths, TheFilterMatchesTheExtensionInAnyCase) {
  char pattern[64];
  ASSERT_TRUE(caseBlindPattern("*.dnl", pattern, sizeof pattern));
  EXPECT_STREQ(pattern, "*.[dD][nN][lL]");
  for (const char* name : {"level.dnl", "LEVEL.DNL", "Level.Dnl"}) {
    EXPECT_EQ(fnmatch(pattern, name, 0), 0) << name << " is shown";
  }
  EXPECT_NE(fnmatch(pattern, "level.dnx", 0), 0) << "another extension is not shown";
  EXPECT_FALSE(caseBlindPattern("*.dnl", pattern, 14)) << "a pattern that does not fit";
  EXPECT_STREQ(pattern, "") << "is not cut into another pattern";
}

TEST(DialogPaths, StartsInTheConfiguredFolderWhenItExists) {
  const std::string folder = std::filesystem::temp_directory_path().string();
  char path[512];
  ASSERT_TRUE(dialogStartPath(folder.c_str(), "a.dnl", path, sizeof path));
  EXPECT_EQ(std::string(path), folder + "/a.dnl");
  ASSERT_TRUE(dialogStartPath(folder.c_str(), "/tmp/b.dnl", path, sizeof path));
  EXPECT_STREQ(path, "/tmp/b.dnl") << "an absolute proposal keeps its own folder";
  ASSERT_TRUE(dialogStartPath("/", "c.dnl", path, sizeof path));
  EXPECT_STREQ(path, "//c.dnl") << "the root folder";
}

TEST(DialogPaths, AMissingFolderStartsInTheWorkingFolder) {
  char working[4096];
  ASSERT_NE(getcwd(working, sizeof working), nullptr);
  char path[8192];
  ASSERT_TRUE(dialogStartPath("/no/such/folder", "a.dnl", path, sizeof path));
  EXPECT_EQ(std::string(path), std::string(working) + "/a.dnl");
  ASSERT_TRUE(dialogStartPath("/tmp", "/no/such/folder/b.dnl", path, sizeof path));
  EXPECT_EQ(std::string(path), std::string(working) + "/b.dnl") << "an absolute proposal";
  ASSERT_TRUE(dialogStartPath("/no/such/folder", "", path, sizeof path));
  EXPECT_EQ(std::string(path), std::string(working) + "/") << "no proposed name";
  EXPECT_FALSE(dialogStartPath("/tmp", "a.dnl", path, 6)) << "a path that does not fit";
}
