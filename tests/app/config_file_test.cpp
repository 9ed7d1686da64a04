// The configuration reader, one file per row: defaults, comments, keys by prefix, values
// after the first "=", 127-character pieces, line ends, and where reading stops.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "app/config_file.h"

const std::filesystem::path kConfig = std::filesystem::temp_directory_path() /
                                      ("dunmoor-config-" + std::to_string(getpid()) + ".cfg");

TEST(ConfigFile, ReadsEachFileAsTheTableSays) {
  const std::string v(117, 'v');  // "data_dir=" and 117 characters fill 126 of a piece
  // File text ("missing": no file at all), result, then the two paths read.
  const std::tuple<std::string, int32_t, std::string, std::string> cases[] = {
      {"missing", 0, ".", "jungle.dnl"},
      {"", 1, ".", "jungle.dnl"},
      {"// where\ndata_dir=levels\ndata_file=sample.dnl\n", 1, "levels", "sample.dnl"},
      {"data_dir=levels\n\ndata_file=sample.dnl\n", 0, "levels", "jungle.dnl"},
      {"colour=red\ndata_dir=levels\n", 0, ".", "jungle.dnl"},
      // A 200-character comment: its second piece is a line of its own without "=".
      {"//" + std::string(198, 'c') + "\ndata_dir=levels\n", 0, ".", "jungle.dnl"},
      {"//" + std::string(125, 'c') + "data_file=tail.dnl\n", 1, ".", "tail.dnl"},
      {"data_dir = levels\ndata_file=a=b\t\n", 1, " levels", "a=b\t"},
      {"data_file=\n", 1, ".", ""},
      {"data_dirs=x\n", 1, "x", "jungle.dnl"},
      {"data_file=one.dnl\ndata_file=two.dnl\n", 1, ".", "two.dnl"},
      {"// c\r\ndata_dir=levels\r\ndata_file=sample.dnl\r\n", 1, "levels", "sample.dnl"},
      {"data_dir=levels\ndata_file=sample.dnl", 1, "levels", "sample.dnl"},
      {"data_dir=" + v + "\n", 1, v, "jungle.dnl"},
      // 127 characters fill a piece; the line feed or the rest is the next one and stops.
      {"data_dir=" + v + "w\n", 0, v + "w", "jungle.dnl"},
      {"data_dir=" + v + "wx\n", 0, v + "w", "jungle.dnl"},
      {std::string("data_dir=\0", 10) + std::string(300, '\xff') + "=\n", 0, "", "jungle.dnl"},
  };
  for (const auto& [text, status, dataDir, dataFile] : cases) {
    std::filesystem::remove(kConfig);
    if (text != "missing") std::ofstream(kConfig, std::ios::binary) << text;
    ViewerPaths paths;
    std::memset(&paths, 0x5A, sizeof paths);  // the reader must set every default itself
    EXPECT_EQ(readConfigFile(paths, kConfig.string().c_str()), status) << "status for " << text;
    EXPECT_EQ(std::string(paths.dataDir), dataDir) << "data_dir for " << text;
    EXPECT_EQ(std::string(paths.dataFile), dataFile) << "data_file for " << text;
  }
  std::filesystem::remove(kConfig);
}

// The screen keys: a window (with a size or the default), the whole desktop, the watch; a
// value that cannot be read leaves the setting, and the keys after it are still read.
TEST(ConfigFile, ScreenKeysChooseTheScreenAndTheWatch) {
  using enum ScreenChoice;
  const struct {
    const char* text;
    ScreenChoice screen;
    int32_t width, height;
    bool watch;
  } cases[] = {
      {"window=800x600\n", Window, 800, 600, false},
      {"window=on\nwatch=1\n", Window, 0, 0, true},
      {"fullscreen=on\n", Desktop, 0, 0, false},
      {"window=800x600\nfullscreen=true\nwatch=off\n", Desktop, 800, 600, false},
      {"window=800x600\nwindow=off\n", ModeSwitch, 800, 600, false},
      {"window=0x600\nwatch=on\n", ModeSwitch, 0, 0, true},
      {"window=16385x10\n", ModeSwitch, 0, 0, false},
      {"window=16384x1 \n", ModeSwitch, 0, 0, false},
      {"window=16384x1\n", Window, 16384, 1, false},
  };
  for (const auto& c : cases) {
    std::ofstream(kConfig, std::ios::binary) << c.text << "data_file=after.dnl\n";
    ViewerPaths paths;
    ScreenOptions screen = {ModeSwitch, 0, 0, false};
    EXPECT_EQ(readConfigFile(paths, kConfig.string().c_str(), &screen), 1) << "status: " << c.text;
    EXPECT_EQ(screen.screen, c.screen) << "screen: " << c.text;
    EXPECT_EQ(screen.windowWidth, c.width) << "width: " << c.text;
    EXPECT_EQ(screen.windowHeight, c.height) << "height: " << c.text;
    EXPECT_EQ(screen.watch, c.watch) << "watch: " << c.text;
    EXPECT_STREQ(paths.dataFile, "after.dnl") << "the key after: " << c.text;
  }
  std::filesystem::remove(kConfig);
}
