// dnl-export LEVEL.dnl OUT.glb [--scale S] [--no-shade] [--no-items]: loads a level file with
// the viewer's loader and writes what the viewer shows as one binary glTF 2.0 file. Exit 0
// on success, 1 with a one-line reason otherwise.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "level/level_geometry.h"
#include "level/level_loader.h"
#include "tools/gltf_export.h"

namespace {

int usage() {
  fprintf(stderr, "usage: dnl-export LEVEL.dnl OUT.glb [--scale S] [--no-shade] [--no-items]\n");
  return 1;
}

// The whole text must be a number the export accepts.
bool parseScale(const char* text, double& scale) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !exportScaleValid(value)) return false;
  scale = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ExportOptions options;
  const char* paths[2] = {nullptr, nullptr};
  int pathCount = 0;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--scale") == 0) {
      if (i + 1 >= argc || !parseScale(argv[i + 1], options.scale)) {
        fprintf(stderr, "dnl-export: --scale takes a positive number up to 1e9\n");
        return 1;
      }
      ++i;
    } else if (std::strcmp(arg, "--no-shade") == 0) {
      options.shade = false;
    } else if (std::strcmp(arg, "--no-items") == 0) {
      options.items = false;
    } else if (arg[0] == '-' || pathCount == 2) {
      return usage();
    } else {
      paths[pathCount++] = arg;
    }
  }
  if (pathCount != 2) return usage();
  const LoadFailure failure = loadLevelFile(paths[0]);
  if (failure != LoadFailure::None) {
    fprintf(stderr, "dnl-export: %s: %s\n", paths[0], loadFailureText(failure));
    return 1;
  }
  if (!exportLevelGlb(levelGeometry, options, paths[1])) {
    fprintf(stderr, "dnl-export: %s: cannot write the glTF file\n", paths[1]);
    return 1;
  }
  return 0;
}
