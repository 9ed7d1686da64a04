// The dialog programs' arguments where the desktop runs cannot reach: a filter that rejects
// other extensions, absolute proposals, and arguments that do not fit their buffers. The
// case-blind filter and a missing configured folder are checked with a real dialog program
// in the desktop end-to-end runs.
#include "platform/sdl/dialog_paths.h"

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

TEST(DialogPaths, TheFilterRejectsOtherExtensionsAndIsNeverCut) {
  char pattern[64];
  ASSERT_TRUE(caseBlindPattern("*.dnl", pattern, sizeof pattern)) << "the pattern fits";
  EXPECT_NE(fnmatch(pattern, "level.dnx", 0), 0) << "another extension is not shown";
  EXPECT_FALSE(caseBlindPattern("*.dnl", pattern, 14)) << "a pattern that does not fit";
  EXPECT_STREQ(pattern, "") << "is not cut into another pattern";
}

TEST(DialogPaths, AnAbsoluteProposalKeepsItsFolderOnlyWhenItExists) {
  char working[4096];
  ASSERT_NE(getcwd(working, sizeof working), nullptr) << "the working folder is known";
  char path[8192];
  ASSERT_TRUE(dialogStartPath("/", "/tmp/b.dnl", path, sizeof path)) << "an existing folder";
  EXPECT_STREQ(path, "/tmp/b.dnl") << "an absolute proposal keeps its own folder";
  ASSERT_TRUE(dialogStartPath("/tmp", "/no/such/b.dnl", path, sizeof path)) << "a missing one";
  EXPECT_EQ(std::string(path), std::string(working) + "/b.dnl") << "a missing folder's name";
  EXPECT_FALSE(dialogStartPath("/tmp", "a.dnl", path, 6)) << "a path that does not fit";
}
