// The dialog programs' arguments: a case-blind filter pattern, and the starting path in the
// working folder when the configured folder does not exist.
#include "platform/sdl/dialog_paths.h"

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

TEST(DialogPaths, TheFilterMatchesTheExtensionInAnyCase) {
  char pattern[64];
  ASSERT_TRUE(caseBlindPattern("*.dnl", pattern, sizeof pattern)) << "the pattern fits";
  EXPECT_EQ(fnmatch(pattern, "LEVEL.DNL", 0), 0) << "upper case is shown";
  EXPECT_EQ(fnmatch(pattern, "Level.Dnl", 0), 0) << "mixed case is shown";
  EXPECT_NE(fnmatch(pattern, "level.dnx", 0), 0) << "another extension is not shown";
  EXPECT_FALSE(caseBlindPattern("*.dnl", pattern, 14)) << "a pattern that does not fit";
  EXPECT_STREQ(pattern, "") << "is not cut into another pattern";
}

TEST(DialogPaths, StartsInTheConfiguredFolderWhenItExists) {
  char path[512];
  ASSERT_TRUE(dialogStartPath("/tmp", "a.dnl", path, sizeof path)) << "a name in /tmp";
  EXPECT_STREQ(path, "/tmp/a.dnl") << "the configured folder and the name";
  ASSERT_TRUE(dialogStartPath("/", "/tmp/b.dnl", path, sizeof path)) << "an absolute proposal";
  EXPECT_STREQ(path, "/tmp/b.dnl") << "an absolute proposal keeps its own folder";
}

TEST(DialogPaths, AMissingFolderStartsInTheWorkingFolder) {
  char working[4096];
  ASSERT_NE(getcwd(working, sizeof working), nullptr) << "the working folder is known";
  char path[8192];
  ASSERT_TRUE(dialogStartPath("/no/such/folder", "a.dnl", path, sizeof path)) << "a name";
  EXPECT_EQ(std::string(path), std::string(working) + "/a.dnl") << "a missing folder";
  ASSERT_TRUE(dialogStartPath("/tmp", "/no/such/b.dnl", path, sizeof path)) << "a missing path";
  EXPECT_EQ(std::string(path), std::string(working) + "/b.dnl") << "an absolute proposal";
  EXPECT_FALSE(dialogStartPath("/tmp", "a.dnl", path, 6)) << "a path that does not fit";
}
