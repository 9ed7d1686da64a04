// Message text wrapped to a width: breaks at spaces, then after path separators, then at the
// column; every line fits; nothing is lost; the output stays terminated when it is short.
#include "platform/text_wrap.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string wrapped(const std::string& text, uint32_t columns, size_t capacity = 1024) {
  std::string out(capacity, 'x');
  const size_t length = wrapText(text.c_str(), columns, out.data(), capacity);
  EXPECT_EQ(length, std::string(out.c_str()).size()) << "the length returned is the text's";
  return out.c_str();
}

// The text without its spaces and line feeds: what wrapping must keep, in order.
std::string withoutBreaks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

}  // namespace

TEST(TextWrap, BreaksAtTheLastSpaceThatFits) {
  EXPECT_EQ(wrapped("one two three four", 9), "one two\nthree\nfour") << "three lines";
  EXPECT_EQ(wrapped("ab\ncd ef", 5), "ab\ncd ef") << "line feeds in the text start new lines";
}

TEST(TextWrap, LongPathsBreakAfterASeparatorOrAtTheColumn) {
  EXPECT_EQ(wrapped("/aaa/bbb/ccc", 9), "/aaa/bbb/\nccc") << "after the last separator";
  EXPECT_EQ(wrapped("abcdefghij", 4), "abcd\nefgh\nij") << "a word with no separator is cut";
}

TEST(TextWrap, TheLoadFailureWithALongPathFitsAndKeepsEveryCharacter) {
  const std::string path = "/home/user/" + std::string(200, 'd') + "/levels/LEVEL.DNL";
  const std::string message =
      "Failed to open " + path + " level file or the data file is invalid/corrupted";
  const std::string out = wrapped(message, 70);
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 70u) << "a line fits 70 columns: " << line;
  }
  EXPECT_EQ(withoutBreaks(out), withoutBreaks(message)) << "no character but spaces changes";
}

TEST(TextWrap, AShortBufferIsCutAndStaysTerminated) {
  EXPECT_EQ(wrapped("abcdefghij", 4, 8), "abcd\nef") << "seven characters and the terminator";
  EXPECT_EQ(wrapped("abcdefghij", 4, 6), "abcd") << "no room for the line feed and more";
  EXPECT_EQ(wrapText("abc", 4, nullptr, 0), 0u) << "no buffer: nothing written";
  EXPECT_EQ(wrapped("abc", 0), "a\nb\nc") << "width 0 is taken as 1";
}
