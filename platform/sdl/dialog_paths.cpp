// Case-blind file patterns and the dialog's starting path for zenity and kdialog.
#include "platform/sdl/dialog_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

bool isFolder(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool caseBlindPattern(const char* pattern, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  size_t length = 0;
  for (const char* c = pattern != nullptr ? pattern : ""; *c != '\0'; ++c) {
    const unsigned char ch = static_cast<unsigned char>(*c);
    char piece[5] = {*c, '\0'};
    if (std::isalpha(ch)) {
      piece[0] = '[';
      piece[1] = static_cast<char>(std::tolower(ch));
      piece[2] = static_cast<char>(std::toupper(ch));
      piece[3] = ']';
    }
    const size_t pieceLength = std::strlen(piece);
    if (length + pieceLength + 1 > capacity) {
      out[0] = '\0';
      return false;
    }
    std::memcpy(out + length, piece, pieceLength);
    length += pieceLength;
  }
  out[length] = '\0';
  return true;
}

bool dialogStartPath(const char* folder, const char* fileName, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return false;
  const char* name = fileName != nullptr ? fileName : "";
  const char* dir = folder != nullptr && folder[0] != '\0' ? folder : ".";
  int written = name[0] == '/' ? std::snprintf(out, capacity, "%s", name)
                               : std::snprintf(out, capacity, "%s/%s", dir, name);
  if (written < 0 || static_cast<size_t>(written) >= capacity) return false;

  // The folder part of the path: up to its last '/', "/" when that is the first character.
  char* lastSlash = std::strrchr(out, '/');
  const char* base = lastSlash != nullptr ? lastSlash + 1 : out;
  bool folderExists = true;
  if (lastSlash != nullptr) {
    const char kept = lastSlash == out ? lastSlash[1] : lastSlash[0];
    char* cut = lastSlash == out ? lastSlash + 1 : lastSlash;
    *cut = '\0';
    folderExists = isFolder(out);
    *cut = kept;
  }
  if (folderExists) return true;

  char working[4096];
  char baseName[4096];
  std::snprintf(baseName, sizeof baseName, "%s", base);
  if (getcwd(working, sizeof working) == nullptr) return false;
  written = std::snprintf(out, capacity, "%s/%s", working, baseName);
  return written >= 0 && static_cast<size_t>(written) < capacity;
}
