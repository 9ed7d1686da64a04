// Win32 backend: the open-file dialog's one-pair filter list, bounded by its buffer.
#include "platform/win32/file_filter.h"

#include <cstring>

namespace win32 {

bool buildFileFilter(const char* label, const char* pattern, char* out, uint32_t capacity) {
  if (label == nullptr || pattern == nullptr || out == nullptr || capacity == 0) return false;
  const size_t labelLength = std::strlen(label);
  const size_t patternLength = std::strlen(pattern);
  if (labelLength + patternLength + 3 > capacity) {
    out[0] = '\0';
    return false;
  }
  std::memcpy(out, label, labelLength + 1);
  std::memcpy(out + labelLength + 1, pattern, patternLength + 1);
  out[labelLength + patternLength + 2] = '\0';
  return true;
}

}  // namespace win32
