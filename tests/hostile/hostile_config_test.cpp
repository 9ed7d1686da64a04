// Hostile configuration files: lines around the 127-character piece size, NUL bytes, no
// final line feed, a bare "=", and binary garbage. A long line is read in pieces of 127
// characters, each taken as a line of its own; no value can outgrow its buffer.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "app/config_file.h"
#include "tests/hostile/hostile_support.h"

namespace {

ViewerPaths paths;  // filled with junk before every read

// Reads `text` as a configuration file into paths filled with junk (no terminator left from
// an earlier read), and checks both paths end inside their buffers without a line feed.
int32_t readConfigText(const std::string& text, const std::string& what) {
  const std::string path = writeTempFile(text.data(), text.size(), ".cfg");
  std::memset(&paths, 0x5A, sizeof paths);
  const int32_t status = readConfigFile(paths, path.c_str());
  std::remove(path.c_str());
  for (const char* p : {paths.dataDir, paths.dataFile}) {
    EXPECT_LE(strnlen(p, kViewerPathSize), 118u) << what;
    EXPECT_EQ(std::memchr(p, '\n', strnlen(p, kViewerPathSize)), nullptr) << what;
  }
  return status;
}

TEST(HostileConfig, LongLinesNulBytesBareEqualsAndNoFinalLineFeed) {
  using S = std::string;
  std::vector<std::tuple<S, int32_t, S, S>> cases = {
      // text, status, data_dir, data_file
      {S("data_dir=ab\0cd\ndata_file=f.dnl\n", 31), 1, "ab", "f.dnl"},
      {"data_dir=levels", 1, "levels", "jungle.dnl"},
      {"data_file=" + S(117, 'z'), 1, ".", S(117, 'z')},
      {"data_dir==\ndata_file=", 1, "=", ""},
      // 255 characters: data_dir's piece of 127, then a piece of 127 that starts with
      // data_file, then the last character with the line feed, which has no "=".
      {"data_dir=" + S(118, 'd') + "data_file=" + S(117, 'f') + "f\n", 0, S(118, 'd'), S(117, 'f')},
  };
  // Nothing but NUL bytes, a NUL before the "=" (which hides it: the line has none and stops
  // reading), and a bare "=" leave the defaults.
  for (const S& text : {S(300, '\0'), S("data_dir\0=x\n", 12), S("\0data_file=x\n", 13), S("="),
                        S("=\n"), S("==\n"), S("=data_dir\n")}) {
    cases.push_back({text, 0, ".", "jungle.dnl"});
  }
  // The first piece holds at most 127 characters, so at most 118 of a value; a longer line
  // leaves a piece without "=" (the rest, or its line feed alone), which stops reading.
  for (const size_t length : {126u, 127u, 128u, 255u}) {
    const bool whole = length <= 126;
    const S value(length - 9, 'v');
    cases.push_back({"data_dir=" + value + "\ndata_file=next.dnl\n", whole, value.substr(0, 118),
                     whole ? "next.dnl" : "jungle.dnl"});
    cases.push_back({"//" + S(length - 2, 'c') + "\ndata_dir=levels\n", whole,
                     whole ? "levels" : ".", "jungle.dnl"});
  }
  for (const auto& [text, status, dataDir, dataFile] : cases) {
    const S what = text.substr(0, 40) + " (" + std::to_string(text.size()) + " bytes)";
    EXPECT_EQ(readConfigText(text, what), status) << what;
    EXPECT_EQ(S(paths.dataDir), dataDir) << what;
    EXPECT_EQ(S(paths.dataFile), dataFile) << what;
  }
}

TEST(HostileConfig, BinaryGarbageNeverOutgrowsThePaths) {
  std::mt19937 random(20261206);
  for (int round = 0; round < 200; ++round) {
    std::string text(random() % 2000, '\0');
    for (char& c : text) c = static_cast<char>(random());
    // Half the rounds open with a key, so the garbage reaches the value copy.
    if (round % 2 == 0) text.insert(0, round % 4 == 0 ? "data_dir=" : "data_file=");
    EXPECT_LE(uint32_t(readConfigText(text, "round " + std::to_string(round))), 1u);
  }
}

}  // namespace
