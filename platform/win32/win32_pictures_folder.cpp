// Win32 backend: the user's pictures folder, where F12 saves its pictures.
#include "platform/win32/win32_backend.h"
// The shell's folder calls need windows.h first.
#include <shlobj.h>

#include <cstring>

namespace platform {

bool findPicturesFolder(char* out, uint32_t capacity) {
  char folder[MAX_PATH];
  if (out == nullptr || SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, folder) != S_OK) {
    return false;
  }
  const DWORD attributes = GetFileAttributesA(folder);
  const size_t length = strnlen(folder, sizeof folder);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      length >= capacity) {
    return false;
  }
  memcpy(out, folder, length + 1);
  return true;
}

}  // namespace platform
