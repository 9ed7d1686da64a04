// Line wrapping for message boxes: breaks at spaces, then at path separators, then anywhere.
#include "platform/text_wrap.h"

namespace {

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

}  // namespace

size_t wrapText(const char* text, uint32_t columns, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  size_t length = 0;
  size_t lineStart = 0;  // index in `out` of the current line's first character
  if (columns == 0) columns = 1;
  for (const char* c = text != nullptr ? text : ""; *c != '\0' && length + 1 < capacity; ++c) {
    out[length++] = *c;
    if (*c == '\n') {
      lineStart = length;
      continue;
    }
    if (length - lineStart <= columns) continue;
    // The line holds columns + 1 characters: break it.
    size_t breakAt = length;  // index of the first character of the next line
    for (size_t i = length - 1; i > lineStart; --i) {
      if (out[i] == ' ') {
        out[i] = '\n';
        breakAt = i + 1;
        break;
      }
    }
    if (breakAt == length) {
      for (size_t i = length - 2; i > lineStart; --i) {
        if (isSeparator(out[i])) {
          breakAt = i + 1;
          break;
        }
      }
      if (breakAt == length) breakAt = length - 1;
      // Move the tail one place on to make room for the line feed.
      if (length + 1 >= capacity) {
        --length;  // no room: the tail is cut
        break;
      }
      for (size_t i = length; i > breakAt; --i) out[i] = out[i - 1];
      out[breakAt] = '\n';
      ++length;
      ++breakAt;
    }
    lineStart = breakAt;
  }
  out[length] = '\0';
  return length;
}
