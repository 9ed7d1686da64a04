// The configuration reader: defaults, comments, keys by prefix, values after the first "=",
// 127-character pieces, line ends, and where reading stops.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/config_file.h"

namespace {

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("dunmoor-config-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "dunmoor.cfg").string();
    std::memset(&paths_, 0x5A, sizeof paths_);  // the reader must set every default itself
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  int32_t readText(const std::string& text) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return readConfigFile(paths_, path_.c_str());
  }

  std::filesystem::path folder_;
  std::string path_;
  ViewerPaths paths_;
};

TEST_F(ConfigFileTest, MissingFileKeepsDefaultsAndFails) {
  EXPECT_EQ(readConfigFile(paths_, (folder_ / "absent.cfg").c_str()), 0);
  EXPECT_STREQ(paths_.dataDir, ".");
  EXPECT_STREQ(paths_.dataFile, "jungle.dnl");
}

TEST_F(ConfigFileTest, ReadsTheBareNameInTheWorkingDirectory) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  EXPECT_EQ(readConfig(paths_), 0);
  readText("data_dir=here\n");
  EXPECT_EQ(readConfig(paths_), 1);
  std::filesystem::current_path(previous);
  EXPECT_STREQ(paths_.dataDir, "here");
}

TEST_F(ConfigFileTest, EmptyFileKeepsDefaultsAndSucceeds) {
  EXPECT_EQ(readText(""), 1);
  EXPECT_STREQ(paths_.dataDir, ".");
  EXPECT_STREQ(paths_.dataFile, "jungle.dnl");
}

TEST_F(ConfigFileTest, CommentThenBothKeys) {
  EXPECT_EQ(readText("// where the levels are\ndata_dir=levels\ndata_file=sample.dnl\n"), 1);
  EXPECT_STREQ(paths_.dataDir, "levels");
  EXPECT_STREQ(paths_.dataFile, "sample.dnl");
}

TEST_F(ConfigFileTest, BlankLineStopsReading) {
  EXPECT_EQ(readText("data_dir=levels\n\ndata_file=sample.dnl\n"), 0);
  EXPECT_STREQ(paths_.dataDir, "levels");
  EXPECT_STREQ(paths_.dataFile, "jungle.dnl");
}

TEST_F(ConfigFileTest, UnknownKeyStopsBeforeLaterKeys) {
  EXPECT_EQ(readText("colour=red\ndata_dir=levels\n"), 0);
  EXPECT_STREQ(paths_.dataDir, ".");
  EXPECT_STREQ(paths_.dataFile, "jungle.dnl");
}

TEST_F(ConfigFileTest, IndentedCommentWithoutEqualsStops) {
  EXPECT_EQ(readText(" // note\ndata_dir=levels\n"), 0);
  EXPECT_STREQ(paths_.dataDir, ".");
}

TEST_F(ConfigFileTest, LongCommentIsReadInPiecesOf127) {
  // The second piece (73 characters) is a line of its own; without "=" it stops reading.
  EXPECT_EQ(readText("//" + std::string(198, 'c') + "\ndata_dir=levels\n"), 0);
  EXPECT_STREQ(paths_.dataDir, ".");
  // With an "=" and a key at the start of the second piece, that piece sets the value.
  EXPECT_EQ(readText("//" + std::string(125, 'c') + "data_file=tail.dnl\n"), 1);
  EXPECT_STREQ(paths_.dataFile, "tail.dnl");
}

TEST_F(ConfigFileTest, ValueIsEverythingAfterTheFirstEquals) {
  EXPECT_EQ(readText("data_dir = levels\ndata_file=a=b\t\n"), 1);
  EXPECT_STREQ(paths_.dataDir, " levels");
  EXPECT_STREQ(paths_.dataFile, "a=b\t");
  EXPECT_EQ(readText("data_file=\n"), 1);
  EXPECT_STREQ(paths_.dataFile, "");
}

TEST_F(ConfigFileTest, KeysMatchByPrefixAndCase) {
  EXPECT_EQ(readText("data_dirs=x\n"), 1);
  EXPECT_STREQ(paths_.dataDir, "x");
  EXPECT_EQ(readText("Data_dir=x\n"), 0);
  EXPECT_STREQ(paths_.dataDir, ".");
}

TEST_F(ConfigFileTest, LaterLineReplacesEarlier) {
  EXPECT_EQ(readText("data_file=one.dnl\ndata_file=two.dnl\n"), 1);
  EXPECT_STREQ(paths_.dataFile, "two.dnl");
}

TEST_F(ConfigFileTest, CarriageReturnsAreNotPartOfValues) {
  EXPECT_EQ(readText("// c\r\ndata_dir=levels\r\ndata_file=sample.dnl\r\n"), 1);
  EXPECT_STREQ(paths_.dataDir, "levels");
  EXPECT_STREQ(paths_.dataFile, "sample.dnl");
}

TEST_F(ConfigFileTest, LastLineWithoutLineFeedIsTakenWhole) {
  EXPECT_EQ(readText("data_dir=levels\ndata_file=sample.dnl"), 1);
  EXPECT_STREQ(paths_.dataFile, "sample.dnl");
}

TEST_F(ConfigFileTest, LinesLongerThan127CharactersSplit) {
  const std::string value(117, 'v');
  EXPECT_EQ(readText("data_dir=" + value + "\n"), 1);
  EXPECT_EQ(std::string(paths_.dataDir), value);
  // 127 characters fill the first piece; the line feed alone is the next one and stops.
  EXPECT_EQ(readText("data_dir=" + value + "w\n"), 0);
  EXPECT_EQ(std::string(paths_.dataDir), value + "w");
  EXPECT_EQ(readText("data_dir=" + value + "wx\n"), 0);
  EXPECT_EQ(std::string(paths_.dataDir), value + "w");
}

TEST_F(ConfigFileTest, BinaryBytesNeverOverrunTheBuffers) {
  std::string hostile = "data_dir=";
  hostile.push_back('\0');
  hostile += std::string(1000, '\xff') + "=\n" + std::string(5000, '=') + "\n";
  readText(hostile);
  EXPECT_LT(std::strlen(paths_.dataDir), sizeof paths_.dataDir);
  EXPECT_LT(std::strlen(paths_.dataFile), sizeof paths_.dataFile);
}

}  // namespace
