// A level named on the command line: the folder and name proposed to the dialog for F6. The
// options, misuse, a named level loaded without the dialog and F6 asking in its folder are
// checked on the real program in the end-to-end runs.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandLineParse, TheNamedLevelsFolderAndNameGoToTheDialog) {
  const struct {
    const char *path, *dir, *file;
  } cases[] = {{"/levels/a.dnl", "/levels", "a.dnl"},
               {"/a.dnl", "/", "a.dnl"},
               {"a.dnl", ".", "a.dnl"},
               {"/levels/", "kept", "kept.dnl"}};  // a folder: the configuration stays
  for (const auto& c : cases) {
    ViewerPaths paths = {"kept", "kept.dnl"};
    proposeNamedLevel(paths, c.path);
    EXPECT_STREQ(paths.dataDir, c.dir) << "folder of \"" << c.path << "\"";
    EXPECT_STREQ(paths.dataFile, c.file) << "name of \"" << c.path << "\"";
  }
  const std::string tooLong = std::string("/").append(kViewerPathSize, 'd') + "/a.dnl";
  ViewerPaths paths = {"kept", "kept.dnl"};
  proposeNamedLevel(paths, tooLong.c_str());
  EXPECT_STREQ(paths.dataDir, "kept") << "a path longer than the folder buffer is not taken";
}
