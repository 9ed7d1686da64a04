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

size_t longestLine(const std::string& text) {
  std::istringstream lines(text);
  size_t longest = 0;
  for (std::string line; std::getline(lines, line);) longest = std::max(longest, line.size());
  return longest;
}

}  // namespace

TEST(TextWrap, BreaksAtTheLastSpaceThatFits) {
  EXPECT_EQ(wrapped("one two three four", 9), "one two\nthree\nfour");
  EXPECT_EQ(wrapped("short", 9), "short") << "a text that fits is unchanged";
  EXPECT_EQ(wrapped("ab\ncd ef", 5), "ab\ncd ef") << "line feeds in the text start new lines";
}

TEST(TextWrap, LongPathsBreakAfterASeparatorOrAtTheColumn) {
  EXPECT_EQ(wrapped("/aaa/bbb/ccc", 9), "/aaa/bbb/\nccc");
  EXPECT_EQ(wrapped("abcdefghij", 4), "abcd\nefgh\nij") << "a word with no separator is cut";
}

TEST(TextWrap, TheLoadFailureWithALongPathFitsAndKeepsEveryCharacter) {
  const std::string path = "/home/user/" + std::string(200, 'd') + "/levels/LEVEL.DNL";
  const std::string message =
      "Failed to open " + path + " level file or the data file is invalid/corrupted";
  const std::string out = wrapped(message, 70);
  EXPECT_LE(longestLine(out), 70u) << "every line fits 70 columns";
  // Only spaces may turn into line feeds; every other character stays, in order.
  std::string unwrapped = out;
  for (char& c : unwrapped) {
    if (c == '\n') c = ' ';
  }
  std::string withoutSpaces, messageWithoutSpaces;
  for (char c : unwrapped) {
    if (c != ' ') withoutSpaces += c;
  }
  for (char c : message) {
    if (c != ' ') messageWithoutSpaces += c;
  }
  EXPECT_EQ(withoutSpaces, messageWithoutSpaces) << "no character but spaces changes";
}

TEST(TextWrap, AShortBufferIsCutAndStaysTerminated) {
  EXPECT_EQ(wrapped("abcdefghij", 4, 8), "abcd\nef") << "seven characters and the terminator";
  EXPECT_EQ(wrapped("abcdefghij", 4, 6), "abcd") << "no room for the line feed and more";
  EXPECT_EQ(wrapText("abc", 4, nullptr, 0), 0u) << "no buffer: nothing written";
  EXPECT_EQ(wrapped("", 4), "") << "an empty text";
  EXPECT_EQ(wrapped("abc", 0), "a\nb\nc") << "width 0 is taken as 1";
}
