// Reads the command line and points the open-file dialog at a level named on it.
#include "app/command_line.h"

#include <cstring>

namespace {

// Windows paths may also use a backslash between folders.
#ifdef _WIN32
constexpr bool kBackslashSeparates = true;
#else
constexpr bool kBackslashSeparates = false;
#endif

bool isSeparator(char c) {
  return c == '/' || (kBackslashSeparates && c == '\\');
}

}  // namespace

CommandLine parseCommandLine(int32_t argumentCount, const char* const* arguments) {
  CommandLine result = {CommandLineAction::Run, nullptr};
  if (arguments == nullptr) return result;
  bool optionsEnded = false;
  for (int32_t i = 1; i < argumentCount; ++i) {
    const char* argument = arguments[i];
    if (argument == nullptr) break;
    if (!optionsEnded && argument[0] == '-' && argument[1] != '\0') {
      if (std::strcmp(argument, "--") == 0) {
        optionsEnded = true;
      } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
        return {CommandLineAction::ShowHelp, nullptr};
      } else if (std::strcmp(argument, "--version") == 0) {
        return {CommandLineAction::ShowVersion, nullptr};
      } else {
        return {CommandLineAction::Misuse, nullptr};
      }
      continue;
    }
    if (result.levelPath != nullptr) return {CommandLineAction::Misuse, nullptr};
    result.levelPath = argument;
  }
  return result;
}

void proposeNamedLevel(ViewerPaths& paths, const char* levelPath) {
  if (levelPath == nullptr) return;
  const size_t length = strnlen(levelPath, kViewerPathSize);
  if (length == 0 || length >= kViewerPathSize) return;
  size_t nameStart = 0;
  for (size_t i = 0; i < length; ++i) {
    if (isSeparator(levelPath[i])) nameStart = i + 1;
  }
  if (nameStart == length) return;  // names a folder, not a file
  // The folder keeps its separator only when it is the root.
  const size_t folderLength = nameStart == 0 ? 0 : (nameStart == 1 ? 1 : nameStart - 1);
  if (folderLength == 0) {
    std::memcpy(paths.dataDir, ".", 2);
  } else {
    std::memcpy(paths.dataDir, levelPath, folderLength);
    paths.dataDir[folderLength] = '\0';
  }
  std::memcpy(paths.dataFile, levelPath + nameStart, length - nameStart);
  paths.dataFile[length - nameStart] = '\0';
}
