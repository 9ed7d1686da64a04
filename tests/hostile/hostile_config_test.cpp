// Hostile configuration files: lines around the 127-character piece size, NUL bytes, no
// final line feed, a bare "=", and binary garbage. A long line is read in pieces of 127
// characters, each taken as a line of its own; no value can outgrow its buffer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "app/config_file.h"

namespace {

int32_t readConfigText(const std::string& text, ViewerPaths& paths) {
  // ctest runs the cases as parallel processes: one file per process.
  const std::string path = testing::TempDir() + "hostile_" + std::to_string(getpid()) + ".cfg";
  FILE* file = fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return -1;
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
  std::memset(&paths, 0x5A, sizeof paths);  // no terminator left from an earlier read
  const int32_t status = readConfigFile(paths, path.c_str());
  std::remove(path.c_str());
  return status;
}

// Both paths end inside their buffers and hold no line feed.
void expectSoundPaths(const ViewerPaths& paths, const std::string& what) {
  for (const char* path : {paths.dataDir, paths.dataFile}) {
    const void* end = std::memchr(path, '\0', kViewerPathSize);
    ASSERT_NE(end, nullptr) << what;
    EXPECT_LE(std::strlen(path), 118u) << what;
    EXPECT_EQ(std::strchr(path, '\n'), nullptr) << what;
  }
}

TEST(HostileConfig, KeyLinesAroundThePieceSize) {
  for (const size_t length : {126u, 127u, 128u, 255u}) {
    const std::string what = "data_dir line of " + std::to_string(length);
    const std::string value(length - 9, 'v');
    ViewerPaths paths;
    const int32_t status = readConfigText("data_dir=" + value + "\ndata_file=next.dnl\n", paths);
    // The first piece holds at most 127 characters, so at most 118 of the value; a longer
    // line leaves a piece without "=" (the rest, or its line feed alone), which stops reading.
    const bool whole = length <= 126;
    EXPECT_EQ(status, whole ? 1 : 0) << what;
    EXPECT_EQ(std::string(paths.dataDir), value.substr(0, 118)) << what;
    EXPECT_STREQ(paths.dataFile, whole ? "next.dnl" : "jungle.dnl") << what;
    expectSoundPaths(paths, what);
  }
}

TEST(HostileConfig, CommentLinesAroundThePieceSize) {
  for (const size_t length : {126u, 127u, 128u, 255u}) {
    const std::string what = "comment of " + std::to_string(length);
    ViewerPaths paths;
    const int32_t status =
        readConfigText("//" + std::string(length - 2, 'c') + "\ndata_dir=levels\n", paths);
    const bool whole = length <= 126;
    EXPECT_EQ(status, whole ? 1 : 0) << what;
    EXPECT_STREQ(paths.dataDir, whole ? "levels" : ".") << what;
  }
}

TEST(HostileConfig, ASecondPieceBeginningWithAKeyIsALineOfItsOwn) {
  // 255 characters: data_dir's piece of 127, then a piece of 127 that starts with data_file,
  // then the last character with the line feed, which has no "=".
  const std::string first = "data_dir=" + std::string(118, 'd');
  const std::string second = "data_file=" + std::string(117, 'f');
  ViewerPaths paths;
  EXPECT_EQ(readConfigText(first + second + "f\n", paths), 0);
  EXPECT_EQ(std::string(paths.dataDir), std::string(118, 'd'));
  EXPECT_EQ(std::string(paths.dataFile), std::string(117, 'f'));
}

TEST(HostileConfig, NulBytesEndTheTextTheyStandIn) {
  ViewerPaths paths;
  EXPECT_EQ(readConfigText(std::string("data_dir=ab\0cd\ndata_file=f.dnl\n", 31), paths), 1);
  EXPECT_STREQ(paths.dataDir, "ab");
  EXPECT_STREQ(paths.dataFile, "f.dnl");
  // A NUL before the "=" hides it: the line has none and stops reading.
  EXPECT_EQ(readConfigText(std::string("data_dir\0=x\n", 12), paths), 0);
  EXPECT_STREQ(paths.dataDir, ".");
  EXPECT_EQ(readConfigText(std::string("\0data_file=x\n", 13), paths), 0);
  EXPECT_STREQ(paths.dataFile, "jungle.dnl");
  EXPECT_EQ(readConfigText(std::string(300, '\0'), paths), 0);
  expectSoundPaths(paths, "NUL bytes only");
}

TEST(HostileConfig, NoFinalLineFeedAndBareEquals) {
  ViewerPaths paths;
  EXPECT_EQ(readConfigText("data_dir=levels", paths), 1);
  EXPECT_STREQ(paths.dataDir, "levels");
  EXPECT_EQ(readConfigText("data_file=" + std::string(117, 'z'), paths), 1);
  EXPECT_EQ(std::string(paths.dataFile), std::string(117, 'z'));
  for (const char* text : {"=", "=\n", "==\n", "=data_dir\n"}) {
    EXPECT_EQ(readConfigText(text, paths), 0) << text;
    EXPECT_STREQ(paths.dataDir, ".") << text;
    EXPECT_STREQ(paths.dataFile, "jungle.dnl") << text;
  }
  EXPECT_EQ(readConfigText("data_dir==\ndata_file=", paths), 1);
  EXPECT_STREQ(paths.dataDir, "=");
  EXPECT_STREQ(paths.dataFile, "");
}

TEST(HostileConfig, BinaryGarbageNeverOutgrowsThePaths) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 200; ++round) {
    std::string text(random() % 2000, '\0');
    for (char& c : text) c = static_cast<char>(random());
    // Half the rounds open with a key, so the garbage reaches the value copy.
    if (round % 2 == 0) text.insert(0, round % 4 == 0 ? "data_dir=" : "data_file=");
    ViewerPaths paths;
    const int32_t status = readConfigText(text, paths);
    EXPECT_TRUE(status == 0 || status == 1) << round;
    expectSoundPaths(paths, "garbage round " + std::to_string(round));
  }
}

}  // namespace
