// Reads "dunmoor.cfg" line by line in pieces of at most 127 characters; a key is matched by
// prefix in column 1 and its value is everything after the line's first "=".
#include "app/config_file.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kPieceSize = 128;  // 127 characters and the terminator

// Reads up to 127 characters, stopping after a line feed. A carriage return right before a
// line feed is dropped, as a text-mode read does. False at end of file with nothing read.
bool readPiece(std::FILE* file, char piece[kPieceSize]) {
  int length = 0;
  while (length < kPieceSize - 1) {
    int c = std::fgetc(file);
    if (c == EOF) break;
    if (c == '\r') {
      int next = std::fgetc(file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    piece[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  piece[length] = '\0';
  return length > 0;
}

// Copies the value into a path buffer, cut at its first line feed.
void takeValue(const char* value, char out[kViewerPathSize]) {
  size_t length = std::strcspn(value, "\n");
  if (length >= kViewerPathSize) length = kViewerPathSize - 1;
  std::memcpy(out, value, length);
  out[length] = '\0';
}

bool startsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

int32_t readConfigFile(ViewerPaths& paths, const char* fileName) {
  std::snprintf(paths.dataDir, sizeof paths.dataDir, "%s", ".");
  std::snprintf(paths.dataFile, sizeof paths.dataFile, "%s", "jungle.dnl");
  std::FILE* file = std::fopen(fileName, "rb");
  if (file == nullptr) return 0;

  int32_t status = 1;
  char piece[kPieceSize];
  while (readPiece(file, piece)) {
    if (piece[0] == '/' && piece[1] == '/') continue;
    const char* equals = std::strchr(piece, '=');
    if (equals == nullptr) {
      status = 0;
      break;
    }
    if (startsWith(piece, "data_dir")) {
      takeValue(equals + 1, paths.dataDir);
    } else if (startsWith(piece, "data_file")) {
      takeValue(equals + 1, paths.dataFile);
    } else {
      status = 0;
      break;
    }
  }
  std::fclose(file);
  return status;
}

int32_t readConfig(ViewerPaths& paths) {
  return readConfigFile(paths, "dunmoor.cfg");
}
