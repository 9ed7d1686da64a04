// Message text wrapped to a width: breaks at spaces, then after path separators, then at the
// column; every line fits; nothing is lost; the output stays terminated when it is short.
#include "platform/text_wrap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string wrapped(const std::string& text, uint32_t columns, size_t capacity = 1024) {
  std::string out(capacity, 'x');
  const size_t length = wrapText(text.c_str(), columns, out.data(), capacity);
  EXPECT_EQ(length, std::string(out.c_str()).size()) << "the length returned is the text's";
  return out.c_str();
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

TEST(TextWrap, AShortBufferIsCutAndStaysTerminated) {
  EXPECT_EQ(wrapped("abcdefghij", 4, 8), "abcd\nef") << "seven characters and the terminator";
  EXPECT_EQ(wrapped("abcdefghij", 4, 6), "abcd") << "no room for the line feed and more";
  EXPECT_EQ(wrapText("abc", 4, nullptr, 0), 0u) << "no buffer: nothing written";
  EXPECT_EQ(wrapped("abc", 0), "a\nb\nc") << "width 0 is taken as 1";
}
