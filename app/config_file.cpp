// Reads "dunmoor.cfg" line by line in pieces of at most 127 characters; a key is matched by
// prefix in column 1 and its value is everything after the line's first "=", up to the end
// of the line.
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

bool isOneOf(const char* text, const char* const (&words)[3]) {
  for (const char* word : words) {
    if (std::strcmp(text, word) == 0) return true;
  }
  return false;
}

constexpr const char* kOnWords[3] = {"on", "true", "1"};
constexpr const char* kOffWords[3] = {"off", "false", "0"};

// Sets `flag` from an on or off word; anything else leaves it.
void takeSwitch(const char* value, bool* flag) {
  if (isOneOf(value, kOnWords)) *flag = true;
  if (isOneOf(value, kOffWords)) *flag = false;
}

// Applies one screen key's value (already cut at its line feed). The last of window and
// fullscreen switched on wins; switching one off goes back to the display mode.
void takeScreenKey(const char* piece, const char* value, ScreenOptions& screen) {
  ScreenChoice* choice = &screen.screen;
  if (startsWith(piece, "window")) {
    if (isOneOf(value, kOffWords) && *choice == ScreenChoice::Window) {
      *choice = ScreenChoice::ModeSwitch;
    } else if (parseWindowSize(value, &screen.windowWidth, &screen.windowHeight)) {
      *choice = ScreenChoice::Window;
    }
  } else if (startsWith(piece, "fullscreen")) {
    if (isOneOf(value, kOnWords)) *choice = ScreenChoice::Desktop;
    if (isOneOf(value, kOffWords) && *choice == ScreenChoice::Desktop) {
      *choice = ScreenChoice::ModeSwitch;
    }
  } else {
    takeSwitch(value, &screen.watch);
  }
}

}  // namespace

bool parseWindowSize(const char* text, int32_t* width, int32_t* height) {
  if (text == nullptr) return false;
  if (isOneOf(text, kOnWords)) {
    *width = 0;
    *height = 0;
    return true;
  }
  int32_t sides[2] = {0, 0};
  const char* at = text;
  for (int32_t side = 0; side < 2; ++side) {
    if (*at < '0' || *at > '9') return false;
    while (*at >= '0' && *at <= '9') {
      sides[side] = sides[side] * 10 + (*at++ - '0');
      if (sides[side] > kLargestWindowSide) return false;
    }
    if (sides[side] < 1) return false;
    if (side == 0 && *at++ != 'x') return false;
  }
  if (*at != '\0') return false;
  *width = sides[0];
  *height = sides[1];
  return true;
}

int32_t readConfigFile(ViewerPaths& paths, const char* fileName, ScreenOptions* screen) {
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
    } else if (startsWith(piece, "window") || startsWith(piece, "fullscreen") ||
               startsWith(piece, "watch")) {
      char value[kViewerPathSize];
      takeValue(equals + 1, value);
      if (screen != nullptr) takeScreenKey(piece, value, *screen);
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
