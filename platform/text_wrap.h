// Wraps message text into lines of at most a given number of characters, for message boxes
// that must fit the screen. Platform-neutral: every backend may use it.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies `text` into `out` (capacity bytes, always terminated, cut short when full) with a
// line feed wherever a line would pass `columns` characters: at the last space of the line
// (which it replaces), else after the last '/' or '\\' (paths), else at the column itself.
// Line feeds in the text start new lines. Returns the length written.
size_t wrapText(const char* text, uint32_t columns, char* out, size_t capacity);
