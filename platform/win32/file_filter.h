// Win32 backend: the open-file dialog's filter as the dialog reads it: label, NUL, pattern,
// NUL, and one more NUL that ends the list.
#pragma once

#include <cstdint>

namespace win32 {

// Writes the one-pair filter list into out (capacity bytes); false, with nothing usable
// written, when a text is missing or the list does not fit.
bool buildFileFilter(const char* label, const char* pattern, char* out, uint32_t capacity);

}  // namespace win32
